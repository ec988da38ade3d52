// The program's start-up around the main window: the command line (--open FILE,
// --quit-after-open), the project opened through the window's Open path, and the
// notes about files made for the user shown in the status bar.

#include "HAppPaths.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HStartup.h"
#include "LumoWeather.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QDir>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(HStartup::FileNote)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void parse_data();
    void parse();
    void openAtStart_data();
    void openAtStart();
    void statusText_data();
    void statusText();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HInitVRFProductECData> m_productData;
};

void TestStartup::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Fresh per-user folders: the default curve file is written there on first use.
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
    qputenv("XDG_CACHE_HOME", m_dir.filePath("cache").toUtf8());
    HAppPaths::setResourceDir(m_dir.filePath("shipped")); // nothing shipped
    const QString products = m_dir.filePath("Product.mdb");
    QVERIFY(QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), products));
    QFile::setPermissions(products, QFile::ReadOwner | QFile::WriteOwner);
    LumoWeather::setWeatherDbPath(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"));
    HJsonConfig::read(m_dir.filePath("ee_config.json"));
    HProjectSession::registerProductDatabase(products);
    m_productData = std::make_unique<HInitVRFProductECData>();
}

void TestStartup::cleanupTestCase()
{
    m_productData.reset();
    HAppPaths::setResourceDir(QString());
}

void TestStartup::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("openFile"); // relative to the working directory
    QTest::addColumn<bool>("quitAfterOpen");

    QTest::newRow("nothing") << QStringList() << QString() << false;
    QTest::newRow("--open FILE") << QStringList{"--open", "a.ee"} << "a.ee" << false;
    QTest::newRow("--open=FILE") << QStringList{"--open=b c.ee"} << "b c.ee" << false;
    QTest::newRow("absolute path kept") << QStringList{"--open", "/p/x.ee"} << "/p/x.ee" << false;
    QTest::newRow("desktop entry without a file") << QStringList{"--open"} << QString() << false;
    QTest::newRow("other arguments ignored")
        << QStringList{"x.ee", "-v", "--open", "a.ee", "--later"} << "a.ee" << false;
    QTest::newRow("the last --open wins")
        << QStringList{"--open", "a.ee", "--open", "b.ee"} << "b.ee" << false;
    QTest::newRow("--quit-after-open")
        << QStringList{"--quit-after-open", "--open", "a.ee"} << "a.ee" << true;
}

void TestStartup::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, openFile);
    QFETCH(bool, quitAfterOpen);
    arguments.prepend("LumoEcoAnalysis");
    const HStartup::Options options = HStartup::parse(arguments);
    QCOMPARE(options.openFile,
             openFile.isEmpty() ? QString() : QDir::current().absoluteFilePath(openFile));
    QCOMPARE(options.quitAfterOpen, quitAfterOpen);
}

void TestStartup::openAtStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("title");

    const QString example = QStringLiteral(BRIVANTA_EXAMPLES "/school_paris.ee");
    QTest::newRow("an example") << example << 0 << "Brivanta[" + example + "]";
    // The message box that says why is closed; the window keeps its new project.
    QTest::newRow("a missing file") << "/nowhere/x.ee" << 1 << "Brivanta";
}

void TestStartup::openAtStart()
{
    QFETCH(QString, file);
    QFETCH(int, exitCode);
    QFETCH(QString, title);
    // The window starts a new project, whose curves come from a file not there yet.
    HProject::reset();
    QFile::remove(HAppPaths::userCurveFile());

    MainWindow window;
    HStartup::Options options;
    options.openFile = file;
    options.quitAfterOpen = true;
    HStartup startup(window, options);
    // The program's own event loop, which the start-up ends with its exit status.
    QTimer::singleShot(60000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), exitCode);

    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(HProject::getProject()->GetfilePath(), exitCode == 0 ? file : QString());
    // The curve file made for the new project is named once the window is up.
    const QString message = window.statusBar()->currentMessage();
    QCOMPARE(message,
             HStartup::statusText({{HAppPaths::Note::Written, HAppPaths::userCurveFile(), {}}}));
    QVERIFY(message.startsWith("Created OtherVRFPerformanceData.json in "));
}

void TestStartup::statusText_data()
{
    using Note = HAppPaths::Note;
    QTest::addColumn<QVector<HStartup::FileNote>>("notes");
    QTest::addColumn<QString>("expected");
    const QString data = QDir::homePath() + "/.local/share/brivanta/";

    QTest::newRow("two copies into one folder")
        << QVector<HStartup::FileNote>{{Note::Copied, data + "Product.mdb",
                                        "/usr/share/brivanta/Product.mdb"},
                                       {Note::Copied, data + "Weather.db3",
                                        "/usr/share/brivanta/Weather.db3"}}
        << "Copied Product.mdb, Weather.db3 into ~/.local/share/brivanta";
    QTest::newRow("outside the home folder")
        << QVector<HStartup::FileNote>{{Note::Written, "/srv/work/ee_config.json", {}}}
        << "Created ee_config.json in /srv/work";
    QTest::newRow("kinds stay apart")
        << QVector<HStartup::FileNote>{{Note::Copied, data + "Product.mdb", "/p/Product.mdb"},
                                       {Note::Updated, data + "Weather.db3", "/p/Weather.db3"},
                                       {Note::CannotCopy, "/ro/Weather.db3", "/p/Weather.db3"}}
        << "Copied Product.mdb into ~/.local/share/brivanta; Updated Weather.db3 in "
           "~/.local/share/brivanta from the program's files; Cannot copy Weather.db3 into "
           "/ro; reading the program's copy";
}

void TestStartup::statusText()
{
    QFETCH(QVector<HStartup::FileNote>, notes);
    QFETCH(QString, expected);
    QCOMPARE(HStartup::statusText(notes), expected);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
