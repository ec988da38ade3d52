#pragma once
#include <QDate>
#include <QWidget>

class QComboBox;
class QDoubleValidator;
class QLineEdit;

namespace Ui {
class HProjectSetWidget;
}

// Project settings page: date and name, the building and its peak loads, the location
// (country and city of the weather database) with the outdoor temperatures the weather
// page derives for it, the indoor set-points, the prices and the comparison options.
// Every edit goes into the project at once, converted from the display units; every
// edit of an input of the calculation marks the project as not calculated.
class HProjectSetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HProjectSetWidget(QWidget* parent = nullptr);
    ~HProjectSetWidget() override;

    void setLanguage();
    // The project into the widgets; announces the project's location when the weather
    // database knows it.
    void showProjectData();
    void initCountryComboBox();

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
    // A weather file was imported: the lists show the new city; the project takes it
    // as its location when `useForProject` or when its own city's weather was replaced.
    void slot_weather_city_imported(QString country, QString city, bool useForProject);

    void on_dateTimeEdit_Date_dateChanged(const QDate& date);
    void on_lineEdit_ProjectName_textEdited(const QString& text);
    void on_lineEdit_BuildArea_textEdited(const QString& text);
    void on_lineEdit_BuildHeight_textEdited(const QString& text);
    void on_lineEdit_NumberOfFloor_textEdited(const QString& text);
    void on_lineEdit_CoolingPeakLoad_textEdited(const QString& text);
    void on_lineEdit_HeatingPeakLoad_textEdited(const QString& text);
    void on_lineEdit_Max_Temp_textEdited(const QString& text);
    void on_lineEdit_Average_Temp_textEdited(const QString& text);
    void on_lineEdit_Min_Temp_textEdited(const QString& text);
    void on_lineEdit_indoor_cooling_temp_textEdited(const QString& text);
    void on_lineEdit_indoor_heating_temp_textEdited(const QString& text);
    void on_lineEdit_electricticy_textEdited(const QString& text);
    void on_lineEdit_gas_textEdited(const QString& text);
    void on_comboBox_Country_currentTextChanged(const QString& country);
    void on_comboBox_City_currentTextChanged(const QString& city);
    void on_checkBox_thermo_off_stateChanged(int state);

private:
    // Selects the item with this text (exact, else ignoring case); false when missing.
    bool selectItem(QComboBox* box, const QString& text);
    // Shows, under the location, why the project has no hourly weather (hidden
    // while it has).
    void updateWeatherNotice();
    void markNotCalculated();
    void updateIndoorRange();
    void keepFixedIndoorText(QLineEdit* edit);

    Ui::HProjectSetWidget* ui = nullptr;
    // True while showProjectData (or a list refill) sets the widgets: no write-back,
    // no announcement.
    bool m_loading = false;
    bool m_comparisonSet = false;
    QDoubleValidator* m_indoorValidator = nullptr;
};
