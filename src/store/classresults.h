#pragma once

#include <QDate>
#include <QList>
#include <QString>

class DatabaseConnection;

// The teacher's overview of a school database: one line per pupil of this program (TypZkous 3)
// and the examples worked per class and day, both summed by the database.
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
    QString className;
    QDate day;
    qint64 examples = 0;
};

struct Overview {
    // Pupils with results, and pupils of Zaci without any, by class and surname in Czech order.
    QList<Pupil> pupils;
    // Per class, the days in order.
    QList<Day> days;
};

// False with connection.failure() set when the tables cannot be read.
bool load(DatabaseConnection& connection, Overview& out);

} // namespace ClassResults
