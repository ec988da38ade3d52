#pragma once
#include <QJsonArray>
#include <QWidget>

class QLabel;
class QTableWidget;

// Result page: monthly energy of both systems after a calculation.
// This version shows the monthly table; the charts and the report replace it.
class HResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HResultWidget(QWidget* parent = nullptr);

    void setLanguage();
    QTableWidget* monthTable() const { return m_table; }

public slots:
    void slot_showMonthWeatherAnalysisDataToTableView(QJsonArray& jsonArray);
    void slot_update_project_data_to_window();

private:
    QLabel* m_title = nullptr;
    QTableWidget* m_table = nullptr;
};
