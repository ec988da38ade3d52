#include "HWeatherWidget.h"

#include "CUnitFun.h"
#include "HPageTitle.h"
#include "HProject.h"
#include "HWeatherAnalysis.h"
#include "HWeatherLocation.h"
#include "TranslateString.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
// Design hours of the location: 0.4 % of the year.
int designIgnoreHours()
{
    return HWeatherAnalysis::calculateIgnoreHours(0.4);
}
} // namespace

HWeatherWidget::HWeatherWidget(QWidget* parent)
    : QDialog(parent)
{
    m_title = new HPageTitle(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("labelSummary"));
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_title);
    layout->addWidget(m_summary, 1);
    setLanguage();
}

void HWeatherWidget::setLanguage()
{
    QString title = TranslateString("Ambient Air Temperature Distribution");
    if (!m_country.isEmpty() || !m_city.isEmpty())
        title += QStringLiteral("(%1-%2)").arg(m_country, m_city);
    m_title->setText(title);
    showSummary();
}

void HWeatherWidget::showSummary()
{
    HProject* p = HProject::getProject();
    if (!p->GetisHave8760WeatherData()) {
        m_summary->setText(TranslateString("No hourly weather for the project's location."));
        return;
    }
    const QString unit = CUnitFun::GetUnitTempString(1);
    auto temp = [](double c) {
        return QString::number(CUnitFun::temperatureToCurrent(c), 'f', 1);
    };
    m_summary->setText(QStringLiteral("%1%2: %3\n%4%5: %6\n%7%8: %9")
                           .arg(TranslateString("Max.Temp"), unit, temp(p->Getmax_temp()))
                           .arg(TranslateString("Min.Temp"), unit, temp(p->Getmin_temp()))
                           .arg(TranslateString("Ambient Temperature Consideration"), unit,
                                temp(p->Getaverage_temp())));
}

void HWeatherWidget::updateWeatherParam(QString country, QString city)
{
    if (!HWeatherLocation::setProjectLocation(country, city, designIgnoreHours())) {
        showSummary();
        return;
    }
    m_country = country;
    m_city = city;
    setLanguage();
    emit signal_update_project_location_temp_info();
}

void HWeatherWidget::slot_weather_anlysis()
{
    emit signal_send_msg_to_status_wnd(TranslateString("Weather analysis..."));
    HWeatherAnalysis analysis;
    analysis.setIgnoreHours(designIgnoreHours());
    analysis.analysisData();
    emit signal_send_msg_to_status_wnd(TranslateString("Ready"));
    QJsonArray bins = analysis.getStatisResult();
    emit signal_update_weather_analysis_result_to_show_table(bins);
}

void HWeatherWidget::reject() { }
