#pragma once
#include "HSweepRunner.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <QVector>

// The rows of a sweep as CSV or JSON: one row per variant, its columns taken from the
// variant and from calculate's JSON output of it, so that each row holds the figures
// "lumoeco calculate" gives for that variant.
class HSweepRows
{
public:
    // The column names, in order.
    static QStringList columns();
    // A column's value for a row: null where a failed variant has no figure, and where
    // calculate gives none (no floor area, no peak load).
    static QJsonValue value(const HSweepRunner::Row& row, const QString& column);

    // A header and one line per row; numbers in full precision, null as an empty cell,
    // warnings joined by " | ".
    static QString toCsv(const QVector<HSweepRunner::Row>& rows);
    // {"project": file, "rows": [{column: value, ...}, ...]}, warnings as an array.
    static QJsonObject toJson(const QVector<HSweepRunner::Row>& rows, const QString& project);
};
