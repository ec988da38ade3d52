#pragma once
#include <QWidget>

class HOtherVRFUnitInfo;
class HOtherWaterUnitInfoWidget;
class HVRFUnitInfoWidget;
class QTabWidget;

namespace Ui {
class HUnitInfoWidget;
}

// The unit information page: one tab per compared system. The own system's page
// is always there; the other VRF page and the water-chilling-unit page exist when
// their comparison was on when this page was built, and their tabs come and go
// with the comparison.
class HUnitInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HUnitInfoWidget(QWidget* parent = nullptr);
    ~HUnitInfoWidget() override;

    QTabWidget* tabWidget() const;
    HVRFUnitInfoWidget* ownPage() const { return m_own; }
    HOtherVRFUnitInfo* otherVRFPage() const { return m_otherVRF; }
    HOtherWaterUnitInfoWidget* waterPage() const { return m_water; }

signals:
    void signal_update_window_data_to_project();
    void signal_update_project_data_to_window();

public slots:
    void setOtherVRFWidgetVisible(int nState);
    void setOtherChillerWidgetVisible(int nState);
    void setOtherUnitWidgetVisible(int nState);
    void slot_update_window_data_to_project();
    void slot_update_project_data_to_window();
    void setLanguage();
    void reset();

private:
    // Adds or removes the page's tab; a page that was never made has none.
    void setTabVisible(QWidget* page, const QString& title, bool visible);
    void setTabTitle(QWidget* page, const QString& title);

    Ui::HUnitInfoWidget* ui = nullptr;
    HVRFUnitInfoWidget* m_own = nullptr;
    HOtherVRFUnitInfo* m_otherVRF = nullptr;
    HOtherWaterUnitInfoWidget* m_water = nullptr;
};
