#include "HAppPaths.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HLanguage.h"
#include "HProjectSession.h"
#include "HStartup.h"
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Nothing is drawn with OpenGL; loading the X11 GL integration (software GL on many
    // machines) would cost a large part of the start-up time.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    const HStartup::Options options = HStartup::parse(QCoreApplication::arguments());
    HStartup::prepareApplication();
    HLanguage::applySavedLanguage();
    // The working directory's files first, then the user's (see HAppPaths).
    HJsonConfig::read(HAppPaths::configFile());
    HProjectSession::registerProductDatabase(HAppPaths::productDatabase());

    // Builds the product energy-data table when missing; outlives the window.
    HInitVRFProductECData productData;
    int exitCode = 0;
    {
        MainWindow window;
        window.showMaximized();
        HStartup startup(window, options);
        exitCode = app.exec();
    }
    return exitCode;
}
