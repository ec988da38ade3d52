#include "HTimer.h"

#include <QDebug>

HTimer::HTimer(const QString& name)
    : m_name(name.isEmpty() ? QStringLiteral("timer") : name)
{
    m_timer.start();
}

HTimer::~HTimer()
{
    qDebug().noquote() << QStringLiteral("%1: %2 ms").arg(m_name).arg(elapsedMs());
}

qint64 HTimer::elapsedMs() const
{
    return m_timer.elapsed();
}
