#include "HPeakLoadReplacement.h"

#include <QCoreApplication>

double HPeakLoadReplacement::ratio() const
{
    return input > 0.0 ? capacity / input : 0.0;
}

QString HPeakLoadReplacement::message() const
{
    if (!(input > 0.0)) {
        const char* none = cooling
            ? QT_TRANSLATE_NOOP("Brivanta",
                                "No cooling peak load is given; %1 kW (110% of the own system's "
                                "outdoor cooling capacity %2 kW) is used.")
            : QT_TRANSLATE_NOOP("Brivanta",
                                "No heating peak load is given; %1 kW (110% of the own system's "
                                "outdoor heating capacity %2 kW) is used.");
        return QCoreApplication::translate("Brivanta", none)
            .arg(QString::number(used, 'f', 2), QString::number(capacity, 'f', 2));
    }
    const char* text = cooling
        ? QT_TRANSLATE_NOOP("Brivanta",
                            "The cooling peak load %1 kW is outside 50%-150% of the own "
                            "system's outdoor cooling capacity %2 kW; %3 kW (110% of the "
                            "capacity) is used instead.")
        : QT_TRANSLATE_NOOP("Brivanta",
                            "The heating peak load %1 kW is outside 50%-150% of the own "
                            "system's outdoor heating capacity %2 kW; %3 kW (110% of the "
                            "capacity) is used instead.");
    return QCoreApplication::translate("Brivanta", text)
        .arg(QString::number(input, 'f', 2), QString::number(capacity, 'f', 2),
             QString::number(used, 'f', 2));
}
