#include "HJsonConfig.h"
#include "HAppPaths.h"
#include "HJsonFunc.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
struct ConfigState
{
    QString fileName;
    QJsonObject root;
    // False when the file exists but holds no JSON object: saving would replace
    // what the user wrote, so changes then stay in memory.
    bool writable = false;
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
    s.writable = false;
    if (fileName.isEmpty())
        return false;
    QJsonDocument doc;
    if (!HJsonFunc::readFileToJsonDoc(fileName, doc)) {
        s.writable = !QFileInfo::exists(fileName);
        return false;
    }
    s.root = doc.object();
    s.writable = doc.isObject();
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
    if (s.fileName.isEmpty() || !s.writable)
        return false;
    const bool existed = QFileInfo::exists(s.fileName);
    if (!HJsonFunc::jsonDocToFile(QJsonDocument(s.root), s.fileName, QJsonDocument::Indented))
        return false;
    if (!existed)
        HAppPaths::report(HAppPaths::Note::Written, QFileInfo(s.fileName).absoluteFilePath());
    return true;
}

QString HJsonConfig::fileName()
{
    return state().fileName;
}
