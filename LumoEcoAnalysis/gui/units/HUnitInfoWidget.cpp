#include "HUnitInfoWidget.h"

#include "CUnitFun.h"
#include "HPageTitle.h"
#include "HProject.h"
#include "HUnit.h"
#include "HVRF.h"
#include "TranslateString.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

HUnitInfoWidget::HUnitInfoWidget(QWidget* parent)
    : QWidget(parent)
{
    m_title = new HPageTitle(this);
    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("tableWidget_units"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_title);
    layout->addWidget(m_table, 1);
    setLanguage();
}

void HUnitInfoWidget::setOtherVRFWidgetVisible(int) { }

void HUnitInfoWidget::setOtherChillerWidgetVisible(int) { }

void HUnitInfoWidget::setOtherUnitWidgetVisible(int) { }

void HUnitInfoWidget::slot_update_window_data_to_project()
{
    // Nothing is edited on this page yet.
}

void HUnitInfoWidget::setLanguage()
{
    m_title->setText(TranslateString("Unit Information"));
    const QString load = CUnitFun::GetUnitLoadString(0);
    m_table->setHorizontalHeaderLabels({TranslateString("System"), TranslateString("Unit Type"),
                                        TranslateString("Model"), TranslateString("Quantity"),
                                        TranslateString("TC(C)") + load,
                                        TranslateString("TC(H)") + load});
    slot_update_project_data_to_window();
}

void HUnitInfoWidget::slot_update_project_data_to_window()
{
    m_table->setRowCount(0);
    HProject* p = HProject::getProject();
    const QList<QPair<QString, HVRF*>> systems{
        {TranslateString("VELA"), p->getOwnVRFSys()},
        {TranslateString("VRF(Other)"), p->getOtherVRFSys()}};
    for (const auto& system : systems) {
        for (const HUnit* unit : *system.second) {
            const int row = m_table->rowCount();
            m_table->insertRow(row);
            const QStringList cells{
                system.first,
                unit->Getunit_type(),
                unit->Getunit_productcode(),
                QString::number(unit->Getquantity()),
                QString::number(CUnitFun::capacityToCurrent(unit->Gettotal_capacity_cooling()), 'g',
                                6),
                QString::number(CUnitFun::capacityToCurrent(unit->Gettotal_capacity_heating()), 'g',
                                6)};
            for (int c = 0; c < cells.size(); ++c)
                m_table->setItem(row, c, new QTableWidgetItem(cells.at(c)));
        }
    }
}

void HUnitInfoWidget::reset()
{
    m_table->setRowCount(0);
}
