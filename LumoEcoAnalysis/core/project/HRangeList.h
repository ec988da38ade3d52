#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// A set of whole numbers from `first` to `last` written as a list of ranges, as the
// schedule is typed: "8-17", "1-5", "1-6,9-12", "22-6" (across the end: 22..last and
// first..6), "all", "none". Numbers may also be written as the given names, whole or
// by their first three letters, regardless of case ("mon-fri", "Monday", "jan,dec").
class HRangeList
{
public:
    HRangeList(int first, int last, const QStringList& names = {});

    // flags[i] is number first + i. False with a translated reason when the text is not
    // such a list; `flags` is then unchanged.
    bool parse(const QString& text, QVector<bool>* flags, QString* error = nullptr) const;
    // The shortest form of the flags: "8-17", "1-6, 9-12", "all", "none"; with names,
    // their first three letters ("Mon-Fri").
    QString format(const QVector<bool>& flags) const;

    static QStringList weekdayNames(); // Monday .. Sunday
    static QStringList monthNames();   // January .. December

private:
    bool number(const QString& text, int* value) const;

    int m_first;
    int m_last;
    QStringList m_names;
};
