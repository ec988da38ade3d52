#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HLanguage.h"
#include "HProjectSession.h"
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    HLanguage::applySavedLanguage();
    // Relative names: both files are looked up in the working directory.
    HJsonConfig::read(QStringLiteral("ee_config.json"));
    HProjectSession::registerProductDatabase(QStringLiteral("Product.mdb"));

    // Builds the product energy-data table when missing; outlives the window.
    HInitVRFProductECData productData;
    int exitCode = 0;
    {
        MainWindow window;
        window.showMaximized();
        exitCode = app.exec();
    }
    return exitCode;
}
