#include "HLumoEcoCli.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumoeco"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRIVANTA_VERSION));
    HLumoEcoCli cli;
    return cli.run(QCoreApplication::arguments());
}
