#include "HResultWidget.h"

#include "HPageTitle.h"
#include "HProject.h"
#include "HVRF.h"
#include "TranslateString.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

HResultWidget::HResultWidget(QWidget* parent)
    : QWidget(parent)
{
    m_title = new HPageTitle(this);
    m_table = new QTableWidget(3, 13, this);
    m_table->setObjectName(QStringLiteral("tableWidget_months"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_title);
    layout->addWidget(m_table, 1);
    setLanguage();
}

void HResultWidget::setLanguage()
{
    m_title->setText(TranslateString("Electricity Input(kWH)"));
    QStringList months;
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("Brivanta", "Jan"),  QT_TRANSLATE_NOOP("Brivanta", "Feb"),
        QT_TRANSLATE_NOOP("Brivanta", "Mar"),  QT_TRANSLATE_NOOP("Brivanta", "Apr"),
        QT_TRANSLATE_NOOP("Brivanta", "May"),  QT_TRANSLATE_NOOP("Brivanta", "Jun"),
        QT_TRANSLATE_NOOP("Brivanta", "July"), QT_TRANSLATE_NOOP("Brivanta", "Aug"),
        QT_TRANSLATE_NOOP("Brivanta", "Sep"),  QT_TRANSLATE_NOOP("Brivanta", "Oct"),
        QT_TRANSLATE_NOOP("Brivanta", "Nov"),  QT_TRANSLATE_NOOP("Brivanta", "Dec")};
    for (const char* m : names)
        months << TranslateString(QString::fromLatin1(m));
    months << TranslateString("Total");
    m_table->setHorizontalHeaderLabels(months);
    m_table->setVerticalHeaderLabels(
        {TranslateString("VELA"), TranslateString("Other'VRF"), TranslateString("Ratio(%)")});
    slot_update_project_data_to_window();
}

void HResultWidget::slot_showMonthWeatherAnalysisDataToTableView(QJsonArray&)
{
    // The weather bin table comes with the result page's own version.
}

void HResultWidget::slot_update_project_data_to_window()
{
    HProject* p = HProject::getProject();
    const bool calculated = p->GetisCalculationSuccess();
    double ownYear = 0.0;
    double otherYear = 0.0;
    auto put = [this, calculated](int row, int column, double value, int decimals) {
        const QString text = calculated ? QString::number(value, 'f', decimals) : QString();
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, column, item);
    };
    auto ratio = [](double own, double other) {
        return other != 0.0 ? own / other * 100.0 : 0.0;
    };
    for (int m = 1; m <= 12; ++m) {
        const double own = p->getOwnVRFSys()->getMonthEnergyConsumption(m);
        const double other = p->getOtherVRFSys()->getMonthEnergyConsumption(m);
        ownYear += own;
        otherYear += other;
        put(0, m - 1, own, 0);
        put(1, m - 1, other, 0);
        put(2, m - 1, ratio(own, other), 1);
    }
    put(0, 12, ownYear, 0);
    put(1, 12, otherYear, 0);
    put(2, 12, ratio(ownYear, otherYear), 1);
}
