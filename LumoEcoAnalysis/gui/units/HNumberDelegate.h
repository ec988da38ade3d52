#pragma once
#include <QStyledItemDelegate>

// Table cell editor that takes only what the column can hold: a count (a whole
// number from 0) or an amount (a number from 0, with a decimal point).
class HNumberDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum Kind { Count, Amount };

    explicit HNumberDelegate(Kind kind, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    Kind m_kind;
};
