#include "HOtherWaterUnitInfoWidget.h"
#include "ui_HOtherWaterUnitInfoWidget.h"

#include "TranslateString.h"

HOtherWaterUnitInfoWidget::HOtherWaterUnitInfoWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::HOtherWaterUnitInfoWidget)
{
    ui->setupUi(this);
    setLanguage();
}

HOtherWaterUnitInfoWidget::~HOtherWaterUnitInfoWidget()
{
    delete ui;
}

void HOtherWaterUnitInfoWidget::slot_update_window_data_to_project() { }

void HOtherWaterUnitInfoWidget::setLanguage()
{
    ui->label_placeholder->setText(
        TranslateString("Water-chilling units cannot be compared yet; this page holds no data."));
}

void HOtherWaterUnitInfoWidget::reset() { }
