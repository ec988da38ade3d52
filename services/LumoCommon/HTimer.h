#pragma once
#include "LumoCommonExport.h"
#include <QElapsedTimer>
#include <QString>

// Measures a long command: started on construction, writes
// "<name>: <n> ms" to the debug output when destroyed.
class LUMOCOMMON_EXPORT HTimer
{
public:
    explicit HTimer(const QString& name = QString());
    ~HTimer();
    HTimer(const HTimer&) = delete;
    HTimer& operator=(const HTimer&) = delete;

    qint64 elapsedMs() const;
    QString name() const { return m_name; }

private:
    QString m_name;
    QElapsedTimer m_timer;
};
