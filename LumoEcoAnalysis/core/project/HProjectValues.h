#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

#include <utility>

class HProject;

// The top-level values of a project that are set by their project-file key, each with
// its type and the range it accepts. Texts are read in the C locale ("0.21", "true",
// "2025-09-01"), whatever the user's language.
class HProjectValues
{
public:
    enum class Type {
        Text,
        Date,        // yyyy-MM-dd
        Number,      // finite, within [min, max]
        WholeNumber, // an int within [min, max]
        Flag,        // true/false, yes/no, on/off, 1/0
    };

    struct Key
    {
        Key(QString name, Type type = Type::Text, double min = 0.0, double max = 0.0,
            QString unit = QString())
            : name(std::move(name))
            , type(type)
            , min(min)
            , max(max)
            , unit(std::move(unit))
        {
        }

        QString name;
        Type type = Type::Text;
        double min = 0.0;
        double max = 0.0;
        QString unit; // as the project file documents it; empty when none
    };

    // Every key, in the order of the project file.
    static const QVector<Key>& keys();
    // The key of that name (case-sensitive, as in the file), or null.
    static const Key* find(const QString& name);
    static QStringList names();

    // Checks `text` against the key's type and range and stores it in the project.
    // False with a translated reason when the key is unknown or the value is refused;
    // the project is then unchanged.
    static bool set(HProject* project, const QString& name, const QString& text,
                    QString* error = nullptr);

    // The key's accepted values in words ("a number from 0 to 40 (°C)").
    static QString describe(const Key& key);

    // Indoor set-points, °C. Setting a key and the settings page refuse values outside;
    // reading a project file warns about them.
    static constexpr double kIndoorSetPointMin = 0.0;
    static constexpr double kIndoorSetPointMax = 50.0;
};
