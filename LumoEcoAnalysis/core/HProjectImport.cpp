#include "HProjectImport.h"

#include "HDatabase.h"
#include "HJsonFunc.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectNotices.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HVRFProductHelper.h"
#include "HVRFProductStatements.h"
#include "TranslateString.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVector>

namespace {

struct ImportedUnit
{
    bool odu = true;
    int series = 0;
    QString category;
    QString model;
    int quantity = 0;
    int line = 0; // 1-based position in its list
};

void appendUnits(const QVector<ImportedUnit>& units, HVRF* own, HProjectNotices* notices)
{
    HVRFProductStatements statements;
    for (const ImportedUnit& u : units) {
        bool found = false;
        own->append(HVRFProductHelper::newOwnUnit(u.series, u.category, u.model, u.quantity, u.odu,
                                                  &statements, &found));
        if (!found && notices)
            notices->addMissingModel({u.line, u.odu, u.category, u.model});
    }
}

// Appends the usable entries; returns how many entries had values of the wrong type
// (they are imported as far as they go, like the rest, but the caller is told).
int collectEEDUnits(const QJsonValue& arrayValue, bool odu, QVector<ImportedUnit>& out)
{
    if (!arrayValue.isUndefined() && !arrayValue.isArray())
        return 1;
    int wrongTypes = 0;
    int line = 0;
    for (const QJsonValue& value : arrayValue.toArray()) {
        ++line;
        const QJsonObject o = value.toObject();
        if (!value.isObject() || !o.value("quantity").isDouble()
            || !o.value("product_code").isString() || !o.value("name").isString()
            || !(o.value("id_series").isDouble() || o.value("id_series").isUndefined()))
            ++wrongTypes;
        ImportedUnit u;
        u.quantity = HProjectFile::truncatedInt(o.value("quantity").toDouble());
        if (u.quantity <= 0)
            continue;
        u.odu = odu;
        u.series = o.value("id_series").toInt();
        u.model = o.value("product_code").toString();
        u.category = o.value("name").toString();
        u.line = line;
        out.append(u);
    }
    return wrongTypes;
}

// The unit rows of a project database; false when the equipment table (an ordinary
// table, never a view) or one of its columns is missing. A read error leaves `error`
// set: a damaged file ends the rows early exactly like their end. The queries end
// before the caller closes the database.
bool readMaterialRows(HDatabase& db, QVector<ImportedUnit>& units, QString* error)
{
    if (!db.tableIsExist(QStringLiteral("r_material")))
        return false;
    QSqlQuery rows = db.query(QStringLiteral("select * from r_material where [scope] = ? and "
                                             "([type] = 0 or [type] = 1)"),
                              {QStringLiteral("project")});
    const QSqlRecord columns = rows.record();
    for (const char* name : {"type", "id_series", "description", "model", "quantity"}) {
        if (columns.indexOf(QLatin1String(name)) < 0) {
            if (rows.record().isEmpty() && !db.lastError().isEmpty())
                *error = db.lastError();
            return false;
        }
    }
    while (rows.next()) {
        ImportedUnit u;
        u.line = units.size() + 1;
        u.odu = rows.value("type").toInt() == 0;
        // Through double: QVariant rounds a real to int and overflows on huge ones.
        u.series = HProjectFile::truncatedInt(rows.value("id_series").toDouble());
        u.category = rows.value("description").toString();
        u.model = rows.value("model").toString();
        u.quantity = HProjectFile::truncatedInt(rows.value("quantity").toDouble());
        units.append(u);
    }
    *error = db.rowError(rows);
    return true;
}

// The project information objects, in row order; none when the file has no table of
// them. A read error leaves `error` set.
QVector<QJsonObject> readProjectInfos(HDatabase& db, QString* error)
{
    QVector<QJsonObject> infos;
    if (!db.tableIsExist(QStringLiteral("p_project_info")))
        return infos;
    QSqlQuery rows = db.query(QStringLiteral("select * from p_project_info"));
    if (rows.record().isEmpty()) {
        *error = db.lastError();
        return infos;
    }
    while (rows.next()) {
        QJsonDocument doc;
        HJsonFunc::parseTextToJsonDoc(rows.value("project_base_info").toString(), doc);
        infos.append(doc.object());
    }
    *error = db.rowError(rows);
    return infos;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// False, with the error set, when `path` names no existing file.
bool isExistingFile(const QString& path, QString* error)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists() || !file.isFile()) {
        setError(error, TranslateString("File not found: %1").arg(path));
        return false;
    }
    return true;
}

} // namespace

void HProjectImport::readProjectInformation(const QJsonObject& info, HProject* project)
{
    const QJsonObject parameter = info.value("project_parameter").toObject();
    const QJsonObject climate = parameter.value("project_climate").toObject();
    if (!climate.isEmpty()) {
        project->setindoor_cooling_temperature(climate.value("cooling_room_dry").toDouble());
        project->setindoor_heating_temperature(climate.value("heating_room_dry").toDouble());
    }
    const QJsonObject information = parameter.value("project_information").toObject();
    if (!information.isEmpty()) {
        project->setname(information.value("project_name").toString());
        project->setdate(
            QDate::fromString(information.value("date").toString(), QStringLiteral("yyyy-MM-dd")));
        project->setcountry(information.value("country").toString());
        project->setcity(information.value("city").toString());
    }
}

QString HProjectImport::noEquipmentMessage()
{
    return TranslateString("No find equipment info in this project file, Please Use VELA "
                           "software open, calculate and save again.");
}

bool openEED(const QString& path, QString* error, HProjectNotices* notices)
{
    if (!isExistingFile(path, error))
        return false;
    QJsonDocument doc;
    QString why;
    if (!HJsonFunc::readUTF_8FileToJsonDoc(path, doc, &why)) {
        setError(error, TranslateString("Cannot read the export file %1: %2").arg(path, why));
        return false;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.isEmpty()) {
        setError(error,
                 TranslateString("Not a project export file (no project data): %1").arg(path));
        return false;
    }

    QVector<ImportedUnit> units;
    const int wrongTypes = collectEEDUnits(root.value("odu_array"), true, units)
        + collectEEDUnits(root.value("idu_array"), false, units);
    if (wrongTypes > 0 && notices)
        notices->add(TranslateString("%1 unit entries of %2 have values of the wrong type; units "
                                     "without a positive numeric quantity were skipped.")
                         .arg(wrongTypes)
                         .arg(path));

    HProject* project = HProject::getProject();
    HVRF* own = project->getOwnVRFSys();
    own->reset();
    appendUnits(units, own, notices);
    HProjectImport::readProjectInformation(root, project);
    return true;
}

bool openVRF(const QString& path, QString* error, HProjectNotices* notices)
{
    if (!isExistingFile(path, error))
        return false;
    HDatabase db;
    if (!db.openSqliteDatabase(path, QString())) {
        setError(error, TranslateString("Not a project database: %1").arg(path));
        return false;
    }

    // Everything is read before the project changes, so a file that turns out not
    // to be a project database, or cannot be read to its end, leaves the project as it
    // was: an import is whole or not at all.
    QVector<ImportedUnit> units;
    QString readError;
    const bool isProject = readMaterialRows(db, units, &readError);
    QVector<QJsonObject> infos;
    if (isProject && readError.isEmpty())
        infos = readProjectInfos(db, &readError);
    db.closeDatabase();
    if (!readError.isEmpty()) {
        setError(error, TranslateString("Cannot read the project database %1: %2; nothing was "
                                        "imported.")
                            .arg(path, readError));
        return false;
    }
    if (!isProject) {
        setError(error,
                 TranslateString("Not a project database (no equipment table): %1").arg(path));
        return false;
    }

    HProject* project = HProject::getProject();
    HVRF* own = project->getOwnVRFSys();
    own->reset();
    appendUnits(units, own, notices);
    if (own->isEmpty() && notices)
        notices->add(HProjectImport::noEquipmentMessage());
    // A later row overrides an earlier one.
    for (const QJsonObject& info : infos)
        HProjectImport::readProjectInformation(info, project);
    return true;
}
