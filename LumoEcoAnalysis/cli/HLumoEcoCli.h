#pragma once
#include "HAppPaths.h"
#include "HCalHelper.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>

class HInitVRFProductECData;
class HProjectNotices;

// The lumoeco command-line program: parses the arguments, points the program at
// its databases and runs one subcommand. Exit status 0 on success, 2 for bad input
// (one line on standard error), 3 when a project cannot be calculated.
class HLumoEcoCli
{
public:
    enum ExitCode {
        Ok = 0,
        BadInput = 2,
        CannotCalculate = 3,
    };

    HLumoEcoCli();
    ~HLumoEcoCli();
    HLumoEcoCli(const HLumoEcoCli&) = delete;
    HLumoEcoCli& operator=(const HLumoEcoCli&) = delete;

    int run(const QStringList& arguments);

private:
    int calculate(const QStringList& args);
    int curves(const QStringList& args);
    int importProject(const QStringList& args);
    int weather(const QStringList& args);
    int weatherList();
    int weatherAnalyse(const QStringList& args);
    int weatherDesign();
    int weatherImport(const QStringList& args);
    int products(const QStringList& args);
    int paths();
    // A file made for the user (HAppPaths::Note), as one line of standard error.
    static QString noteText(HAppPaths::Note note, const QString& path, const QString& source);

    int fail(int code, const QString& message);
    // Each notice as one "lumoeco: warning:" line on standard error.
    void warn(const HProjectNotices& notices);
    // What to do about a refused calculation.
    static QString wayOut(HCalHelper::Refusal refusal);
    bool checkOptions(const QString& command, const QStringList& allowed);
    bool openWeather();
    bool openProducts();
    bool ignoreHoursOption(int* hours);

    QCommandLineParser m_parser;
    QTextStream m_out;
    QTextStream m_err;
    std::unique_ptr<HInitVRFProductECData> m_productData;
};
