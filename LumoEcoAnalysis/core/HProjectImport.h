#pragma once
#include <QJsonObject>
#include <QString>

class HProject;
class HProjectNotices;

// Import of the selection software's project files: the export file (".eed", JSON)
// and the project database (".vrf", SQLite). Both replace the own VRF system's units
// (completed from the product database) and copy the project's name, date, location
// and indoor design temperatures. Everything else in the project keeps its value.
class HProjectImport
{
public:
    // Reads the "project_parameter" object into the project: the indoor temperatures
    // when "project_climate" is a non-empty object, name/date/country/city when
    // "project_information" is.
    static void readProjectInformation(const QJsonObject& info, HProject* project);

    // The text shown when a project database holds no equipment rows.
    static QString noEquipmentMessage();
};

// Imports an ".eed" file into the global project. A missing or unreadable file, or
// one without a JSON object, changes nothing and returns false with the reason.
// Unit entries with values of the wrong type, and units whose model the product
// database lacks, are added to `notices`.
bool openEED(const QString& path, QString* error = nullptr, HProjectNotices* notices = nullptr);

// Imports a ".vrf" project database into the global project. A file that is not a
// database, or not a project database (no equipment table), changes nothing and
// returns false. A project without equipment rows empties the own system, still
// imports the project information, returns true and adds the no-equipment message to
// `notices`; units whose model the product database lacks are added there too.
bool openVRF(const QString& path, QString* error = nullptr, HProjectNotices* notices = nullptr);
