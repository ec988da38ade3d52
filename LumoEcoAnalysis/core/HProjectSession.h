#pragma once
#include <QString>

class HProject;
class HProjectNotices;

// How a project is prepared the way the program does it, in one place for the main
// window and the command-line program:
// - the project, and with it its calendar year, exists before any weather is
//   loaded, as in a freshly started program (the weekdays of the year's days are
//   taken from the calendar year current when the year is built);
// - after a project is opened, the out-of-range peak loads are replaced as the Open
//   command does, and every own outdoor unit's part-load curves are built from its
//   product points, as the own unit page does whenever it shows the units.
class HProjectSession
{
public:
    // Registers the product database file with the database service, with the
    // program's fixed password, as the program does at start-up.
    static void registerProductDatabase(const QString& fileName);

    // The global project, created now when there is none. A project created here or
    // by newProject has its Saturdays and Sundays marked as holidays.
    static HProject* startProject();

    // Discards the global project and starts a new default one. Its calendar year is
    // built on the initial calendar year, as in a freshly started program, so the
    // weekdays of a new project never depend on the weather read before.
    static HProject* newProject();

    // Reads a ".ee" project file, an ".eed" export or a ".vrf" project database (by
    // its ending, in any case) into a new project (see newProject) and prepares it.
    // On success that project replaces the global one and its filePath is the path
    // with ".vrf"/".eed" replaced by ".ee". On failure the global project is kept
    // unchanged and `error` says why. What the
    // caller must show although the open succeeded goes to `notices`, in this order: the
    // reading's and the import's remarks, own models missing from the product database,
    // then the peak loads the capacity check replaced.
    static bool openProject(const QString& path, QString* error = nullptr,
                            HProjectNotices* notices = nullptr);

    // openProject without the steps that follow reading (prepareOpenedProject): the
    // project holds what the file says, peak loads included, for editing it.
    static bool readProject(const QString& path, QString* error = nullptr,
                            HProjectNotices* notices = nullptr);

    // The steps that follow reading a project: peak-load check with the systems'
    // totals recomputed (its replacements go to `notices`), then the own outdoor units'
    // curves.
    static void prepareOpenedProject(HProjectNotices* notices = nullptr);

    // HUnit::calculate() on every own outdoor unit; returns how many were built.
    static int buildOwnUnitCurves();

    // "x.vrf" and "x.eed" (any case) become "x.ee"; other paths are returned unchanged.
    static QString projectPathFor(const QString& path);
};
