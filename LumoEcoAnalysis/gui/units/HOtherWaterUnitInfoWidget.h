#pragma once
#include <QWidget>

namespace Ui {
class HOtherWaterUnitInfoWidget;
}

// The place of a water-chilling unit comparison; it holds no data yet.
class HOtherWaterUnitInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HOtherWaterUnitInfoWidget(QWidget* parent = nullptr);
    ~HOtherWaterUnitInfoWidget() override;

public slots:
    void slot_update_window_data_to_project();
    void setLanguage();
    void reset();

private:
    Ui::HOtherWaterUnitInfoWidget* ui = nullptr;
};
