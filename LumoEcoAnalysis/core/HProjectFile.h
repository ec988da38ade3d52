#pragma once
#include <QJsonObject>
#include <QString>

class HProject;
class HProjectNotices;

// The project file (".ee"): the project's inputs as one JSON object. It holds no
// weather and no results; those are recomputed by a calculation.
class HProjectFile
{
public:
    // The document written for the project.
    static QJsonObject toJson(HProject* project);
    // Reads a non-empty document into the project. Own-system units are completed
    // from the product database; their capacities in the file are not used. Values the
    // reading rules take as 0, empty or false although the file holds something else,
    // negative amounts, a schedule that runs no hour and own models missing from the
    // product database are added to `notices`.
    static void fromJson(const QJsonObject& root, HProject* project,
                         HProjectNotices* notices = nullptr);

    // A whole number stored as a number of any kind (quantities, series ids of the
    // project and selection files): truncated; NaN and values no int holds give 0.
    static int truncatedInt(double value);
};

// Writes the global project to `path` through a temporary file, so a failed save
// leaves the previous file intact. On success the path becomes the project's
// filePath; on failure false with the reason in `error`.
bool saveProjectFile(const QString& path, QString* error = nullptr);

// Reads the file into the global project in its current state. A missing or
// unreadable file, or one that holds no JSON object (or an empty one), leaves the
// project untouched and returns false with the reason in `error`. What the reading
// noticed in a file it read goes to `notices` (see HProjectFile::fromJson). The loader
// sets neither the filePath nor the systems' totals.
bool loadProjectFile(const QString& path, QString* error = nullptr,
                     HProjectNotices* notices = nullptr);
