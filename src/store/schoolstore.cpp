#include "store/schoolstore.h"

#include "core/report.h"
#include "core/storedpath.h"
#include "store/connectionretry.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>

#include <limits>

namespace SchoolStore {

namespace {

const QString readFailed = QStringLiteral("Seznam žáků ze školní databáze nelze načíst.");
const QString storeFailed = QStringLiteral("Výsledky se do školní databáze nepodařilo zapsat.");

Failure failure(const QString& prefix, const QString& cause, bool waitedOut)
{
    return {true, prefix + QLatin1Char(' ') + cause, waitedOut};
}

QString readOnly(const StoreConfig& config)
{
    return QStringLiteral("Soubor databáze „%1“ je jen pro čtení, výsledky do něj nelze zapsat.")
        .arg(config.sqlitePath);
}

qint32 clampedTotal(qint64 total)
{
    return qint32(
        qBound(qint64(std::numeric_limits<qint32>::min()), total, qint64(std::numeric_limits<qint32>::max())));
}

} // namespace

bool databaseAvailable(QString* problem)
{
    const StoreConfig config = StoreConfig::load();
    if (!config.isValid()) {
        if (problem)
            *problem = config.problem;
        return false;
    }
    if (problem)
        problem->clear();
    return config.isPostgres() || StoredPath::FileExists(config.sqlitePath);
}

Failure loadProfiles(QList<ProfileItem>& profiles)
{
    profiles.clear();
    QList<ProfileItem> read;
    QString cause;
    bool waitedOut = false;
    const bool ok = ConnectionRetry::retrying(
        StoreConfig::load(),
        [&read](DatabaseConnection& connection) {
            const StoreConfig& config = connection.config();
            if (!config.isPostgres() && !QFileInfo(config.sqlitePath).isWritable())
                return connection.setFailure(readOnly(config));
            {
                // The fields the end of the run writes, checked now rather than after the pupil's work. A server
                // is asked for an insert of no rows, which needs the right to add rows and not to read them;
                // SQLite would take the write lock for it.
                const QString fields = QStringLiteral("\"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", \"CasStrt\", "
                                                      "\"CasEnd\", \"Datum\", \"Prihlasenjako\", \"TypZkous\"");
                QSqlQuery check(connection.database());
                connection.prepare(
                    check,
                    config.isPostgres()
                        ? QStringLiteral("INSERT INTO \"Prehled\" (%1) SELECT NULL, NULL, NULL, NULL, NULL, NULL, "
                                         "NULL, NULL, NULL WHERE 1 = 0")
                              .arg(fields)
                        : QStringLiteral("SELECT %1 FROM \"Prehled\" WHERE 1 = 0").arg(fields));
                if (!connection.exec(check))
                    return false;
            }
            QSqlQuery query(connection.database());
            query.setForwardOnly(true);
            connection.prepare(query, QStringLiteral("SELECT \"Prijmeni\", \"Trida\" FROM \"Zaci\""));
            if (!connection.exec(query))
                return false;
            read.clear();
            while (query.next())
                read.append({query.value(0).toString(), query.value(1).toString()});
            if (query.lastError().isValid())
                return connection.setFailure(connection.describe(query.lastError()));
            return true;
        },
        &cause, &waitedOut);
    if (!ok)
        return failure(readFailed, cause, waitedOut);
    profiles = read;
    return {};
}

Failure storeResultsAndReadTotals(const RunState& run, const QDateTime& end, const QString& userName,
                                  qint32& overallRight, qint32& overallWrong, const QString& fingerprint)
{
    qint32 right = 0;
    qint32 wrong = 0;
    QString cause;
    bool waitedOut = false;
    const bool ok = ConnectionRetry::retrying(
        StoreConfig::load(),
        [&](DatabaseConnection& connection) {
            const StoreConfig& config = connection.config();
            if (!config.isPostgres() && !QFileInfo(config.sqlitePath).isWritable())
                return connection.setFailure(readOnly(config));
            // Stored already by an earlier try whose confirmation was lost? A database without the table of
            // fingerprints (made before it existed) or without the right to read it works as before.
            bool fingerprinted = false;
            bool storedAlready = false;
            if (!fingerprint.isEmpty() &&
                !SchoolSchema::findStoredRun(connection, fingerprint, fingerprinted, storedAlready))
                return false;
            // A school server keeps Prehled from the pupils' role and gives the totals through a function; a
            // database made before that function reads them from the table.
            bool throughFunction = false;
            if (!SchoolSchema::findTotalsFunction(connection, throughFunction))
                return false;
            if (!connection.beginWrite())
                return false;
            bool done = false;
            {
                const QTime signInTime = fromDayCount(run.signInTime).time();
                PrehledRow row;
                row.surname = run.profileSurname;
                row.className = run.profileClass;
                row.right = run.examplesRight;
                row.wrong = run.examplesWrong;
                row.start = signInTime.isValid() ? signInTime : QTime(0, 0);
                row.end = end.time();
                row.date = end.date();
                row.signedInAs = userName;

                // The run first: on PostgreSQL a failed statement spoils the rest of the transaction, and
                // the insert's failure is the one worth telling. Its fingerprint goes before it, so that a
                // second writer of the same run waits for the first and then fails on the key.
                const bool appended =
                    storedAlready ||
                    ((!fingerprinted || SchoolSchema::rememberStoredRun(connection, fingerprint, row.date)) &&
                     SchoolSchema::appendRun(connection, row));
                qint64 rightSum = 0;
                qint64 wrongSum = 0;
                if (appended &&
                    SchoolSchema::readTotals(connection, run.profileSurname, throughFunction, rightSum, wrongSum)) {
                    right = clampedTotal(rightSum);
                    wrong = clampedTotal(wrongSum);
                    done = true;
                }
            }
            const bool committing = done;
            if (!done || !connection.commit()) {
                const QString failed = connection.failure();
                // Without a fingerprint a commit that may have taken place is not repeated unasked.
                const bool mayPass = connection.transient() && (fingerprinted || storedAlready || !committing);
                // After a failed commit the transaction ends with the connection, closed right after.
                if (!committing)
                    connection.rollback();
                return connection.setFailure(failed, mayPass);
            }
            return true;
        },
        &cause, &waitedOut);
    if (!ok)
        return failure(storeFailed, cause, waitedOut);
    overallRight = right;
    overallWrong = wrong;
    return {};
}

QString newRunFingerprint()
{
    return QUuid::createUuid().toString(QUuid::Id128);
}

void setBusyTimeout(int milliseconds)
{
    DatabaseConnection::setBusyTimeout(milliseconds);
}

} // namespace SchoolStore
