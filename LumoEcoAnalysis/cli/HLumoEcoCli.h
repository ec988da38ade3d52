#pragma once
#include "HAppPaths.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>

class HInitVRFProductECData;
class HProjectNotices;

// The lumoeco command-line program: parses the arguments, points the program at
// its databases and runs one subcommand. Exit status 0 on success, 2 for bad input
// (one line on standard error), 3 when a project cannot be calculated, 4 when some
// variants of a sweep failed.
class HLumoEcoCli
{
public:
    enum ExitCode {
        Ok = 0,
        BadInput = 2,
        CannotCalculate = 3,
        SomeVariantsFailed = 4, // sweep: the rows of the failed variants say why
    };

    HLumoEcoCli();
    ~HLumoEcoCli();
    HLumoEcoCli(const HLumoEcoCli&) = delete;
    HLumoEcoCli& operator=(const HLumoEcoCli&) = delete;

    int run(const QStringList& arguments);

    // For the command classes (HCalculateCommand, HWeatherCommand, HProjectCommand, ...).
    const QCommandLineParser& parser() const { return m_parser; }
    QTextStream& out() { return m_out; }
    QTextStream& err() { return m_err; }
    // One line "lumoeco: message" on standard error; returns `code`.
    int fail(int code, const QString& message);
    // Each notice as one "lumoeco: warning:" line on standard error.
    void warn(const HProjectNotices& notices);
    void warn(const QString& text);
    // False (after failing) when an option given does not belong to `command`.
    bool checkOptions(const QString& command, const QStringList& allowed);
    // Read-only unless the command writes into the weather database.
    bool openWeather(bool readOnly = true);
    bool openProducts();
    // --percent / --hours as a number of design hours.
    bool ignoreHoursOption(int* hours);
    // Whether writing `output` would replace the file at `input`.
    static bool sameFile(const QString& output, const QString& input);

private:
    int paths();
    // A file made for the user (HAppPaths::Note), as one line of standard error.
    static QString noteText(HAppPaths::Note note, const QString& path, const QString& source);

    QCommandLineParser m_parser;
    QTextStream m_out;
    QTextStream m_err;
    std::unique_ptr<HInitVRFProductECData> m_productData;
};
