#include "HProductsCommand.h"

#include "HLumoEcoCli.h"
#include "HUnit.h"
#include "HVRFProductHelper.h"

HProductsCommand::HProductsCommand(HLumoEcoCli& cli)
    : m_cli(cli)
{
}

int HProductsCommand::run(const QStringList& args)
{
    if (!m_cli.checkOptions("products", {"outdoor", "indoor", "category"}))
        return HLumoEcoCli::BadInput;
    if (args.size() != 1 || args[0] != QLatin1String("list"))
        return m_cli.fail(HLumoEcoCli::BadInput, QStringLiteral("products takes the command list"));
    const QCommandLineParser& p = m_cli.parser();
    if (p.isSet("outdoor") && p.isSet("indoor"))
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("give either --outdoor or --indoor, not both"));
    if (!m_cli.openProducts())
        return HLumoEcoCli::BadInput;

    QList<int> types;
    if (!p.isSet("indoor"))
        types << 0;
    if (!p.isSet("outdoor"))
        types << 1;
    const QString onlyCategory = p.value("category");

    QTextStream& out = m_cli.out();
    out << "type\tcategory\tmodel\tcooling_kw\theating_kw\tinput_cooling_kw\t"
           "input_heating_kw\n";
    bool categoryFound = onlyCategory.isEmpty();
    for (int type : types) {
        for (const QString& category : HVRFProductHelper::categoryList(type)) {
            if (!onlyCategory.isEmpty() && category != onlyCategory)
                continue;
            categoryFound = true;
            for (const QString& model : HVRFProductHelper::modelList(category, type)) {
                HUnit unit;
                if (type == 0)
                    HVRFProductHelper::getOutdoorUnitFromDb(-1, category, model, &unit);
                else
                    HVRFProductHelper::getIndoorUnitFromDb(-1, category, model, &unit);
                out << (type == 0 ? "outdoor" : "indoor") << '\t' << category << '\t' << model
                    << '\t' << unit.Gettotal_capacity_cooling() << '\t'
                    << unit.Gettotal_capacity_heating() << '\t' << unit.Getpower_input_cooling()
                    << '\t' << unit.Getpower_input_heating() << "\n";
            }
        }
    }
    if (!categoryFound)
        return m_cli.fail(HLumoEcoCli::BadInput,
                          QStringLiteral("unknown category \"%1\"").arg(onlyCategory));
    return HLumoEcoCli::Ok;
}
