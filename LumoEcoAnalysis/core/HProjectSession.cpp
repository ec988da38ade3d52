#include "HProjectSession.h"

#include "HCalHelper.h"
#include "HDay.h"
#include "HDbFind.h"
#include "HMonth.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HUnit.h"
#include "HVRF.h"
#include "HYear.h"
#include "TranslateString.h"

#include <QVector>

namespace {

bool endsWith(const QString& path, const char* suffix)
{
    return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// A new project rests on Saturdays and Sundays; from then on the user's marks (and
// those a project file stores) stand.
void markWeekendHolidays(HProject* project)
{
    HYear* year = project->getYear();
    for (int m = 1; year && m <= 12; ++m) {
        if (HMonth* month = year->getMonth(m)) {
            for (HDay* day : *month)
                if (day->Getdate().dayOfWeek() >= Qt::Saturday)
                    day->setisHoliday(true);
        }
    }
}

HProject* createProject()
{
    HYear::year = HYear::initial_year;
    HProject* project = HProject::getProject();
    markWeekendHolidays(project);
    return project;
}

} // namespace

void HProjectSession::registerProductDatabase(const QString& fileName)
{
    // The product database's fixed password; SQLite ignores it, the service accepts it.
    HDbFind::setDbFileAndPwd(fileName, QStringLiteral("lumoe2017"));
}

HProject* HProjectSession::startProject()
{
    if (HProject::globalProject)
        return HProject::globalProject;
    HProject* project = HProject::getProject();
    markWeekendHolidays(project);
    return project;
}

HProject* HProjectSession::newProject()
{
    HProject::reset();
    return createProject();
}

bool HProjectSession::openProject(const QString& path, QString* error, HProjectNotices* notices)
{
    HProjectNotices found;
    if (!readProject(path, error, &found))
        return false;
    prepareOpenedProject(&found);
    if (notices)
        notices->append(found);
    return true;
}

bool HProjectSession::readProject(const QString& path, QString* error, HProjectNotices* notices)
{
    // Read into a new project beside the current one, so that a file that cannot be
    // read leaves the current project as it was.
    HProject* previous = HProject::globalProject;
    const int previousYear = HYear::year;
    HProject::globalProject = nullptr;
    HProject* fresh = createProject();

    HProjectNotices found;
    bool ok = false;
    if (endsWith(path, ".ee")) {
        ok = loadProjectFile(path, error, &found);
    } else if (endsWith(path, ".vrf")) {
        ok = openVRF(path, error, &found);
    } else if (endsWith(path, ".eed")) {
        ok = openEED(path, error, &found);
    } else if (error) {
        *error = TranslateString("Unknown project file type (expected .ee, .eed "
                                 "or .vrf): %1")
                     .arg(path);
    }
    if (!ok) {
        delete fresh;
        HProject::globalProject = previous;
        HYear::year = previousYear;
        return false;
    }
    delete previous;
    fresh->setfilePath(projectPathFor(path));
    if (notices)
        notices->append(found);
    return true;
}

void HProjectSession::prepareOpenedProject(HProjectNotices* notices)
{
    QString unused;
    QVector<HPeakLoadReplacement> replacements;
    HCalHelper::calculatePeakLoad(unused, true, &replacements);
    if (notices) {
        for (const HPeakLoadReplacement& r : qAsConst(replacements))
            notices->addPeakLoadReplacement(r);
    }
    buildOwnUnitCurves();
}

int HProjectSession::buildOwnUnitCurves()
{
    HVRF* own = HProject::getProject()->getOwnVRFSys();
    if (!own)
        return 0;
    QVector<HUnit*> outdoor;
    own->getAllOutoorUnits(outdoor);
    for (HUnit* unit : outdoor)
        unit->calculate();
    return outdoor.size();
}

QString HProjectSession::projectPathFor(const QString& path)
{
    if (endsWith(path, ".vrf") || endsWith(path, ".eed"))
        return path.left(path.size() - 4) + QStringLiteral(".ee");
    return path;
}
