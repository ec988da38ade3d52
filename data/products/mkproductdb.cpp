// Builds the demo product database from the readable sources of this folder:
//   mkproductdb <source folder> <output file>
// schema.sql and series.sql are run as they stand; outdoor_units.csv and
// indoor_units.csv fill the product tables and the product index, and every outdoor
// model gets generated capacity/power tables "<prefix>_C" and "<prefix>_H".
// The file is written beside the target and renamed into place when complete.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QVariantList>

#include <cmath>
#include <cstdio>

namespace {

const QString kBrand = QStringLiteral("Quellmark");

struct Failure
{
    QString message;
};

[[noreturn]] void fail(const QString& message)
{
    throw Failure{message};
}

// Table names come from the source files: quoted, and refused where they could end the
// quotes or hold control characters.
QString quoted(const QString& name)
{
    bool usable = !name.isEmpty() && !name.contains(QLatin1Char('"'));
    for (const QChar ch : name)
        usable = usable && ch.category() != QChar::Other_Control;
    if (!usable)
        fail(QStringLiteral("unusable table name '%1'").arg(name));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QTextStream in(&file);
    in.setCodec("UTF-8");
    return in.readAll();
}

// Splits an SQL script into statements at ';' outside quotes; "--" starts a comment.
QStringList splitSql(const QString& script)
{
    QStringList statements;
    QString current;
    QChar quote;
    for (int i = 0; i < script.size(); ++i) {
        const QChar ch = script.at(i);
        if (quote.isNull() && ch == QLatin1Char('-') && i + 1 < script.size()
            && script.at(i + 1) == QLatin1Char('-')) {
            while (i < script.size() && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (quote.isNull() && (ch == QLatin1Char('\'') || ch == QLatin1Char('"')))
            quote = ch;
        else if (!quote.isNull() && ch == quote)
            quote = QChar();
        if (quote.isNull() && ch == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        current += ch;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

// One CSV line: fields separated by ',', a field in double quotes may hold ',' and "".
QStringList splitCsvLine(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < line.size()
                && line.at(i + 1) == QLatin1Char('"')) {
                field += ch;
                ++i;
            } else if (ch == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
        } else if (ch == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else {
            field += ch;
        }
    }
    fields << field;
    return fields;
}

// Rows of a CSV file as maps header -> field.
QVector<QHash<QString, QString>> readCsv(const QString& path)
{
    const QStringList lines = readText(path).split(QLatin1Char('\n'));
    QVector<QHash<QString, QString>> rows;
    QStringList header;
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = splitCsvLine(line);
        if (header.isEmpty()) {
            header = fields;
            continue;
        }
        if (fields.size() != header.size())
            fail(QStringLiteral("%1:%2: %3 fields, expected %4")
                     .arg(path)
                     .arg(n + 1)
                     .arg(fields.size())
                     .arg(header.size()));
        QHash<QString, QString> row;
        for (int i = 0; i < header.size(); ++i) {
            // An empty field is empty text, never NULL.
            QString value = fields.at(i).trimmed();
            if (value.isNull())
                value = QLatin1String("");
            row.insert(header.at(i).trimmed(), value);
        }
        rows << row;
    }
    return rows;
}

class Builder
{
public:
    explicit Builder(const QString& file)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mkproductdb"));
        m_db.setDatabaseName(file);
        if (!m_db.open())
            fail(m_db.lastError().text());
    }
    ~Builder() { m_db.close(); }

    QSqlDatabase& db() { return m_db; }

    void exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(m_db);
        if (!q.prepare(sql))
            fail(QStringLiteral("%1\n%2").arg(sql, q.lastError().text()));
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            fail(QStringLiteral("%1\n%2").arg(sql, q.lastError().text()));
    }

    QStringList columns(const QString& table)
    {
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("select * from %1 limit 0").arg(quoted(table))))
            fail(QStringLiteral("no table %1").arg(table));
        QStringList names;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            names << rec.fieldName(i).toLower();
        return names;
    }

private:
    QSqlDatabase m_db;
};

double number(const QHash<QString, QString>& row, const QString& key)
{
    bool ok = false;
    const double v = row.value(key).toDouble(&ok);
    if (!ok)
        fail(QStringLiteral("%1: not a number in column %2: '%3'")
                 .arg(row.value(QStringLiteral("product_code")), key, row.value(key)));
    return v;
}

// Inverter part-load power shape: fraction of full-load power at load fraction p,
// a quadratic through (0.3, p30), (0.5, p50) and (1, 1).
struct PartLoadShape
{
    double a = 0, b = 0, c = 0;
    PartLoadShape(double p50, double p30)
    {
        c = (1.0 - p50 - 2.5 * (p50 - p30)) / 0.35;
        b = 5.0 * (p50 - p30) - 0.8 * c;
        a = 1.0 - b - c;
        // Power must rise with load over the whole table range.
        if (a + 0.3 * b + 0.09 * c <= 0.0 || b + 2.0 * c * 0.3 <= 0.0)
            fail(QStringLiteral("part-load shape %1/%2 does not rise with load").arg(p50).arg(p30));
    }
    double operator()(double p) const { return a + b * p + c * p * p; }
};

QString prefixFromCode(QString code)
{
    for (const char* ch : {"-", "(", ")", " ", "/"})
        code.replace(QLatin1String(ch), QLatin1String("_"));
    return code;
}

double round(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

const int kLoads[] = {30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130};

// Cooling: outdoor dry bulb x load, capacity/power at indoor wet bulbs 16, 19 and 22 degC.
void writeCoolingTable(Builder& b, const QString& table, double ratedTc, double ratedPi,
                       const PartLoadShape& shape)
{
    b.exec(QStringLiteral("create table %1 (db double, pre double, \"16TC\" double, "
                          "\"16PI\" double, \"19TC\" double, \"19PI\" double, \"22TC\" double, "
                          "\"22PI\" double)")
               .arg(quoted(table)));
    const QString insert =
        QStringLiteral("insert into %1 values (?,?,?,?,?,?,?,?)").arg(quoted(table));
    for (const double db : {20.0, 25.0, 30.0, 35.0, 40.0, 43.0}) {
        for (const int pre : kLoads) {
            const double p = pre / 100.0;
            QVariantList values{db, double(pre)};
            for (const double wb : {16.0, 19.0, 22.0}) {
                const double capacity = (1.0 + 0.004 * (35.0 - db)) * (1.0 + 0.025 * (wb - 19.0));
                const double power = (1.0 - 0.012 * (35.0 - db)) * (1.0 + 0.01 * (wb - 19.0));
                values << round(ratedTc * p * capacity, 2) << round(ratedPi * shape(p) * power, 3);
            }
            b.exec(insert, values);
        }
    }
}

// Heating: outdoor wet bulb x load, capacity/power at indoor dry bulbs 16, 20 and 24 degC.
void writeHeatingTable(Builder& b, const QString& table, double ratedTc, double ratedPi,
                       const PartLoadShape& shape)
{
    b.exec(QStringLiteral("create table %1 (wb double, pre double, \"16TC\" double, "
                          "\"16PI\" double, \"20TC\" double, \"20PI\" double, \"24TC\" double, "
                          "\"24PI\" double)")
               .arg(quoted(table)));
    const QString insert =
        QStringLiteral("insert into %1 values (?,?,?,?,?,?,?,?)").arg(quoted(table));
    for (const double wb : {-15.0, -7.0, 0.0, 6.0, 10.0, 15.0}) {
        const double outdoorCapacity =
            wb < 6.0 ? 1.0 - 0.022 * (6.0 - wb) : 1.0 + 0.01 * (wb - 6.0);
        const double outdoorPower = wb < 6.0 ? 1.0 - 0.008 * (6.0 - wb) : 1.0 - 0.004 * (wb - 6.0);
        for (const int pre : kLoads) {
            const double p = pre / 100.0;
            QVariantList values{wb, double(pre)};
            for (const double db : {16.0, 20.0, 24.0}) {
                const double capacity = outdoorCapacity * (1.0 - 0.01 * (db - 20.0));
                const double power = outdoorPower * (1.0 + 0.012 * (db - 20.0));
                values << round(ratedTc * p * capacity, 2) << round(ratedPi * shape(p) * power, 3);
            }
            b.exec(insert, values);
        }
    }
}

void addOutdoorUnits(Builder& b, const QString& csv)
{
    QHash<QString, QStringList> tableColumns;
    for (const auto& row : readCsv(csv)) {
        const QString table = row.value(QStringLiteral("table"));
        const QString code = row.value(QStringLiteral("product_code"));
        if (!tableColumns.contains(table))
            tableColumns.insert(table, b.columns(table));
        const QStringList cols = tableColumns.value(table);

        QStringList names{QStringLiteral("product_code"), QStringLiteral("hp")};
        QVariantList values{code, int(number(row, QStringLiteral("hp")))};
        QString prefix;
        if (cols.contains(QStringLiteral("vkc_table_name_prefix"))) {
            prefix = row.value(QStringLiteral("vkc_prefix"));
            names << QStringLiteral("vkc_table_name_prefix");
            values << prefix;
        } else if (!row.value(QStringLiteral("vkc_prefix")).isEmpty()) {
            fail(QStringLiteral("%1: table %2 has no prefix column").arg(code, table));
        }
        if (cols.contains(QStringLiteral("com_pipe"))) {
            names << QStringLiteral("com_pipe");
            values << row.value(QStringLiteral("com_pipe"));
        }
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        b.exec(QStringLiteral("insert into %1 (%2) values (%3)")
                   .arg(quoted(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
               values);
        b.exec(
            QStringLiteral("insert into __Product_idx (product_code, model, product_type, brand, "
                           "is_not_for_sale) values (?,?,0,?,?)"),
            {code, row.value(QStringLiteral("oem_model")), kBrand,
             int(number(row, QStringLiteral("not_for_sale")))});

        if (prefix.isEmpty())
            prefix = prefixFromCode(code);
        const PartLoadShape shape(number(row, QStringLiteral("power_at_50")),
                                  number(row, QStringLiteral("power_at_30")));
        writeCoolingTable(b, prefix + QStringLiteral("_C"),
                          number(row, QStringLiteral("cooling_kw")),
                          number(row, QStringLiteral("cooling_power_kw")), shape);
        writeHeatingTable(b, prefix + QStringLiteral("_H"),
                          number(row, QStringLiteral("heating_kw")),
                          number(row, QStringLiteral("heating_power_kw")), shape);
    }
}

void addIndoorUnits(Builder& b, const QString& csv)
{
    for (const auto& row : readCsv(csv)) {
        const QString model = row.value(QStringLiteral("model"));
        b.exec(QStringLiteral("insert into %1 (model, capacity_cooling_kw, capacity_heating_kw, "
                              "\"RatedPower+RatedPower+W\") values (?,?,?,?)")
                   .arg(quoted(row.value(QStringLiteral("table")))),
               {model, number(row, QStringLiteral("capacity_cooling_kw")),
                number(row, QStringLiteral("capacity_heating_kw")),
                number(row, QStringLiteral("rated_power_w"))});
        b.exec(
            QStringLiteral("insert into __Product_idx (product_code, model, product_type, brand, "
                           "is_not_for_sale) values (?,?,1,?,0)"),
            {model, row.value(QStringLiteral("oem_model")), kBrand});
    }
}

void build(const QString& sourceDir, const QString& target)
{
    const QDir src(sourceDir);
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    {
        Builder b(temporary);
        if (!b.db().transaction())
            fail(b.db().lastError().text());
        for (const char* script : {"schema.sql", "series.sql"}) {
            for (const QString& statement : splitSql(readText(src.filePath(QLatin1String(script)))))
                b.exec(statement);
        }
        addOutdoorUnits(b, src.filePath(QStringLiteral("outdoor_units.csv")));
        addIndoorUnits(b, src.filePath(QStringLiteral("indoor_units.csv")));
        if (!b.db().commit())
            fail(b.db().lastError().text());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkproductdb"));
    QFile::remove(target);
    if (!QFile::rename(temporary, target))
        fail(QStringLiteral("cannot rename %1 to %2").arg(temporary, target));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkproductdb <source folder> <output file>\n");
        return 2;
    }
    try {
        build(args.at(1), args.at(2));
    } catch (const Failure& f) {
        QSqlDatabase::removeDatabase(QStringLiteral("mkproductdb"));
        QFile::remove(args.at(2) + QStringLiteral(".part"));
        std::fprintf(stderr, "mkproductdb: %s\n", qPrintable(f.message));
        return 1;
    }
    return 0;
}
