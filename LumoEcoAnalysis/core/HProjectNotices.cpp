#include "HProjectNotices.h"

#include "TranslateString.h"

QString HProjectNotices::MissingModel::message() const
{
    const QString text = outdoor
        ? TranslateString("Own outdoor unit line %1 (category \"%2\", model \"%3\") is not in "
                          "the product database: it has no capacity and no power input.")
        : TranslateString("Own indoor unit line %1 (category \"%2\", model \"%3\") is not in "
                          "the product database: it has no capacity and no power input.");
    return text.arg(line).arg(category, model);
}

void HProjectNotices::add(const QString& text)
{
    m_texts.append(text);
}

void HProjectNotices::addMissingModel(const MissingModel& missing)
{
    m_missingModels.append(missing);
    m_texts.append(missing.message());
}

void HProjectNotices::addPeakLoadReplacement(const HPeakLoadReplacement& replacement)
{
    m_replacements.append(replacement);
    m_texts.append(replacement.message());
}

void HProjectNotices::append(const HProjectNotices& other)
{
    m_texts += other.m_texts;
    m_missingModels += other.m_missingModels;
    m_replacements += other.m_replacements;
}

void HProjectNotices::clear()
{
    m_texts.clear();
    m_missingModels.clear();
    m_replacements.clear();
}
