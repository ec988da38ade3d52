#include "CUnitFun.h"
#include "HUnitSetDlg.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

class tst_CUnitFun : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase();

    void defaults();
    void unknownCodeSelectsDefault_data();
    void unknownCodeSelectsDefault();
    void temperature_data();
    void temperature();
    void capacity_data();
    void capacity();
    void length_data();
    void length();
    void roundTrip_data();
    void roundTrip();
    void textArguments_data();
    void textArguments();
    void labels_data();
    void labels();
    void dialogStartsAtCurrentAndApplies();
    void showUnitWidgetIsModal_data();
    void showUnitWidgetIsModal();
};

static void setAll(int temp, int load, int length, int airFlow)
{
    CUnitFun::SetUnitTemp(temp);
    CUnitFun::SetUnitLoad(load);
    CUnitFun::SetUnitAirFlowRate(airFlow);
    CUnitFun::SetUnitLength(length);
}

static double number(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok)
        qWarning("not a number: %s", qPrintable(text));
    return ok ? v : std::nan("");
}

void tst_CUnitFun::init()
{
    setAll(1, 1, 1, 2);
}

void tst_CUnitFun::cleanupTestCase()
{
    setAll(1, 1, 1, 2);
}

void tst_CUnitFun::defaults()
{
    // The codes a new project stores (1, 1, 1, 2) are degrees C, kW, m and m3/h.
    QCOMPARE(CUnitFun::tempSymbol(1), QStringLiteral("°C"));
    QCOMPARE(CUnitFun::loadSymbol(1), QStringLiteral("kW"));
    QCOMPARE(CUnitFun::lengthSymbol(1), QStringLiteral("m"));
    QCOMPARE(CUnitFun::airFlowRateSymbol(2), QStringLiteral("m³/h"));
    QCOMPARE(CUnitFun::FromBaseTemperatureUnitToCurrent(21.5), QStringLiteral("21.5"));
    QCOMPARE(CUnitFun::FromBaseCapacityUnitToCurrent(12.5, false), QStringLiteral("12.5"));
    QCOMPARE(CUnitFun::FromBaseLengthUnitToCurrent(3.2), 3.2);
}

void tst_CUnitFun::unknownCodeSelectsDefault_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("zero from a file without the key") << 0;
    QTest::newRow("negative") << -1;
    QTest::newRow("beyond the last code") << 9;
}

void tst_CUnitFun::unknownCodeSelectsDefault()
{
    QFETCH(int, code);
    setAll(2, 3, 2, 3);
    setAll(code, code, code, code);
    QCOMPARE(CUnitFun::GetUnitTemp(), 1);
    QCOMPARE(CUnitFun::GetUnitLoad(), 1);
    QCOMPARE(CUnitFun::GetUnitLength(), 1);
    QCOMPARE(CUnitFun::GetUnitAirFlowRate(), 2);
}

void tst_CUnitFun::temperature_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<double>("shown");
    QTest::newRow("C freezing") << 1 << 0.0 << 0.0;
    QTest::newRow("F freezing") << 2 << 0.0 << 32.0;
    QTest::newRow("F boiling") << 2 << 100.0 << 212.0;
    QTest::newRow("F minus forty") << 2 << -40.0 << -40.0;
    QTest::newRow("F indoor") << 2 << 26.0 << 78.8;
}

void tst_CUnitFun::temperature()
{
    QFETCH(int, code);
    QFETCH(double, celsius);
    QFETCH(double, shown);
    CUnitFun::SetUnitTemp(code);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromBaseTemperatureUnitToCurrent(celsius)), shown,
                          1e-12);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromCentigradeToCurrent(celsius)), shown, 1e-12);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromCurrentToBaseTemperatureUnit(shown)), celsius,
                          1e-12);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromCurrentToCentigrade(CUnitFun::toText(shown))),
                          celsius, 1e-12);
}

void tst_CUnitFun::capacity_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("kW");
    QTest::addColumn<double>("shown");
    QTest::newRow("kW") << 1 << 28.0 << 28.0;
    QTest::newRow("Btu/h of 1 kW") << 2 << 1.0 << 3412.14163312794;
    QTest::newRow("kcal/h of 1 kW") << 3 << 1.0 << 859.845227858985;
    QTest::newRow("one refrigeration ton") << 4 << 3.51685284206667 << 1.0;
    QTest::newRow("RT of 12000 Btu/h") << 4 << 12000.0 / 3412.14163312794 << 1.0;
}

void tst_CUnitFun::capacity()
{
    QFETCH(int, code);
    QFETCH(double, kW);
    QFETCH(double, shown);
    CUnitFun::SetUnitLoad(code);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromBaseCapacityUnitToCurrent(kW, false)), shown, 1e-12);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromCurrentToBaseCapacityUnit(shown)), kW, 1e-12);
}

void tst_CUnitFun::length_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("metres");
    QTest::addColumn<double>("shown");
    QTest::newRow("m") << 1 << 3.5 << 3.5;
    QTest::newRow("one foot") << 2 << 0.3048 << 1.0;
    QTest::newRow("ten metres in feet") << 2 << 10.0 << 32.8083989501312;
}

void tst_CUnitFun::length()
{
    QFETCH(int, code);
    QFETCH(double, metres);
    QFETCH(double, shown);
    CUnitFun::SetUnitLength(code);
    BRIVANTA_COMPARE_NEAR(CUnitFun::FromBaseLengthUnitToCurrent(metres), shown, 1e-12);
    BRIVANTA_COMPARE_NEAR(CUnitFun::FromCurrentToBaseLengthUnit(shown), metres, 1e-12);
    // An area converts through its square root.
    const double area = metres * metres;
    const double shownArea = std::pow(CUnitFun::FromBaseLengthUnitToCurrent(std::sqrt(area)), 2);
    BRIVANTA_COMPARE_NEAR(shownArea, shown * shown, 1e-12);
}

void tst_CUnitFun::roundTrip_data()
{
    QTest::addColumn<int>("temp");
    QTest::addColumn<int>("load");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("value");
    QTest::newRow("F Btu/h ft, awkward fraction") << 2 << 2 << 2 << 1.0 / 3.0;
    QTest::newRow("F kcal/h ft, large") << 2 << 3 << 2 << 123456.789012345;
    QTest::newRow("C RT m, small") << 1 << 4 << 1 << 1.0e-7;
    QTest::newRow("F RT ft, negative") << 2 << 4 << 2 << -17.7777777777778;
    QTest::newRow("F Btu/h ft, typical capacity") << 2 << 2 << 2 << 22.4;
}

void tst_CUnitFun::roundTrip()
{
    QFETCH(int, temp);
    QFETCH(int, load);
    QFETCH(int, length);
    QFETCH(double, value);
    setAll(temp, load, length, 2);
    const QString t = CUnitFun::FromBaseTemperatureUnitToCurrent(value);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromCurrentToBaseTemperatureUnit(t)), value, 1e-9);
    const QString c = CUnitFun::FromBaseCapacityUnitToCurrent(value, false);
    BRIVANTA_COMPARE_NEAR(number(CUnitFun::FromCurrentToBaseCapacityUnit(c)), value, 1e-9);
    BRIVANTA_COMPARE_NEAR(
        CUnitFun::FromCurrentToBaseLengthUnit(CUnitFun::FromBaseLengthUnitToCurrent(value)), value,
        1e-9);
}

void tst_CUnitFun::textArguments_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("celsius"); // empty: not a number
    QTest::newRow("plain") << "212"
                           << "100";
    QTest::newRow("blanks around") << " 50 "
                                   << "10";
    QTest::newRow("exponent") << "3.2e1"
                              << "0";
    QTest::newRow("decimal comma is not C locale") << "50,0"
                                                   << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("words") << "warm"
                           << "";
}

void tst_CUnitFun::textArguments()
{
    QFETCH(QString, text);
    QFETCH(QString, celsius);
    CUnitFun::SetUnitTemp(2);
    QCOMPARE(CUnitFun::FromCurrentToCentigrade(text), celsius);
    QCOMPARE(CUnitFun::FromCurrentToBaseTemperatureUnit(text), celsius);
}

void tst_CUnitFun::labels_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("airFlow");
    QTest::newRow("header") << 0 << "(°F)"
                            << "(RT)"
                            << "(ft)"
                            << "(CFM)";
    QTest::newRow("caption") << 1 << " (°F)"
                             << " (RT)"
                             << " (ft)"
                             << " (CFM)";
    QTest::newRow("bare") << -1 << "°F"
                          << "RT"
                          << "ft"
                          << "CFM";
}

void tst_CUnitFun::labels()
{
    QFETCH(int, style);
    setAll(2, 4, 2, 3);
    QTEST(CUnitFun::GetUnitTempString(style), "temp");
    QTEST(CUnitFun::GetUnitLoadString(style), "load");
    QTEST(CUnitFun::GetUnitLengthString(style), "length");
    QTEST(CUnitFun::GetUnitAirFlowRateString(style), "airFlow");
}

void tst_CUnitFun::dialogStartsAtCurrentAndApplies()
{
    setAll(2, 3, 1, 1);
    HUnitSetDlg dlg;
    QCOMPARE(dlg.temperatureComboBox()->currentData().toInt(), 2);
    QCOMPARE(dlg.loadComboBox()->currentData().toInt(), 3);
    QCOMPARE(dlg.lengthComboBox()->currentData().toInt(), 1);
    QCOMPARE(dlg.airFlowRateComboBox()->currentData().toInt(), 1);
    QCOMPARE(dlg.loadComboBox()->count(), 4);
    QCOMPARE(dlg.airFlowRateComboBox()->count(), 3);

    dlg.temperatureComboBox()->setCurrentIndex(0);
    dlg.loadComboBox()->setCurrentIndex(3);
    // Nothing changes before apply.
    QCOMPARE(CUnitFun::GetUnitLoad(), 3);
    dlg.apply();
    QCOMPARE(CUnitFun::GetUnitTemp(), 1);
    QCOMPARE(CUnitFun::GetUnitLoad(), 4);
}

void tst_CUnitFun::showUnitWidgetIsModal_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("expectedLoad");
    QTest::newRow("accepted") << true << 2;
    QTest::newRow("cancelled") << false << 1;
}

void tst_CUnitFun::showUnitWidgetIsModal()
{
    QFETCH(bool, accept);
    QFETCH(int, expectedLoad);
    bool sawModal = false;
    // Runs inside the dialog's event loop.
    QTimer::singleShot(0, [&] {
        HUnitSetDlg* dlg = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<HUnitSetDlg*>(w); d && d->isVisible())
                dlg = d;
        if (!dlg)
            return;
        sawModal =
            QApplication::activeModalWidget() == dlg && dlg->findChildren<QComboBox*>().size() == 4;
        dlg->loadComboBox()->setCurrentIndex(1);
        if (accept)
            dlg->accept();
        else
            dlg->reject();
    });
    QCOMPARE(CUnitFun::showUnitWidget(), accept);
    QVERIFY(sawModal);
    QCOMPARE(CUnitFun::GetUnitLoad(), expectedLoad);
}

QTEST_MAIN(tst_CUnitFun)
#include "tst_cunitfun.moc"
