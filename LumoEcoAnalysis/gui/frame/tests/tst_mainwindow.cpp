// The main window: tool bar, title, status bar, page switching, the project commands
// and the hidden tool-bar gestures, driven as a user would through the window.

#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HCalHelper.h"
#include "HImages.h"
#include "HJsonConfig.h"
#include "HLanguageSetDlg.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HProjectSetWidget.h"
#include "HResultWidget.h"
#include "HToolbar.h"
#include "HToolbarItem.h"
#include "HUnit.h"
#include "HUnitSetDlg.h"
#include "HVRF.h"
#include "LumoWeather.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QMessageBox::StandardButton)
Q_DECLARE_METATYPE(Qt::MouseButton)

using brivanta::test::ModalDialogs;
using brivanta::test::writeFile;

namespace {

HProject* project()
{
    return HProject::getProject();
}

QStringList checkedActions(const MainWindow& w)
{
    QStringList checked;
    for (const HToolbarItem* item : w.toolbarItems()) {
        if (item->action && item->action->isChecked())
            checked << item->text;
    }
    return checked;
}

QJsonObject readJson(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

// A small project file: a name, a price, a schedule and one other-system unit.
QByteArray projectJson(const QString& name)
{
    return QStringLiteral(R"({"name":"%1","electricity_price":0.31,"Unit_Load":1,
        "operation_map":{"daily":{"9":true},"week":{"1":true},"month":{"1":true}},
        "other_vrf":{"unit_group":[{"is_odu":true,"unit_type":"Other ODU","id_series":0,
        "unit_productcode":"X-1","quantity":2,"total_capacity_cooling":40,
        "power_input_cooling":11,"total_capacity_heating":45,"power_input_heating":10,
        "price_ea":0}]}})")
        .arg(name)
        .toUtf8();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void startsReady();
    void toolbarItems_data();
    void toolbarItems();
    void iconsFromTheImagesFolder();
    void titleRules_data();
    void titleRules();
    void setCheckedAction_data();
    void setCheckedAction();
    void pageButtonsShowTheirPages();
    void statusMessages_data();
    void statusMessages();

    void openByExtension_data();
    void openByExtension();
    void openShowsWhatTheReadingNoticed();
    void openRefusesWhatItCannotRead_data();
    void openRefusesWhatItCannotRead();
    void openAsksBeforeReplacingData_data();
    void openAsksBeforeReplacingData();
    void newProject_data();
    void newProject();

    void saveWithoutDialog_data();
    void saveWithoutDialog();
    void saveWithDialog();
    void saveAsAlwaysAsks();
    void failedSaveIsReported();

    void calculateRefusal();
    void unitsCommandStoresTheCodes();
    void unitsCommandCancelledChangesNothing();
    void displayUnitsFollowTheProject();
    void adjustGesture_data();
    void adjustGesture();
    void adjustModeNotSaved();
    void curveTablesGesture();

    void modifiedFlagQuestion_data();
    void modifiedFlagQuestion();
    void languageRelabels();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Nothing of the test is written beside the binaries or into the demo databases.
    HAppPaths::setApplicationDir(m_dir.path());
    LumoWeather::setWeatherDbPath(path("no-weather.db3"));
    HProjectSession::registerProductDatabase(path("no-products.mdb"));
    HJsonConfig::read(path("ee_config.json"));
}

void TestMainWindow::init()
{
    HProjectSession::newProject();
}

void TestMainWindow::startsReady()
{
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta"));
    QCOMPARE(w.stackedWidget()->currentWidget(), w.projectSetWidget());
    QCOMPARE(checkedActions(w), QStringList{"Project"});
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ready"));
    QCOMPARE(w.contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(w.minimumSize().width() >= 1280 && w.minimumSize().height() >= 768);
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    // The two form placeholders come first, then the five pages in order.
    QCOMPARE(w.stackedWidget()->count(), 7);
    QCOMPARE(w.stackedWidget()->indexOf(w.projectSetWidget()), 2);
    QCOMPARE(w.stackedWidget()->indexOf(w.resultWidget()), 6);
    QCOMPARE(w.findChild<HToolbar*>(QStringLiteral("toolBar")), w.toolbar());
    QCOMPARE(w.toolbar()->iconSize(), QSize(32, 32));
    QCOMPARE(w.toolbar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QVERIFY(!w.isModified());
}

void TestMainWindow::toolbarItems_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QKeySequence>("shortcut");
    const QKeySequence none;
    QTest::newRow("New") << 0 << "New"
                         << "NewProject.png" << false << QKeySequence(QKeySequence::New);
    QTest::newRow("Open") << 1 << "Open"
                          << "OpenProject.png" << false << QKeySequence(QKeySequence::Open);
    QTest::newRow("Save") << 2 << "Save"
                          << "Save.png" << false << QKeySequence(QKeySequence::Save);
    QTest::newRow("Save As") << 3 << "Save As"
                             << "SaveAs.png" << false << QKeySequence(QKeySequence::SaveAs);
    QTest::newRow("separator 1") << 4 << "-"
                                 << "-" << false << none;
    QTest::newRow("Language") << 5 << "Language"
                              << "Language.png" << false << none;
    QTest::newRow("Units") << 6 << "Units"
                           << "Units.png" << false << none;
    QTest::newRow("separator 2") << 7 << "-"
                                 << "-" << false << none;
    QTest::newRow("Project") << 8 << "Project"
                             << "Project.png" << true << none;
    QTest::newRow("Weather") << 9 << "Weather"
                             << "Weather.png" << true << none;
    QTest::newRow("Operational Info") << 10 << "Operational Info"
                                      << "time.png" << true << none;
    QTest::newRow("VRF") << 11 << "VRF"
                         << "Unit.png" << true << none;
    QTest::newRow("Calculate") << 12 << "Calculate"
                               << "Result.png" << false << QKeySequence(Qt::Key_F5);
    QTest::newRow("Report Preview") << 13 << "Report Preview"
                                    << "Report.png" << true << none;
}

void TestMainWindow::toolbarItems()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, icon);
    QFETCH(bool, checkable);
    QFETCH(QKeySequence, shortcut);

    MainWindow w;
    QCOMPARE(w.toolbarItems().size(), 14);
    const HToolbarItem* item = w.toolbarItems().at(index);
    QCOMPARE(item->text, text);
    QCOMPARE(item->icon, icon);
    QVERIFY(item->action);
    QVERIFY(w.toolbar()->actions().contains(item->action));
    if (text == "-") {
        QVERIFY(item->action->isSeparator());
        return;
    }
    QCOMPARE(item->action->text(), text);
    QCOMPARE(item->action->isCheckable(), checkable);
    QCOMPARE(item->action->shortcut(), shortcut);
    QCOMPARE(w.findAction(text), item->action);
    // The tool tip names the command and, where there is one, its keys.
    QVERIFY(item->action->toolTip().startsWith(text));
    if (!shortcut.isEmpty())
        QVERIFY2(item->action->toolTip().contains(shortcut.toString(QKeySequence::NativeText)),
                 qPrintable(item->action->toolTip()));
}

void TestMainWindow::iconsFromTheImagesFolder()
{
    // The build renders the icons beside the program; the window finds them there
    // whatever the working directory is.
    HAppPaths::setApplicationDir(QStringLiteral(BRIVANTA_BIN_DIR));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    MainWindow w;
    QDir::setCurrent(cwd);
    HAppPaths::setApplicationDir(m_dir.path());
    for (const HToolbarItem* item : w.toolbarItems()) {
        if (item->isSeparator())
            continue;
        QVERIFY2(QFileInfo::exists(QStringLiteral(BRIVANTA_BIN_DIR "/images/") + item->icon),
                 qPrintable(item->icon));
        QVERIFY2(!item->action->icon().isNull(), qPrintable(item->icon));
        QCOMPARE(item->action->icon().pixmap(32, 32).size(), QSize(32, 32));
    }
}

void TestMainWindow::titleRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("create");
    QTest::addColumn<bool>("withPath");
    QTest::newRow("no file path") << "" << false << false;
    QTest::newRow("path of no file") << "missing.ee" << false << false;
    QTest::newRow("existing file") << "title.ee" << true << true;
    QTest::newRow("existing upper-case file") << "TITLE.EE" << true << true;
}

void TestMainWindow::titleRules()
{
    QFETCH(QString, file);
    QFETCH(bool, create);
    QFETCH(bool, withPath);
    const QString full = file.isEmpty() ? QString() : path(file);
    if (create)
        QVERIFY(writeFile(full, projectJson("T")));
    MainWindow w;
    project()->setfilePath(full);
    w.updateTitle();
    const QString expected =
        withPath ? QStringLiteral("Brivanta[%1]").arg(full) : QStringLiteral("Brivanta");
    QCOMPARE(w.windowTitle(), expected);
}

void TestMainWindow::setCheckedAction_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("a page button") << "Weather" << QStringList{"Weather"};
    QTest::newRow("the last page button") << "Report Preview" << QStringList{"Report Preview"};
    QTest::newRow("a command that cannot be checked") << "New" << QStringList{};
    QTest::newRow("no such button") << "Nothing" << QStringList{};
}

void TestMainWindow::setCheckedAction()
{
    QFETCH(QString, text);
    QFETCH(QStringList, checked);
    MainWindow w;
    w.setCheckedAction(QStringLiteral("VRF"));
    w.setCheckedAction(text);
    QCOMPARE(checkedActions(w), checked);
}

void TestMainWindow::pageButtonsShowTheirPages()
{
    MainWindow w;
    const QList<QPair<QString, QWidget*>> pages{
        {"Weather", reinterpret_cast<QWidget*>(w.weatherWidget())},
        {"Operational Info", reinterpret_cast<QWidget*>(w.operationInfoWidget())},
        {"VRF", reinterpret_cast<QWidget*>(w.unitInfoWidget())},
        {"Report Preview", reinterpret_cast<QWidget*>(w.resultWidget())},
        {"Project", reinterpret_cast<QWidget*>(w.projectSetWidget())}};
    for (const auto& page : pages) {
        w.findAction(page.first)->trigger();
        QCOMPARE(w.stackedWidget()->currentWidget(), page.second);
        QCOMPARE(checkedActions(w), QStringList{page.first});
    }
}

void TestMainWindow::statusMessages_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << "Loading weather of Xi'an ...";
    QTest::newRow("empty clears") << "";
}

void TestMainWindow::statusMessages()
{
    QFETCH(QString, message);
    MainWindow w;
    w.sendMsgToStatusBar(message);
    QCOMPARE(w.statusBar()->currentMessage(), message);
}

void TestMainWindow::openByExtension_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("projectPath");
    QTest::addColumn<bool>("clean");

    const QByteArray eed = R"({"odu_array":[],"idu_array":[],"project_parameter":{
        "project_information":{"project_name":"Imported","date":"2020-05-06",
        "country":"France","city":"Paris"}}})";
    QTest::newRow("project file") << "a.ee" << projectJson("Lower") << "Lower"
                                  << "a.ee" << true;
    QTest::newRow("project file in capitals") << "B.EE" << projectJson("Upper") << "Upper"
                                              << "B.EE" << true;
    QTest::newRow("mixed case") << "c.Ee" << projectJson("Mixed") << "Mixed"
                                << "c.Ee" << true;
    // An import gets the path ending in ".ee" and counts as unsaved.
    QTest::newRow("export file") << "d.eed" << eed << "Imported"
                                 << "d.ee" << false;
    QTest::newRow("export file in capitals") << "E.EED" << eed << "Imported"
                                             << "E.ee" << false;
}

void TestMainWindow::openByExtension()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QString, projectPath);
    QFETCH(bool, clean);

    QVERIFY(writeFile(path(file), content));
    MainWindow w;
    QSignalSpy reset(&w, &MainWindow::signal_reset_windows);
    QSignalSpy refresh(&w, &MainWindow::signal_update_project_data_to_window);
    ModalDialogs dialogs;
    dialogs.thenChooseFile(path(file));
    w.Open();

    QCOMPARE(project()->Getname(), name);
    QCOMPARE(project()->GetfilePath(), path(projectPath));
    QCOMPARE(dialogs.seen(), QStringList{"Open File: "});
    QCOMPARE(reset.count(), 1);
    QVERIFY(refresh.count() >= 1);
    QCOMPARE(w.stackedWidget()->currentWidget(), w.projectSetWidget());
    // The title names the file only when it exists (an import is written on Save).
    QCOMPARE(w.windowTitle(),
             QFileInfo::exists(path(projectPath))
                 ? QStringLiteral("Brivanta[%1]").arg(path(projectPath))
                 : QStringLiteral("Brivanta"));
    QCOMPARE(w.isModified(), !clean);
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ready"));
}

void TestMainWindow::openShowsWhatTheReadingNoticed()
{
    // A price typed as text reads as 0, and a file without schedule runs no hour: the
    // project opens, and the user is told both.
    const QString file = path("noticed.ee");
    QVERIFY(writeFile(file, R"({"name":"Noticed","electricity_price":"abc"})"));
    MainWindow w;
    ModalDialogs dialogs;
    dialogs.thenChooseFile(file);
    QString notice;
    dialogs.then([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        QVERIFY(box);
        notice = box->text();
        box->accept();
    });
    w.Open();
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(project()->Getname(), QStringLiteral("Noticed"));
    QVERIFY2(notice.contains("electricity_price"), qPrintable(notice));
    QVERIFY2(notice.contains("operation_map"), qPrintable(notice));
    QCOMPARE(notice.count('\n'), 1);
}

void TestMainWindow::openRefusesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not a project file")
        << "notes.txt" << QByteArray("{\"name\":\"X\"}") << "is not a project file";
    QTest::newRow("no extension") << "project" << QByteArray("{\"name\":\"X\"}")
                                  << "is not a project file";
    QTest::newRow("not JSON") << "broken.ee" << QByteArray("<xml/>") << "Cannot read the project";
    QTest::newRow("empty object") << "empty.ee" << QByteArray("{}") << "Not a project file";
    QTest::newRow("export that is not JSON")
        << "broken.eed" << QByteArray("not json") << "Cannot read the export file";
}

void TestMainWindow::openRefusesWhatItCannotRead()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);

    // The current project was read from a file: it and its path must survive.
    const QString previous = path("previous.ee");
    QVERIFY(writeFile(previous, projectJson("Previous")));
    QVERIFY(HProjectSession::openProject(previous));
    QVERIFY(writeFile(path(file), content));

    MainWindow w;
    HProject* before = project();
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Yes); // close the current project?
    dialogs.thenChooseFile(path(file));
    dialogs.thenClick(QMessageBox::Ok); // the reason
    w.Open();

    QCOMPARE(dialogs.pending(), 0);
    QVERIFY2(dialogs.seen().last().contains(reason), qPrintable(dialogs.seen().join('\n')));
    QCOMPARE(project(), before);
    QCOMPARE(project()->Getname(), QStringLiteral("Previous"));
    QCOMPARE(project()->GetfilePath(), previous);
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta[%1]").arg(previous));
    QVERIFY(!w.isModified());
}

void TestMainWindow::openAsksBeforeReplacingData_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("project of a file, yes") << false << QMessageBox::Yes << true;
    QTest::newRow("project of a file, no cancels") << false << QMessageBox::No << false;
    QTest::newRow("modified, discard") << true << QMessageBox::Discard << true;
    QTest::newRow("modified, cancel") << true << QMessageBox::Cancel << false;
}

void TestMainWindow::openAsksBeforeReplacingData()
{
    QFETCH(bool, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, opens);

    const QString previous = path("previous-data.ee");
    QVERIFY(writeFile(previous, projectJson("Previous")));
    QVERIFY(HProjectSession::openProject(previous));
    const QString file = path("replacing.ee");
    QVERIFY(writeFile(file, projectJson("Replacing")));
    MainWindow w;
    if (modified)
        project()->setname("Typed in");
    project()->setisCalculationSuccess(true);
    HProject* before = project();

    ModalDialogs dialogs;
    dialogs.thenClick(answer);
    if (opens)
        dialogs.thenChooseFile(file);
    w.Open();

    QCOMPARE(dialogs.pending(), 0);
    QVERIFY2(
        dialogs.seen().first().contains(modified ? "Save changes?" : "close the current project?"),
        qPrintable(dialogs.seen().join('\n')));
    if (opens) {
        QCOMPARE(project()->Getname(), QStringLiteral("Replacing"));
        QCOMPARE(project()->GetfilePath(), file);
        // The old results and the calculated mark are gone with the old project.
        QVERIFY(!project()->GetisCalculationSuccess());
        QCOMPARE(project()->getOtherVRFSys()->size(), 1);
    } else {
        QCOMPARE(project(), before);
        QCOMPARE(project()->GetfilePath(), previous);
        QVERIFY(project()->GetisCalculationSuccess());
    }
    QCOMPARE(readJson(previous).value("name").toString(), QStringLiteral("Previous"));
}

void TestMainWindow::newProject_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("keepsData");
    QTest::addColumn<bool>("changesAnything");
    QTest::newRow("yes discards") << QMessageBox::Yes << false << true;
    QTest::newRow("no keeps the data without its file") << QMessageBox::No << true << true;
    QTest::newRow("cancel") << QMessageBox::Cancel << true << false;
}

void TestMainWindow::newProject()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, keepsData);
    QFETCH(bool, changesAnything);

    const QString file = path("new.ee");
    QVERIFY(writeFile(file, projectJson("Old")));
    QVERIFY(HProjectSession::openProject(file));
    MainWindow w;
    w.switchToVRF();
    QSignalSpy reset(&w, &MainWindow::signal_reset_windows);
    QSignalSpy refresh(&w, &MainWindow::signal_update_project_data_to_window);
    ModalDialogs dialogs;
    dialogs.thenClick(answer);
    w.New();

    QCOMPARE(dialogs.seen(), QStringList{"Query: Do you want to close the current project?"});
    QCOMPARE(project()->Getname(),
             keepsData ? QStringLiteral("Old") : QStringLiteral("NewProject"));
    QCOMPARE(project()->GetfilePath(), changesAnything ? QString() : file);
    QCOMPARE(reset.count(), changesAnything ? 1 : 0);
    QCOMPARE(refresh.count() >= 1, changesAnything);
    if (changesAnything) {
        QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta"));
        QCOMPARE(w.stackedWidget()->currentWidget(), w.projectSetWidget());
        QCOMPARE(checkedActions(w), QStringList{"Project"});
    }
}

void TestMainWindow::saveWithoutDialog_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("lower case") << "kept.ee";
    QTest::newRow("upper case") << "KEPT.EE";
}

void TestMainWindow::saveWithoutDialog()
{
    QFETCH(QString, file);
    QVERIFY(writeFile(path(file), projectJson("Before")));
    QVERIFY(HProjectSession::openProject(path(file)));
    MainWindow w;
    QSignalSpy toProject(&w, &MainWindow::signal_update_window_data_to_project);
    project()->setname("After");
    QVERIFY(w.isModified());
    ModalDialogs dialogs;
    w.Save();
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.seen().join('\n')));
    QVERIFY(toProject.count() >= 1);
    QCOMPARE(readJson(path(file)).value("name").toString(), QStringLiteral("After"));
    QVERIFY(!w.isModified());
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta[%1]").arg(path(file)));
}

void TestMainWindow::saveWithDialog()
{
    MainWindow w;
    project()->setname("Fresh");
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta"));
    const QString target = path("chosen"); // the dialog adds ".ee"
    ModalDialogs dialogs;
    QString suggested;
    dialogs.then([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog);
        suggested = dialog->selectedFiles().value(0);
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    });
    w.Save();
    QCOMPARE(dialogs.seen(), QStringList{"Save File: "});
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("Fresh.ee"));
    QCOMPARE(project()->GetfilePath(), target + ".ee");
    QCOMPARE(readJson(target + ".ee").value("name").toString(), QStringLiteral("Fresh"));
    // The title follows every successful save.
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta[%1.ee]").arg(target));

    // A cancelled dialog writes nothing.
    project()->setfilePath(QString());
    dialogs.thenCancel();
    w.Save();
    QVERIFY(project()->GetfilePath().isEmpty());
}

void TestMainWindow::saveAsAlwaysAsks()
{
    const QString first = path("first.ee");
    QVERIFY(writeFile(first, projectJson("As")));
    QVERIFY(HProjectSession::openProject(first));
    MainWindow w;
    const QString second = path("second.ee");
    ModalDialogs dialogs;
    dialogs.thenChooseFile(second);
    w.SaveAs();
    QCOMPARE(dialogs.seen(), QStringList{"Save File: "});
    QCOMPARE(project()->GetfilePath(), second);
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta[%1]").arg(second));
    QCOMPARE(readJson(second).value("name").toString(), QStringLiteral("As"));
}

void TestMainWindow::failedSaveIsReported()
{
    // The project's file path names a folder: writing there must fail and keep it.
    const QString folder = path("folder.ee");
    QVERIFY(QDir().mkpath(folder));
    MainWindow w;
    project()->setfilePath(folder);
    project()->setname("Unsaved");
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Ok);
    w.Save();
    QCOMPARE(dialogs.seen().size(), 1);
    QVERIFY2(dialogs.seen().first().startsWith("Save File: Cannot save the project to"),
             qPrintable(dialogs.seen().first()));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(w.isModified());
}

void TestMainWindow::calculateRefusal()
{
    // A new project has no weather and no units.
    MainWindow w;
    QSignalSpy toProject(&w, &MainWindow::signal_update_window_data_to_project);
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Ok);
    QVERIFY(!w.Calculate());
    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first(),
             QStringLiteral("Warning: The project has no location: choose its country and city "
                            "on the Project page."));
    QVERIFY(!project()->GetisCalculationSuccess());
    QCOMPARE(w.stackedWidget()->currentWidget(), w.projectSetWidget());
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ready"));
}

void TestMainWindow::unitsCommandStoresTheCodes()
{
    MainWindow w;
    QStringList order;
    connect(&w, &MainWindow::signal_update_window_data_to_project, [&] { order << "to project"; });
    connect(&w, &MainWindow::signal_update_project_data_to_window, [&] { order << "to window"; });
    ModalDialogs dialogs;
    dialogs.then([](QWidget* widget) {
        auto* dialog = qobject_cast<HUnitSetDlg*>(widget);
        QVERIFY(dialog);
        auto choose = [](QComboBox* box, int code) {
            box->setCurrentIndex(box->findData(code));
        };
        choose(dialog->temperatureComboBox(), CUnitFun::TempFahrenheit);
        choose(dialog->loadComboBox(), CUnitFun::LoadRT);
        choose(dialog->lengthComboBox(), CUnitFun::LengthFoot);
        choose(dialog->airFlowRateComboBox(), CUnitFun::AirFlowCFM);
        dialog->accept();
    });
    w.setUnits();

    QCOMPARE(project()->GetUnit_Temperature(), int(CUnitFun::TempFahrenheit));
    QCOMPARE(project()->GetUnit_Load(), int(CUnitFun::LoadRT));
    QCOMPARE(project()->GetUnit_Length(), int(CUnitFun::LengthFoot));
    QCOMPARE(project()->GetUnit_AirFlowRate(), int(CUnitFun::AirFlowCFM));
    // Typed values reach the project before the pages are rebuilt from it.
    QCOMPARE(order, (QStringList{"to project", "to window"}));

    // The next saved file stores them.
    const QString file = path("units.ee");
    dialogs.thenChooseFile(file);
    w.Save();
    const QJsonObject saved = readJson(file);
    QCOMPARE(saved.value("Unit_Temperature").toInt(), int(CUnitFun::TempFahrenheit));
    QCOMPARE(saved.value("Unit_Load").toInt(), int(CUnitFun::LoadRT));
    QCOMPARE(saved.value("Unit_Length").toInt(), int(CUnitFun::LengthFoot));
    QCOMPARE(saved.value("Unit_AirFlowRate").toInt(), int(CUnitFun::AirFlowCFM));

    CUnitFun::SetUnitTemp(1);
    CUnitFun::SetUnitLoad(1);
    CUnitFun::SetUnitLength(1);
    CUnitFun::SetUnitAirFlowRate(2);
}

void TestMainWindow::unitsCommandCancelledChangesNothing()
{
    MainWindow w;
    QSignalSpy refresh(&w, &MainWindow::signal_update_project_data_to_window);
    ModalDialogs dialogs;
    dialogs.thenCancel();
    w.setUnits();
    QCOMPARE(project()->GetUnit_Load(), 1);
    QCOMPARE(refresh.count(), 0);
}

void TestMainWindow::displayUnitsFollowTheProject()
{
    MainWindow w;
    // The user shows loads in RT ...
    project()->setUnit_Load(CUnitFun::LoadRT);
    CUnitFun::SetUnitLoad(CUnitFun::LoadRT);

    // ... opens a project stored with Btu/h: it is shown in Btu/h.
    const QString file = path("btu.ee");
    QByteArray json = projectJson("Btu");
    json.replace("\"Unit_Load\":1", "\"Unit_Load\":2");
    QVERIFY(writeFile(file, json));
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Discard); // save the RT change?
    dialogs.thenChooseFile(file);
    w.Open();
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(project()->GetUnit_Load(), int(CUnitFun::LoadBtuPerHour));
    QCOMPARE(CUnitFun::GetUnitLoad(), int(CUnitFun::LoadBtuPerHour));

    // A new project comes with its own default units.
    dialogs.thenClick(QMessageBox::Yes);
    w.New();
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(project()->GetUnit_Load(), int(CUnitFun::LoadKW));
    QCOMPARE(CUnitFun::GetUnitLoad(), int(CUnitFun::LoadKW));
}

void TestMainWindow::adjustGesture_data()
{
    QTest::addColumn<bool>("control");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("toggles");
    QTest::newRow("control, alt, right button") << true << true << Qt::RightButton << true;
    QTest::newRow("control only") << true << false << Qt::RightButton << false;
    QTest::newRow("alt only") << false << true << Qt::RightButton << false;
    QTest::newRow("no keys") << false << false << Qt::RightButton << false;
    QTest::newRow("left button") << true << true << Qt::LeftButton << false;
}

void TestMainWindow::adjustGesture()
{
    QFETCH(bool, control);
    QFETCH(bool, alt);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, toggles);

    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto isAdjust = [] {
        bool value = false;
        HJsonConfig::getValue("adjust", "is_adjust", value);
        return value;
    };
    const bool before = isAdjust();
    // An empty spot of the bar, right of the last button.
    const QPoint spot(w.toolbar()->width() - 5, w.toolbar()->height() / 2);
    auto gesture = [&] {
        if (control)
            QTest::keyPress(&w, Qt::Key_Control);
        if (alt)
            QTest::keyPress(&w, Qt::Key_Alt, control ? Qt::ControlModifier : Qt::NoModifier);
        QTest::mouseDClick(w.toolbar(), button, Qt::NoModifier, spot);
        if (alt)
            QTest::keyRelease(&w, Qt::Key_Alt);
        if (control)
            QTest::keyRelease(&w, Qt::Key_Control);
    };

    gesture();
    QCOMPARE(isAdjust(), toggles ? !before : before);
    if (toggles)
        QCOMPARE(w.statusBar()->currentMessage(),
                 before ? QStringLiteral("Normal Mode.") : QStringLiteral("Adjust Mode."));
    gesture();
    QCOMPARE(isAdjust(), before);
    if (toggles)
        QCOMPARE(w.statusBar()->currentMessage(),
                 before ? QStringLiteral("Adjust Mode.") : QStringLiteral("Normal Mode."));
    // The switch is kept in the configuration file.
    QVERIFY(!toggles || QFileInfo::exists(path("ee_config.json")));
}

void TestMainWindow::adjustModeNotSaved()
{
    // The configuration's folder is a regular file: the switch cannot be kept.
    const QString blocker = path("blocked");
    QVERIFY(brivanta::test::writeFile(blocker, QByteArray()));
    const QString config = blocker + QStringLiteral("/ee_config.json");
    HJsonConfig::read(config);
    const auto restore = qScopeGuard([this] { HJsonConfig::read(path("ee_config.json")); });
    auto isAdjust = [] {
        bool value = false;
        HJsonConfig::getValue("adjust", "is_adjust", value);
        return value;
    };

    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString status = w.statusBar()->currentMessage();
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Ok);
    QTest::keyPress(&w, Qt::Key_Control);
    QTest::keyPress(&w, Qt::Key_Alt, Qt::ControlModifier);
    QTest::mouseDClick(w.toolbar(), Qt::RightButton, Qt::NoModifier,
                       QPoint(w.toolbar()->width() - 5, w.toolbar()->height() / 2));
    QTest::keyRelease(&w, Qt::Key_Alt);
    QTest::keyRelease(&w, Qt::Key_Control);

    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), 1);
    const QString warning = dialogs.seen().constFirst();
    QVERIFY2(warning.contains(QDir::toNativeSeparators(config)), qPrintable(warning));
    QVERIFY2(warning.contains("not changed"), qPrintable(warning));
    QVERIFY(!isAdjust());
    QCOMPARE(w.statusBar()->currentMessage(), status);
}

void TestMainWindow::curveTablesGesture()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint spot(w.toolbar()->width() - 5, w.toolbar()->height() / 2);
    ModalDialogs dialogs;
    dialogs.thenClick(QMessageBox::Ok);
    dialogs.thenClick(QMessageBox::Ok);
    QTest::mouseDClick(w.toolbar(), Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, spot);
    QCOMPARE(dialogs.seen(),
             (QStringList{"EIR: " + HCalHelper::calEIRTest(), "COP: " + HCalHelper::calCOPTest()}));
    // Without the keys the bar does nothing.
    QTest::mouseDClick(w.toolbar(), Qt::MiddleButton, Qt::NoModifier, spot);
    QCOMPARE(dialogs.seen().size(), 2);
}

void TestMainWindow::modifiedFlagQuestion_data()
{
    QTest::addColumn<bool>("modify");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("unchanged closes without a question")
        << false << QMessageBox::NoButton << true << false;
    QTest::newRow("changed, save") << true << QMessageBox::Save << true << true;
    QTest::newRow("changed, discard") << true << QMessageBox::Discard << true << false;
    QTest::newRow("changed, cancel") << true << QMessageBox::Cancel << false << false;
}

void TestMainWindow::modifiedFlagQuestion()
{
    QFETCH(bool, modify);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);

    const QString file = path("modified.ee");
    QVERIFY(writeFile(file, projectJson("Stored")));
    QVERIFY(HProjectSession::openProject(file));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.isModified());
    if (modify)
        project()->setelectricity_price(0.55);
    QCOMPARE(w.isModified(), modify);

    ModalDialogs dialogs;
    if (answer != QMessageBox::NoButton)
        dialogs.thenClick(answer);
    const bool closed = w.close();

    QCOMPARE(closed, closes);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), modify ? 1 : 0);
    if (modify)
        QCOMPARE(dialogs.seen().first(), QStringLiteral("Query: Save changes?"));
    QCOMPARE(readJson(file).value("electricity_price").toDouble(), saved ? 0.55 : 0.31);
    if (saved)
        QVERIFY(!w.isModified());
}

void TestMainWindow::languageRelabels()
{
    // The Chinese catalogue as the build installs it beside the program.
    QVERIFY(QDir(m_dir.path()).mkpath("translations"));
    const QString catalogue = path("translations/brivanta_zh_CN.qm");
    QFile::remove(catalogue);
    QVERIFY(
        QFile::copy(QStringLiteral(BRIVANTA_BIN_DIR "/translations/brivanta_zh_CN.qm"), catalogue));
    MainWindow w;
    w.sendMsgToStatusBar("busy");
    auto choose = [](const QString& code) {
        return [code](QWidget* widget) {
            auto* dialog = qobject_cast<HLanguageSetDlg*>(widget);
            QVERIFY(dialog);
            QComboBox* box = dialog->languageComboBox();
            box->setCurrentIndex(box->findData(code));
            dialog->accept();
        };
    };
    auto label = [&w](int index) {
        return w.toolbarItems().at(index)->action->text();
    };

    ModalDialogs dialogs;
    dialogs.then(choose("zh_CN"));
    w.switchToLanguage();
    QCOMPARE(label(0), QStringLiteral("新建"));
    QCOMPARE(label(10), QStringLiteral("运行信息"));
    QCOMPARE(w.toolbarItems().at(0)->action->toolTip(),
             QStringLiteral("新建 (%1)")
                 .arg(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText)));
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("就绪"));
    // The actions are still found by their English key.
    QCOMPARE(w.findAction("Report Preview"), w.toolbarItems().at(13)->action);

    dialogs.then(choose("en"));
    w.switchToLanguage();
    QCOMPARE(label(10), QStringLiteral("Operational Info"));
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ready"));
    QCOMPARE(dialogs.pending(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
