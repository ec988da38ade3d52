#include "HJsonConfig.h"
#include "HJsonFunc.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>

class tst_JsonConfig : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void getValue_data();
    void getValue();
    void setValuePersists();
    void setValueWithoutWritableFileStillReads();
    void setValueKeepsUnreadableFile_data();
    void setValueKeepsUnreadableFile();
    void relativeNameUsesWorkingDirectory();

private:
    void writeConfig(const QByteArray& bytes);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_oldCwd;
};

void tst_JsonConfig::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("ee_config.json"));
    m_oldCwd = QDir::currentPath();
}

void tst_JsonConfig::cleanup()
{
    QDir::setCurrent(m_oldCwd);
    HJsonConfig::read(QString());
}

void tst_JsonConfig::writeConfig(const QByteArray& bytes)
{
    QFile f(m_path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

void tst_JsonConfig::getValue_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<bool>("preset");
    QTest::addColumn<bool>("expected");
    const QByteArray full = R"({"adjust": {"is_adjust": true}, "other": {"is_debug": false}})";
    QTest::newRow("no file keeps false") << QByteArray() << false << false;
    QTest::newRow("no file keeps true") << QByteArray() << true << true;
    QTest::newRow("key true") << full << false << true;
    QTest::newRow("key missing keeps preset")
        << QByteArray(R"({"adjust": {}, "other": {"is_debug": true}})") << true << true;
    QTest::newRow("group missing keeps preset")
        << QByteArray(R"({"other": {"is_debug": true}})") << false << false;
    QTest::newRow("number is not a switch")
        << QByteArray(R"({"adjust": {"is_adjust": 1}})") << false << false;
    QTest::newRow("text is not a switch")
        << QByteArray(R"({"adjust": {"is_adjust": "true"}})") << true << true;
    QTest::newRow("group not an object") << QByteArray(R"({"adjust": true})") << false << false;
    QTest::newRow("malformed file keeps preset")
        << QByteArray(R"({"adjust": {"is_adjust": tru)") << true << true;
}

void tst_JsonConfig::getValue()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, preset);
    QFETCH(bool, expected);
    if (!content.isEmpty())
        writeConfig(content);
    HJsonConfig::read(m_path);
    bool value = preset;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), value);
    QCOMPARE(value, expected);
}

void tst_JsonConfig::setValuePersists()
{
    writeConfig(R"({"other": {"is_debug": true, "note": "Xi'an"}})");
    QVERIFY(HJsonConfig::read(m_path));
    QVERIFY(HJsonConfig::setValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), true));

    bool value = false;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), value);
    QVERIFY(value);

    // Another process (here: a fresh read) sees the new value and the old ones.
    HJsonConfig::read(QString());
    QVERIFY(HJsonConfig::read(m_path));
    value = false;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), value);
    QVERIFY(value);
    bool debug = false;
    HJsonConfig::getValue(QStringLiteral("other"), QStringLiteral("is_debug"), debug);
    QVERIFY(debug);
    QJsonDocument doc;
    QVERIFY(HJsonFunc::readFileToJsonDoc(m_path, doc));
    QCOMPARE(doc.object().value("other").toObject().value("note").toString(),
             QStringLiteral("Xi'an"));

    QVERIFY(HJsonConfig::setValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), false));
    HJsonConfig::read(m_path);
    value = true;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), value);
    QVERIFY(!value);
}

void tst_JsonConfig::setValueWithoutWritableFileStillReads()
{
    // The folder of the configuration is a regular file: nothing can be saved,
    // yet the run sees what it set.
    QFile blocker(m_dir->filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    HJsonConfig::read(blocker.fileName() + QStringLiteral("/ee_config.json"));
    QVERIFY(!HJsonConfig::setValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), true));
    bool value = false;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), value);
    QVERIFY(value);
}

void tst_JsonConfig::setValueKeepsUnreadableFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("typing error") << QByteArray("{\"other\": {\"is_debug\": true,}}");
    QTest::newRow("array") << QByteArray("[true]");
}

void tst_JsonConfig::setValueKeepsUnreadableFile()
{
    // What the user wrote (with a mistake) is not replaced by a file holding one switch.
    QFETCH(QByteArray, content);
    writeConfig(content);
    QVERIFY(!HJsonConfig::read(m_path));
    QVERIFY(!HJsonConfig::setValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), true));
    bool value = false;
    HJsonConfig::getValue(QStringLiteral("adjust"), QStringLiteral("is_adjust"), value);
    QVERIFY(value);
    QFile f(m_path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content);
}

void tst_JsonConfig::relativeNameUsesWorkingDirectory()
{
    writeConfig(R"({"other": {"is_print_all": false}})");
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(HJsonConfig::read(QStringLiteral("ee_config.json")));
    bool printAll = true;
    HJsonConfig::getValue(QStringLiteral("other"), QStringLiteral("is_print_all"), printAll);
    QVERIFY(!printAll);
}

QTEST_APPLESS_MAIN(tst_JsonConfig)
#include "tst_jsonconfig.moc"
