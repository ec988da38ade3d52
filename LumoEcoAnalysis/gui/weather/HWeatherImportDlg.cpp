#include "HWeatherImportDlg.h"
#include "ui_HWeatherImportDlg.h"

#include "TranslateString.h"

#include <QLineEdit>
#include <QPushButton>

HWeatherImportDlg::HWeatherImportDlg(const QString& summary, const QStringList& countries,
                                     const QString& country, const QString& city, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::HWeatherImportDlg)
{
    ui->setupUi(this);
    setLanguage();
    ui->label_file->setText(summary);
    ui->comboBox_country->addItems(countries);
    ui->comboBox_country->setEditText(country);
    ui->lineEdit_city->setText(city);
    connect(ui->comboBox_country, &QComboBox::editTextChanged, this,
            &HWeatherImportDlg::updateOkButton);
    connect(ui->lineEdit_city, &QLineEdit::textChanged, this, &HWeatherImportDlg::updateOkButton);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateOkButton();
    ui->lineEdit_city->setFocus();
}

HWeatherImportDlg::~HWeatherImportDlg()
{
    delete ui;
}

void HWeatherImportDlg::setLanguage()
{
    setWindowTitle(TranslateString("Import weather file"));
    ui->label_country->setText(TranslateString("Country"));
    ui->label_city->setText(TranslateString("City"));
    ui->checkBox_use->setText(TranslateString("Use this city for the project"));
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(TranslateString("Import"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(TranslateString("Cancel"));
}

QString HWeatherImportDlg::country() const
{
    return ui->comboBox_country->currentText().trimmed();
}

QString HWeatherImportDlg::city() const
{
    return ui->lineEdit_city->text().trimmed();
}

bool HWeatherImportDlg::useForProject() const
{
    return ui->checkBox_use->isChecked();
}

void HWeatherImportDlg::updateOkButton()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setEnabled(!country().isEmpty() && !city().isEmpty());
}
