// Builds the demo weather database from monthly climate normals.
//
//   mkweatherdb <normals.csv> <Weather.db3>
//
// For every city of the CSV it synthesises deterministic hourly years: a daily
// maximum and minimum following the monthly normals (interpolated between month
// centres) plus a persistent day-to-day anomaly (AR(1)), a diurnal cycle between
// them (minimum near sunrise, maximum mid-afternoon), and a relative humidity
// derived from a daily vapour pressure calibrated to the monthly mean humidity,
// so that humidity falls as the temperature rises. The random numbers come from
// std::mt19937 (fully specified by the standard) seeded with the table name and
// the year, so every build produces the same database.

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct CityNormals
{
    QString country;
    QString city;
    QString table;
    std::vector<int> years;
    std::array<double, 12> tmax{};
    std::array<double, 12> tmin{};
    std::array<double, 12> rh{}; // fraction
};

bool isLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

// Saturation vapour pressure over water, Pa (Magnus form).
double saturationPressure(double t)
{
    return 611.2 * std::exp(17.62 * t / (243.12 + t));
}

class Normal
{
public:
    explicit Normal(uint32_t seed)
        : m_gen(seed)
    {
    }
    double next()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        // Box-Muller on the generator's raw output keeps the sequence identical
        // across standard libraries (std::normal_distribution is not specified).
        const double u1 = (double(m_gen()) + 0.5) / 4294967296.0;
        const double u2 = (double(m_gen()) + 0.5) / 4294967296.0;
        const double r = std::sqrt(-2.0 * std::log(u1));
        m_spare = r * std::sin(2.0 * kPi * u2);
        m_hasSpare = true;
        return r * std::cos(2.0 * kPi * u2);
    }

private:
    std::mt19937 m_gen;
    bool m_hasSpare = false;
    double m_spare = 0.0;
};

uint32_t seedFor(const QString& table, int year)
{
    uint32_t h = 2166136261u; // FNV-1a
    for (const char c : table.toUtf8()) {
        h ^= uint8_t(c);
        h *= 16777619u;
    }
    return h ^ (uint32_t(year) * 2654435761u);
}

// Value of a monthly normal at a fractional month position (0 = 1 January,
// 12 = end of December), linear between month centres, wrapping over the year.
double interpolate(const std::array<double, 12>& v, double pos)
{
    const double x = pos - 0.5;
    const int i0 = int(std::floor(x));
    const double f = x - i0;
    const double a = v[(i0 % 12 + 12) % 12];
    const double b = v[((i0 + 1) % 12 + 12) % 12];
    return a + (b - a) * f;
}

// Temperature at hour h (0..23) of a day, given the minimum at 05:00 and the
// maximum at 15:00, joined by half cosines to the neighbouring days.
double diurnal(double h, double prevMax, double tmin, double tmax, double nextMin)
{
    if (h < 5.0)
        return prevMax - (prevMax - tmin) * (1.0 - std::cos(kPi * (h + 9.0) / 14.0)) / 2.0;
    if (h <= 15.0)
        return tmin + (tmax - tmin) * (1.0 - std::cos(kPi * (h - 5.0) / 10.0)) / 2.0;
    return tmax - (tmax - nextMin) * (1.0 - std::cos(kPi * (h - 15.0) / 14.0)) / 2.0;
}

struct Hour
{
    int month, day, hour;
    double temp, rh;
};

std::vector<Hour> synthesiseYear(const CityNormals& c, int year)
{
    Normal rnd(seedFor(c.table, year));

    double lo = 1e9, hi = -1e9;
    for (int m = 0; m < 12; ++m) {
        const double mean = (c.tmax[m] + c.tmin[m]) / 2.0;
        lo = std::min(lo, mean);
        hi = std::max(hi, mean);
    }
    // Larger day-to-day swings where the seasons differ more (continental climates).
    const double sigmaT = 1.0 + 0.05 * (hi - lo);
    const double phiT = 0.75, phiR = 0.5, phiQ = 0.6, phiH = 0.8;
    const double sigmaR = 0.2, sigmaQ = 0.15, sigmaH = 0.3;

    struct Day
    {
        int month, day;
        double tmax, tmin, climMax, climMin, rh, range, humidAnomaly;
    };
    std::vector<Day> days;
    double a = sigmaT * rnd.next(), r = sigmaR * rnd.next(), q = sigmaQ * rnd.next();
    for (int m = 1; m <= 12; ++m) {
        const int n = daysInMonth(year, m);
        for (int d = 1; d <= n; ++d) {
            const double pos = (m - 1) + (d - 0.5) / n;
            Day day;
            day.month = m;
            day.day = d;
            day.climMax = interpolate(c.tmax, pos);
            day.climMin = interpolate(c.tmin, pos);
            day.rh = interpolate(c.rh, pos);
            const double range = day.climMax - day.climMin;
            a = phiT * a + sigmaT * std::sqrt(1 - phiT * phiT) * rnd.next();
            r = phiR * r + sigmaR * std::sqrt(1 - phiR * phiR) * rnd.next();
            q = phiQ * q + sigmaQ * std::sqrt(1 - phiQ * phiQ) * rnd.next();
            const double factor = std::clamp(1.0 + r, 0.4, 1.6); // cloudy days: small range
            day.range = factor;
            day.tmax = day.climMax + a + (factor - 1.0) * range / 2.0;
            day.tmin = day.climMin + a - (factor - 1.0) * range / 2.0;
            // Cloudy days are moister.
            day.humidAnomaly = q - 0.5 * (factor - 1.0);
            days.push_back(day);
        }
    }

    std::vector<Hour> hours;
    hours.reserve(days.size() * 24);
    double e = 0.0;
    for (size_t i = 0; i < days.size(); ++i) {
        const Day& d = days[i];
        const Day& prev = days[i == 0 ? 0 : i - 1];
        const Day& next = days[i + 1 < days.size() ? i + 1 : i];
        // Vapour pressure that gives the normal's mean humidity over a normal day.
        double invSum = 0.0;
        for (int h = 0; h < 24; ++h)
            invSum +=
                1.0 / saturationPressure(diurnal(h, d.climMax, d.climMin, d.climMax, d.climMin));
        const double vapour = d.rh / (invSum / 24.0) * std::exp(d.humidAnomaly);
        for (int h = 0; h < 24; ++h) {
            e = phiH * e + sigmaH * std::sqrt(1 - phiH * phiH) * rnd.next();
            const double t = diurnal(h, prev.tmax, d.tmin, d.tmax, next.tmin) + e;
            const double rh = std::clamp(vapour / saturationPressure(t), 0.03, 1.0);
            hours.push_back(
                {d.month, d.day, h, std::round(t * 10.0) / 10.0, std::round(rh * 100.0) / 100.0});
        }
    }
    return hours;
}

bool parseNormals(const QString& path, std::vector<CityNormals>& out, QString& error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QTextStream in(&f);
    in.setCodec("UTF-8");
    const QRegularExpression tableRx(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    int lineNo = 0;
    bool header = true;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList f = line.split(QLatin1Char(','));
        if (f.size() != 44) {
            error = QStringLiteral("line %1: %2 fields, expected 44").arg(lineNo).arg(f.size());
            return false;
        }
        CityNormals c;
        c.country = f[0].trimmed();
        c.city = f[1].trimmed();
        c.table = f[2].trimmed();
        if (c.country.isEmpty() || c.city.isEmpty() || !tableRx.match(c.table).hasMatch()) {
            error = QStringLiteral("line %1: bad country, city or table name").arg(lineNo);
            return false;
        }
        // Every city's figures must say where they come from.
        if (f[7].trimmed().isEmpty()) {
            error =
                QStringLiteral("line %1: no source for the normals of %2").arg(lineNo).arg(c.city);
            return false;
        }
        for (const QString& y : f[6].split(QLatin1Char(';'))) {
            bool ok = false;
            const int year = y.toInt(&ok);
            if (!ok || year < 1900 || year > 2100) {
                error = QStringLiteral("line %1: bad year '%2'").arg(lineNo).arg(y);
                return false;
            }
            c.years.push_back(year);
        }
        for (int m = 0; m < 12; ++m) {
            bool ok1 = false, ok2 = false, ok3 = false;
            c.tmax[m] = f[8 + m].toDouble(&ok1);
            c.tmin[m] = f[20 + m].toDouble(&ok2);
            c.rh[m] = f[32 + m].toDouble(&ok3) / 100.0;
            if (!ok1 || !ok2 || !ok3 || c.tmax[m] < c.tmin[m] || c.rh[m] <= 0.0 || c.rh[m] > 1.0) {
                error = QStringLiteral("line %1: bad normals for month %2").arg(lineNo).arg(m + 1);
                return false;
            }
        }
        for (const CityNormals& o : out)
            if (o.table.compare(c.table, Qt::CaseInsensitive) == 0) {
                error = QStringLiteral("line %1: table %2 used twice").arg(lineNo).arg(c.table);
                return false;
            }
        out.push_back(c);
    }
    if (out.empty()) {
        error = QStringLiteral("%1 holds no city").arg(path);
        return false;
    }
    return true;
}

bool writeDatabase(const QString& path, const std::vector<CityNormals>& cities, QString& error)
{
    QFile::remove(path);
    bool ok = true;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mkweatherdb"));
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
            ok = false;
        }
        QSqlQuery q(db);
        auto run = [&](const QString& sql) {
            if (ok && !q.exec(sql)) {
                error = q.lastError().text() + QStringLiteral(" in ") + sql;
                ok = false;
            }
        };
        run(QStringLiteral("PRAGMA journal_mode=OFF"));
        run(QStringLiteral("BEGIN"));
        run(QStringLiteral("CREATE TABLE tb_glb_idx (nation TEXT, city TEXT, tableName TEXT, "
                           "SummeryDry TEXT, SummeryWet TEXT, WinterDry TEXT, WinterWet TEXT)"));
        for (const CityNormals& c : cities) {
            if (!ok)
                break;
            q.prepare(QStringLiteral(
                "INSERT INTO tb_glb_idx (nation, city, tableName) VALUES (?, ?, ?)"));
            q.addBindValue(c.country);
            q.addBindValue(c.city);
            q.addBindValue(c.table);
            if (!q.exec()) {
                error = q.lastError().text();
                ok = false;
                break;
            }
            run(QStringLiteral(
                    "CREATE TABLE [%1] (year INTEGER, month INTEGER, day INTEGER, hour INTEGER, "
                    "dry_temp REAL, Humidity REAL)")
                    .arg(c.table));
            QSqlQuery ins(db);
            ins.prepare(QStringLiteral("INSERT INTO [%1] VALUES (?, ?, ?, ?, ?, ?)").arg(c.table));
            for (const int year : c.years) {
                for (const Hour& h : synthesiseYear(c, year)) {
                    ins.bindValue(0, year);
                    ins.bindValue(1, h.month);
                    ins.bindValue(2, h.day);
                    ins.bindValue(3, h.hour);
                    ins.bindValue(4, h.temp);
                    ins.bindValue(5, h.rh);
                    if (!ins.exec()) {
                        error = ins.lastError().text();
                        ok = false;
                        break;
                    }
                }
                if (!ok)
                    break;
            }
        }
        run(QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkweatherdb"));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkweatherdb <normals.csv> <Weather.db3>\n");
        return 2;
    }
    std::vector<CityNormals> cities;
    QString error;
    if (!parseNormals(args[1], cities, error)) {
        std::fprintf(stderr, "mkweatherdb: %s\n", qPrintable(error));
        return 1;
    }
    // Build beside the target and rename, so an interrupted build never leaves a
    // half-written database that looks up to date.
    const QString tmp = args[2] + QStringLiteral(".tmp");
    if (!writeDatabase(tmp, cities, error)) {
        QFile::remove(tmp);
        std::fprintf(stderr, "mkweatherdb: %s\n", qPrintable(error));
        return 1;
    }
    QFile::remove(args[2]);
    if (!QFile::rename(tmp, args[2])) {
        std::fprintf(stderr, "mkweatherdb: cannot create %s\n", qPrintable(args[2]));
        return 1;
    }
    std::printf("mkweatherdb: %d cities written to %s\n", int(cities.size()), qPrintable(args[2]));
    return 0;
}
