#pragma once

#include "core/profileitem.h"
#include "core/runstate.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The school database: profiles from Zaci at sign-in, one row appended to Prehled at the end with
// the pupil's totals read back. The database is opened only for these two moments.
namespace SchoolStore {

// What went wrong, with a Czech message fit for the pupil (never a password in it).
struct Failure {
    bool failed = false;
    QString message;
    // The database was only busy, and the waiting time ran out (rather than a refusal told at once).
    bool waitedOut = false;
};

// True when a school database is configured and (for a file) exists; false means the e-mail
// sign-in is preselected without any message. A broken configuration also gives false and sets
// `problem` to a message naming the file and the key.
bool databaseAvailable(QString* problem = nullptr);

// Surname and class of every row of Zaci in table order, exactly as stored (a null field as empty
// text). Also checks that the results can be stored later: a read-only file or a Prehled without
// its nine fields fails here already, so the pupil can take the e-mail sign-in before working.
Failure loadProfiles(QList<ProfileItem>& profiles);

// Appends the run and reads the totals of all rows with the same surname and program number 3,
// this run included, in one transaction. CasStrt is the time of day of run.signInTime; CasEnd and
// Datum come from `end`. Rows whose Spravne or Chybne is null count as 0.
// `fingerprint`, drawn once for the run and given again on every later try, is written in the same
// transaction; a run whose fingerprint is found (a commit whose confirmation was lost) is not
// appended again, only its totals are read.
// A busy database (locked file, server with all connections taken or starting up, a conflict with
// another writer, a lost connection) is tried again within busyTimeout in all; so is the sign-in.
Failure storeResultsAndReadTotals(const RunState& run, const QDateTime& end, const QString& userName,
                                  qint32& overallRight, qint32& overallWrong, const QString& fingerprint = QString());

// A new fingerprint for one run.
QString newRunFingerprint();

// How long a busy database is tried in all at each moment (15 000 ms unless changed).
void setBusyTimeout(int milliseconds);

} // namespace SchoolStore
