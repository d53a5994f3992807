#include "store/databaseconnection.h"

#include "core/procedury_a_fce.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrl>

#include <cerrno>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QAtomicInteger<int> busyTimeoutMs = 5000;
QAtomicInteger<quint64> connectionCounter = 0;

// How long SQLite itself waits for a lock at one try; between tries the window is repainted.
constexpr int lockSliceMs = 100;

// Primary SQLite result codes the messages tell apart.
enum SqliteCode {
    SqliteError = 1,
    SqlitePerm = 3,
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteReadOnly = 8,
    SqliteIoErr = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteNotADb = 26,
};

bool isLocked(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == SqliteBusy || code == SqliteLocked;
}

// Tells the program's window, if there is one, that a locked database is being waited for.
class WaitShown {
public:
    WaitShown() = default;
    WaitShown(const WaitShown&) = delete;
    WaitShown& operator=(const WaitShown&) = delete;
    ~WaitShown()
    {
        if (shown)
            DatabaseConnection::waitIndicator(false);
    }
    void show()
    {
        if (shown || !DatabaseConnection::waitIndicator)
            return;
        DatabaseConnection::waitIndicator(true);
        shown = true;
    }

private:
    bool shown = false;
};

// Whether anything accepts a connection at host:port. Told apart by the resolver's and the
// socket's result codes, because the database driver's own message is in the desktop's language.
bool serverAnswers(const QString& host, int port, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    QByteArray name = QUrl::toAce(host); // empty for an IPv6 address, which needs no conversion
    if (name.isEmpty())
        name = host.toLatin1();
    addrinfo* found = nullptr;
    if (getaddrinfo(name.constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return false;
    bool answers = false;
    for (const addrinfo* at = found; at && !answers; at = at->ai_next) {
        const int fd = socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol);
        if (fd < 0)
            continue;
        if (connect(fd, at->ai_addr, at->ai_addrlen) == 0) {
            answers = true;
        } else if (errno == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            int result = 0;
            socklen_t size = sizeof result;
            answers = poll(&waiting, 1, timeoutMs) == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &size) == 0 &&
                      result == 0;
        }
        close(fd);
    }
    freeaddrinfo(found);
    return answers;
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

bool DatabaseConnection::setFailure(const QString& cause)
{
    lastFailure = cause;
    return false;
}

QString DatabaseConnection::withoutSecrets(QString text) const
{
    if (!cfg.password.isEmpty())
        text.replace(cfg.password, QStringLiteral("***"));
    return text.simplified();
}

bool DatabaseConnection::open(Mode mode)
{
    if (!cfg.isValid())
        return setFailure(cfg.problem);

    if (cfg.isPostgres()) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        if (!db.isValid())
            return setFailure(QStringLiteral("Ovladač databáze PostgreSQL pro Qt není nainstalován (balíček "
                                             "libqt6sql6-psql)."));
        db.setHostName(cfg.host);
        db.setPort(cfg.port);
        db.setUserName(cfg.user);
        db.setPassword(cfg.password);
        db.setDatabaseName(cfg.databaseName);
        QString options = QStringLiteral("connect_timeout=5;application_name=kvizmat");
        if (!cfg.sslMode.isEmpty())
            options += QStringLiteral(";sslmode=") + cfg.sslMode;
        db.setConnectOptions(options);
        if (!db.open())
            return setFailure(describeRefusal(db.lastError()));
        // A statement stuck behind another session's lock must not hold a pupil forever.
        return exec(QStringLiteral("SET statement_timeout = %1").arg(qMax(busyTimeout(), 1000) * 2));
    }

    const QString path = cfg.sqlitePath;
    const QString shown = QDir::toNativeSeparators(path);
    if (mode == Mode::Existing && !Procedury_a_fce::FileExists(path))
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
    // Another program's lock is waited for busyTimeout() in all, counted from here, in short tries.
    lockDeadline.setRemainingTime(busyTimeout());
    lockWaitMs = qMin(lockSliceMs, busyTimeout());
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs));
    if (!db.open())
        return setFailure(describe(db.lastError()));
    // Write-ahead logging lets readers and one writer work at once; a file system without shared
    // memory (a network share) keeps the rollback journal, which still works. A failure here shows
    // again in the statements that follow.
    const QString keptFailure = lastFailure;
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    lastFailure = keptFailure;
    return true;
}

bool DatabaseConnection::beginWrite()
{
    return exec(cfg.isPostgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

bool DatabaseConnection::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

void DatabaseConnection::rollback()
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("ROLLBACK"));
}

bool DatabaseConnection::tryWhileLocked(const std::function<bool()>& attempt, const std::function<QSqlError()>& error)
{
    WaitShown cursor;
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
        if (cfg.isPostgres() || !isLocked(failed) || lockDeadline.hasExpired())
            return setFailure(describe(failed));
        // Waiting for another program: the window is repainted, but takes no clicks or keys meanwhile.
        cursor.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

bool DatabaseConnection::exec(QSqlQuery& query)
{
    // A statement the database refused to prepare (a missing table or field) carries its error.
    if (query.lastError().isValid())
        return setFailure(describe(query.lastError()));
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
    const QString detail = withoutSecrets(error.databaseText().isEmpty() ? error.driverText() : error.databaseText());
    const QString where = QDir::toNativeSeparators(cfg.describe());

    if (!cfg.isPostgres()) {
        const int code = error.nativeErrorCode().toInt() & 0xff;
        switch (code) {
        case SqliteBusy:
        case SqliteLocked:
            return QStringLiteral("Databázi „%1“ má zamčenou jiný program a neuvolnil ji ani po %2 s čekání.")
                .arg(where, QLocale(QLocale::Czech).toString(busyTimeout() / 1000.0, 'g', 3));
        case SqliteReadOnly:
        case SqlitePerm:
            return QStringLiteral("Do databáze „%1“ nelze zapisovat: soubor nebo jeho složka je jen pro čtení.")
                .arg(where);
        case SqliteCorrupt:
        case SqliteNotADb:
            return QStringLiteral("Soubor „%1“ není databáze SQLite nebo je poškozený.").arg(where);
        case SqliteFull:
            return QStringLiteral("Na disku s databází „%1“ došlo místo.").arg(where);
        case SqliteCantOpen:
            return QStringLiteral("Soubor databáze „%1“ nelze otevřít (%2).").arg(where, detail);
        case SqliteIoErr:
            return QStringLiteral("Při čtení nebo zápisu databáze „%1“ selhal disk (%2).").arg(where, detail);
        case SqliteError:
            // The program's statements are fixed and sound; one that the file refuses names a table or
            // a field that is not there (the driver's text says which).
            return QStringLiteral("V databázi „%1“ chybí tabulka nebo pole, které program potřebuje (%2).")
                .arg(where, detail);
        default:
            break;
        }
        return QStringLiteral("Chyba databáze „%1“: %2").arg(where, detail);
    }

    // The server's SQLSTATE; errors of the client library itself (a lost connection) carry none.
    const QString state = error.nativeErrorCode();
    if (state.isEmpty())
        return QStringLiteral("Spojení s databázovým serverem %1:%2 se přerušilo (%3).")
            .arg(cfg.host)
            .arg(cfg.port)
            .arg(detail);
    if (state == QStringLiteral("42P01") || state == QStringLiteral("42703"))
        return QStringLiteral("V databázi %1 chybí tabulka nebo pole, které program potřebuje (%2).")
            .arg(where, detail);
    if (state == QStringLiteral("42501"))
        return QStringLiteral("Uživatel „%1“ nemá v databázi %2 potřebná oprávnění (%3).").arg(cfg.user, where, detail);
    if (state == QStringLiteral("25006"))
        return QStringLiteral("Databáze %1 je jen pro čtení.").arg(where);
    if (state == QStringLiteral("57014") || state == QStringLiteral("55P03") || state == QStringLiteral("40P01"))
        return QStringLiteral("Databáze %1 je zaneprázdněná jinou prací a neodpověděla včas.").arg(where);
    if (state.startsWith(QStringLiteral("08")) || state == QStringLiteral("57P01"))
        return QStringLiteral("Spojení s databázovým serverem %1:%2 se přerušilo.").arg(cfg.host).arg(cfg.port);
    return QStringLiteral("Chyba databáze %1: %2").arg(where, detail);
}

QString DatabaseConnection::refusedSignIn(const QString& detail) const
{
    return QStringLiteral("Databázový server %1:%2 odmítl přihlášení uživatele „%3“ k databázi „%4“ (špatné heslo, "
                          "chybějící oprávnění nebo databáze, která neexistuje): %5")
        .arg(cfg.host)
        .arg(cfg.port)
        .arg(cfg.user, cfg.databaseName, detail);
}

QString DatabaseConnection::describeRefusal(const QSqlError& error) const
{
    // The client library gives no code for a failed connection: whether the server answers at all
    // is asked of the network, the rest is the server's refusal, with its own words as the detail.
    if (!serverAnswers(cfg.host, cfg.port, 2000))
        return QStringLiteral("Databázový server %1:%2 neodpovídá (není spuštěný nebo není dostupný po síti).")
            .arg(cfg.host)
            .arg(cfg.port);
    return refusedSignIn(withoutSecrets(error.databaseText().isEmpty() ? error.driverText() : error.databaseText()));
}
