#pragma once
#include "HPeakLoadReplacement.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What reading and preparing a project noticed that the user must be told although
// the project opened: values taken by the reading rules (wrong type, missing part,
// negative), remarks of an import, own unit lines whose model the product database
// lacks, and peak loads the capacity check replaced. Every notice adds one translated
// line to texts(), in the order found; missing models and replacements also keep their
// data. The program shows texts() after Open and Calculate; lumoeco prints them on
// standard error and in its JSON "warnings".
class HProjectNotices
{
public:
    // An own unit line whose model is not in the product database: it keeps the series,
    // category, model and quantity read, and has no capacity and no power input.
    struct MissingModel
    {
        int line = 0; // 1-based position in the list read ("unit_group", "odu_array" or
                      // "idu_array", the equipment rows of a project database)
        bool outdoor = true;
        QString category;
        QString model;
        QString message() const; // translated
    };

    void add(const QString& text);
    void addMissingModel(const MissingModel& missing);
    void addPeakLoadReplacement(const HPeakLoadReplacement& replacement);
    // Appends every notice of `other`, keeping their order.
    void append(const HProjectNotices& other);

    const QStringList& texts() const { return m_texts; }
    const QVector<MissingModel>& missingModels() const { return m_missingModels; }
    const QVector<HPeakLoadReplacement>& peakLoadReplacements() const { return m_replacements; }
    bool isEmpty() const { return m_texts.isEmpty(); }
    void clear();

private:
    QStringList m_texts;
    QVector<MissingModel> m_missingModels;
    QVector<HPeakLoadReplacement> m_replacements;
};
