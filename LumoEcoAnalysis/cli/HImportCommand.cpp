#include "HImportCommand.h"

#include "HLumoEcoCli.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"
#include "HUnit.h"
#include "HVRF.h"

#include <QFileInfo>

HImportCommand::HImportCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

int HImportCommand::run(const QStringList& args)
{
    if (!m_cli.checkOptions("import", {"output"}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("import takes one .eed or .vrf file"));
    const QString source = args[0];
    if (!source.endsWith(QLatin1String(".eed")) && !source.endsWith(QLatin1String(".vrf")))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("import reads .eed or .vrf files: %1").arg(source));
    if (!QFileInfo(source).isFile())
        return m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("file not found: %1").arg(source));
    const QCommandLineParser& p = m_cli.parser();
    const QString target =
        p.isSet("output") ? p.value("output") : HProjectSession::projectPathFor(source);
    if (HLumoEcoCli::sameFile(target, source))
        return m_cli.fail(
            HLumoEcoCli::BadInput,
            QStringLiteral("the output would replace the source file %1").arg(source));
    if (!m_cli.openProducts())
        return HLumoEcoCli::BadInput;

    HProjectSession::startProject();
    QString error;
    HProjectNotices notices;
    const bool opened = HProjectSession::openProject(source, &error, &notices);
    m_cli.warn(notices);
    if (!opened)
        return m_cli.fail(HLumoEcoCli::BadInput, error);

    if (!saveProjectFile(target, &error))
        return m_cli.fail(HLumoEcoCli::BadInput, error);

    HVRF* own = HProject::getProject()->getOwnVRFSys();
    QVector<HUnit*> outdoor, indoor;
    own->getAllOutoorUnits(outdoor);
    own->getAllIndoorUnits(indoor);
    // With the project on standard output the summary goes to standard error.
    QTextStream& summary = target == QLatin1String("-") ? m_cli.err() : m_cli.out();
    summary << "Imported " << outdoor.size() << " outdoor and " << indoor.size()
            << " indoor unit lines into " << target;
    if (const int missing = notices.missingModels().size())
        summary << " (" << missing << (missing == 1 ? " line has a model" : " lines have models")
                << " not in the product database)";
    summary << "\n";
    return HLumoEcoCli::Ok;
}
