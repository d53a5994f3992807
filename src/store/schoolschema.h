#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>

class DatabaseConnection;
class QSqlQuery;

// One run as a row of Prehled, the table that every program of the family appends to.
struct PrehledRow {
    QString surname;   // Prijmeni
    QString className; // Trida
    qint32 right = 0;  // Spravne: examples right
    qint32 wrong = 0;  // Chybne: examples wrong
    QTime start;       // CasStrt
    QTime end;         // CasEnd
    QDate date;        // Datum
    // Prihlasenjako: the operating system's user name, or "e-mail" for a run imported from a report.
    QString signedInAs;
};

// The tables of a school database as the teacher's tool creates them: Zaci (pupils), Prehled
// (one row per run of any program of the family) with the index that makes a pupil's totals
// fast, the list of e-mailed blocks already imported and the fingerprints of the runs stored.
namespace SchoolSchema {

// The TypZkous of this program's runs; the other programs of the family use other numbers.
inline constexpr int complexNumbersTest = 3;

// Name of the index on Prehled (Prijmeni, TypZkous).
inline constexpr const char* totalsIndex = "Prehled_Prijmeni_TypZkous";

// The function through which a role without the right to read Prehled gets one pupil's totals
// (PostgreSQL only): kvizmat_souhrn(prijmeni) gives the sums of Spravne and Chybne over the rows of
// that surname and this program, runs with its owner's rights and is executable by no one else
// unless granted.
inline constexpr const char* totalsFunction = "kvizmat_souhrn";

// Creates the tables in one transaction; refuses (false, failure() set) when Zaci or Prehled
// exists already, so that nothing is ever overwritten.
bool create(DatabaseConnection& connection, bool withTotalsIndex = true);

// Makes the totals function on PostgreSQL when it is missing, inside the caller's transaction;
// nothing on SQLite.
bool ensureTotalsFunction(DatabaseConnection& connection);

// Whether the totals function exists (always false on SQLite). False with failure() set when the
// database fails.
bool findTotalsFunction(DatabaseConnection& connection, bool& exists);

// The sums of Spravne and Chybne (a null as 0) of the rows of this surname and this program, through
// the totals function when `throughFunction`, otherwise from Prehled itself.
bool readTotals(DatabaseConnection& connection, const QString& surname, bool throughFunction, qint64& right,
                qint64& wrong);

// Appends one run of this program to Prehled, inside the caller's transaction.
bool appendRun(DatabaseConnection& connection, const PrehledRow& row);
// The same with a statement prepared once for many runs.
bool prepareAppendRun(DatabaseConnection& connection, QSqlQuery& insert);
bool appendRun(DatabaseConnection& connection, QSqlQuery& prepared, const PrehledRow& row);

// Looks for a run's fingerprint in ZapsaneBehy. `kept` tells whether the database keeps fingerprints
// (false without the table or without the right to read it: an older database), `found` whether this
// one is there. False with failure() set when the database fails otherwise.
bool findStoredRun(DatabaseConnection& connection, const QString& fingerprint, bool& kept, bool& found);

// Writes a run's fingerprint, inside the caller's transaction that appends the run.
bool rememberStoredRun(DatabaseConnection& connection, const QString& fingerprint, const QDate& date);

// The table of imported block fingerprints, created when missing.
bool ensureImportTable(DatabaseConnection& connection);

// True when the table exists; false also when it cannot be checked (failure() set then).
bool tableExists(DatabaseConnection& connection, const QString& table, bool* checked = nullptr);

} // namespace SchoolSchema
