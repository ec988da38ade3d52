#include "HVacationSetDlg.h"
#include "ui_HVacationSetDlg.h"

#include "HCalendarTexts.h"
#include "HDay.h"
#include "HImages.h"
#include "HMonth.h"
#include "HProject.h"
#include "HYear.h"
#include "TranslateString.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int calendarRows = 6;
constexpr int calendarColumns = 7;
} // namespace

HVacationSetDlg::HVacationSetDlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::HVacationSetDlg)
{
    // Weekends are marked once, when a project is created; the marks the user set
    // (or a project file stored) are shown as they are.
    ui->setupUi(this);
    // Wide enough for the longest week-day header ("Wednesday") in a column.
    setFixedSize(620, 500);
    setLanguage();
    for (int m = 1; m <= 12; ++m)
        ui->comboBox->addItem(m_monthTexts.value(m));

    QTableWidget* table = ui->tableWidget;
    table->setRowCount(calendarRows);
    table->setColumnCount(calendarColumns);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The days fill the table: about 85 x 60 pixels a cell.
    table->horizontalHeader()->setMinimumSectionSize(70);
    table->verticalHeader()->setMinimumSectionSize(50);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->installEventFilter(this);
    connect(table, &QTableWidget::cellDoubleClicked, this, &HVacationSetDlg::cellDoubleClicked);
    connect(ui->comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &HVacationSetDlg::showMonth);

    ui->comboBox->setCurrentIndex(0);
    showMonth(0);
    setLanguage();
}

HVacationSetDlg::~HVacationSetDlg()
{
    delete ui;
}

QString HVacationSetDlg::holidayStyle()
{
    return QStringLiteral("border-image:url(\"%1\");color:rgb(255,0,0);")
        .arg(HImages::filePath(QStringLiteral("holiday_cal.png")));
}

QString HVacationSetDlg::workdayStyle()
{
    return QStringLiteral("border-image:none;color:rgb(0,0,0);");
}

QString HVacationSetDlg::emptyStyle()
{
    return QStringLiteral("border-image:none;color:rgb(255,128,128);");
}

void HVacationSetDlg::setLanguage()
{
    for (int d = 1; d <= 7; ++d)
        m_dayTexts.insert(d, HCalendarTexts::weekDayName(d));
    for (int m = 1; m <= 12; ++m)
        m_monthTexts.insert(m, HCalendarTexts::fullMonthName(m));

    setWindowTitle(TranslateString("Holiday"));
    ui->label_notice->setText(TranslateString("Double click on a date to mark it as a holiday."));
    QStringList headers;
    for (int d = 1; d <= 7; ++d)
        headers << m_dayTexts.value(d);
    ui->tableWidget->setHorizontalHeaderLabels(headers);
    for (int m = 1; m <= 12 && m <= ui->comboBox->count(); ++m)
        ui->comboBox->setItemText(m - 1, m_monthTexts.value(m));
    if (QPushButton* ok = ui->buttonBox->button(QDialogButtonBox::Ok))
        ok->setText(TranslateString("OK"));
}

QLabel* HVacationSetDlg::dayLabel(int row, int column) const
{
    return qobject_cast<QLabel*>(ui->tableWidget->cellWidget(row, column));
}

HDay* HVacationSetDlg::getDay(int nMonth, int nDay)
{
    HYear* year = HProject::getProject()->getYear();
    HMonth* month = year ? year->getMonth(nMonth) : nullptr;
    return month ? month->getDay(nDay) : nullptr;
}

void HVacationSetDlg::showMonth(int nMonth)
{
    QTableWidget* table = ui->tableWidget;
    for (int r = 0; r < calendarRows; ++r)
        for (int c = 0; c < calendarColumns; ++c) {
            QLabel* label = dayLabel(r, c);
            if (!label) {
                label = new QLabel;
                label->setAlignment(Qt::AlignCenter);
                QFont font = label->font();
                font.setPointSize(14);
                label->setFont(font);
                // Clicks reach the table, which selects the cell and reports double clicks.
                label->setAttribute(Qt::WA_TransparentForMouseEvents);
                table->setCellWidget(r, c, label);
            }
            label->clear();
            label->setStyleSheet(emptyStyle());
        }

    const int month = nMonth + 1;
    HYear* year = HProject::getProject()->getYear();
    const HMonth* days = year ? year->getMonth(month) : nullptr;
    if (!days || days->isEmpty())
        return;
    const int count = days->size();
    const int firstWeekday = days->first()->Getdate().dayOfWeek(); // 1 Monday .. 7 Sunday
    int day = 1;
    for (int r = 0; r < calendarRows && day <= count; ++r)
        for (int c = (r == 0 ? firstWeekday - 1 : 0); c < calendarColumns && day <= count; ++c) {
            QLabel* label = dayLabel(r, c);
            label->setText(QString::number(day));
            const HDay* d = getDay(month, day);
            label->setStyleSheet(d && d->GetisHoliday() ? holidayStyle() : workdayStyle());
            ++day;
        }
}

void HVacationSetDlg::cellDoubleClicked(int row, int column)
{
    const int month = ui->comboBox->currentIndex() + 1;
    QLabel* label = dayLabel(row, column);
    if (!label || label->text().isEmpty())
        return;
    HDay* day = getDay(month, label->text().toInt());
    if (!day)
        return;
    day->setisHoliday(!day->GetisHoliday());
    label->setStyleSheet(day->GetisHoliday() ? holidayStyle() : workdayStyle());
    HProject::getProject()->setisCalculationSuccess(false);
}

void HVacationSetDlg::on_buttonBox_accepted()
{
    HProject::getProject()->updateOperationInfoToYear();
    accept();
}

void HVacationSetDlg::reject()
{
    // The marks are already in the project: closing keeps them, as OK does.
    HProject::getProject()->updateOperationInfoToYear();
    QDialog::reject();
}

bool HVacationSetDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->tableWidget && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space) {
            const QModelIndex current = ui->tableWidget->currentIndex();
            if (current.isValid())
                cellDoubleClicked(current.row(), current.column());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
