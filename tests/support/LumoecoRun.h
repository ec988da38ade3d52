#pragma once
// Runs the command-line program on a project, for tests that compare the window's
// figures with it. The including test defines LUMOECO_PATH and BRIVANTA_FIXTURE_DIR.

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QtDebug>

namespace brivanta::test {

// `lumoeco calculate --format json` on `project` with the fixture weather and the
// product catalogue and configuration in `appDir`; an empty object when it failed.
inline QJsonObject lumoecoCalculateJson(const QString& appDir, const QString& project)
{
    QProcess p;
    p.setWorkingDirectory(appDir);
    p.start(QStringLiteral(LUMOECO_PATH),
            {"calculate", project, "--format", "json", "--weather",
             QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"), "--products",
             QDir(appDir).filePath("Product.mdb"), "--app-dir", appDir});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

} // namespace brivanta::test
