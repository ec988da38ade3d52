#pragma once
#include <QWidget>

class QLabel;

// Project settings page: the project's general data, location, set-points and prices.
// This version shows the project's data; the editing form replaces it.
class HProjectSetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HProjectSetWidget(QWidget* parent = nullptr);

    void setLanguage();
    // The project into the widgets; announces the project's location.
    void showProjectData();

signals:
    void signal_selectOtherVRF(int);
    void signal_selectOtherChiller(int);
    void signal_selectOtherUnit(int);
    void signal_update_project_city(QString country, QString city);

public slots:
    void selectOtherVRF(int nMode);
    void selectOtherChiller(int nMode);
    void selectOtherUnit(int nMode);
    void initCityComboBox(QString country);
    void slot_update_outdoor_temp_info();
    void slot_update_project_info();

private:
    void showSummary();

    QLabel* m_title = nullptr;
    QLabel* m_summary = nullptr;
};
