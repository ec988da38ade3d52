#include "HCurvesCommand.h"

#include "HCalHelper.h"
#include "HLumoEcoCli.h"
#include "HProjectNotices.h"
#include "HProjectSession.h"

HCurvesCommand::HCurvesCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

int HCurvesCommand::run(const QStringList& args)
{
    if (!m_cli.checkOptions("curves", {}))
        return HLumoEcoCli::BadInput;
    if (args.size() > 1)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("curves takes at most one project file"));
    HProjectSession::startProject();
    if (!args.isEmpty()) {
        if (!m_cli.openProducts())
            return HLumoEcoCli::BadInput;
        QString error;
        HProjectNotices notices;
        const bool opened = HProjectSession::openProject(args[0], &error, &notices);
        m_cli.warn(notices);
        if (!opened)
            return m_cli.fail(HLumoEcoCli::BadInput, error);
    }
    m_cli.out() << "EIR (cooling): load %, own system EIR %, other system EIR %\n"
                << HCalHelper::calEIRTest() << "\n\n"
                << "COP (heating): load %, own system COP curve %, other system COP curve %\n"
                << HCalHelper::calCOPTest() << "\n";
    return HLumoEcoCli::Ok;
}
