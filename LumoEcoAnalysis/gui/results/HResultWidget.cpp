#include "HResultWidget.h"
#include "ui_HResultWidget.h"

#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HCalendarTexts.h"
#include "HProject.h"
#include "HReport.h"
#include "HResultCells.h"
#include "HResultElectricalUsageWidget.h"
#include "HWaitCursor.h"
#include "TranslateString.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QJsonObject>
#include <QMessageBox>
#include <QTableWidget>
#include <QUrl>

HResultWidget::HResultWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HResultWidget)
{
    ui->setupUi(this);
    while (ui->stackedWidget->count() > 0) {
        QWidget* page = ui->stackedWidget->widget(0);
        ui->stackedWidget->removeWidget(page);
        delete page;
    }

    m_usage = new HResultElectricalUsageWidget;
    ui->stackedWidget->addWidget(m_usage);
    ui->comboBox->addItem(QString());

    m_binTable = new QTableWidget;
    m_binTable->setObjectName(QStringLiteral("tableWidget_weatherBins"));
    m_binTable->horizontalHeader()->hide();
    m_binTable->verticalHeader()->hide();
    m_binTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->stackedWidget->addWidget(m_binTable);
    ui->comboBox->addItem(QString());

    connect(ui->comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), ui->stackedWidget,
            &QStackedWidget::setCurrentIndex);
    setLanguage();
}

HResultWidget::~HResultWidget()
{
    delete ui;
}

QComboBox* HResultWidget::comboBox() const
{
    return ui->comboBox;
}

QPushButton* HResultWidget::reportButton() const
{
    return ui->pushButton_Report;
}

QStackedWidget* HResultWidget::stackedWidget() const
{
    return ui->stackedWidget;
}

void HResultWidget::setLanguage()
{
    ui->pushButton_Report->setText(TranslateString("Report"));
    ui->comboBox->setItemText(0, TranslateString("Electrical Usage Estimate Results"));
    ui->comboBox->setItemText(1, TranslateString("Monthly Weather Analysis (Temperature)"));
    m_usage->setLanguage();
    showBins(m_bins);
}

QColor HResultWidget::binCellColor(int hours)
{
    const int v = static_cast<int>(std::abs(100 - hours) / 100.0 * 255.0);
    const int green = qMin(v, 255);
    const int blue = qMin(v / 2, 255);
    return QColor(255, green, blue);
}

QString HResultWidget::picturePath()
{
    return HAppPaths::cacheDir() + QStringLiteral("/temp/weather_analysis.jpg");
}

void HResultWidget::slot_showMonthWeatherAnalysisDataToTableView(QJsonArray& jsonArray)
{
    showBins(jsonArray);
    savePic();
}

void HResultWidget::showBins(const QJsonArray& bins)
{
    m_bins = bins;
    QTableWidget* t = m_binTable;
    const int n = bins.size();
    t->clearSpans();
    t->clearContents();
    t->setRowCount(n + 4);
    t->setColumnCount(13);
    t->setColumnWidth(0, 120);
    for (int c = 1; c < 13; ++c)
        t->setColumnWidth(c, 60);
    t->setSpan(0, 0, 1, 13);
    t->setSpan(1, 0, 2, 1);
    t->setSpan(1, 1, 1, 12);
    t->setItem(0, 0, HResultCells::header(TranslateString("Dry Bulb Temperature")));
    t->setItem(1, 0,
               HResultCells::header(TranslateString("Temp(DB)") + CUnitFun::GetUnitTempString(0)));
    t->setItem(1, 1, HResultCells::header(TranslateString("Monthly Bin-data")));
    const QStringList months = HCalendarTexts::monthNames();
    for (int j = 0; j < 12; ++j)
        t->setItem(2, j + 1, HResultCells::header(months.at(j)));

    int sums[12] = {};
    for (int i = 0; i < n; ++i) {
        const QJsonObject bin = bins.at(i).toObject();
        // The bins are kept in degrees C; the table shows the display unit of its caption.
        const double temp = bin.value(QStringLiteral("temp_dot")).toDouble();
        t->setItem(3 + i, 0,
                   HResultCells::centred(CUnitFun::FromBaseTemperatureUnitToCurrent(temp)));
        const QJsonArray hours = bin.value(QStringLiteral("temp_times_month")).toArray();
        for (int j = 0; j < 12 && j < hours.size(); ++j) {
            const int count = hours.at(j).toInt();
            QTableWidgetItem* cell = HResultCells::centred(QString::number(count));
            cell->setBackground(binCellColor(count));
            t->setItem(3 + i, j + 1, cell);
            sums[j] += count;
        }
    }
    t->setItem(n + 3, 0, HResultCells::header(TranslateString("Total")));
    for (int j = 0; j < 12; ++j)
        t->setItem(n + 3, j + 1, HResultCells::header(QString::number(sums[j])));
}

void HResultWidget::savePic()
{
    if (!m_binTable)
        return;
    const QString path = picturePath();
    // The picture is the user's, like the weather cache beside it; when its folder
    // cannot be made (no cache folder, a file in the way) nothing is saved or said.
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return;
    m_binTable->grab().toImage().save(path);
}

void HResultWidget::slot_update_project_data_to_window()
{
    m_usage->slot_update_project_data_to_window();
    // The bins belong to the project: a new or opened project shows none until it is
    // calculated.
    const QJsonArray bins = HProject::getProject()->getWeatherStatisData();
    if (bins != m_bins)
        showBins(bins);
}

void HResultWidget::on_pushButton_Report_clicked()
{
    HProject* p = HProject::getProject();
    if (!p->GetisCalculationSuccess()) {
        QMessageBox::information(
            this, TranslateString("Notice"),
            TranslateString("Please push the [Calculate] button to complete calculation."),
            QMessageBox::Ok);
        return;
    }
    const QString title = TranslateString("Report");
    QFileDialog dialog(this, title, QString(), TranslateString("Excel Workbook (*.xlsx)"));
    dialog.setObjectName(QStringLiteral("reportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    dialog.selectFile(HReport::defaultPath(QDir::homePath()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();

    QString error;
    bool written = false;
    {
        HWaitCursor wait;
        emit signal_send_msg_to_status_wnd(TranslateString("Writing the report..."));
        HReport report;
        written = report.generateReport(path, &error);
    }
    if (!written) {
        emit signal_send_msg_to_status_wnd(TranslateString("Ready"));
        QMessageBox::warning(this, title, error);
        return;
    }
    emit signal_send_msg_to_status_wnd(TranslateString("Report saved as %1").arg(path));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::information(this, title,
                                 TranslateString("The report is saved as %1, but no application "
                                                 "was found to open it.")
                                     .arg(path));
}
