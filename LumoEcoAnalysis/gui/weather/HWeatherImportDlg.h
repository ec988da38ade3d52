#pragma once
#include <QDialog>
#include <QStringList>

namespace Ui {
class HWeatherImportDlg;
}

// Asks under which country and city an hourly weather file is imported; the file's
// own location is the default. The countries of the weather database are offered,
// so that a city joins an existing country by its exact name.
class HWeatherImportDlg : public QDialog
{
    Q_OBJECT
public:
    // `summary` describes the file read (name, format, readings).
    HWeatherImportDlg(const QString& summary, const QStringList& countries, const QString& country,
                      const QString& city, QWidget* parent = nullptr);
    ~HWeatherImportDlg() override;

    QString country() const;
    QString city() const;
    // The project takes the imported city as its location.
    bool useForProject() const;

private:
    void setLanguage();
    void updateOkButton();

    Ui::HWeatherImportDlg* ui = nullptr;
};
