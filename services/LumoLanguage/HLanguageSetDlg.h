#pragma once
#include "LumoLanguageExport.h"
#include <QDialog>

class QComboBox;
class QLabel;

// Modal choice of the display language among the installed catalogues.
// Accepting with another language installs it; isLanguageChanged() tells the
// caller whether its texts must be set again.
class LUMOLANGUAGE_EXPORT HLanguageSetDlg : public QDialog
{
    Q_OBJECT
public:
    explicit HLanguageSetDlg(QWidget* parent = nullptr);

    bool isLanguageChanged() const { return m_changed; }
    QComboBox* languageComboBox() const { return m_combo; }

public slots:
    void accept() override;

private:
    void setLanguage();

    QComboBox* m_combo = nullptr;
    QLabel* m_label = nullptr;
    bool m_changed = false;
};
