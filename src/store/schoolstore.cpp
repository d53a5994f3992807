#include "store/schoolstore.h"

#include "core/procedury_a_fce.h"
#include "core/report.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QFileInfo>
#include <QSqlQuery>

#include <limits>

namespace SchoolStore {

namespace {

const QString readFailed = QStringLiteral("Seznam žáků ze školní databáze nelze načíst.");
const QString storeFailed = QStringLiteral("Výsledky se do školní databáze nepodařilo zapsat.");

Failure failure(const QString& prefix, const QString& cause)
{
    return {true, prefix + QLatin1Char(' ') + cause};
}

QString readOnly(const StoreConfig& config)
{
    return QStringLiteral("Soubor databáze „%1“ je jen pro čtení, výsledky do něj nelze zapsat.")
        .arg(config.sqlitePath);
}

qint32 clampedTotal(const QVariant& value)
{
    const qint64 total = value.toLongLong();
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
    return config.isPostgres() || Procedury_a_fce::FileExists(config.sqlitePath);
}

Failure loadProfiles(QList<ProfileItem>& profiles)
{
    profiles.clear();
    DatabaseConnection connection(StoreConfig::load());
    if (!connection.open())
        return failure(readFailed, connection.failure());
    const StoreConfig& config = connection.config();
    if (!config.isPostgres() && !QFileInfo(config.sqlitePath).isWritable())
        return failure(readFailed, readOnly(config));
    {
        // The fields the end of the run writes, checked now rather than after the pupil's work.
        QSqlQuery check(connection.database());
        connection.prepare(check,
                           QStringLiteral("SELECT \"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", \"CasStrt\", "
                                          "\"CasEnd\", \"Datum\", \"Prihlasenjako\", \"TypZkous\" FROM \"Prehled\" "
                                          "WHERE 1 = 0"));
        if (!connection.exec(check))
            return failure(readFailed, connection.failure());
    }
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    connection.prepare(query, QStringLiteral("SELECT \"Prijmeni\", \"Trida\" FROM \"Zaci\""));
    if (!connection.exec(query))
        return failure(readFailed, connection.failure());
    QList<ProfileItem> read;
    while (query.next())
        read.append({query.value(0).toString(), query.value(1).toString()});
    if (query.lastError().isValid())
        return failure(readFailed, connection.describe(query.lastError()));
    profiles = read;
    return {};
}

Failure storeResultsAndReadTotals(const RunState& run, const QDateTime& end, const QString& userName,
                                  qint32& overallRight, qint32& overallWrong)
{
    DatabaseConnection connection(StoreConfig::load());
    if (!connection.open())
        return failure(storeFailed, connection.failure());
    const StoreConfig& config = connection.config();
    if (!config.isPostgres() && !QFileInfo(config.sqlitePath).isWritable())
        return failure(storeFailed, readOnly(config));
    if (!connection.beginWrite())
        return failure(storeFailed, connection.failure());

    bool ok = false;
    qint32 right = 0;
    qint32 wrong = 0;
    {
        const QTime signInTime = fromOleDate(run.signInTime).time();
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
        // the insert's failure is the one worth telling.
        const bool appended = SchoolSchema::appendRun(connection, row);
        QSqlQuery totals(connection.database());
        totals.setForwardOnly(true);
        if (appended)
            connection.prepare(totals, QStringLiteral("SELECT COALESCE(SUM(COALESCE(\"Spravne\", 0)), 0), "
                                                      "COALESCE(SUM(COALESCE(\"Chybne\", 0)), 0) FROM \"Prehled\" "
                                                      "WHERE \"Prijmeni\" = ? AND \"TypZkous\" = ?"));
        totals.addBindValue(run.profileSurname);
        totals.addBindValue(SchoolSchema::complexNumbersTest);
        if (appended && connection.exec(totals)) {
            if (totals.next()) {
                right = clampedTotal(totals.value(0));
                wrong = clampedTotal(totals.value(1));
                ok = true;
            } else {
                connection.setFailure(connection.describe(totals.lastError()));
            }
        }
        totals.finish();
    }
    if (!ok) {
        connection.rollback();
        return failure(storeFailed, connection.failure());
    }
    if (!connection.commit()) {
        connection.rollback();
        return failure(storeFailed, connection.failure());
    }
    overallRight = right;
    overallWrong = wrong;
    return {};
}

void setBusyTimeout(int milliseconds)
{
    DatabaseConnection::setBusyTimeout(milliseconds);
}

} // namespace SchoolStore
