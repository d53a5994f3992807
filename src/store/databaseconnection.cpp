#include "store/databaseconnection.h"

#include "core/storedpath.h"
#include "store/serversignin.h"
#include "store/storefailure.h"
#include "store/waitindicator.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QUrl>

#include <cmath>

namespace {

QAtomicInteger<int> busyTimeoutMs = DatabaseConnection::defaultBusyTimeoutMs;
QAtomicInteger<quint64> connectionCounter = 0;

// How long SQLite itself waits for a lock at one try; between tries the window is repainted.
constexpr int lockSliceMs = 100;

// Servers (address, database and user) whose last session in this program was let in. Their next
// session is opened at once, with one sign-in instead of two: a scram password costs a pupil's
// computer far more than the statements of a run, and a whole school ends at once. Any refusal sends
// the next session through the client library's check first again.
QMutex admittedLock;
QSet<QString> admittedServers;

QString serverKey(const StoreConfig& config)
{
    return QStringList{config.host, QString::number(config.port), config.databaseName, config.user, config.sslMode}
        .join(QChar(0));
}

bool admittedLastTime(const StoreConfig& config)
{
    const QMutexLocker locker(&admittedLock);
    return admittedServers.contains(serverKey(config));
}

void rememberAdmission(const StoreConfig& config, bool admitted)
{
    const QMutexLocker locker(&admittedLock);
    if (admitted)
        admittedServers.insert(serverKey(config));
    else
        admittedServers.remove(serverKey(config));
}

} // namespace

DatabaseConnection::DatabaseConnection(StoreConfig config)
    : cfg(std::move(config)),
      connectionName(QStringLiteral("kvizmat-school-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

DatabaseConnection::~DatabaseConnection()
{
    if (db.isValid())
        db.close();
    db = QSqlDatabase();
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
}

void DatabaseConnection::setBusyTimeout(int milliseconds)
{
    busyTimeoutMs = qMax(0, milliseconds);
}

int DatabaseConnection::busyTimeout()
{
    return busyTimeoutMs;
}

bool DatabaseConnection::setFailure(const QString& cause, bool mayPass)
{
    lastFailure = cause;
    lastTransient = mayPass;
    return false;
}

bool DatabaseConnection::failWith(const QSqlError& error)
{
    return setFailure(describe(error), StoreFailure::mayPass(cfg, error));
}

void DatabaseConnection::shareDeadline(const QDeadlineTimer& deadline)
{
    lockDeadline = deadline;
    deadlineGiven = true;
}

qint64 DatabaseConnection::waitedMs() const
{
    if (!deadlineGiven && lockDeadline.isForever())
        return 0;
    return qMax<qint64>(0, busyTimeout() - lockDeadline.remainingTime());
}

bool DatabaseConnection::openServer()
{
    const bool opened = openServerSession();
    rememberAdmission(cfg, opened);
    return opened;
}

bool DatabaseConnection::openServerSession()
{
    // The client library signs in first: its answer carries the server's code, and the program keeps
    // the clock. Only a server that let it in, now or at its last session, is opened for the statements.
    if (!admittedLastTime(cfg)) {
        const ServerVerdict verdict = ServerSignIn::check(cfg, lockDeadline);
        lastSeen = verdict.seen;
        if (!verdict.admitted())
            return setFailure(StoreFailure::signInFailed(cfg, verdict, waitedMs()), verdict.mayPass());
    }

    db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (!db.isValid())
        return setFailure(QStringLiteral("Ovladač databáze PostgreSQL pro Qt není nainstalován (balíček "
                                         "libqt6sql6-psql)."));
    db.setHostName(cfg.host);
    db.setPort(cfg.port);
    db.setUserName(cfg.user);
    db.setPassword(cfg.password);
    db.setDatabaseName(cfg.databaseName);
    // The client library counts its time in whole seconds, at least two, and may wait up to the last
    // of them in full: the whole seconds left, so that it ends within the waiting time.
    const qint64 left = qMax<qint64>(lockDeadline.remainingTime(), 0);
    // Literals keep their backslashes and the server's notices stay off the terminal from the session's
    // first statement on (the driver's own checks at opening included); a statement stuck behind another
    // session's lock must not hold the program past the waiting time.
    QString options = QStringLiteral("connect_timeout=%1;application_name=kvizmat;options='-cstandard_conforming_"
                                     "strings=on -cclient_min_messages=error -cstatement_timeout=%2'")
                          .arg(qMax<qint64>(2, left / 1000))
                          .arg(qMax<qint64>(left, 1));
    if (!cfg.sslMode.isEmpty())
        options += QStringLiteral(";sslmode=") + cfg.sslMode;
    db.setConnectOptions(options);
    if (!db.open()) {
        // Let in a moment ago: the server filled up or went away since, unless it now says otherwise.
        ServerVerdict again = ServerSignIn::check(cfg, lockDeadline);
        if (again.admitted())
            again.seen = ServerVerdict::Seen::AllTaken;
        lastSeen = again.seen;
        return setFailure(StoreFailure::signInFailed(cfg, again, waitedMs()), again.mayPass());
    }
    // Set once more by a statement: a connection pooler in front of the server passes no start-up
    // options on. A plain statement goes to the server in one trip; the time is a number of our own.
    QSqlQuery session(db);
    const QString timeoutMs = QString::number(qMax<qint64>(lockDeadline.remainingTime(), 1));
    session.setForwardOnly(true);
    if (!session.exec(QStringLiteral("SELECT set_config('statement_timeout', '%1', false), "
                                     "set_config('standard_conforming_strings', 'on', false), "
                                     "set_config('client_min_messages', 'error', false)")
                          .arg(timeoutMs)))
        return failWith(session.lastError());
    return true;
}

bool DatabaseConnection::open(Mode mode)
{
    if (!cfg.isValid())
        return setFailure(cfg.problem);

    if (!deadlineGiven)
        lockDeadline.setRemainingTime(busyTimeout());
    if (cfg.isPostgres())
        return openServer();

    const QString path = cfg.sqlitePath;
    const QString shown = QDir::toNativeSeparators(path);
    if (mode == Mode::Existing && !StoredPath::FileExists(path))
        return setFailure(QStringLiteral("Soubor školní databáze „%1“ neexistuje.").arg(shown));
    if (QFileInfo(path).isDir())
        return setFailure(QStringLiteral("„%1“ je složka, ne soubor databáze.").arg(shown));

    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!db.isValid())
        return setFailure(
            QStringLiteral("Ovladač databáze SQLite pro Qt není nainstalován (balíček libqt6sql6-sqlite)."));
    // Opened through a URI so that a missing file is an error instead of a new empty database.
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri += mode == Mode::Create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw");
    db.setDatabaseName(uri);
    // Another program's lock is waited for busyTimeout() in all, counted from the opening (or from
    // the first of several tries), in short tries.
    lockWaitMs = int(qBound(qint64(0), lockDeadline.remainingTime(), qint64(lockSliceMs)));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs));
    if (!db.open())
        return failWith(db.lastError());
    // Write-ahead logging lets readers and one writer work at once; a file system without shared
    // memory (a network share) keeps the rollback journal, which still works. A failure here shows
    // again in the statements that follow.
    const QString keptFailure = lastFailure;
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    setFailure(keptFailure);
    return true;
}

bool DatabaseConnection::beginWrite()
{
    return exec(cfg.isPostgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

bool DatabaseConnection::commit()
{
    if (!exec(QStringLiteral("COMMIT")))
        return false;
    if (confirmationLost && confirmationLost())
        return setFailure(QStringLiteral("Spojení s databází %1 se přerušilo při potvrzování zápisu.")
                              .arg(QDir::toNativeSeparators(cfg.describe())),
                          true);
    return true;
}

void DatabaseConnection::rollback()
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("ROLLBACK"));
}

bool DatabaseConnection::tryWhileLocked(const std::function<bool()>& attempt, const std::function<QSqlError()>& error)
{
    WaitIndicator::Shown cursor;
    for (;;) {
        if (!cfg.isPostgres()) {
            // SQLite's own wait never reaches past the deadline.
            const int allowed = int(qBound(qint64(0), lockDeadline.remainingTime(), qint64(lockWaitMs)));
            if (allowed < lockWaitMs) {
                QSqlQuery shorter(db);
                shorter.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(allowed));
                lockWaitMs = allowed;
            }
        }
        if (attempt())
            return true;
        const QSqlError failed = error();
        if (cfg.isPostgres() || !StoreFailure::sqliteLocked(failed) || lockDeadline.hasExpired())
            return failWith(failed);
        if (cancelFlag && cancelFlag->load())
            return setFailure(QStringLiteral("Čekání na databázi bylo zrušeno."));
        // Waiting for another program: the window is repainted, but takes no clicks or keys meanwhile.
        cursor.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

bool DatabaseConnection::exec(QSqlQuery& query)
{
    // A statement the database refused to prepare (a missing table or field) carries its error.
    if (query.lastError().isValid())
        return failWith(query.lastError());
    return tryWhileLocked([&query] { return query.exec(); }, [&query] { return query.lastError(); });
}

QString DatabaseConnection::engineSql(const QString& statement) const
{
    if (cfg.isPostgres())
        return statement;
    // Text in single quotes is left as it is.
    static const QRegularExpression token(QStringLiteral("'(?:[^']|'')*'|\"((?:[^\"]|\"\")*)\""));
    QString sql;
    qsizetype done = 0;
    for (auto it = token.globalMatch(statement); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        sql += QStringView(statement).mid(done, m.capturedStart() - done);
        if (m.captured(0).startsWith(QLatin1Char('"')))
            sql += QLatin1Char('[') + m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\"")) +
                   QLatin1Char(']');
        else
            sql += m.captured(0);
        done = m.capturedEnd();
    }
    sql += QStringView(statement).mid(done);
    return sql;
}

bool DatabaseConnection::prepare(QSqlQuery& query, const QString& statement)
{
    const QString sql = engineSql(statement);
    return tryWhileLocked([&query, &sql] { return query.prepare(sql); }, [&query] { return query.lastError(); });
}

bool DatabaseConnection::exec(const QString& statement)
{
    QSqlQuery query(db);
    const QString sql = engineSql(statement);
    return tryWhileLocked([&query, &sql] { return query.exec(sql); }, [&query] { return query.lastError(); });
}

bool DatabaseConnection::run(QSqlQuery& query, const QString& statement, const QVariantList& values)
{
    query.setForwardOnly(true);
    if (!prepare(query, statement))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(value);
    return exec(query);
}

QVariant DatabaseConnection::timeValue(const QTime& time) const
{
    const QTime seconds(time.hour(), time.minute(), time.second());
    if (cfg.isPostgres())
        return seconds;
    return seconds.toString(QStringLiteral("HH:mm:ss"));
}

QVariant DatabaseConnection::dateValue(const QDate& date) const
{
    if (cfg.isPostgres())
        return date;
    return date.toString(Qt::ISODate);
}

QString DatabaseConnection::describe(const QSqlError& error) const
{
    return StoreFailure::describe(cfg, error, waitedMs());
}
