#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HLanguage.h"
#include "MainWindow.h"

#include <QApplication>

namespace {
// Password of the product database, handed to the database service with its file name.
const QString kProductDbPassword = QStringLiteral("lumoe2017");
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    HLanguage::applySavedLanguage();
    // Relative names: both files are looked up in the working directory.
    HJsonConfig::read(QStringLiteral("ee_config.json"));
    HDbFind::setDbFileAndPwd(QStringLiteral("Product.mdb"), kProductDbPassword);

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
