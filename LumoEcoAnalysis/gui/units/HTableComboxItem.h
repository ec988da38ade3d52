#pragma once
#include <QComboBox>

class HUnit;

// A combo box in a unit table cell, bound to the unit of its row. Every change of
// the current entry is announced with the entry's text, the unit and the row.
class HTableComboxItem : public QComboBox
{
    Q_OBJECT
public:
    HTableComboxItem(HUnit* unit, int row, QWidget* parent = nullptr);
    ~HTableComboxItem() override;

    HUnit* unit() const { return m_unit; }
    int row() const { return m_row; }
    // Cuts the binding: the combo announces nothing any more (a table rebuild
    // leaves the combos of the previous build to be deleted later).
    void release();

signals:
    void selectChanged(QString sCurrentText, HUnit* pUnit, int nRow);

public slots:
    void selectChanged(QString sCurrentText);

private:
    HUnit* m_unit = nullptr;
    int m_row = -1;
};
