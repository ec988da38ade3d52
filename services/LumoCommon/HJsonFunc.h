#pragma once
#include "LumoCommonExport.h"
#include <QJsonDocument>
#include <QString>

// JSON documents to and from files and text. Every reader leaves `doc` empty
// (a null document, whose object() is empty) when the input is missing or malformed.
class LUMOCOMMON_EXPORT HJsonFunc
{
public:
    static bool readFileToJsonDoc(const QString& path, QJsonDocument& doc,
                                  QString* error = nullptr);
    static bool readUTF_8FileToJsonDoc(const QString& path, QJsonDocument& doc,
                                       QString* error = nullptr);
    static bool parseTextToJsonDoc(const QString& text, QJsonDocument& doc,
                                   QString* error = nullptr);
    static QString jsonDocToText(const QJsonDocument& doc,
                                 QJsonDocument::JsonFormat format = QJsonDocument::Compact);
    // Writes through QSaveFile: on failure the previous file is left intact.
    // Creates the parent directory when missing.
    static bool jsonDocToFile(const QJsonDocument& doc, const QString& path,
                              QJsonDocument::JsonFormat format = QJsonDocument::Indented,
                              QString* error = nullptr);
};
