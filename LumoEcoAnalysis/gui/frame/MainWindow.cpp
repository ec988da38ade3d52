#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "HCalHelper.h"
#include "HImages.h"
#include "HJsonConfig.h"
#include "HOperationInfoWidget.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HProjectSetWidget.h"
#include "HResultWidget.h"
#include "HToolbar.h"
#include "HToolbarItem.h"
#include "HUnitInfoWidget.h"
#include "HWeatherWidget.h"
#include "TranslateString.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStatusBar>

namespace {

HProject* project()
{
    return HProject::getProject();
}

// Keys of the tool-bar entries whose actions carry a standard shortcut.
QKeySequence shortcutOf(const QString& text)
{
    if (text == QLatin1String("New"))
        return QKeySequence::New;
    if (text == QLatin1String("Open"))
        return QKeySequence::Open;
    if (text == QLatin1String("Save"))
        return QKeySequence::Save;
    if (text == QLatin1String("Save As"))
        return QKeySequence::SaveAs;
    if (text == QLatin1String("Calculate"))
        return QKeySequence(Qt::Key_F5);
    return QKeySequence();
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    HProjectSession::startProject();
    applyProjectUnits();

    addToolbarItems();

    m_toolbar = new HToolbar(this);
    m_toolbar->setObjectName(QStringLiteral("toolBar"));
    m_toolbar->setMovable(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    initToolbar();

    createPages();

    switchToProjectSet();
    sendMsgToStatusBar(TranslateString("Ready"));
    setMinimumSize(1280, 768);
    setWindowState(windowState() | Qt::WindowMaximized);

    updateTitle();
    emit signal_update_project_data_to_window();
    markClean();
}

MainWindow::~MainWindow()
{
    qDeleteAll(m_items);
    m_items.clear();
    // The pages point at the project; they go before the form that holds them.
    while (ui->stackedWidget->count() > 0) {
        QWidget* page = ui->stackedWidget->widget(ui->stackedWidget->count() - 1);
        ui->stackedWidget->removeWidget(page);
        delete page;
    }
    delete m_toolbar;
    delete ui;
}

void MainWindow::addToolbarItems()
{
    // Text, icon, tool tip, checkable, checked; the texts are translated when shown.
    const QString separator = QStringLiteral("-");
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "New"), "NewProject.png", "New", false, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Open"), "OpenProject.png", "Open", false, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Save"), "Save.png", "Save", false, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Save As"), "SaveAs.png", "Save As", false, false);
    addToolbarItem(separator, separator, separator, false, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Language"), "Language.png", "Language", false,
                   false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Units"), "Units.png", "Units", false, false);
    addToolbarItem(separator, separator, separator, false, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Project"), "Project.png", "Project", true, true);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Weather"), "Weather.png", "Weather", true, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Operational Info"), "time.png",
                   "Operational Info", true, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "VRF"), "Unit.png", "VRF", true, false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Calculate"), "Result.png", "Calculate", false,
                   false);
    addToolbarItem(QT_TRANSLATE_NOOP("Brivanta", "Report Preview"), "Report.png", "Report Preview",
                   true, false);
}

void MainWindow::addToolbarItem(const QString& text, const QString& icon, const QString& toolTip,
                                bool checkable, bool checked)
{
    m_items.append(new HToolbarItem(text, icon, toolTip, checkable, checked));
}

void MainWindow::initToolbar()
{
    if (!m_actionGroup) {
        m_actionGroup = new QActionGroup(this);
        m_actionGroup->setExclusive(true);
    }
    for (HToolbarItem* item : qAsConst(m_items)) {
        if (item->action)
            continue;
        QAction* action = nullptr;
        if (item->isSeparator()) {
            action = new QAction(m_actionGroup);
            action->setSeparator(true);
        } else {
            action = new QAction(TranslateString(item->text), m_actionGroup);
            action->setIcon(HImages::icon(item->icon));
            action->setCheckable(item->checkable);
            action->setShortcut(shortcutOf(item->text));
            action->setToolTip(toolTipOf(item));
            action->setChecked(item->checked);
        }
        item->action = action;
        m_toolbar->addAction(action);
        m_actionGroup->addAction(action);
    }
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    for (HToolbarItem* item : qAsConst(m_items))
        connectAction(item);
    connect(m_toolbar, &HToolbar::signal_mouse_rightbtn_doubleclicked, this,
            &MainWindow::slot_toolbar_rightbtn_doubleclicked, Qt::UniqueConnection);
    connect(m_toolbar, &HToolbar::signal_mouse_midbtn_doubleclicked, this,
            &MainWindow::slot_toolbar_midbtn_doubleclicked, Qt::UniqueConnection);
}

void MainWindow::connectAction(HToolbarItem* item)
{
    if (!item->action || item->isSeparator())
        return;
    const QString& t = item->text;
    QAction* a = item->action;
    const auto type = Qt::UniqueConnection;
    if (t == QLatin1String("New"))
        connect(a, &QAction::triggered, this, &MainWindow::New, type);
    else if (t == QLatin1String("Open"))
        connect(a, &QAction::triggered, this, &MainWindow::Open, type);
    else if (t == QLatin1String("Save"))
        connect(a, &QAction::triggered, this, &MainWindow::Save, type);
    else if (t == QLatin1String("Save As"))
        connect(a, &QAction::triggered, this, &MainWindow::SaveAs, type);
    else if (t == QLatin1String("Language"))
        connect(a, &QAction::triggered, this, &MainWindow::switchToLanguage, type);
    else if (t == QLatin1String("Units"))
        connect(a, &QAction::triggered, this, &MainWindow::setUnits, type);
    else if (t == QLatin1String("Project"))
        connect(a, &QAction::triggered, this, &MainWindow::switchToProjectSet, type);
    else if (t == QLatin1String("Weather"))
        connect(a, &QAction::triggered, this, &MainWindow::switchToWaather, type);
    else if (t == QLatin1String("Operational Info"))
        connect(a, &QAction::triggered, this, &MainWindow::switchToOperational, type);
    else if (t == QLatin1String("VRF"))
        connect(a, &QAction::triggered, this, &MainWindow::switchToVRF, type);
    else if (t == QLatin1String("Calculate"))
        connect(a, &QAction::triggered, this, &MainWindow::Calculate, type);
    else if (t == QLatin1String("Report Preview"))
        connect(a, &QAction::triggered, this, &MainWindow::switchReport, type);
}

QString MainWindow::toolTipOf(const HToolbarItem* item) const
{
    const QString tip = TranslateString(item->toolTip);
    const QKeySequence keys = shortcutOf(item->text);
    if (keys.isEmpty())
        return tip;
    return QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText));
}

void MainWindow::createPages()
{
    m_projectSetWidget = new HProjectSetWidget;
    ui->stackedWidget->addWidget(m_projectSetWidget);
    m_weatherWidget = new HWeatherWidget;
    ui->stackedWidget->addWidget(m_weatherWidget);
    m_operationInfoWidget = new HOperationInfoWidget;
    ui->stackedWidget->addWidget(m_operationInfoWidget);
    m_unitInfoWidget = new HUnitInfoWidget;
    ui->stackedWidget->addWidget(m_unitInfoWidget);
    m_resultWidget = new HResultWidget;
    ui->stackedWidget->addWidget(m_resultWidget);

    // Project commands to the pages.
    connect(this, &MainWindow::signal_update_window_data_to_project, m_unitInfoWidget,
            &HUnitInfoWidget::slot_update_window_data_to_project);
    connect(this, &MainWindow::signal_update_window_data_to_project, m_operationInfoWidget,
            &HOperationInfoWidget::slot_update_window_data_to_project);
    connect(this, &MainWindow::signal_update_project_data_to_window, m_unitInfoWidget,
            &HUnitInfoWidget::slot_update_project_data_to_window);
    connect(this, &MainWindow::signal_update_project_data_to_window, m_projectSetWidget,
            &HProjectSetWidget::slot_update_project_info);
    connect(this, &MainWindow::signal_update_project_data_to_window, m_operationInfoWidget,
            &HOperationInfoWidget::slot_update_project_data_to_window);
    // The result page follows the project too, so a new or opened project shows no
    // results of the one before.
    connect(this, &MainWindow::signal_update_project_data_to_window, m_resultWidget,
            &HResultWidget::slot_update_project_data_to_window);
    connect(this, &MainWindow::signal_reset_windows, m_unitInfoWidget, &HUnitInfoWidget::reset);

    // Pages to pages.
    connect(m_projectSetWidget, &HProjectSetWidget::signal_selectOtherVRF, m_unitInfoWidget,
            &HUnitInfoWidget::setOtherVRFWidgetVisible);
    connect(m_projectSetWidget, &HProjectSetWidget::signal_selectOtherChiller, m_unitInfoWidget,
            &HUnitInfoWidget::setOtherChillerWidgetVisible);
    connect(m_projectSetWidget, &HProjectSetWidget::signal_selectOtherUnit, m_unitInfoWidget,
            &HUnitInfoWidget::setOtherUnitWidgetVisible);
    connect(m_projectSetWidget, &HProjectSetWidget::signal_update_project_city, m_weatherWidget,
            &HWeatherWidget::updateWeatherParam);
    connect(m_weatherWidget, &HWeatherWidget::signal_update_project_location_temp_info,
            m_projectSetWidget, &HProjectSetWidget::slot_update_outdoor_temp_info);
    connect(m_weatherWidget, &HWeatherWidget::signal_weather_city_imported, m_projectSetWidget,
            &HProjectSetWidget::slot_weather_city_imported);
    connect(m_weatherWidget, &HWeatherWidget::signal_send_msg_to_status_wnd, this,
            &MainWindow::sendMsgToStatusBar);
    connect(m_weatherWidget, &HWeatherWidget::signal_update_weather_analysis_result_to_show_table,
            m_resultWidget, &HResultWidget::slot_showMonthWeatherAnalysisDataToTableView);
    connect(m_resultWidget, &HResultWidget::signal_send_msg_to_status_wnd, this,
            &MainWindow::sendMsgToStatusBar);
}

QStackedWidget* MainWindow::stackedWidget() const
{
    return ui->stackedWidget;
}

QAction* MainWindow::findAction(const QString& text) const
{
    const QString label = TranslateString(text);
    for (const HToolbarItem* item : m_items) {
        if (item->action && !item->isSeparator() && item->action->text() == label)
            return item->action;
    }
    return nullptr;
}

void MainWindow::setCheckedAction(const QString& text)
{
    const QString label = TranslateString(text);
    for (const HToolbarItem* item : qAsConst(m_items)) {
        QAction* action = item->action;
        if (!action || item->isSeparator())
            continue;
        const bool check = action->isCheckable() && action->text() == label;
        if (action->isChecked() != check)
            action->setChecked(check);
    }
}

void MainWindow::updateLanguage()
{
    for (const HToolbarItem* item : qAsConst(m_items)) {
        if (!item->action || item->isSeparator())
            continue;
        item->action->setText(TranslateString(item->text));
        item->action->setToolTip(toolTipOf(item));
    }
    setPagesLanguage();
    sendMsgToStatusBar(TranslateString("Ready"));
}

void MainWindow::setPagesLanguage()
{
    if (m_projectSetWidget)
        m_projectSetWidget->setLanguage();
    if (m_weatherWidget)
        m_weatherWidget->setLanguage();
    if (m_operationInfoWidget)
        m_operationInfoWidget->setLanguage();
    if (m_unitInfoWidget)
        m_unitInfoWidget->setLanguage();
    if (m_resultWidget)
        m_resultWidget->setLanguage();
}

void MainWindow::showPage(QWidget* page, const QString& actionText)
{
    if (!page)
        return;
    setCheckedAction(actionText);
    ui->stackedWidget->setCurrentWidget(page);
}

void MainWindow::switchToVRF()
{
    showPage(m_unitInfoWidget, QStringLiteral("VRF"));
}

void MainWindow::switchToOperational()
{
    showPage(m_operationInfoWidget, QStringLiteral("Operational Info"));
}

void MainWindow::switchToProjectSet()
{
    showPage(m_projectSetWidget, QStringLiteral("Project"));
}

void MainWindow::switchToWaather()
{
    showPage(m_weatherWidget, QStringLiteral("Weather"));
}

void MainWindow::switchReport()
{
    if (!m_resultWidget)
        return;
    m_resultWidget->slot_update_project_data_to_window();
    showPage(m_resultWidget, QStringLiteral("Report Preview"));
}

void MainWindow::sendMsgToStatusBar(QString content)
{
    statusBar()->showMessage(content);
    // Long commands block the event loop; show each step as it starts.
    if (statusBar()->isVisible())
        statusBar()->repaint();
}

void MainWindow::updateTitle()
{
    const QString path = project()->GetfilePath();
    QString title = QStringLiteral("Brivanta");
    if (!path.isEmpty() && QFileInfo::exists(path))
        title += QLatin1Char('[') + path + QLatin1Char(']');
    setWindowTitle(title);
}

bool MainWindow::event(QEvent* event)
{
    if (m_toolbar && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool down = event->type() == QEvent::KeyPress;
        if (key->key() == Qt::Key_Control)
            m_toolbar->controlHeld = down;
        else if (key->key() == Qt::Key_Alt)
            m_toolbar->altHeld = down;
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::slot_toolbar_rightbtn_doubleclicked()
{
    const QString group = QStringLiteral("adjust");
    const QString key = QStringLiteral("is_adjust");
    bool adjust = false;
    HJsonConfig::getValue(group, key, adjust);
    if (!HJsonConfig::setValue(group, key, !adjust)) {
        // A mode that would silently fall back at the next start is not switched.
        HJsonConfig::setValue(group, key, adjust);
        QMessageBox::warning(
            this, TranslateString("Warning"),
            TranslateString("The configuration file %1 cannot be written; the mode was not "
                            "changed.")
                .arg(QDir::toNativeSeparators(
                    QFileInfo(HJsonConfig::fileName()).absoluteFilePath())));
        return;
    }
    sendMsgToStatusBar(!adjust ? TranslateString("Adjust Mode.") : TranslateString("Normal Mode."));
}

void MainWindow::slot_toolbar_midbtn_doubleclicked()
{
    const QString eir = HCalHelper::calEIRTest();
    if (!eir.isEmpty())
        QMessageBox::information(this, QStringLiteral("EIR"), eir, QMessageBox::Ok);
    const QString cop = HCalHelper::calCOPTest();
    if (!cop.isEmpty())
        QMessageBox::information(this, QStringLiteral("COP"), cop, QMessageBox::Ok);
}
