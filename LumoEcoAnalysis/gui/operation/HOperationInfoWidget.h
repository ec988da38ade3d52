#pragma once
#include <QWidget>

class QLabel;

// Operation schedule page: the hours, week days and months the plant runs, and the
// holidays. This version shows the schedule; the check-box tables replace it.
class HOperationInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HOperationInfoWidget(QWidget* parent = nullptr);

    void setLanguage();

public slots:
    void slot_update_window_data_to_project();
    void slot_update_project_data_to_window();

private:
    QLabel* m_title = nullptr;
    QLabel* m_summary = nullptr;
};
