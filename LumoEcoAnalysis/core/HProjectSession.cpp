#include "HProjectSession.h"

#include "HCalHelper.h"
#include "HDbFind.h"
#include "HProject.h"
#include "HProjectFile.h"
#include "HProjectImport.h"
#include "HProjectNotices.h"
#include "HUnit.h"
#include "HVRF.h"
#include "TranslateString.h"

#include <QVector>

void HProjectSession::registerProductDatabase(const QString& fileName)
{
    // The product database's fixed password; SQLite ignores it, the service accepts it.
    HDbFind::setDbFileAndPwd(fileName, QStringLiteral("lumoe2017"));
}

HProject* HProjectSession::startProject()
{
    return HProject::getProject();
}

bool HProjectSession::openProject(const QString& path, QString* error, HProjectNotices* notices)
{
    startProject();
    bool ok = false;
    if (path.endsWith(QLatin1String(".ee"))) {
        ok = loadProjectFile(path, error, notices);
    } else if (path.endsWith(QLatin1String(".vrf"))) {
        ok = openVRF(path, error, notices);
    } else if (path.endsWith(QLatin1String(".eed"))) {
        ok = openEED(path, error, notices);
    } else if (error) {
        *error = TranslateString("Unknown project file type (expected .ee, .eed "
                                 "or .vrf): %1")
                     .arg(path);
    }
    if (!ok)
        return false;
    prepareOpenedProject(notices);
    HProject::getProject()->setfilePath(projectPathFor(path));
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
    if (path.endsWith(QLatin1String(".vrf")))
        return path.left(path.size() - 4) + QStringLiteral(".ee");
    if (path.endsWith(QLatin1String(".eed")))
        return path.left(path.size() - 4) + QStringLiteral(".ee");
    return path;
}
