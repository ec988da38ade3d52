#include "HAppPaths.h"
#include "HLanguage.h"
#include "HLanguageSetDlg.h"
#include "TestSupport.h"
#include "TranslateString.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>

// Works in a scratch application directory holding a copy of the built catalogues.
class tst_Language : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void englishWithoutCatalogue_data();
    void englishWithoutCatalogue();
    void availableLanguages_data();
    void availableLanguages();
    void switchingLanguage_data();
    void switchingLanguage();
    void missingCatalogueKeepsLanguage();
    void dialogReportsChange_data();
    void dialogReportsChange();
    void choiceIsRememberedBetweenRuns_data();
    void choiceIsRememberedBetweenRuns();

private:
    void installCatalogues(const QStringList& codes);
    QTemporaryDir m_dir;
};

void tst_Language::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(BRIVANTA_QM_DIR "/brivanta_zh_CN.qm")));
    HAppPaths::setApplicationDir(m_dir.path());
}

void tst_Language::cleanup()
{
    HLanguage::setLanguage(QStringLiteral("en"));
    QDir(m_dir.filePath(QStringLiteral("translations"))).removeRecursively();
    QFile::remove(HLanguage::settingsFile());
}

void tst_Language::cleanupTestCase()
{
    HAppPaths::setApplicationDir(QString());
}

void tst_Language::installCatalogues(const QStringList& codes)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("translations"));
    for (const QString& code : codes) {
        const QString name = QStringLiteral("brivanta_%1.qm").arg(code);
        QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_QM_DIR "/") + name,
                            m_dir.filePath(QStringLiteral("translations/") + name)));
    }
}

void tst_Language::englishWithoutCatalogue_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("known key") << "Units";
    QTest::newRow("unknown key") << "Nothing translates this";
    QTest::newRow("apostrophe and unicode") << "Other's m³/h";
    QTest::newRow("empty") << "";
}

void tst_Language::englishWithoutCatalogue()
{
    QFETCH(QString, text);
    QCOMPARE(HLanguage::currentLanguage(), QStringLiteral("en"));
    QCOMPARE(TranslateString(text), text);
}

void tst_Language::availableLanguages_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none installed") << QStringList() << QStringList{"en"};
    QTest::newRow("Chinese installed") << QStringList{"zh_CN"} << QStringList{"en", "zh_CN"};
}

void tst_Language::availableLanguages()
{
    QFETCH(QStringList, installed);
    installCatalogues(installed);
    QTEST(HLanguage::availableLanguages(), "expected");
}

void tst_Language::switchingLanguage_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("word") << "Units" << QStringLiteral("单位");
    QTest::newRow("status text") << "Ready" << QStringLiteral("就绪");
    QTest::newRow("unit symbol") << "RT" << QStringLiteral("冷吨");
    QTest::newRow("not in catalogue stays English") << "No such key"
                                                    << "No such key";
}

void tst_Language::switchingLanguage()
{
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    installCatalogues({QStringLiteral("zh_CN")});
    QVERIFY(HLanguage::setLanguage(QStringLiteral("zh_CN")));
    QCOMPARE(HLanguage::currentLanguage(), QStringLiteral("zh_CN"));
    QCOMPARE(TranslateString(english), chinese);
    QVERIFY(HLanguage::setLanguage(QStringLiteral("en")));
    QCOMPARE(TranslateString(english), english);
}

void tst_Language::missingCatalogueKeepsLanguage()
{
    installCatalogues({QStringLiteral("zh_CN")});
    QVERIFY(HLanguage::setLanguage(QStringLiteral("zh_CN")));
    QVERIFY(!HLanguage::setLanguage(QStringLiteral("fr")));
    QCOMPARE(HLanguage::currentLanguage(), QStringLiteral("zh_CN"));
    QCOMPARE(TranslateString(QStringLiteral("Units")), QStringLiteral("单位"));
}

void tst_Language::dialogReportsChange_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("after");
    QTest::newRow("English to Chinese") << "en"
                                        << "zh_CN" << true << true << "zh_CN";
    QTest::newRow("Chinese to English") << "zh_CN"
                                        << "en" << true << true << "en";
    QTest::newRow("same language") << "zh_CN"
                                   << "zh_CN" << true << false << "zh_CN";
    QTest::newRow("cancelled") << "en"
                               << "zh_CN" << false << false << "en";
}

void tst_Language::dialogReportsChange()
{
    QFETCH(QString, start);
    QFETCH(QString, choice);
    QFETCH(bool, accept);
    QFETCH(bool, changed);
    QFETCH(QString, after);
    installCatalogues({QStringLiteral("zh_CN")});
    QVERIFY(HLanguage::setLanguage(start));

    HLanguageSetDlg dlg;
    QVERIFY(dlg.isModal());
    QComboBox* box = dlg.languageComboBox();
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->currentData().toString(), start);
    box->setCurrentIndex(box->findData(choice));
    if (accept)
        dlg.accept();
    else
        dlg.reject();
    QCOMPARE(dlg.result(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(dlg.isLanguageChanged(), changed);
    QCOMPARE(HLanguage::currentLanguage(), after);
    // A change is remembered for the next start.
    QCOMPARE(HLanguage::savedLanguage(), changed ? after : QString());
}

void tst_Language::choiceIsRememberedBetweenRuns_data()
{
    QTest::addColumn<QByteArray>("saved"); // empty: no file
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("language");
    QTest::newRow("nothing saved") << QByteArray() << QStringList{"zh_CN"} << false << "en";
    QTest::newRow("saved Chinese")
        << QByteArray(R"({"language": "zh_CN"})") << QStringList{"zh_CN"} << true << "zh_CN";
    QTest::newRow("catalogue since removed")
        << QByteArray(R"({"language": "zh_CN"})") << QStringList() << false << "en";
    QTest::newRow("unreadable file")
        << QByteArray("{language") << QStringList{"zh_CN"} << false << "en";
    QTest::newRow("path-like code")
        << QByteArray(R"({"language": "../../etc/x"})") << QStringList{"zh_CN"} << false << "en";
}

void tst_Language::choiceIsRememberedBetweenRuns()
{
    QFETCH(QByteArray, saved);
    QFETCH(QStringList, installed);
    QFETCH(bool, applied);
    QFETCH(QString, language);
    installCatalogues(installed);
    if (!saved.isEmpty()) {
        QFile f(HLanguage::settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(saved);
    }
    QCOMPARE(HLanguage::applySavedLanguage(), applied);
    QCOMPARE(HLanguage::currentLanguage(), language);
}

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
