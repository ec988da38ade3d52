#include "HJsonFunc.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

class tst_JsonFunc : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void parseText_data();
    void parseText();
    void repeatedKeys_data();
    void repeatedKeys();
    void readers_data();
    void readers();
    void fileRoundTrip_data();
    void fileRoundTrip();
    void createsMissingFolder();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();

private:
    QByteArray writeRaw(const QString& name, const QByteArray& bytes);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_JsonFunc::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray tst_JsonFunc::writeRaw(const QString& name, const QByteArray& bytes)
{
    QFile f(m_dir->filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the fixture %s", qPrintable(f.fileName()));
    return bytes;
}

void tst_JsonFunc::parseText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("keys");
    QTest::newRow("object") << R"({"a": 1, "b": "Xi'an"})" << true << 2;
    QTest::newRow("array is valid but has no object") << "[1, 2]" << true << 0;
    QTest::newRow("truncated") << R"({"a": 1)" << false << 0;
    QTest::newRow("empty text") << "" << false << 0;
    QTest::newRow("trailing garbage") << R"({"a": 1} x)" << false << 0;
}

void tst_JsonFunc::parseText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, keys);
    // A previous content must never survive a failed parse.
    QJsonDocument doc(QJsonObject{{"old", true}});
    QString error;
    QCOMPARE(HJsonFunc::parseTextToJsonDoc(text, doc, &error), ok);
    QCOMPARE(doc.object().size(), keys);
    QCOMPARE(error.isEmpty(), ok);
    if (!ok)
        QVERIFY(doc.isNull());
}

// The last value of a repeated key wins, as in Qt's parser. An earlier array or object
// is dropped before Qt reads it (Qt would leak it; the sanitizer build reports that at
// any depth of nesting).
void tst_JsonFunc::repeatedKeys_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected"); // compact; empty: not JSON
    QTest::newRow("array, then text") << QByteArray(R"({"a":[{}],"a":""})") << QByteArray(R"({"a":""})");
    QTest::newRow("object, other keys kept")
        << QByteArray(R"({"a":{"b":[1]},"x":2,"a":3})") << QByteArray(R"({"a":3,"x":2})");
    QTest::newRow("three times") << QByteArray(R"({"a":[1],"a":{"c":1},"a":[2]})")
                                 << QByteArray(R"({"a":[2]})");
    QTest::newRow("key written with an escape")
        << QByteArray(R"({"a":[1],"\u0061":2})") << QByteArray(R"({"a":2})");
    QTest::newRow("brackets and quotes inside strings")
        << QByteArray(R"({"s":"}\"{[","t":[1],"s":"x"})") << QByteArray(R"({"s":"x","t":[1]})");
    QTest::newRow("inside an array") << QByteArray(R"([{"k":{},"k":{"z":1}}])")
                                     << QByteArray(R"([{"k":{"z":1}}])");
    QByteArray deep = R"({"k":[1],"k":2})";
    for (int i = 0; i < 40; ++i)
        deep = "{\"d\":" + deep + "}";
    QByteArray deepExpected = R"({"k":2})";
    for (int i = 0; i < 40; ++i)
        deepExpected = "{\"d\":" + deepExpected + "}";
    QTest::newRow("40 levels deep") << deep << deepExpected;
    QTest::newRow("cut short after a repeated key") << QByteArray(R"({"a":[{}],"a":1,)") << QByteArray();
}

void tst_JsonFunc::repeatedKeys()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    writeRaw("repeated.json", text);
    QJsonDocument doc;
    QString error;
    const bool ok = HJsonFunc::readFileToJsonDoc(m_dir->filePath("repeated.json"), doc, &error);
    QCOMPARE(ok, !expected.isEmpty());
    if (ok) {
        QCOMPARE(doc.toJson(QJsonDocument::Compact), expected);
    } else {
        // The error is Qt's, at the offset Qt gives for the text as written.
        QJsonParseError qt;
        QJsonDocument::fromJson(text, &qt);
        QVERIFY2(error.contains(QStringLiteral("at offset %1").arg(qt.offset)), qPrintable(error));
    }
}

void tst_JsonFunc::readers_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<bool>("plainOk");
    QTest::addColumn<bool>("utf8Ok");
    const QByteArray obj = QByteArrayLiteral("{\"city\": \"S\xC3\xA3o Paulo\"}");
    QTest::newRow("missing file") << QByteArray() << false << false;
    QTest::newRow("utf-8 object") << obj << true << true;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + obj << true << true;
    QTest::newRow("malformed") << QByteArray("{\"city\": ") << false << false;
}

void tst_JsonFunc::readers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, plainOk);
    QFETCH(bool, utf8Ok);
    const QString path = m_dir->filePath(QStringLiteral("in.json"));
    if (!bytes.isEmpty())
        writeRaw(QStringLiteral("in.json"), bytes);

    QJsonDocument doc(QJsonObject{{"old", true}});
    QCOMPARE(HJsonFunc::readFileToJsonDoc(path, doc), plainOk);
    QCOMPARE(doc.isNull(), !plainOk);

    doc = QJsonDocument(QJsonObject{{"old", true}});
    QString error;
    QCOMPARE(HJsonFunc::readUTF_8FileToJsonDoc(path, doc, &error), utf8Ok);
    if (utf8Ok)
        QCOMPARE(doc.object().value("city").toString(), QStringLiteral("São Paulo"));
    else
        QVERIFY(doc.isNull() && error.contains(path));
}

void tst_JsonFunc::fileRoundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("indented") << int(QJsonDocument::Indented);
    QTest::newRow("compact") << int(QJsonDocument::Compact);
}

void tst_JsonFunc::fileRoundTrip()
{
    QFETCH(int, format);
    const QJsonObject obj{{"name", "Other's VRF"},
                          {"value", 0.1 + 0.2},
                          {"tiny", 1e-300},
                          {"list", QJsonArray{1, "两", false}}};
    const QString path = m_dir->filePath(QStringLiteral("out.json"));
    QString error;
    QVERIFY(HJsonFunc::jsonDocToFile(QJsonDocument(obj), path, QJsonDocument::JsonFormat(format),
                                     &error));
    QVERIFY(error.isEmpty());
    QJsonDocument back;
    QVERIFY(HJsonFunc::readUTF_8FileToJsonDoc(path, back));
    QCOMPARE(back.object(), obj);
    QCOMPARE(back.object().value("value").toDouble(), 0.1 + 0.2);

    QJsonDocument fromText;
    QVERIFY(HJsonFunc::parseTextToJsonDoc(
        HJsonFunc::jsonDocToText(back, QJsonDocument::JsonFormat(format)), fromText));
    QCOMPARE(fromText, back);
}

void tst_JsonFunc::createsMissingFolder()
{
    const QString path = m_dir->filePath(QStringLiteral("weather/sub/city.json"));
    QVERIFY(HJsonFunc::jsonDocToFile(QJsonDocument(QJsonObject{{"a", 1}}), path));
    QVERIFY(QFile::exists(path));
}

void tst_JsonFunc::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("folder is a regular file") << "blocked folder";
    QTest::newRow("file size limit reached mid-write") << "size limit";
    QTest::newRow("read-only folder") << "read-only";
}

void tst_JsonFunc::failedWriteKeepsOldFile()
{
    // Permission bits do not stop root, so every case here makes the write fail
    // by other means, and checks that a failure is reported and the previous file survives.
    QFETCH(QString, how);
    const QByteArray old = QByteArrayLiteral("{\"previous\": true}");
    QJsonObject big;
    for (int i = 0; i < 200; ++i)
        big.insert(QStringLiteral("key%1").arg(i), QStringLiteral("value %1").arg(i));
    const QJsonDocument doc(big);

    QString target;
    QString oldFile;
    if (how == QLatin1String("blocked folder")) {
        // The parent of the target is a file: neither the folder nor the file can be made.
        oldFile = m_dir->filePath(QStringLiteral("config"));
        writeRaw(QStringLiteral("config"), old);
        target = oldFile + QStringLiteral("/ee_config.json");
    } else {
        oldFile = target = m_dir->filePath(QStringLiteral("ee_config.json"));
        writeRaw(QStringLiteral("ee_config.json"), old);
    }

    bool ok = true;
    QString error;
    if (how == QLatin1String("size limit")) {
        // Files may not grow beyond 64 bytes: the new content cannot be written out.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        ok = HJsonFunc::jsonDocToFile(doc, target, QJsonDocument::Indented, &error);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
        std::signal(SIGXFSZ, previousHandler);
    } else if (how == QLatin1String("read-only")) {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the other rows cover root");
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
        ok = HJsonFunc::jsonDocToFile(doc, target, QJsonDocument::Indented, &error);
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        ok = HJsonFunc::jsonDocToFile(doc, target, QJsonDocument::Indented, &error);
    }

    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QFile f(oldFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    // No half-written temporary file is left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 1);
}

QTEST_APPLESS_MAIN(tst_JsonFunc)
#include "tst_jsonfunc.moc"
