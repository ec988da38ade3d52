#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HLanguage.h"
#include "HProjectSession.h"
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Nothing is drawn with OpenGL; loading the X11 GL integration (software GL on many
    // machines) would cost a large part of the start-up time.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
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
