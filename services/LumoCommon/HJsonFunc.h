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
    // Writes through HOutputFile: on failure a previous regular file is left intact; a
    // device or pipe is written directly and "-" is standard output. Creates the parent
    // directory of a regular file when missing.
    static bool jsonDocToFile(const QJsonDocument& doc, const QString& path,
                              QJsonDocument::JsonFormat format = QJsonDocument::Indented,
                              QString* error = nullptr);
};
