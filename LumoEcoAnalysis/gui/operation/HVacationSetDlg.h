#pragma once
#include <QDialog>
#include <QMap>
#include <QString>

class HDay;
class QLabel;

namespace Ui {
class HVacationSetDlg;
}

// The holiday calendar: the project year month by month, one cell per day; a double
// click (or Space) marks a day as a holiday or clears the mark. Marks go into the
// project's days at once; closing the dialog turns the schedule and the holidays
// into the hourly on/off state of the year.
class HVacationSetDlg : public QDialog
{
    Q_OBJECT
public:
    explicit HVacationSetDlg(QWidget* parent = nullptr);
    ~HVacationSetDlg() override;

    // The label of a calendar cell; null when the cell has none.
    QLabel* dayLabel(int row, int column) const;

    static QString holidayStyle();
    static QString workdayStyle();
    static QString emptyStyle();

public slots:
    // nMonth: 0 for January.
    void showMonth(int nMonth);
    void cellDoubleClicked(int row, int column);
    // The project's day; null when the year, month or day does not exist.
    HDay* getDay(int nMonth, int nDay);
    void on_buttonBox_accepted();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLanguage();

    Ui::HVacationSetDlg* ui = nullptr;
    QMap<int, QString> m_dayTexts;
    QMap<int, QString> m_monthTexts;
};
