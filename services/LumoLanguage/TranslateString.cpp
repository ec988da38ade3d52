#include "TranslateString.h"
#include "HLanguage.h"

#include <QCoreApplication>

QString TranslateString(const QString& english)
{
    if (english.isEmpty())
        return english;
    const QByteArray key = english.toUtf8();
    return QCoreApplication::translate(HLanguage::context(), key.constData());
}
