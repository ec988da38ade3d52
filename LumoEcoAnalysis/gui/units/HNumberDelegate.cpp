#include "HNumberDelegate.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QLineEdit>

HNumberDelegate::HNumberDelegate(Kind kind, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_kind(kind)
{
}

QWidget* HNumberDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit)
        return editor;
    if (m_kind == Count) {
        edit->setValidator(new QIntValidator(0, 999999, edit));
    } else {
        auto* validator = new QDoubleValidator(0.0, 1e12, 6, edit);
        // Numbers are read back with a decimal point, whatever the user's locale.
        validator->setLocale(QLocale::c());
        validator->setNotation(QDoubleValidator::StandardNotation);
        edit->setValidator(validator);
    }
    return edit;
}
