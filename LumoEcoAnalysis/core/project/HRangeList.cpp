#include "HRangeList.h"

#include "TranslateString.h"

#include <QLocale>

HRangeList::HRangeList(int first, int last, const QStringList& names)
    : m_first(first)
    , m_last(last)
    , m_names(names)
{
}

QStringList HRangeList::weekdayNames()
{
    return {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
}

QStringList HRangeList::monthNames()
{
    return {"January", "February", "March",     "April",   "May",      "June",
            "July",    "August",   "September", "October", "November", "December"};
}

bool HRangeList::number(const QString& text, int* value) const
{
    bool ok = false;
    const int v = QLocale::c().toInt(text, &ok);
    if (ok) {
        *value = v;
        return v >= m_first && v <= m_last;
    }
    // "Monday", "mon" and "MON" name the same day.
    for (int i = 0; i < m_names.size(); ++i) {
        if (text.compare(m_names[i], Qt::CaseInsensitive) == 0
            || text.compare(m_names[i].left(3), Qt::CaseInsensitive) == 0) {
            *value = m_first + i;
            return true;
        }
    }
    return false;
}

bool HRangeList::parse(const QString& text, QVector<bool>* flags, QString* error) const
{
    const int count = m_last - m_first + 1;
    QVector<bool> on(count, false);
    const QString t = text.trimmed().toLower();
    auto refuse = [&](const QString& part) {
        if (error) {
            const QString example = m_names.isEmpty()
                ? QStringLiteral("%1-%2").arg(m_first).arg(m_last)
                : QStringLiteral("%1-%2").arg(m_names.first().left(3), m_names.last().left(3));
            *error = TranslateString("\"%1\" is not a list of ranges from %2 to %3 (such as "
                                     "\"%4\", \"all\" or \"none\")")
                         .arg(part)
                         .arg(m_first)
                         .arg(m_last)
                         .arg(example);
        }
        return false;
    };
    if (t == QLatin1String("all")) {
        on.fill(true);
    } else if (t != QLatin1String("none")) {
        const QStringList parts = t.split(QLatin1Char(','));
        for (const QString& raw : parts) {
            const QString part = raw.trimmed();
            const int dash = part.indexOf(QLatin1Char('-'), 1);
            int from = 0;
            int to = 0;
            if (dash < 0) {
                if (!number(part, &from))
                    return refuse(part);
                to = from;
            } else if (!number(part.left(dash).trimmed(), &from)
                       || !number(part.mid(dash + 1).trimmed(), &to)) {
                return refuse(part);
            }
            // A range across the end ("22-6") runs on from the first number.
            for (int v = from;; v = v == m_last ? m_first : v + 1) {
                on[v - m_first] = true;
                if (v == to)
                    break;
            }
        }
    }
    if (flags)
        *flags = on;
    return true;
}

QString HRangeList::format(const QVector<bool>& flags) const
{
    auto name = [this](int v) {
        const int i = v - m_first;
        return i < m_names.size() ? m_names[i].left(3) : QString::number(v);
    };
    if (!flags.contains(true))
        return QStringLiteral("none");
    if (!flags.contains(false))
        return QStringLiteral("all");
    QStringList parts;
    for (int i = 0; i < flags.size(); ++i) {
        if (!flags[i])
            continue;
        int j = i;
        while (j + 1 < flags.size() && flags[j + 1])
            ++j;
        const int from = m_first + i;
        const int to = m_first + j;
        parts << (from == to ? name(from) : QStringLiteral("%1-%2").arg(name(from), name(to)));
        i = j;
    }
    return parts.join(QStringLiteral(", "));
}
