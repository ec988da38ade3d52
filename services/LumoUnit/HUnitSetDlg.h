#pragma once
#include "LumoUnitExport.h"
#include <QDialog>

class QComboBox;

// Modal choice of the four display units. The combo boxes start at the current
// codes; apply() makes the chosen codes current in CUnitFun.
class LUMOUNIT_EXPORT HUnitSetDlg : public QDialog
{
    Q_OBJECT
public:
    explicit HUnitSetDlg(QWidget* parent = nullptr);

    void apply() const;

    QComboBox* temperatureComboBox() const { return m_temp; }
    QComboBox* loadComboBox() const { return m_load; }
    QComboBox* lengthComboBox() const { return m_length; }
    QComboBox* airFlowRateComboBox() const { return m_airFlow; }

private:
    static void fill(QComboBox* box, const QList<int>& codes, QString (*symbol)(int), int current);

    QComboBox* m_temp = nullptr;
    QComboBox* m_load = nullptr;
    QComboBox* m_length = nullptr;
    QComboBox* m_airFlow = nullptr;
};
