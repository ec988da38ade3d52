#include "HUnitSetDlg.h"
#include "CUnitFun.h"
#include "TranslateString.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

HUnitSetDlg::HUnitSetDlg(QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
    setWindowTitle(TranslateString("Units"));

    m_temp = new QComboBox(this);
    m_temp->setObjectName(QStringLiteral("comboBox_Temperature"));
    fill(m_temp, {CUnitFun::TempCelsius, CUnitFun::TempFahrenheit}, &CUnitFun::tempSymbol,
         CUnitFun::GetUnitTemp());

    m_load = new QComboBox(this);
    m_load->setObjectName(QStringLiteral("comboBox_Load"));
    fill(m_load,
         {CUnitFun::LoadKW, CUnitFun::LoadBtuPerHour, CUnitFun::LoadKcalPerHour, CUnitFun::LoadRT},
         &CUnitFun::loadSymbol, CUnitFun::GetUnitLoad());

    m_length = new QComboBox(this);
    m_length->setObjectName(QStringLiteral("comboBox_Length"));
    fill(m_length, {CUnitFun::LengthMetre, CUnitFun::LengthFoot}, &CUnitFun::lengthSymbol,
         CUnitFun::GetUnitLength());

    m_airFlow = new QComboBox(this);
    m_airFlow->setObjectName(QStringLiteral("comboBox_AirFlowRate"));
    fill(
        m_airFlow,
        {CUnitFun::AirFlowLitrePerSecond, CUnitFun::AirFlowCubicMetrePerHour, CUnitFun::AirFlowCFM},
        &CUnitFun::airFlowRateSymbol, CUnitFun::GetUnitAirFlowRate());

    auto* form = new QFormLayout;
    form->addRow(TranslateString("Temperature:"), m_temp);
    form->addRow(TranslateString("Load:"), m_load);
    form->addRow(TranslateString("Length:"), m_length);
    form->addRow(TranslateString("Air flow rate:"), m_airFlow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void HUnitSetDlg::fill(QComboBox* box, const QList<int>& codes, QString (*symbol)(int), int current)
{
    for (int code : codes) {
        box->addItem(TranslateString(symbol(code)), code);
        if (code == current)
            box->setCurrentIndex(box->count() - 1);
    }
}

void HUnitSetDlg::apply() const
{
    CUnitFun::SetUnitTemp(m_temp->currentData().toInt());
    CUnitFun::SetUnitLoad(m_load->currentData().toInt());
    CUnitFun::SetUnitAirFlowRate(m_airFlow->currentData().toInt());
    CUnitFun::SetUnitLength(m_length->currentData().toInt());
}
