// A project built only through the unit pages of the main window (own units chosen
// from the demo catalogue, the other make's units typed, one of its curves edited)
// is calculated by the window and then by lumoeco from the file the window saved:
// both give the same figures, month for month.

#include "HOtherVRFUnitInfo.h"
#include "HProductPerformanceDataForVRF.h"
#include "HSetPerformanceDataDialog.h"
#include "HUnitInfoWidget.h"
#include "HUnitTable.h"
#include "HVRF.h"
#include "HVRFUnitInfoWidget.h"
#include "HWeatherWidget.h"
#include "LumoWeather.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "TestSupport.h"
#include "tst_units_fixture.h"
#include "tst_units_widgets.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>

using brivanta::test::ModalDialogs;
using unitswidgets::addOtherUnit;
using unitswidgets::addOwnUnit;

class TestUnitPagesEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void builtThroughThePages();

private:
    QJsonObject lumoeco(const QString& project);

    unitsfixture::Catalogue m_catalogue;
};

void TestUnitPagesEndToEnd::initTestCase()
{
    LumoWeather::setWeatherDbPath(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"));
    QVERIFY(m_catalogue.setUp());
}

void TestUnitPagesEndToEnd::cleanupTestCase()
{
    m_catalogue.tearDown();
}

QJsonObject TestUnitPagesEndToEnd::lumoeco(const QString& project)
{
    QProcess p;
    p.setWorkingDirectory(m_catalogue.path(QString()));
    p.start(QStringLiteral(LUMOECO_PATH),
            {"calculate", project, "--format", "json", "--weather",
             QStringLiteral(BRIVANTA_FIXTURE_DIR "/Weather.db3"), "--products",
             m_catalogue.path("Product.mdb"), "--app-dir", m_catalogue.path(QString())});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

void TestUnitPagesEndToEnd::builtThroughThePages()
{
    MainWindow w;
    HProject* p = HProject::getProject();
    p->setname("Pages");
    p->setcooling_peak_load(90.0);
    p->setheating_peak_load(80.0);
    p->setelectricity_price(0.25);
    for (int h = 8; h <= 18; ++h)
        p->setOperationDailyIsOn(h, true);
    for (int d = 1; d <= 5; ++d)
        p->setOperationWeeklyIsOn(d, true);
    for (int m = 1; m <= 12; ++m)
        p->setOperationMonthlyIsOn(m, true);
    p->setcountry("France");
    p->setcity("Paris");
    w.weatherWidget()->updateWeatherParam("France", "Paris");
    QVERIFY(p->GetisHave8760WeatherData());

    w.switchToVRF();
    HUnitInfoWidget* units = w.unitInfoWidget();
    HVRFUnitInfoWidget* own = units->ownPage();
    HOtherVRFUnitInfo* other = units->otherVRFPage();
    QVERIFY(own && other);

    QVERIFY(addOwnUnit(own, true, "VX heat pump", "Quellmark VXS-400", "1"));
    QVERIFY(addOwnUnit(own, true, "VX heat pump", "Quellmark VXS-280", "2"));
    QVERIFY(addOwnUnit(own, false, "Four-way cassette", "Quellmark Cassette CF-71", "8"));
    QVERIFY(addOwnUnit(own, false, "Wall-mounted", "Quellmark Wall WM-36", "6"));

    units->tabWidget()->setCurrentWidget(other);
    QVERIFY(addOtherUnit(other, true, {"Brand X", "X-450", "2", "45", "12.5", "50", "12"}));
    QVERIFY(
        addOtherUnit(other, false, {"Brand X cassette", "XC-71", "8", "7.1", "0.06", "8", "0.06"}));
    QVERIFY(addOtherUnit(other, false, {"Brand X wall", "XW-36", "6", "3.6", "0.03", "4", "0.03"}));

    // The other make's half-load cooling point: 55 % of the rated power, not 45 %.
    ModalDialogs dialogs;
    dialogs.then([](QWidget* widget) {
        auto* dialog = qobject_cast<HSetPerformanceDataDialog*>(widget);
        if (!dialog)
            return;
        QTableWidget* cooling = dialog->coolingTable();
        for (int r = 0; r < cooling->rowCount(); ++r) {
            if (cooling->item(r, 1)->text() == QLatin1String("50"))
                cooling->item(r, 2)->setText("55");
        }
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QTest::mouseClick(other->performanceDataButton(), Qt::LeftButton);
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(p->getOtherVRFSys()->getVRFProductPerformanceData()->calculateEIR(0.5), 0.55);

    QVERIFY(w.Calculate());
    QVERIFY(p->GetisCalculationSuccess());
    const QString file = m_catalogue.path("pages.ee");
    dialogs.thenChooseFile(file);
    w.SaveAs();
    QCOMPARE(dialogs.pending(), 0);
    QCOMPARE(dialogs.seen().size(), 2); // the editor and the file dialog, nothing else
    QCOMPARE(p->GetfilePath(), file);

    const QJsonObject expected = lumoeco(file);
    QVERIFY(!expected.isEmpty());
    const QJsonArray months = expected.value("monthly").toArray();
    QCOMPARE(months.size(), 12);
    double ownYear = 0.0;
    double otherYear = 0.0;
    for (int m = 1; m <= 12; ++m) {
        const QJsonObject row = months.at(m - 1).toObject();
        const double ownKWh = p->getOwnVRFSys()->getMonthEnergyConsumption(m);
        const double otherKWh = p->getOtherVRFSys()->getMonthEnergyConsumption(m);
        QVERIFY2(ownKWh == row.value("own_kwh").toDouble(),
                 qPrintable(QStringLiteral("month %1 own %2 vs %3")
                                .arg(m)
                                .arg(ownKWh, 0, 'g', 17)
                                .arg(row.value("own_kwh").toDouble(), 0, 'g', 17)));
        QVERIFY2(otherKWh == row.value("other_kwh").toDouble(),
                 qPrintable(QStringLiteral("month %1 other %2 vs %3")
                                .arg(m)
                                .arg(otherKWh, 0, 'g', 17)
                                .arg(row.value("other_kwh").toDouble(), 0, 'g', 17)));
        ownYear += ownKWh;
        otherYear += otherKWh;
    }
    QVERIFY(ownYear > 0.0 && otherYear > 0.0);
}

QTEST_MAIN(TestUnitPagesEndToEnd)
#include "tst_unitpages_endtoend.moc"
