#include "HLanguageSetDlg.h"
#include "HLanguage.h"
#include "TranslateString.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

HLanguageSetDlg::HLanguageSetDlg(QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("comboBox_Language"));
    const QString current = HLanguage::currentLanguage();
    for (const QString& code : HLanguage::availableLanguages()) {
        m_combo->addItem(HLanguage::displayName(code), code);
        if (code == current)
            m_combo->setCurrentIndex(m_combo->count() - 1);
    }

    m_label = new QLabel(this);
    auto* form = new QFormLayout;
    form->addRow(m_label, m_combo);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &HLanguageSetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HLanguageSetDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setLanguage();
}

void HLanguageSetDlg::setLanguage()
{
    setWindowTitle(TranslateString("Language"));
    m_label->setText(TranslateString("Language:"));
}

void HLanguageSetDlg::accept()
{
    const QString code = m_combo->currentData().toString();
    if (!code.isEmpty() && code != HLanguage::currentLanguage()) {
        if (!HLanguage::setLanguage(code)) {
            QMessageBox::warning(this, windowTitle(),
                                 TranslateString("The language catalogue could not be loaded."));
            return;
        }
        m_changed = true;
        // Remembered for the next start; a read-only program folder only loses that.
        HLanguage::saveLanguage(code);
    }
    QDialog::accept();
}
