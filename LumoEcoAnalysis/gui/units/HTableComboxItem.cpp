#include "HTableComboxItem.h"

#include <QDebug>

HTableComboxItem::HTableComboxItem(HUnit* unit, int row, QWidget* parent)
    : QComboBox(parent)
    , m_unit(unit)
    , m_row(row)
{
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int) { selectChanged(currentText()); });
}

HTableComboxItem::~HTableComboxItem()
{
    qDebug() << "~HTableComboxItem()";
}

void HTableComboxItem::release()
{
    disconnect(this, QOverload<QString, HUnit*, int>::of(&HTableComboxItem::selectChanged), nullptr,
               nullptr);
    m_unit = nullptr;
    m_row = -1;
}

void HTableComboxItem::selectChanged(QString sCurrentText)
{
    if (m_unit)
        emit selectChanged(sCurrentText, m_unit, m_row);
}
