#pragma once
#include <QWidget>

class QLabel;
class QTableWidget;

// Unit information page: the unit lists of the own and the other VRF system.
// This version lists the units; the editing tables replace it.
class HUnitInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HUnitInfoWidget(QWidget* parent = nullptr);

    QTableWidget* unitTable() const { return m_table; }

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
    QLabel* m_title = nullptr;
    QTableWidget* m_table = nullptr;
};
