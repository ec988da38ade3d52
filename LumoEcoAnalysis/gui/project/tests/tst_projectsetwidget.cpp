// The project settings page: edits converted into the project, the calculated flag,
// the location lists and their announcements, and the comparison boxes.

#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HProject.h"
#include "HProjectSession.h"
#include "HProjectSetWidget.h"
#include "LumoWeather.h"
#include "TestSupport.h"
#include "WidgetTestSupport.h"
#include "tst_weather_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using brivanta::test::child;
using brivanta::test::typeInto;

namespace {

HProject* project()
{
    return HProject::getProject();
}

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

class TestProjectSetWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void areaThroughSideLength_data();
    void areaThroughSideLength();
    void editsAndTheCalculatedFlag_data();
    void editsAndTheCalculatedFlag();
    void indoorTemperatureInFahrenheit();
    void setPointOutOfRangeTakesTheLimit_data();
    void setPointOutOfRangeTakesTheLimit();
    void leavingAnUntouchedSetPointKeepsTheResults();
    void newProjectTakesTheCityOnScreen();
    void projectInAnotherCountryAnnouncedOnce();
    void choosingACountryAnnouncesItsFirstCity();
    void storedLocationMissingFromTheDatabase_data();
    void storedLocationMissingFromTheDatabase();
    void languageSwitchKeepsTheComparisonBoxes_data();
    void languageSwitchKeepsTheComparisonBoxes();

private:
    QTemporaryDir m_dir;
};

void TestProjectSetWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    HAppPaths::setApplicationDir(m_dir.path());
    const QString path = m_dir.filePath(QStringLiteral("Weather.db3"));
    {
        weatherfixture::Db db(path);
        auto mild = [](int, int, int, int) {
            return weatherfixture::Reading{15.0, 0.5};
        };
        db.addCity("Beta", "B2", "BET_B2", {2001}, mild);
        db.addCity("Alpha", "A2", "ALP_A2", {2001}, mild);
        db.addCity("Alpha", "A1", "ALP_A1", {2001}, mild);
        db.addCity("Beta", "B1", "BET_B1", {2001}, mild);
    }
    LumoWeather::setWeatherDbPath(path);
}

void TestProjectSetWidget::init()
{
    HProjectSession::newProject();
    CUnitFun::SetUnitLength(CUnitFun::LengthMetre);
    CUnitFun::SetUnitTemp(CUnitFun::TempCelsius);
    CUnitFun::SetUnitLoad(CUnitFun::LoadKW);
}

void TestProjectSetWidget::cleanup()
{
    CUnitFun::SetUnitLength(CUnitFun::LengthMetre);
    CUnitFun::SetUnitTemp(CUnitFun::TempCelsius);
}

void TestProjectSetWidget::cleanupTestCase()
{
    LumoWeather::setWeatherDbPath(QString());
    HAppPaths::setApplicationDir(QString());
    HProject::reset();
}

void TestProjectSetWidget::areaThroughSideLength_data()
{
    QTest::addColumn<int>("lengthUnit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored"); // m2
    QTest::newRow("metres") << int(CUnitFun::LengthMetre) << "100" << 100.0;
    // 1 ft = 0.3048 m exactly, so 100 ft2 = 100 x 0.3048^2 m2.
    QTest::newRow("feet") << int(CUnitFun::LengthFoot) << "100" << 9.290304;
    QTest::newRow("feet, fraction") << int(CUnitFun::LengthFoot) << "2500.5" << 2500.5 * 0.09290304;
}

void TestProjectSetWidget::areaThroughSideLength()
{
    QFETCH(int, lengthUnit);
    QFETCH(QString, typed);
    QFETCH(double, stored);

    CUnitFun::SetUnitLength(lengthUnit);
    HProjectSetWidget page;
    page.slot_update_project_info();
    auto* area = child<QLineEdit>(page, "lineEdit_BuildArea");
    typeInto(area, typed);
    BRIVANTA_COMPARE_NEAR(project()->Getbuild_area(), stored, 1e-12);

    page.showProjectData();
    QCOMPARE(area->text(), typed);
}

void TestProjectSetWidget::editsAndTheCalculatedFlag_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("clears");
    QTest::newRow("electricity price") << "lineEdit_electricticy"
                                       << "0.5" << true;
    QTest::newRow("gas price") << "lineEdit_gas"
                               << "3.5" << false;
    QTest::newRow("cooling peak load") << "lineEdit_CoolingPeakLoad"
                                       << "120" << true;
    QTest::newRow("heating peak load") << "lineEdit_HeatingPeakLoad"
                                       << "90" << true;
    QTest::newRow("area") << "lineEdit_BuildArea"
                          << "2000" << true;
    QTest::newRow("height") << "lineEdit_BuildHeight"
                            << "12" << true;
    QTest::newRow("floors") << "lineEdit_NumberOfFloor"
                            << "4" << true;
    QTest::newRow("indoor cooling") << "lineEdit_indoor_cooling_temp"
                                    << "25" << true;
    QTest::newRow("indoor heating") << "lineEdit_indoor_heating_temp"
                                    << "21" << true;
    QTest::newRow("thermo off") << "checkBox_thermo_off"
                                << "" << true;
    QTest::newRow("project name") << "lineEdit_ProjectName"
                                  << "Depot" << false;
}

void TestProjectSetWidget::editsAndTheCalculatedFlag()
{
    QFETCH(QString, widget);
    QFETCH(QString, typed);
    QFETCH(bool, clears);

    HProjectSetWidget page;
    page.slot_update_project_info();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    project()->setisCalculationSuccess(true);
    if (auto* box = page.findChild<QCheckBox*>(widget)) {
        const bool before = project()->Getthermo_mode();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QCOMPARE(project()->Getthermo_mode(), !before);
    } else {
        auto* edit = page.findChild<QLineEdit*>(widget);
        QVERIFY(edit);
        typeInto(edit, typed);
        QCOMPARE(edit->text(), typed);
    }
    QCOMPARE(project()->GetisCalculationSuccess(), !clears);
    if (widget == QLatin1String("lineEdit_electricticy"))
        QCOMPARE(project()->Getelectricity_price(), 0.5);
    if (widget == QLatin1String("lineEdit_gas"))
        QCOMPARE(project()->Getgas_price(), 3.5);
    if (widget == QLatin1String("lineEdit_NumberOfFloor"))
        QCOMPARE(project()->Getnumber_floors(), 4);
}

void TestProjectSetWidget::indoorTemperatureInFahrenheit()
{
    CUnitFun::SetUnitTemp(CUnitFun::TempFahrenheit);
    HProjectSetWidget page;
    page.slot_update_project_info();
    // The default 23 degrees C shows as 73.4 degrees F.
    auto* cooling = child<QLineEdit>(page, "lineEdit_indoor_cooling_temp");
    QCOMPARE(cooling->text(), QStringLiteral("73.40"));
    QVERIFY(child<QLabel>(page, "label_cooling_season")->text().contains(QStringLiteral("F")));
    typeInto(cooling, QStringLiteral("77"));
    BRIVANTA_COMPARE_NEAR(project()->Getindoor_cooling_temperature(), 25.0, 1e-12);
    typeInto(child<QLineEdit>(page, "lineEdit_indoor_heating_temp"), QStringLiteral("50"));
    BRIVANTA_COMPARE_NEAR(project()->Getindoor_heating_temperature(), 10.0, 1e-12);
}

void TestProjectSetWidget::setPointOutOfRangeTakesTheLimit_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("celsius");
    const int c = CUnitFun::TempCelsius;
    const int f = CUnitFun::TempFahrenheit;
    const QString cooling = QStringLiteral("lineEdit_indoor_cooling_temp");
    const QString heating = QStringLiteral("lineEdit_indoor_heating_temp");
    QTest::newRow("C above") << c << cooling << "60"
                             << "50.00" << 50.0;
    QTest::newRow("C in range") << c << heating << "18.5"
                                << "18.5" << 18.5;
    QTest::newRow("C minus sign refused") << c << heating << "-5"
                                          << "5" << 5.0;
    QTest::newRow("F above") << f << cooling << "130"
                             << "122.00" << 50.0;
    QTest::newRow("F below") << f << heating << "20"
                             << "32.00" << 0.0;
}

// The field is left with Return: an out-of-range number becomes the limit, on screen
// and in the project.
void TestProjectSetWidget::setPointOutOfRangeTakesTheLimit()
{
    QFETCH(int, unit);
    QFETCH(QString, widget);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, celsius);

    CUnitFun::SetUnitTemp(unit);
    HProjectSetWidget page;
    page.slot_update_project_info();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* edit = child<QLineEdit>(page, widget.toLatin1().constData());
    typeInto(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), shown);
    const double stored = widget.contains(QLatin1String("cooling"))
        ? project()->Getindoor_cooling_temperature()
        : project()->Getindoor_heating_temperature();
    BRIVANTA_COMPARE_NEAR(stored, celsius, 1e-9);
}

void TestProjectSetWidget::leavingAnUntouchedSetPointKeepsTheResults()
{
    project()->setindoor_cooling_temperature(23.456); // shown rounded, as 23.46
    HProjectSetWidget page;
    page.slot_update_project_info();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    project()->setisCalculationSuccess(true);
    auto* edit = child<QLineEdit>(page, "lineEdit_indoor_cooling_temp");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(project()->Getindoor_cooling_temperature(), 23.456);
    QVERIFY(project()->GetisCalculationSuccess());
}

void TestProjectSetWidget::newProjectTakesTheCityOnScreen()
{
    HProjectSetWidget page;
    auto* country = child<QComboBox>(page, "comboBox_Country");
    auto* city = child<QComboBox>(page, "comboBox_City");
    QCOMPARE(items(country), QStringList({"Alpha", "Beta"}));
    QCOMPARE(items(city), QStringList({"A1", "A2"}));

    QSignalSpy announced(&page, &HProjectSetWidget::signal_update_project_city);
    page.slot_update_project_info();
    QCOMPARE(announced.count(), 1);
    QCOMPARE(announced.at(0), QVariantList({"Alpha", "A1"}));
    QCOMPARE(project()->Getcountry(), QStringLiteral("Alpha"));
    QCOMPARE(project()->Getcity(), QStringLiteral("A1"));
}

void TestProjectSetWidget::projectInAnotherCountryAnnouncedOnce()
{
    HProjectSetWidget page;
    page.slot_update_project_info();
    project()->setcountry(QStringLiteral("Beta"));
    project()->setcity(QStringLiteral("B2"));
    project()->setisCalculationSuccess(true);

    QSignalSpy announced(&page, &HProjectSetWidget::signal_update_project_city);
    page.slot_update_project_info();

    QCOMPARE(announced.count(), 1);
    QCOMPARE(announced.at(0), QVariantList({"Beta", "B2"}));
    QCOMPARE(child<QComboBox>(page, "comboBox_Country")->currentText(), QStringLiteral("Beta"));
    QCOMPARE(items(child<QComboBox>(page, "comboBox_City")), QStringList({"B1", "B2"}));
    QCOMPARE(child<QComboBox>(page, "comboBox_City")->currentText(), QStringLiteral("B2"));
    // Showing a project changes nothing in it.
    QCOMPARE(project()->Getcountry(), QStringLiteral("Beta"));
    QCOMPARE(project()->Getcity(), QStringLiteral("B2"));
    QVERIFY(project()->GetisCalculationSuccess());
}

void TestProjectSetWidget::choosingACountryAnnouncesItsFirstCity()
{
    HProjectSetWidget page;
    page.slot_update_project_info();
    project()->setisCalculationSuccess(true);
    QSignalSpy announced(&page, &HProjectSetWidget::signal_update_project_city);
    auto* country = child<QComboBox>(page, "comboBox_Country");
    country->setCurrentIndex(country->findText(QStringLiteral("Beta")));

    QCOMPARE(announced.count(), 1);
    QCOMPARE(announced.at(0), QVariantList({"Beta", "B1"}));
    QCOMPARE(project()->Getcountry(), QStringLiteral("Beta"));
    QCOMPARE(project()->Getcity(), QStringLiteral("B1"));
    QVERIFY(!project()->GetisCalculationSuccess());
}

void TestProjectSetWidget::storedLocationMissingFromTheDatabase_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("shownCountry");
    QTest::newRow("unknown country") << "Gamma"
                                     << "G1"
                                     << "";
    QTest::newRow("unknown city of a known country") << "Beta"
                                                     << "B9"
                                                     << "Beta";
}

void TestProjectSetWidget::storedLocationMissingFromTheDatabase()
{
    QFETCH(QString, country);
    QFETCH(QString, city);
    QFETCH(QString, shownCountry);

    HProjectSetWidget page;
    page.slot_update_project_info(); // shows Alpha / A1
    project()->setcountry(country);
    project()->setcity(city);
    project()->setisHave8760WeatherData(true);

    QSignalSpy announced(&page, &HProjectSetWidget::signal_update_project_city);
    page.slot_update_project_info();

    // No other city's weather is passed off as the project's.
    QCOMPARE(announced.count(), 0);
    QVERIFY(!project()->GetisHave8760WeatherData());
    QCOMPARE(project()->Getcountry(), country);
    QCOMPARE(project()->Getcity(), city);
    QCOMPARE(child<QComboBox>(page, "comboBox_Country")->currentText(), shownCountry);
    QCOMPARE(child<QComboBox>(page, "comboBox_City")->currentText(), QString());
    auto* notice = child<QLabel>(page, "label_weather_missing");
    QVERIFY(!notice->isHidden());
    QVERIFY2(notice->text().contains(city), qPrintable(notice->text()));

    // Choosing a city announces it.
    auto* countryBox = child<QComboBox>(page, "comboBox_Country");
    countryBox->setCurrentIndex(countryBox->findText(QStringLiteral("Alpha")));
    QCOMPARE(announced.count(), 1);
    QCOMPARE(announced.at(0), QVariantList({"Alpha", "A1"}));
    QCOMPARE(project()->Getcity(), QStringLiteral("A1"));
}

void TestProjectSetWidget::languageSwitchKeepsTheComparisonBoxes_data()
{
    QTest::addColumn<bool>("chiller");
    QTest::addColumn<bool>("otherVrf");
    QTest::newRow("as started") << false << true;
    QTest::newRow("chiller on, other VRF off") << true << false;
}

void TestProjectSetWidget::languageSwitchKeepsTheComparisonBoxes()
{
    QFETCH(bool, chiller);
    QFETCH(bool, otherVrf);

    HProjectSetWidget page;
    page.slot_update_project_info();
    auto* chillerBox = child<QCheckBox>(page, "checkBox_Other_Chill_Water");
    auto* vrfBox = child<QCheckBox>(page, "checkBox_Other_VRF");
    QVERIFY(!chillerBox->isChecked());
    QVERIFY(vrfBox->isChecked());
    QVERIFY(!project()->GetcompareToOtherChiller());
    chillerBox->setChecked(chiller);
    vrfBox->setChecked(otherVrf);
    QCOMPARE(project()->GetcompareToOtherChiller(), chiller);
    QCOMPARE(project()->GetcompareToOtherVRF(), otherVrf);

    QSignalSpy chillerSignal(&page, &HProjectSetWidget::signal_selectOtherChiller);
    QSignalSpy vrfSignal(&page, &HProjectSetWidget::signal_selectOtherVRF);
    QSignalSpy unitSignal(&page, &HProjectSetWidget::signal_selectOtherUnit);
    page.setLanguage();              // language switch
    page.slot_update_project_info(); // units switch: texts and values again

    QCOMPARE(chillerBox->isChecked(), chiller);
    QCOMPARE(vrfBox->isChecked(), otherVrf);
    QCOMPARE(project()->GetcompareToOtherChiller(), chiller);
    QCOMPARE(project()->GetcompareToOtherVRF(), otherVrf);
    QCOMPARE(chillerSignal.count(), 0);
    QCOMPARE(vrfSignal.count(), 0);
    QCOMPARE(unitSignal.count(), 0);
}

QTEST_MAIN(TestProjectSetWidget)
#include "tst_projectsetwidget.moc"
