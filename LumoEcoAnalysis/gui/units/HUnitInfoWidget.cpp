#include "HUnitInfoWidget.h"
#include "ui_HUnitInfoWidget.h"

#include "HOtherVRFUnitInfo.h"
#include "HOtherWaterUnitInfoWidget.h"
#include "HProject.h"
#include "HVRFUnitInfoWidget.h"
#include "TranslateString.h"

#include <QDebug>

namespace {

QString ownTitle()
{
    return TranslateString("VELA-Product");
}

QString otherVRFTitle()
{
    return TranslateString("VRF(Other)");
}

QString waterTitle()
{
    return TranslateString("Water chilling unit(Other)");
}

} // namespace

HUnitInfoWidget::HUnitInfoWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HUnitInfoWidget)
{
    ui->setupUi(this);

    HProject* project = HProject::getProject();
    m_own = new HVRFUnitInfoWidget;
    if (project->GetcompareToOtherVRF())
        m_otherVRF = new HOtherVRFUnitInfo;
    if (project->GetcompareToOtherChiller())
        m_water = new HOtherWaterUnitInfoWidget;

    connect(this, &HUnitInfoWidget::signal_update_window_data_to_project, m_own,
            &HVRFUnitInfoWidget::slot_update_window_data_to_project);
    connect(this, &HUnitInfoWidget::signal_update_project_data_to_window, m_own,
            &HVRFUnitInfoWidget::slot_update_project_data_to_window);
    if (m_otherVRF) {
        connect(m_own, &HVRFUnitInfoWidget::UpdateOtherVRFODUTableData, m_otherVRF,
                &HOtherVRFUnitInfo::slot_update_project_data_to_window);
        connect(m_own, &HVRFUnitInfoWidget::UpdateOtherVRFIDUTableData, m_otherVRF,
                &HOtherVRFUnitInfo::slot_update_project_data_to_window);
        // Rows typed on the other page reach its units before a copy rebuilds them.
        connect(m_own, &HVRFUnitInfoWidget::signal_before_copy_to_other, m_otherVRF,
                &HOtherVRFUnitInfo::slot_update_window_data_to_project);
        connect(this, &HUnitInfoWidget::signal_update_window_data_to_project, m_otherVRF,
                &HOtherVRFUnitInfo::slot_update_window_data_to_project);
        connect(this, &HUnitInfoWidget::signal_update_project_data_to_window, m_otherVRF,
                &HOtherVRFUnitInfo::slot_update_project_data_to_window);
    }
    if (m_water) {
        connect(this, &HUnitInfoWidget::signal_update_window_data_to_project, m_water,
                &HOtherWaterUnitInfoWidget::slot_update_window_data_to_project);
    }

    ui->tabWidget->addTab(m_own, ownTitle());
    if (m_otherVRF)
        ui->tabWidget->addTab(m_otherVRF, otherVRFTitle());
    if (m_water)
        ui->tabWidget->addTab(m_water, waterTitle());
}

HUnitInfoWidget::~HUnitInfoWidget()
{
    // Pages without a tab have no parent.
    for (QWidget* page : {static_cast<QWidget*>(m_otherVRF), static_cast<QWidget*>(m_water)}) {
        if (page && ui->tabWidget->indexOf(page) < 0)
            delete page;
    }
    delete ui;
}

QTabWidget* HUnitInfoWidget::tabWidget() const
{
    return ui->tabWidget;
}

void HUnitInfoWidget::setTabVisible(QWidget* page, const QString& title, bool visible)
{
    if (!page)
        return;
    const int index = ui->tabWidget->indexOf(page);
    if (visible && index < 0)
        ui->tabWidget->addTab(page, title);
    else if (!visible && index >= 0)
        ui->tabWidget->removeTab(index);
}

void HUnitInfoWidget::setTabTitle(QWidget* page, const QString& title)
{
    const int index = page ? ui->tabWidget->indexOf(page) : -1;
    if (index >= 0)
        ui->tabWidget->setTabText(index, title);
}

void HUnitInfoWidget::setOtherVRFWidgetVisible(int nState)
{
    qDebug() << "check_box_state" << nState;
    setTabVisible(m_otherVRF, otherVRFTitle(), nState != 0);
}

void HUnitInfoWidget::setOtherChillerWidgetVisible(int nState)
{
    qDebug() << "check_box_state" << nState;
    setTabVisible(m_water, waterTitle(), nState != 0);
}

void HUnitInfoWidget::setOtherUnitWidgetVisible(int) { }

void HUnitInfoWidget::slot_update_window_data_to_project()
{
    emit signal_update_window_data_to_project();
}

void HUnitInfoWidget::slot_update_project_data_to_window()
{
    emit signal_update_project_data_to_window();
}

void HUnitInfoWidget::setLanguage()
{
    m_own->setLanguage();
    if (m_otherVRF)
        m_otherVRF->setLanguage();
    if (m_water)
        m_water->setLanguage();
    setTabTitle(m_own, ownTitle());
    setTabTitle(m_otherVRF, otherVRFTitle());
    setTabTitle(m_water, waterTitle());
}

void HUnitInfoWidget::reset()
{
    m_own->reset();
    if (m_otherVRF)
        m_otherVRF->reset();
    if (m_water)
        m_water->reset();
}
