#pragma once
// What the unit page tests share: a copy of the demo product catalogue with its
// energy-data table built, a private program directory for the default curve
// file, and the catalogue's rated figures read from its readable sources (so that
// expected values do not come from the lookup under test).

#include "CUnitFun.h"
#include "HAppPaths.h"
#include "HDbFind.h"
#include "HInitVRFProductECData.h"
#include "HJsonConfig.h"
#include "HProject.h"
#include "HProjectSession.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <memory>

namespace unitsfixture {

// Rated figures of one catalogue model, in kW.
struct Rated
{
    double tcC = 0.0, piC = 0.0, tcH = 0.0, piH = 0.0;
};

// model text -> rated figures, from the catalogue's CSV sources. Outdoor rows:
// oem_model is column 2, cooling/heating capacity and power columns 7-10 (kW).
// Indoor rows: oem_model column 2, capacities columns 3-4 (kW), power column 5 (W).
inline QHash<QString, Rated> ratedFigures(bool outdoor)
{
    QHash<QString, Rated> figures;
    QFile file(QStringLiteral(BRIVANTA_PRODUCT_SOURCES)
               + (outdoor ? "/outdoor_units.csv" : "/indoor_units.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return figures;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    in.readLine(); // header
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char(','));
        Rated r;
        if (outdoor && f.size() >= 11)
            r = {f[7].toDouble(), f[8].toDouble(), f[9].toDouble(), f[10].toDouble()};
        else if (!outdoor && f.size() >= 6)
            r = {f[3].toDouble(), f[5].toDouble() / 1000.0, f[4].toDouble(),
                 f[5].toDouble() / 1000.0};
        else
            continue;
        figures.insert(f[2], r);
    }
    return figures;
}

// The demo catalogue beside a private program directory; lives for one test program.
class Catalogue
{
public:
    bool setUp()
    {
        if (!m_dir.isValid())
            return false;
        const QString products = m_dir.filePath("Product.mdb");
        if (!QFile::copy(QStringLiteral(BRIVANTA_FIXTURE_DIR "/Product.mdb"), products))
            return false;
        QFile::setPermissions(products, QFile::ReadOwner | QFile::WriteOwner);
        HAppPaths::setApplicationDir(m_dir.path());
        HJsonConfig::read(m_dir.filePath("ee_config.json"));
        HProjectSession::registerProductDatabase(products);
        m_productData = std::make_unique<HInitVRFProductECData>();
        return HDbFind::getDb() != nullptr;
    }

    void tearDown()
    {
        HProject::reset();
        m_productData.reset();
        HDbFind::close();
        HAppPaths::setApplicationDir(QString());
        CUnitFun::SetUnitLoad(CUnitFun::LoadKW);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HInitVRFProductECData> m_productData;
};

} // namespace unitsfixture
