#pragma once
#include <QString>
#include <QStringList>

// Setting the project's location: the steps the weather page performs when the
// project settings announce a country and city, callable without a widget.
class HWeatherLocation
{
public:
    struct Result
    {
        bool found = false; // the index has a table with valid readings for the city
        QString tableName;
        double maxTemp = 0.0; // degrees C, averaged year
        double minTemp = 0.0;
        double designTemp = 0.0;
        // Hours of the project year without a valid reading, filled by interpolation.
        int filledHours = 0;
    };

    // The countries of tb_glb_idx, and the cities of one country (bound value), each
    // listed once and sorted (case-sensitive); empty without a weather database.
    static QStringList countries();
    static QStringList cities(const QString& country);

    // Table name of the city in tb_glb_idx (bound values), or empty. Country and city
    // are matched exactly first; failing that, regardless of case, when that finds
    // exactly one table ("amsterdam" finds "Amsterdam").
    static QString findCityTable(const QString& country, const QString& city);

    // Finds the city's table, analyses it with `ignoreHours` (design-hours rule),
    // writes isHave8760WeatherData, max_temp, min_temp and average_temp into the
    // global project and fills its hourly year (hours without a valid reading are
    // interpolated and counted in `filledHours`). False when the city has no table, or
    // its table is missing or holds no valid reading of the 365-day year
    // (isHave8760WeatherData is then false and nothing else changes).
    static bool setProjectLocation(const QString& country, const QString& city, int ignoreHours,
                                   Result* result = nullptr);
};
