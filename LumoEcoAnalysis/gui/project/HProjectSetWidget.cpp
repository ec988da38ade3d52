#include "HProjectSetWidget.h"
#include "ui_HProjectSetWidget.h"

#include "CUnitFun.h"
#include "HCommon.h"
#include "HProject.h"
#include "HProjectValues.h"
#include "HWeatherLocation.h"
#include "TranslateString.h"

#include <QDebug>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

HProject* project()
{
    return HProject::getProject();
}

// Text that is not a number stores 0.
double number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double baseTemperature(const QString& text)
{
    return number(CUnitFun::FromCurrentToBaseTemperatureUnit(text));
}

QString temperatureText(double celsius)
{
    return QString::number(CUnitFun::temperatureToCurrent(celsius), 'f', 2);
}

// A number within [bottom, top]. A number out of range is set to the nearer limit when
// the field is left, so that the field shows what the project holds.
class BoundedNumberValidator : public QDoubleValidator
{
public:
    using QDoubleValidator::QDoubleValidator;

    void fixup(QString& input) const override
    {
        bool ok = false;
        const double value = locale().toDouble(input.trimmed(), &ok);
        if (ok && std::isfinite(value) && (value < bottom() || value > top()))
            input = QString::number(std::clamp(value, bottom(), top()), 'f', 2);
    }
};

template<class Validator = QDoubleValidator>
QDoubleValidator* numberValidator(double bottom, double top, QObject* parent)
{
    auto* validator = new Validator(bottom, top, 6, parent);
    validator->setNotation(QDoubleValidator::StandardNotation);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(c);
    return validator;
}

} // namespace

HProjectSetWidget::HProjectSetWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HProjectSetWidget)
{
    ui->setupUi(this);
    setLanguage();

    m_loading = true;
    initCountryComboBox();
    initCityComboBox(ui->comboBox_Country->currentText());
    m_loading = false;
    connect(ui->comboBox_Country, &QComboBox::currentTextChanged, this,
            &HProjectSetWidget::initCityComboBox);

    ui->label_compare->hide();
    ui->checkBox_Other_VRF->setChecked(true);
    ui->checkBox_Other_VRF->hide();
    ui->checkBox_Other_Chill_Water->setChecked(false);
    ui->checkBox_Other_Chill_Water->hide();

    ui->lineEdit_Average_Temp->setEnabled(false);
    ui->lineEdit_Max_Temp->setEnabled(false);
    ui->lineEdit_Min_Temp->setEnabled(false);
    ui->dateTimeEdit_Date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    ui->label_gas->hide();
    ui->lineEdit_gas->hide();
    ui->label_weather_missing->hide();

    // Amounts are not negative; set-points lie within the range a project accepts.
    ui->lineEdit_BuildArea->setValidator(numberValidator(0.0, 1e9, this));
    ui->lineEdit_BuildHeight->setValidator(numberValidator(0.0, 1e6, this));
    ui->lineEdit_NumberOfFloor->setValidator(new QIntValidator(0, 100000, this));
    ui->lineEdit_CoolingPeakLoad->setValidator(numberValidator(0.0, 1e12, this));
    ui->lineEdit_HeatingPeakLoad->setValidator(numberValidator(0.0, 1e12, this));
    m_indoorValidator = numberValidator<BoundedNumberValidator>(
        HProjectValues::kIndoorSetPointMin, HProjectValues::kIndoorSetPointMax, this);
    updateIndoorRange();
    ui->lineEdit_indoor_cooling_temp->setValidator(m_indoorValidator);
    ui->lineEdit_indoor_heating_temp->setValidator(m_indoorValidator);
    for (QLineEdit* edit : {ui->lineEdit_indoor_cooling_temp, ui->lineEdit_indoor_heating_temp})
        connect(edit, &QLineEdit::editingFinished, this,
                [this, edit] { keepFixedIndoorText(edit); });
    ui->lineEdit_electricticy->setValidator(numberValidator(0.0, 1e9, this));
    ui->lineEdit_gas->setValidator(numberValidator(0.0, 1e9, this));
}

HProjectSetWidget::~HProjectSetWidget()
{
    // A field that has the focus emits editingFinished while the widgets are destroyed;
    // that must not reach this half-destroyed page.
    ui->lineEdit_indoor_cooling_temp->disconnect(this);
    ui->lineEdit_indoor_heating_temp->disconnect(this);
    delete ui;
}

void HProjectSetWidget::setLanguage()
{
    const QString length = CUnitFun::GetUnitLengthString(1);
    const QString load = CUnitFun::GetUnitLoadString(1);
    const QString temp = CUnitFun::GetUnitTempString(1);

    ui->label_Project_Information->setText(TranslateString("Project Information"));
    ui->label_Date->setText(TranslateString("Date"));
    ui->label_ProjectName->setText(TranslateString("Project Name"));
    ui->label_Build_Infomation->setText(TranslateString("Building Information"));
    ui->label_Region_Information->setText(TranslateString("Region Information"));

    ui->checkBox_Other_VRF->setText(TranslateString("VRF(Other)"));
    ui->checkBox_Other_Chill_Water->setText(TranslateString("Chiller"));
    ui->checkBox_Other_Unit->setText(TranslateString("Unit"));
    ui->label_compare->setText(TranslateString("Comparison Option"));
    ui->label_BuildArea->setText(TranslateString("Build Area") + length + QStringLiteral("^2"));
    ui->label_BuildHeight->setText(TranslateString("Build Height") + length);
    ui->label_NumberOfFloor->setText(TranslateString("Number of floors"));
    ui->label_CoolingPeakLoad->setText(TranslateString("Cooling Peak Load") + load);
    ui->label_HeatingPeakLoad->setText(TranslateString("Heating Peak Load") + load);
    ui->label_Country->setText(TranslateString("Country"));
    ui->label_City->setText(TranslateString("City"));
    ui->label_Max_Temp->setText(TranslateString("Max Temperature") + temp);
    ui->label_Min_Temp->setText(TranslateString("Min Temperature") + temp);
    ui->label_Average_Temp->setText(TranslateString("Ambient Temperature Consideration") + temp);
    ui->label_Indoor_Temperation_Infomation->setText(
        TranslateString("Indoor Setting Temperature Information"));
    ui->label_cooling_season->setText(TranslateString("Cooling Season") + temp);
    ui->label_heating_season->setText(TranslateString("Heating Season") + temp);
    ui->checkBox_thermo_off->setText(TranslateString("Thermo OFF"));
    ui->checkBox_thermo_off->setToolTip(
        TranslateString("If \"Thermo OFF\" check box is checked, Outdoor Unit is off and only "
                        "indoor unit is on, whend difference is less than 1 centigrade between "
                        "Outdoor air temp and balance point."));
    ui->label_utility_cost_info->setText(TranslateString("Utility Cost Information"));
    ui->label_electricity->setText(TranslateString("Electricity($/kWh)"));
    ui->label_gas->setText(TranslateString("Gas($/Nm^3 )"));
    updateWeatherNotice();

    // The comparison boxes take their standard state once; a later change of language
    // or units must not change what the project is compared with.
    if (!m_comparisonSet) {
        m_comparisonSet = true;
        ui->checkBox_Other_Unit->setChecked(false);
        ui->checkBox_Other_Unit->hide();
        ui->checkBox_Other_VRF->setChecked(true);
        ui->checkBox_Other_Chill_Water->setChecked(true);
        connect(ui->checkBox_Other_VRF, &QCheckBox::stateChanged, this,
                &HProjectSetWidget::selectOtherVRF);
        connect(ui->checkBox_Other_Chill_Water, &QCheckBox::stateChanged, this,
                &HProjectSetWidget::selectOtherChiller);
        connect(ui->checkBox_Other_Unit, &QCheckBox::stateChanged, this,
                &HProjectSetWidget::selectOtherUnit);
    }
}

bool HProjectSetWidget::selectItem(QComboBox* box, const QString& text)
{
    if (text.isEmpty())
        return false;
    if (HCommon::updateCombox(box, text))
        return true;
    const int index = box->findText(text, Qt::MatchFixedString);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    return true;
}

void HProjectSetWidget::showProjectData()
{
    HProject* p = project();
    m_loading = true;
    qDebug() << "project year" << p->Getdate().year();
    ui->dateTimeEdit_Date->setDate(p->Getdate());
    ui->lineEdit_ProjectName->setText(p->Getname());

    // An area is converted through its side, so that a length factor applies squared.
    const double side =
        CUnitFun::FromBaseLengthUnitToCurrent(std::sqrt(std::max(0.0, p->Getbuild_area())));
    ui->lineEdit_BuildArea->setText(QString::number(side * side));
    ui->lineEdit_BuildHeight->setText(
        QString::number(CUnitFun::FromBaseLengthUnitToCurrent(p->Getbuild_height())));
    ui->lineEdit_NumberOfFloor->setText(QString::number(p->Getnumber_floors()));
    ui->lineEdit_CoolingPeakLoad->setText(
        QString::number(CUnitFun::capacityToCurrent(p->Getcooling_peak_load()), 'f', 2));
    ui->lineEdit_HeatingPeakLoad->setText(
        QString::number(CUnitFun::capacityToCurrent(p->Getheating_peak_load()), 'f', 2));

    // Location: the project's own when the weather database has it. A new project
    // (no location yet) takes the one on screen; a location the database lacks is
    // never replaced by another city's weather.
    bool known = false;
    if (p->Getcountry().isEmpty() && p->Getcity().isEmpty()) {
        known = !ui->comboBox_City->currentText().isEmpty();
        if (known) {
            p->setcountry(ui->comboBox_Country->currentText());
            p->setcity(ui->comboBox_City->currentText());
        }
    } else {
        const bool countryKnown = selectItem(ui->comboBox_Country, p->Getcountry());
        if (countryKnown) {
            initCityComboBox(ui->comboBox_Country->currentText());
        } else {
            ui->comboBox_Country->setCurrentIndex(-1);
            ui->comboBox_City->clear();
        }
        qDebug() << "project city" << p->Getcity();
        known = countryKnown && selectItem(ui->comboBox_City, p->Getcity());
        if (!known)
            ui->comboBox_City->setCurrentIndex(-1);
    }

    ui->lineEdit_Max_Temp->setText(temperatureText(p->Getmax_temp()));
    ui->lineEdit_Min_Temp->setText(temperatureText(p->Getmin_temp()));
    ui->lineEdit_Average_Temp->setText(temperatureText(p->Getaverage_temp()));
    ui->lineEdit_indoor_cooling_temp->setText(temperatureText(p->Getindoor_cooling_temperature()));
    ui->lineEdit_indoor_heating_temp->setText(temperatureText(p->Getindoor_heating_temperature()));
    ui->lineEdit_electricticy->setText(QString::number(p->Getelectricity_price()));
    ui->lineEdit_gas->setText(QString::number(p->Getgas_price()));
    ui->checkBox_thermo_off->setChecked(p->Getthermo_mode());
    m_loading = false;

    if (known) {
        emit signal_update_project_city(ui->comboBox_Country->currentText(),
                                        ui->comboBox_City->currentText());
    } else {
        p->setisHave8760WeatherData(false);
    }
    updateWeatherNotice();
}

void HProjectSetWidget::updateWeatherNotice()
{
    HProject* p = project();
    if (p->GetisHave8760WeatherData()) {
        ui->label_weather_missing->hide();
        return;
    }
    QString text;
    if (ui->comboBox_Country->count() == 0)
        text = TranslateString("The weather database holds no city, so the project has no "
                               "hourly weather. Import a weather file on the Weather page.");
    else if (p->Getcountry().isEmpty() || p->Getcity().isEmpty())
        text = TranslateString("Choose the project's country and city.");
    else
        text = TranslateString("%1 (%2) is not in the weather database, so the project has no "
                               "hourly weather. Choose a city, or import its weather file on "
                               "the Weather page.")
                   .arg(p->Getcity(), p->Getcountry());
    ui->label_weather_missing->setText(text);
    ui->label_weather_missing->show();
}

void HProjectSetWidget::initCountryComboBox()
{
    const bool loading = m_loading;
    m_loading = true;
    ui->comboBox_Country->clear();
    ui->comboBox_Country->addItems(HWeatherLocation::countries());
    m_loading = loading;
}

void HProjectSetWidget::initCityComboBox(QString country)
{
    // Clearing announces nothing (an empty city is ignored); the first city added is
    // selected and, outside loading, announced.
    ui->comboBox_City->clear();
    ui->comboBox_City->addItems(HWeatherLocation::cities(country));
}

void HProjectSetWidget::slot_update_outdoor_temp_info()
{
    HProject* p = project();
    ui->lineEdit_Max_Temp->setText(temperatureText(p->Getmax_temp()));
    ui->lineEdit_Min_Temp->setText(temperatureText(p->Getmin_temp()));
    ui->lineEdit_Average_Temp->setText(temperatureText(p->Getaverage_temp()));
    updateWeatherNotice();
}

void HProjectSetWidget::slot_update_project_info()
{
    setLanguage();
    updateIndoorRange();
    showProjectData();
}

void HProjectSetWidget::slot_weather_city_imported(QString country, QString city,
                                                   bool useForProject)
{
    HProject* p = project();
    const bool ownReplaced = p->Getcountry() == country && p->Getcity() == city;
    const bool announce = useForProject || ownReplaced;
    const QString shownCountry = announce ? country : ui->comboBox_Country->currentText();
    const QString shownCity = announce ? city : ui->comboBox_City->currentText();

    m_loading = true;
    initCountryComboBox();
    if (!selectItem(ui->comboBox_Country, shownCountry))
        ui->comboBox_Country->setCurrentIndex(-1);
    initCityComboBox(ui->comboBox_Country->currentText());
    if (!selectItem(ui->comboBox_City, shownCity))
        ui->comboBox_City->setCurrentIndex(-1);
    m_loading = false;

    if (announce) {
        p->setcountry(country);
        p->setcity(city);
        markNotCalculated();
        emit signal_update_project_city(country, city);
    }
    updateWeatherNotice();
}

void HProjectSetWidget::selectOtherVRF(int nMode)
{
    project()->setcompareToOtherVRF(nMode != 0);
    emit signal_selectOtherVRF(nMode);
}

void HProjectSetWidget::selectOtherChiller(int nMode)
{
    project()->setcompareToOtherChiller(nMode != 0);
    emit signal_selectOtherChiller(nMode);
}

void HProjectSetWidget::selectOtherUnit(int nMode)
{
    emit signal_selectOtherUnit(nMode);
}

void HProjectSetWidget::markNotCalculated()
{
    project()->setisCalculationSuccess(false);
}

void HProjectSetWidget::on_dateTimeEdit_Date_dateChanged(const QDate& date)
{
    if (!m_loading)
        project()->setdate(date);
}

void HProjectSetWidget::on_lineEdit_ProjectName_textEdited(const QString& text)
{
    project()->setname(text);
}

void HProjectSetWidget::on_lineEdit_BuildArea_textEdited(const QString& text)
{
    const double side =
        CUnitFun::FromCurrentToBaseLengthUnit(std::sqrt(std::max(0.0, number(text))));
    project()->setbuild_area(side * side);
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_BuildHeight_textEdited(const QString& text)
{
    project()->setbuild_height(CUnitFun::FromCurrentToBaseLengthUnit(std::max(0.0, number(text))));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_NumberOfFloor_textEdited(const QString& text)
{
    bool ok = false;
    const int floors = text.toInt(&ok, 10);
    project()->setnumber_floors(ok ? std::max(0, floors) : 0);
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_CoolingPeakLoad_textEdited(const QString& text)
{
    project()->setcooling_peak_load(number(CUnitFun::FromCurrentToBaseCapacityUnit(text)));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_HeatingPeakLoad_textEdited(const QString& text)
{
    project()->setheating_peak_load(number(CUnitFun::FromCurrentToBaseCapacityUnit(text)));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_Max_Temp_textEdited(const QString& text)
{
    project()->setmax_temp(baseTemperature(text));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_Average_Temp_textEdited(const QString& text)
{
    project()->setaverage_temp(baseTemperature(text));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_Min_Temp_textEdited(const QString& text)
{
    project()->setmin_temp(baseTemperature(text));
    markNotCalculated();
}

// The set-point range in the display unit.
void HProjectSetWidget::updateIndoorRange()
{
    m_indoorValidator->setRange(CUnitFun::temperatureToCurrent(HProjectValues::kIndoorSetPointMin),
                                CUnitFun::temperatureToCurrent(HProjectValues::kIndoorSetPointMax),
                                6);
}

// Leaving a set-point field may have set an out-of-range number to its limit; the
// project takes that value too. Leaving the field unchanged keeps the results.
void HProjectSetWidget::keepFixedIndoorText(QLineEdit* edit)
{
    const bool cooling = edit == ui->lineEdit_indoor_cooling_temp;
    const double stored = cooling ? project()->Getindoor_cooling_temperature()
                                  : project()->Getindoor_heating_temperature();
    if (edit->text() == temperatureText(stored)
        || std::abs(baseTemperature(edit->text()) - stored) <= 1e-9)
        return;
    if (cooling)
        on_lineEdit_indoor_cooling_temp_textEdited(edit->text());
    else
        on_lineEdit_indoor_heating_temp_textEdited(edit->text());
}

void HProjectSetWidget::on_lineEdit_indoor_cooling_temp_textEdited(const QString& text)
{
    project()->setindoor_cooling_temperature(baseTemperature(text));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_indoor_heating_temp_textEdited(const QString& text)
{
    project()->setindoor_heating_temperature(baseTemperature(text));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_electricticy_textEdited(const QString& text)
{
    project()->setelectricity_price(number(text));
    markNotCalculated();
}

void HProjectSetWidget::on_lineEdit_gas_textEdited(const QString& text)
{
    // Gas is not part of the calculation.
    project()->setgas_price(number(text));
}

void HProjectSetWidget::on_comboBox_Country_currentTextChanged(const QString& country)
{
    if (m_loading || country.isEmpty())
        return;
    project()->setcountry(country);
    markNotCalculated();
}

void HProjectSetWidget::on_comboBox_City_currentTextChanged(const QString& city)
{
    if (m_loading || city.isEmpty())
        return;
    project()->setcity(city);
    markNotCalculated();
    emit signal_update_project_city(ui->comboBox_Country->currentText(), city);
}

void HProjectSetWidget::on_checkBox_thermo_off_stateChanged(int state)
{
    if (m_loading)
        return;
    project()->setthermo_mode(state != 0);
    markNotCalculated();
}
