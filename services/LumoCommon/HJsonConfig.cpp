#include "HJsonConfig.h"
#include "HJsonFunc.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
struct ConfigState
{
    QString fileName;
    QJsonObject root;
};

ConfigState& state()
{
    static ConfigState s;
    return s;
}
} // namespace

bool HJsonConfig::read(const QString& fileName)
{
    ConfigState& s = state();
    s.fileName = fileName;
    s.root = QJsonObject();
    if (fileName.isEmpty())
        return false;
    QJsonDocument doc;
    if (!HJsonFunc::readFileToJsonDoc(fileName, doc))
        return false;
    s.root = doc.object();
    return doc.isObject();
}

void HJsonConfig::getValue(const QString& group, const QString& key, bool& value)
{
    const QJsonValue g = state().root.value(group);
    if (!g.isObject())
        return;
    const QJsonValue v = g.toObject().value(key);
    if (v.isBool())
        value = v.toBool();
}

bool HJsonConfig::setValue(const QString& group, const QString& key, const QJsonValue& value)
{
    ConfigState& s = state();
    QJsonObject g = s.root.value(group).toObject();
    g.insert(key, value);
    s.root.insert(group, g);
    if (s.fileName.isEmpty())
        return false;
    return HJsonFunc::jsonDocToFile(QJsonDocument(s.root), s.fileName, QJsonDocument::Indented);
}

QString HJsonConfig::fileName()
{
    return state().fileName;
}
