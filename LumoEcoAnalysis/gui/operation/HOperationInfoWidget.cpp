#include "HOperationInfoWidget.h"
#include "ui_HOperationInfoWidget.h"

#include "HCalendarTexts.h"
#include "HImages.h"
#include "HProject.h"
#include "HVacationSetDlg.h"
#include "TranslateString.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QShowEvent>
#include <QTableWidget>

namespace {

HProject* project()
{
    return HProject::getProject();
}

// "07AM", "11PM": hours before noon count from 00AM, from noon on from 12PM.
QString clockText(int hour)
{
    const bool am = hour < 12 || hour == 24;
    int shown = hour % 12;
    if (!am && shown == 0)
        shown = 12;
    if (hour == 24)
        shown = 12; // midnight at the end of the day
    return QStringLiteral("%1%2")
        .arg(shown, 2, 10, QLatin1Char('0'))
        .arg(am ? QLatin1String("AM") : QLatin1String("PM"));
}

constexpr int rowHeight = 34;

} // namespace

HOperationInfoWidget::HOperationInfoWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HOperationInfoWidget)
{
    ui->setupUi(this);
    m_writeBack = true;
    for (int h = 0; h < 24; ++h)
        m_hourTexts.insert(h, hourCaption(h));
    setLanguage();
    setUpTable(Table::Daily, 4, 6);
    setUpTable(Table::Weekly, 1, 7);
    setUpTable(Table::Monthly, 2, 6);
    slot_update_project_data_to_window();
}

HOperationInfoWidget::~HOperationInfoWidget()
{
    delete ui;
}

QString HOperationInfoWidget::hourCaption(int hour)
{
    // The last hour ends at midnight: 11PM-12AM.
    return clockText(hour) + QLatin1Char('-') + clockText(hour + 1);
}

QTableWidget* HOperationInfoWidget::dailyTable() const
{
    return ui->tableWidget_daily;
}

QTableWidget* HOperationInfoWidget::weeklyTable() const
{
    return ui->tableWidget_weekly;
}

QTableWidget* HOperationInfoWidget::monthlyTable() const
{
    return ui->tableWidget_monthly;
}

QCheckBox* HOperationInfoWidget::checkBoxAt(QTableWidget* table, int row, int column)
{
    return qobject_cast<QCheckBox*>(table->cellWidget(row, column));
}

QTableWidget* HOperationInfoWidget::tableOf(Table table) const
{
    switch (table) {
    case Table::Daily:
        return ui->tableWidget_daily;
    case Table::Weekly:
        return ui->tableWidget_weekly;
    case Table::Monthly:
        break;
    }
    return ui->tableWidget_monthly;
}

int HOperationInfoWidget::keyOf(Table table, int row, int column)
{
    switch (table) {
    case Table::Daily:
        return row + 4 * column; // column 0: hours 0-3, column 5: hours 20-23
    case Table::Weekly:
        return column + 1; // 1 Monday .. 7 Sunday
    case Table::Monthly:
        break;
    }
    return 6 * row + column + 1; // row 0: January-June, row 1: July-December
}

QString HOperationInfoWidget::captionOf(Table table, int key) const
{
    switch (table) {
    case Table::Daily:
        return m_hourTexts.value(key);
    case Table::Weekly:
        return m_dayTexts.value(key);
    case Table::Monthly:
        break;
    }
    return m_monthTexts.value(key);
}

bool HOperationInfoWidget::projectFlag(Table table, int key) const
{
    switch (table) {
    case Table::Daily:
        return project()->getOperationDailyIsOn(key);
    case Table::Weekly:
        return project()->getOperationWeeklyIsOn(key);
    case Table::Monthly:
        break;
    }
    return project()->getOperationMonthlyIsOn(key);
}

void HOperationInfoWidget::setProjectFlag(Table table, int key, bool on) const
{
    switch (table) {
    case Table::Daily:
        project()->setOperationDailyIsOn(key, on);
        return;
    case Table::Weekly:
        project()->setOperationWeeklyIsOn(key, on);
        return;
    case Table::Monthly:
        project()->setOperationMonthlyIsOn(key, on);
        return;
    }
}

void HOperationInfoWidget::setLanguage()
{
    for (int d = 1; d <= 7; ++d)
        m_dayTexts.insert(d, HCalendarTexts::weekDayName(d));
    for (int m = 1; m <= 12; ++m)
        m_monthTexts.insert(m, HCalendarTexts::fullMonthName(m));

    ui->label_Daily_Sechedule->setText(TranslateString("Daily Schedule"));
    ui->label_Weekly_Sechedule->setText(TranslateString("Weekly Schedule"));
    ui->label_Monthly_Sechedule->setText(TranslateString("Monthly Schedule"));
    ui->pushButton_vacation->setText(TranslateString("Holiday"));
    ui->pushButton_vacation->setToolTip(TranslateString("Mark the days of the year on which "
                                                        "the plant does not run"));
    ui->pushButton_vacation->setIcon(HImages::icon(QStringLiteral("holiday.png")));

    // Boxes made before a change of language take the new captions too.
    for (const Table table : {Table::Daily, Table::Weekly, Table::Monthly}) {
        QTableWidget* widget = tableOf(table);
        for (int r = 0; r < widget->rowCount(); ++r)
            for (int c = 0; c < widget->columnCount(); ++c)
                if (QCheckBox* box = checkBoxAt(widget, r, c))
                    box->setText(captionOf(table, keyOf(table, r, c)));
    }
}

void HOperationInfoWidget::setUpTable(Table table, int rows, int columns)
{
    QTableWidget* widget = tableOf(table);
    widget->setRowCount(rows);
    widget->setColumnCount(columns);
    widget->horizontalHeader()->setVisible(false);
    widget->verticalHeader()->setVisible(false);
    widget->setShowGrid(false);
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    widget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    widget->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    widget->verticalHeader()->setDefaultSectionSize(rowHeight);
    widget->setFixedHeight(rows * rowHeight + 2 * widget->frameWidth());
}

void HOperationInfoWidget::refreshTable(Table table)
{
    QTableWidget* widget = tableOf(table);
    const int rows = widget->rowCount();
    const int columns = widget->columnCount();
    auto refreshCell = [&](int r, int c) {
        const int key = keyOf(table, r, c);
        QCheckBox* box = checkBoxAt(widget, r, c);
        if (!box) {
            box = new QCheckBox(captionOf(table, key));
            box->setObjectName(QStringLiteral("checkBox_%1_%2_%3").arg(int(table)).arg(r).arg(c));
            box->setStyleSheet(QStringLiteral("QCheckBox { padding-left: 8px; }"));
            connect(box, &QCheckBox::stateChanged, this, [this, table] { saveTable(table); });
            widget->setCellWidget(r, c, box);
        }
        m_writeBack = false;
        box->setChecked(projectFlag(table, key));
        m_writeBack = true;
    };
    // The daily table runs down its columns (hours in order), the others along rows.
    if (table == Table::Daily) {
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                refreshCell(r, c);
    } else {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                refreshCell(r, c);
    }
}

void HOperationInfoWidget::saveTable(Table table)
{
    if (!m_writeBack)
        return;
    QTableWidget* widget = tableOf(table);
    bool changed = false;
    for (int r = 0; r < widget->rowCount(); ++r)
        for (int c = 0; c < widget->columnCount(); ++c) {
            const QCheckBox* box = checkBoxAt(widget, r, c);
            const int key = keyOf(table, r, c);
            if (box && box->isChecked() != projectFlag(table, key)) {
                setProjectFlag(table, key, box->isChecked());
                changed = true;
            }
        }
    // A changed schedule leaves earlier results stale.
    if (changed)
        project()->setisCalculationSuccess(false);
}

void HOperationInfoWidget::saveDailyTableWidget()
{
    saveTable(Table::Daily);
}

void HOperationInfoWidget::saveWeeklyTableWidget()
{
    saveTable(Table::Weekly);
}

void HOperationInfoWidget::saveMonthlyTableWidget()
{
    saveTable(Table::Monthly);
}

void HOperationInfoWidget::slot_update_window_data_to_project()
{
    saveDailyTableWidget();
    saveWeeklyTableWidget();
    saveMonthlyTableWidget();
}

void HOperationInfoWidget::slot_update_project_data_to_window()
{
    refreshTable(Table::Daily);
    refreshTable(Table::Weekly);
    refreshTable(Table::Monthly);
}

void HOperationInfoWidget::on_pushButton_vacation_clicked()
{
    HVacationSetDlg dialog(this);
    dialog.exec();
}

void HOperationInfoWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->type() == QEvent::Show)
        slot_update_project_data_to_window();
}
