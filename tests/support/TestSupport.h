#pragma once
// Helpers shared by every test: one tolerance rule for floating results, one
// checked file writer, and the rule for the shared sample files.

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace brivanta::test {

// True when a and b agree within a relative or an absolute tolerance.
inline bool fuzzyEqual(double a, double b, double rel = 1e-9, double abs = 1e-12)
{
    if (std::isnan(a) || std::isnan(b))
        return false;
    const double diff = std::fabs(a - b);
    return diff <= abs || diff <= rel * std::max(std::fabs(a), std::fabs(b));
}

// Writes `bytes` as the whole content of the file at `path`; false when any of it failed.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

#ifdef BRIVANTA_SHARED_DATA
// In CI (CI=true) with the shared sample folder beside the repository, its files must
// be there: a missing one fails the test instead of skipping it.
inline bool sharedDataRequired()
{
    return qEnvironmentVariable("CI") == QLatin1String("true")
        && QFileInfo(QStringLiteral(BRIVANTA_SHARED_DATA "/..")).isDir();
}
#endif

} // namespace brivanta::test

// Skips the test when the shared sample file `path` is missing, or fails it in CI.
#define BRIVANTA_REQUIRE_SHARED_FILE(path)                                                         \
    do {                                                                                           \
        const QString p_ = (path);                                                                 \
        if (!QFileInfo::exists(p_)) {                                                              \
            if (brivanta::test::sharedDataRequired())                                              \
                QFAIL(qPrintable(QStringLiteral("missing shared sample file %1").arg(p_)));        \
            QSKIP(qPrintable(QStringLiteral("shared sample file %1 not available").arg(p_)));      \
        }                                                                                          \
    } while (0)

// QCOMPARE for doubles with a tolerance; prints both values on failure.
#define BRIVANTA_COMPARE_NEAR(actual, expected, rel)                                               \
    do {                                                                                           \
        const double a_ = (actual);                                                                \
        const double e_ = (expected);                                                              \
        if (!brivanta::test::fuzzyEqual(a_, e_, (rel), 1e-12))                                     \
            QFAIL(qPrintable(QStringLiteral("%1 = %2, expected %3 (rel. tol. %4)")                 \
                                 .arg(QStringLiteral(#actual))                                     \
                                 .arg(a_, 0, 'g', 17)                                              \
                                 .arg(e_, 0, 'g', 17)                                              \
                                 .arg(double(rel))));                                              \
    } while (0)
