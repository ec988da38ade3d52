#pragma once
#include "HProjectEditor.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class HLumoEcoCli;

// "lumoeco project new|set|add-unit|remove-unit|schedule|holiday|show": makes and
// changes project files through HProjectEditor. Every input is checked before the
// file is written, and the file is replaced only whole: a refused command leaves it
// as it was.
class HProjectCommand
{
public:
    explicit HProjectCommand(HLumoEcoCli& cli);

    // The options of the project commands, for the program's parser.
    static QList<QCommandLineOption> options();

    int run(const QStringList& args);

private:
    int create(const QStringList& args);
    int set(const QStringList& args);
    int addUnit(const QStringList& args);
    int removeUnit(const QStringList& args);
    int schedule(const QStringList& args);
    int holiday(const QStringList& args);
    int show(const QStringList& args);

    // Opens the product database and FILE for editing; reading notices become warnings.
    bool open(const QString& path);
    // Writes the file, then prints `done` on standard output.
    int save(const QString& path, const QString& done);
    // The value of a number option; false (after failing) when it is not a number.
    bool number(const QString& option, double* value);
    // --own or --other (exactly one), --outdoor or --indoor (at most one unless
    // `required`): *outdoor is -1 when neither is given.
    bool system(bool* own, int* outdoor, bool outdoorRequired);

    HLumoEcoCli& m_cli;
    HProjectEditor m_editor;
};
