// Whether the project can be calculated, and the check of the peak loads against the
// own outdoor capacity.
#include "HCalHelper.h"

#include <HProject.h>
#include <HVRF.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

namespace {

constexpr double kPeakRatioMin = 0.5;
constexpr double kPeakRatioMax = 1.5;
constexpr double kPeakReplacementFactor = 1.1;

// Display texts share the program's one translation context; the marks let
// the catalogue check find them.
QString tr(const char* english)
{
    return QCoreApplication::translate("Brivanta", english);
}

HCalHelper::QuestionHook& questionHook()
{
    static HCalHelper::QuestionHook hook;
    return hook;
}

bool askWithMessageBox(const QString& title, const QString& text)
{
    // A process without widgets has nobody to ask: the answer is no.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    return QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}

bool ask(const QString& title, const QString& text)
{
    const HCalHelper::QuestionHook& hook = questionHook();
    return hook ? hook(title, text) : askWithMessageBox(title, text);
}

// "The ratio of ... is 40%[50%-150%].": the ratio the check found out of range.
QString peakRatioMessage(const HPeakLoadReplacement& r)
{
    const QString sentence = r.cooling
        ? tr(QT_TRANSLATE_NOOP("Brivanta",
                               "The ratio of VRF outdoor cooling capacity to cooling peak load is"))
        : tr(QT_TRANSLATE_NOOP(
            "Brivanta", "The ratio of VRF outdoor heating capacity to heating peak load is"));
    return QStringLiteral("%1 %2%[50%-150%].")
        .arg(sentence, QString::number(r.ratio() * 100.0, 'g', 6));
}

} // namespace

void HCalHelper::setQuestionHook(QuestionHook hook)
{
    questionHook() = std::move(hook);
}

HCalHelper::CheckResult HCalHelper::checkCanCalculate()
{
    CheckResult result;
    const QString check =
        tr(QT_TRANSLATE_NOOP("Brivanta", "Please check the Unit Information Page."));
    const auto refuse = [&](Refusal refusal, const QString& why) {
        result.refusal = refusal;
        result.message = why + QLatin1Char('\n') + check;
        return result;
    };
    HProject* project = HProject::getProject();
    if (!project->GetisHave8760WeatherData()) {
        result.refusal = Refusal::NoWeatherYear;
        if (project->Getcity().isEmpty()) {
            result.message = tr(
                QT_TRANSLATE_NOOP("Brivanta",
                                  "The project has no location: choose its country and city on the "
                                  "Project page."));
            return result;
        }
        result.message = QStringLiteral("%1 %2.").arg(
            tr(QT_TRANSLATE_NOOP("Brivanta",
                                 "There are no entire year meteorological data(8760 hours) for")),
            project->Getcity());
        return result;
    }
    HVRF* own = project->getOwnVRFSys();
    if (!own) {
        result.refusal = Refusal::NoOwnUnits;
        return result;
    }
    own->calculate();
    if (!(own->Getodu_total_quantity() > 0 && own->Getidu_total_quantity() > 0))
        return refuse(Refusal::NoOwnUnits,
                      tr(QT_TRANSLATE_NOOP("Brivanta", "There are not VELA units.")));
    // Without any outdoor capacity every hour would come out as zero energy, and the
    // peak-load check would set both peak loads to 0.
    if (!(own->Getodu_total_capacity_cooling() > 0.0)
        && !(own->Getodu_total_capacity_heating() > 0.0))
        return refuse(Refusal::NoOwnCapacity,
                      tr(QT_TRANSLATE_NOOP("Brivanta",
                                           "The VELA outdoor units have no cooling or heating "
                                           "capacity: their models are not in the product "
                                           "database.")));

    // May replace the peak loads; its ratio message is not for the user.
    QString ratioMessage;
    calculatePeakLoad(ratioMessage, false, &result.peakLoadReplacements);
    HVRF* other = project->getOtherVRFSys();
    if (!other) {
        result.refusal = Refusal::NoOtherUnits;
        return result;
    }
    other->calculate();
    if ((other->Getodu_total_quantity() >= 1 && other->Getidu_total_quantity() >= 1)
        || ask(tr(QT_TRANSLATE_NOOP("Brivanta", "Query")),
               tr(QT_TRANSLATE_NOOP("Brivanta",
                                    "There are not other VRF Units, Do you want to continue?")))) {
        result.canCalculate = true;
        return result;
    }
    return refuse(Refusal::NoOtherUnits,
                  tr(QT_TRANSLATE_NOOP("Brivanta", "There are not Other VRF units.")));
}

bool HCalHelper::isCanCalculate(QString& message)
{
    const CheckResult result = checkCanCalculate();
    // As the check always did: the refusal's reason, else the last replacement's ratio
    // (which the caller does not show); a refusal without a system says nothing.
    if (!result.message.isEmpty())
        message = result.message;
    else if (!result.peakLoadReplacements.isEmpty())
        message = peakRatioMessage(result.peakLoadReplacements.last());
    return result.canCalculate;
}

bool HCalHelper::calculatePeakLoad(QString& message, bool recalculateTotals,
                                   QVector<HPeakLoadReplacement>* replacements)
{
    HProject* project = HProject::getProject();
    HVRF* own = project->getOwnVRFSys();
    if (!own)
        return false;
    if (recalculateTotals)
        own->calculate();
    const double capC = own->Getodu_total_capacity_cooling();
    const double capH = own->Getodu_total_capacity_heating();
    const double peakC = project->Getcooling_peak_load();
    const double peakH = project->Getheating_peak_load();
    const double rC = HPeakLoadReplacement{true, peakC, capC, 0.0}.ratio();
    const double rH = HPeakLoadReplacement{false, peakH, capH, 0.0}.ratio();
    const auto replace = [&](bool cooling, double input, double capacity) {
        const HPeakLoadReplacement r{cooling, input, capacity, capacity * kPeakReplacementFactor};
        message = peakRatioMessage(r);
        // A load already at the value used (0 without capacity) is not replaced.
        if (replacements && r.used != r.input)
            replacements->append(r);
        return r.used;
    };
    if (rC < kPeakRatioMin || rC > kPeakRatioMax)
        project->setcooling_peak_load(replace(true, peakC, capC));
    if (rH < kPeakRatioMin || rH > kPeakRatioMax)
        project->setheating_peak_load(replace(false, peakH, capH));
    return false;
}
