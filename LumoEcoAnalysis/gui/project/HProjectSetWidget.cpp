#include "HProjectSetWidget.h"

#include "CUnitFun.h"
#include "HPageTitle.h"
#include "HProject.h"
#include "TranslateString.h"

#include <QLabel>
#include <QVBoxLayout>

HProjectSetWidget::HProjectSetWidget(QWidget* parent)
    : QWidget(parent)
{
    m_title = new HPageTitle(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("labelSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(100, 20, 100, 20);
    layout->addWidget(m_title);
    layout->addWidget(m_summary, 1);
    setLanguage();
}

void HProjectSetWidget::setLanguage()
{
    m_title->setText(TranslateString("Project Information"));
    showSummary();
}

void HProjectSetWidget::showProjectData()
{
    showSummary();
    HProject* p = HProject::getProject();
    emit signal_update_project_city(p->Getcountry(), p->Getcity());
}

void HProjectSetWidget::showSummary()
{
    HProject* p = HProject::getProject();
    const QString load = CUnitFun::GetUnitLoadString(1);
    const QString temp = CUnitFun::GetUnitTempString(1);
    QStringList lines;
    lines << QStringLiteral("%1: %2").arg(TranslateString("Project Name"), p->Getname());
    lines << QStringLiteral("%1: %2").arg(TranslateString("Date"),
                                          p->Getdate().toString(QStringLiteral("yyyy-MM-dd")));
    lines << QStringLiteral("%1: %2").arg(TranslateString("Country"), p->Getcountry());
    lines << QStringLiteral("%1: %2").arg(TranslateString("City"), p->Getcity());
    lines << QStringLiteral("%1%2: %3")
                 .arg(TranslateString("Cooling Peak Load"), load,
                      QString::number(CUnitFun::capacityToCurrent(p->Getcooling_peak_load()), 'f',
                                      2));
    lines << QStringLiteral("%1%2: %3")
                 .arg(TranslateString("Heating Peak Load"), load,
                      QString::number(CUnitFun::capacityToCurrent(p->Getheating_peak_load()), 'f',
                                      2));
    lines << QStringLiteral("%1%2: %3")
                 .arg(TranslateString("Max Temperature"), temp,
                      QString::number(CUnitFun::temperatureToCurrent(p->Getmax_temp()), 'f', 2));
    lines << QStringLiteral("%1%2: %3")
                 .arg(TranslateString("Min Temperature"), temp,
                      QString::number(CUnitFun::temperatureToCurrent(p->Getmin_temp()), 'f', 2));
    lines << QStringLiteral("%1: %2").arg(TranslateString("Electricity($/kWh)"),
                                          QString::number(p->Getelectricity_price()));
    m_summary->setText(lines.join(QLatin1Char('\n')));
}

void HProjectSetWidget::selectOtherVRF(int nMode)
{
    HProject::getProject()->setcompareToOtherVRF(nMode != 0);
    emit signal_selectOtherVRF(nMode);
}

void HProjectSetWidget::selectOtherChiller(int nMode)
{
    HProject::getProject()->setcompareToOtherChiller(nMode != 0);
    emit signal_selectOtherChiller(nMode);
}

void HProjectSetWidget::selectOtherUnit(int nMode)
{
    emit signal_selectOtherUnit(nMode);
}

void HProjectSetWidget::initCityComboBox(QString) { }

void HProjectSetWidget::slot_update_outdoor_temp_info()
{
    showSummary();
}

void HProjectSetWidget::slot_update_project_info()
{
    setLanguage();
    showProjectData();
}
