#include "HWeatherWidget.h"
#include "ui_HWeatherWidget.h"

#include "CUnitFun.h"
#include "HDatabase.h"
#include "HProject.h"
#include "HWaitCursor.h"
#include "HWeatherAnalysis.h"
#include "HWeatherDesignPoints.h"
#include "HWeatherImport.h"
#include "HWeatherImportDlg.h"
#include "HWeatherLocation.h"
#include "TranslateString.h"
#include "chartForm.h"

#include <QDoubleValidator>
#include <QFileDialog>
#include <QFileInfo>
#include <QIntValidator>
#include <QJsonObject>
#include <QListWidgetItem>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The batch of the Calculate button analyses every city with the index's rule.
constexpr int batchIgnoreHours = 35;

QString temperatureText(double value)
{
    return QString::number(value, 'f', 2);
}

chartForm* addChart(QWidget* tab)
{
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* chart = new chartForm(tab);
    layout->addWidget(chart);
    return chart;
}

} // namespace

HWeatherWidget::HWeatherWidget(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::HWeatherWidget)
{
    ui->setupUi(this);
    for (int i = 0; i < 12; ++i)
        m_monthPositions.append(360 + 730 * i);

    m_lineChart = addChart(ui->tab_1);
    m_barChart = addChart(ui->tab_2);
    setLanguage();

    connect(ui->precentRadioButton, &QRadioButton::clicked, this, &HWeatherWidget::redionBtnSlot);
    connect(ui->hoursRadioButton, &QRadioButton::clicked, this, &HWeatherWidget::redionBtnSlot);
    connect(ui->listWidget, &QListWidget::itemChanged, this,
            &HWeatherWidget::listWidgetItemClickedSlot);
    connect(ui->lineEdit_p, &QLineEdit::textChanged, this, &HWeatherWidget::recalTempValueSlot);
    connect(ui->lineEdit_h, &QLineEdit::textChanged, this, &HWeatherWidget::recalTempValueSlot);

    ui->precentRadioButton->setChecked(true);
    ui->hoursRadioButton->setChecked(false);
    ui->lineEdit_h->setEnabled(false);
    ui->lineEditMaxTemp->setEnabled(false);
    ui->lineEditMinTemp->setEnabled(false);
    ui->lineEdit_X->setEnabled(false);

    auto* percent = new QDoubleValidator(0.0, 100.0, 3, this);
    percent->setNotation(QDoubleValidator::StandardNotation);
    percent->setLocale(QLocale::c());
    ui->lineEdit_p->setValidator(percent);
    ui->lineEdit_h->setValidator(new QIntValidator(0, 8759, this));
    ui->lineEdit_h->setText(QStringLiteral("35"));
    ui->lineEdit_p->setText(QStringLiteral("0.4"));
    ui->listWidget->hide();
    ui->labelCity->hide();
    ui->pushButton_cal->show();
}

HWeatherWidget::~HWeatherWidget()
{
    delete ui;
}

void HWeatherWidget::setLanguage()
{
    const QString unit = CUnitFun::GetUnitTempString(1);
    showTitle();
    ui->labelMinTemp->setText(QStringLiteral("%1%2:").arg(TranslateString("Min.Temp"), unit));
    ui->labelMaxTemp->setText(QStringLiteral("%1%2:").arg(TranslateString("Max.Temp"), unit));
    ui->label_X->setText(
        QStringLiteral("%1%2:").arg(TranslateString("Ambient Temperature Consideration"), unit));
    ui->precentRadioButton->setText(QStringLiteral("%1(%):").arg(TranslateString("Precent")));
    ui->hoursRadioButton->setText(QStringLiteral("%1:").arg(TranslateString("Ignore Hours(h)")));
    ui->tabWidget->setTabText(0, TranslateString("Line Chart"));
    ui->tabWidget->setTabText(1, TranslateString("Bar Chart"));
    ui->pushButton_cal->setText(TranslateString("Calculate"));
    ui->pushButton_cal->setToolTip(
        TranslateString("Analyse the weather of every city in the weather database and store "
                        "its summer and winter design points"));
    ui->pushButton_import->setText(TranslateString("Import weather file…"));
    ui->pushButton_import->setToolTip(
        TranslateString("Add the hourly weather of a city from an EPW or TMY3 CSV file"));

    m_monthNames =
        QStringList{TranslateString("Jan"), TranslateString("Feb"), TranslateString("Mar"),
                    TranslateString("Apl"), TranslateString("May"), TranslateString("Jun"),
                    TranslateString("Jly"), TranslateString("Aug"), TranslateString("Sep"),
                    TranslateString("Oct"), TranslateString("Nov"), TranslateString("Dec")};
    m_lineChart->set8760LineChart();
    m_barChart->set8760BarChart();

    // Figures, month names and the missing-weather notice in the new language or unit;
    // nothing is recomputed or written into the project.
    if (!m_table.isEmpty())
        display();
    else if (!ui->labelCity->text().isEmpty())
        showMissingWeather(m_country, m_city);
}

void HWeatherWidget::showTitle()
{
    QString title = TranslateString("Ambient Air Temperature Distribution");
    if (!m_table.isEmpty())
        title += QStringLiteral("(%1-%2)").arg(m_country, m_city);
    ui->labelTitle->setText(title);
}

int HWeatherWidget::ignoreHours() const
{
    if (ui->precentRadioButton->isChecked())
        return HWeatherAnalysis::calculateIgnoreHours(ui->lineEdit_p->text().toDouble());
    if (ui->hoursRadioButton->isChecked())
        return ui->lineEdit_h->text().toInt();
    return 0;
}

void HWeatherWidget::redionBtnSlot()
{
    ui->lineEdit_h->setEnabled(ui->hoursRadioButton->isChecked());
    ui->lineEdit_p->setEnabled(ui->precentRadioButton->isChecked());
    // The other rule may give another design temperature.
    recalTempValueSlot();
}

void HWeatherWidget::recalTempValueSlot()
{
    if (m_table.isEmpty())
        return;
    refreshData();
    emit signal_update_project_location_temp_info();
}

void HWeatherWidget::on_lineEdit_X_textChanged(const QString& text)
{
    if (m_table.isEmpty())
        return;
    bool ok = false;
    const double shown = text.toDouble(&ok);
    if (!ok)
        return;
    // The field shows the design temperature rounded; the project keeps it unrounded.
    const double celsius = text == temperatureText(m_designTemp)
        ? m_figures.designCelsius
        : CUnitFun::temperatureToBase(shown);
    HProject::getProject()->setaverage_temp(celsius);
}

void HWeatherWidget::listWidgetItemClickedSlot(QListWidgetItem*)
{
    if (isVisible())
        refreshData();
}

void HWeatherWidget::reCreateGraph()
{
    HProject* project = HProject::getProject();
    if (!project->GetisHave8760WeatherData())
        showMissingWeather(project->Getcountry(), project->Getcity());
    else
        refreshData();
}

void HWeatherWidget::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->type() == QEvent::Show)
        reCreateGraph();
}

void HWeatherWidget::reject() { }

void HWeatherWidget::updateWeatherParam(QString country, QString city)
{
    HWeatherLocation::Result location;
    bool found = false;
    {
        HWaitCursor wait;
        found = HWeatherLocation::setProjectLocation(country, city, ignoreHours(), &location);
    }
    if (!found) {
        showMissingWeather(country, city);
    } else {
        m_filledHours = location.filledHours;
        setWeatherTableName(location.tableName, country, city, true);
        showTitle();
    }
    emit signal_update_project_location_temp_info();
}

void HWeatherWidget::setWeatherTableName(QString table, QString country, QString city, bool force)
{
    m_country = country;
    m_city = city;
    if (force || table != m_table) {
        m_table = table;
        LumoWeather* weather = LumoWeather::getQWeather();
        weather->setWeatherTableName(table);
        const QSignalBlocker block(ui->listWidget);
        ui->listWidget->clear();
        QList<int> years;
        weather->findAllYearList(years);
        for (const int year : qAsConst(years)) {
            auto* item = new QListWidgetItem(QString::number(year), ui->listWidget);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Unchecked);
        }
    }
    initLoadYearlist();
}

void HWeatherWidget::initLoadYearlist()
{
    HDatabase* db = LumoWeather::getWeatherDB();
    if (!db || !db->isVilidDatabase() || ui->listWidget->count() == 0)
        return;
    {
        // Every year of the table is used; the list only shows them.
        const QSignalBlocker block(ui->listWidget);
        for (int i = 0; i < ui->listWidget->count(); ++i)
            ui->listWidget->item(i)->setCheckState(Qt::Checked);
    }
    refreshData();
}

void HWeatherWidget::refreshData()
{
    HDatabase* db = LumoWeather::getWeatherDB();
    if (m_table.isEmpty() || !db || !db->isVilidDatabase())
        return;
    HWaitCursor wait;
    HWeatherAnalysis analysis(m_table);
    analysis.setIgnoreHours(ignoreHours());
    analysis.analysisData();

    Figures figures;
    figures.maxCelsius = analysis.GetMaxTemperature();
    figures.minCelsius = analysis.GetMinTemperature();
    figures.designCelsius = analysis.GetAverageTemperature();
    figures.totalHours = analysis.GettotalHours();
    figures.hours = QVector<double>(analysis.getgxSeries().cbegin(), analysis.getgxSeries().cend());
    figures.temperatures =
        QVector<double>(analysis.getgySeries().cbegin(), analysis.getgySeries().cend());
    figures.bins = analysis.getStatisResult();
    m_figures = figures;
    // The design temperature of the current rule is the project's.
    HProject::getProject()->setaverage_temp(figures.designCelsius);
    display();
}

void HWeatherWidget::display()
{
    const Figures& f = m_figures;
    m_maxTemp = CUnitFun::temperatureToCurrent(f.maxCelsius);
    m_minTemp = CUnitFun::temperatureToCurrent(f.minCelsius);
    m_designTemp = CUnitFun::temperatureToCurrent(f.designCelsius);
    ui->lineEditMaxTemp->setText(temperatureText(m_maxTemp));
    ui->lineEditMinTemp->setText(temperatureText(m_minTemp));
    {
        // Showing figures writes nothing into the project.
        const QSignalBlocker block(ui->lineEdit_X);
        ui->lineEdit_X->setText(temperatureText(m_designTemp));
    }
    showNotice(m_filledHours > 0
                   ? TranslateString("The weather year lacks a valid reading in %1 of its 8760 "
                                     "hours; their temperature and humidity were interpolated "
                                     "between the nearest hours with readings.")
                         .arg(m_filledHours)
                   : QString(),
               false);
    ui->tabWidget->show();
    drawLine();
    drawBars();
}

void HWeatherWidget::drawLine()
{
    // The hourly temperatures in the display unit, like the axis caption.
    const Figures& f = m_figures;
    QVector<double> y;
    y.reserve(f.temperatures.size());
    for (const double t : f.temperatures)
        y.append(CUnitFun::temperatureToCurrent(t));
    m_lineChart->resetLineGraph(0, m_monthNames.toVector(), m_monthPositions, f.hours, y);
    m_lineChart->setRangeY(CUnitFun::temperatureToCurrent(f.minCelsius - 2.0),
                           CUnitFun::temperatureToCurrent(f.maxCelsius + 2.0));
    m_lineChart->setRangeX(0, f.totalHours);
}

void HWeatherWidget::drawBars()
{
    // Bins below the design temperature in the first (blue) series, the others in the
    // second (red); the first series holds only the leading bins.
    const Figures& f = m_figures;
    QVector<QString> labels;
    QVector<double> below;
    QVector<double> above;
    for (const QJsonValue& value : f.bins) {
        const QJsonObject bin = value.toObject();
        if (bin.isEmpty())
            continue;
        const int t = bin.value(QStringLiteral("temp_dot")).toInt();
        const double count = bin.value(QStringLiteral("total_times")).toDouble();
        labels.append(QString::number(qRound(CUnitFun::temperatureToCurrent(t))));
        if (t < f.designCelsius) {
            below.append(count);
            above.append(0.0);
        } else {
            above.append(count);
        }
    }
    m_barChart->addBarGraph(labels, below, above, QColor(Qt::blue), QColor(Qt::red));
    // Room above the highest bar for its tick label.
    double highest = 0.0;
    for (const double count : below + above)
        highest = std::max(highest, count);
    if (highest > 0.0)
        m_barChart->setRangeY(0.0, highest * 1.08);
}

void HWeatherWidget::showMissingWeather(const QString& country, const QString& city)
{
    m_table.clear();
    m_country = country;
    m_city = city;
    {
        const QSignalBlocker block(ui->listWidget);
        ui->listWidget->clear();
    }
    ui->lineEditMaxTemp->clear();
    ui->lineEditMinTemp->clear();
    ui->lineEdit_X->clear();
    m_lineChart->clearGraph();
    m_barChart->clearGraph();
    m_figures = Figures();
    ui->tabWidget->hide();
    showTitle();

    QString text;
    if (HWeatherLocation::countries().isEmpty())
        text = TranslateString("The weather database holds no city. Import a weather file to "
                               "add one.");
    else if (country.isEmpty() || city.isEmpty())
        text = TranslateString("Choose the project's city on the Project page.");
    else
        text = TranslateString("No hourly weather for %1 (%2). Choose another city on the Project "
                               "page or import its weather file.")
                   .arg(city, country);
    showNotice(text, true);
}

void HWeatherWidget::showNotice(const QString& text, bool problem)
{
    ui->labelCity->setStyleSheet(problem ? QStringLiteral("color: rgb(200, 0, 0);") : QString());
    ui->labelCity->setText(text);
    ui->labelCity->setVisible(!text.isEmpty());
}

void HWeatherWidget::slot_weather_anlysis()
{
    emit signal_send_msg_to_status_wnd(TranslateString("Weather analysis..."));
    HWeatherAnalysis analysis(m_table);
    analysis.setIgnoreHours(ignoreHours());
    if (!m_table.isEmpty())
        analysis.analysisData();
    emit signal_send_msg_to_status_wnd(TranslateString("Ready"));
    QJsonArray bins = analysis.getStatisResult();
    emit signal_update_weather_analysis_result_to_show_table(bins);
}

void HWeatherWidget::on_pushButton_cal_clicked()
{
    const QString title = TranslateString("Calculate");
    HDatabase* db = LumoWeather::getWeatherDB();
    if (!db || !db->isVilidDatabase()) {
        QMessageBox::warning(this, title,
                             TranslateString("The weather database %1 cannot be opened.")
                                 .arg(LumoWeather::weatherDbPath()));
        return;
    }

    QProgressDialog progress(TranslateString("Analysing the weather of every city..."),
                             TranslateString("Cancel"), 0, 1, this);
    progress.setObjectName(QStringLiteral("batchProgressDialog"));
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const HWeatherDesignPoints::BatchResult result =
        HWeatherDesignPoints::runBatch(batchIgnoreHours, [&](int done, int steps) {
            progress.setMaximum(std::max(1, steps));
            progress.setValue(done);
            emit signal_send_msg_to_status_wnd(
                QStringLiteral("%1%").arg(steps > 0 ? qRound(100.0 * done / steps) : 0));
            return !progress.wasCanceled();
        });
    progress.close();

    if (result.cancelled) {
        emit signal_send_msg_to_status_wnd(
            TranslateString("Cancelled: the design points were not stored."));
    } else if (!result.ok) {
        emit signal_send_msg_to_status_wnd(TranslateString("Ready"));
        QMessageBox::warning(
            this, title,
            TranslateString("The design points could not be stored: %1").arg(result.error));
    } else {
        emit signal_send_msg_to_status_wnd(
            TranslateString("Design points of %1 of %2 cities stored.")
                .arg(result.stored)
                .arg(result.tables));
    }
    // The run leaves the project's own city current; show it again.
    refreshData();
}

void HWeatherWidget::on_pushButton_import_clicked()
{
    QFileDialog dialog(this, TranslateString("Import weather file"), QString(),
                       TranslateString("Weather files (*.epw *.csv);;EnergyPlus weather (*.epw);;"
                                       "TMY3 weather (*.csv);;All files (*)"));
    dialog.setObjectName(QStringLiteral("importWeatherFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Room for the file list's columns (name, size, type, date) unelided.
    dialog.resize(860, 520);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    importWeatherFile(dialog.selectedFiles().constFirst());
}

bool HWeatherWidget::importWeatherFile(const QString& path)
{
    const QString title = TranslateString("Import weather file");
    HWeatherImport import;
    bool ok = false;
    {
        HWaitCursor wait;
        ok = import.readFile(path);
    }
    if (!ok) {
        QMessageBox::warning(this, title,
                             TranslateString("%1 cannot be imported:\n%2")
                                 .arg(QFileInfo(path).fileName(), import.errorString()));
        return false;
    }

    const QString format = import.format() == HWeatherImport::Format::Tmy3
        ? TranslateString("TMY3 weather file")
        : TranslateString("EnergyPlus weather file");
    QString summary = TranslateString("%1 (%2): %3 hourly readings.")
                          .arg(QFileInfo(path).fileName(), format)
                          .arg(import.readings().size());
    if (import.invalidReadings() > 0)
        summary += QLatin1Char(' ')
            + TranslateString("%1 readings are missing and are left out of the averages.")
                  .arg(import.invalidReadings());
    HWeatherImportDlg ask(summary, HWeatherLocation::countries(), import.defaultCountry(),
                          import.defaultCity(), this);
    if (ask.exec() != QDialog::Accepted)
        return false;
    const QString country = ask.country();
    const QString city = ask.city();
    if (!HWeatherLocation::findCityTable(country, city).isEmpty()) {
        const auto answer = QMessageBox::question(
            this, title,
            TranslateString("The weather database already holds %1 (%2). Replace its weather "
                            "with this file?")
                .arg(city, country),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }

    {
        HWaitCursor wait;
        ok = import.writeToDatabase(country, city);
    }
    if (!ok) {
        QMessageBox::warning(this, title,
                             TranslateString("%1 cannot be imported:\n%2")
                                 .arg(QFileInfo(path).fileName(), import.errorString()));
        return false;
    }
    emit signal_send_msg_to_status_wnd(
        TranslateString("Imported the weather of %1 (%2).").arg(city, country));
    emit signal_weather_city_imported(country, city, ask.useForProject());
    return true;
}
