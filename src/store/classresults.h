#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class DatabaseConnection;

// The teacher's overview of a school database: one line per pupil of this program (TypZkous 3)
// and the examples a class worked per day, both summed by the database.
namespace ClassResults {

struct Pupil {
    QString className;
    QString surname;
    qint64 runs = 0;
    qint64 right = 0;
    qint64 wrong = 0;
    // Invalid for a pupil without a run (or with dates the database holds in another form).
    QDate lastRun;

    // Success in per cent; no value without a finished example.
    bool hasSuccess() const { return right + wrong > 0; }
    double success() const { return hasSuccess() ? double(right) / double(right + wrong) * 100.0 : 0.0; }
};

struct Day {
    QDate day;
    qint64 examples = 0;
};

// Names of the covering indexes that let both queries read an index instead of the table.
inline constexpr const char* pupilsIndex = "Prehled_TypZkous_Trida_Prijmeni";
inline constexpr const char* daysIndex = "Prehled_TypZkous_Trida_Datum";

// The statements creating the two indexes; a new school database gets them at once.
QStringList indexStatements();

// Creates the two indexes when they are missing (the first time on a large table this takes a
// few seconds). Best effort: without the right to create them the queries only take longer.
void ensureIndexes(DatabaseConnection& connection);

// Pupils with results, and pupils of Zaci without any, by class and surname in Czech order.
// False with connection.failure() set when the tables cannot be read.
bool loadPupils(DatabaseConnection& connection, QList<Pupil>& out);

// The examples (right and wrong) of one class per day, in order of the days.
bool loadDays(DatabaseConnection& connection, const QString& className, QList<Day>& out);

} // namespace ClassResults
