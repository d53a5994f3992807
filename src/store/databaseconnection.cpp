#include "store/databaseconnection.h"

#include "core/storedpath.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

#include <cerrno>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QAtomicInteger<int> busyTimeoutMs = DatabaseConnection::defaultBusyTimeoutMs;
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

// Tells the program's window, if there is one, that a busy database is being waited for. Waits may
// nest (a locked file inside a retried store); the window hears of the outermost only.
class WaitShown {
public:
    WaitShown() = default;
    WaitShown(const WaitShown&) = delete;
    WaitShown& operator=(const WaitShown&) = delete;
    ~WaitShown()
    {
        if (shown && --depth == 0 && DatabaseConnection::waitIndicator)
            DatabaseConnection::waitIndicator(false);
    }
    void show()
    {
        if (shown)
            return;
        shown = true;
        if (depth++ == 0 && DatabaseConnection::waitIndicator)
            DatabaseConnection::waitIndicator(true);
    }

private:
    static inline thread_local int depth = 0;
    bool shown = false;
};

// Lets time pass with the window repainted and timers served, but no clicks or keys taken.
void pause(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    if (!QCoreApplication::instance()) {
        QThread::msleep(ulong(milliseconds));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// SQLSTATEs of failures that pass by themselves: all connections taken, the server starting up or
// shutting down, a transaction that lost a conflict or waited too long for a lock, another session
// writing the same key at the same moment.
bool transientState(const QString& state)
{
    static const QStringList passing = {"53300", "57P01", "57P02", "57P03", "40001",
                                        "40P01", "55P03", "57014", "23505"};
    // No SQLSTATE: the client library itself failed, which means the connection was lost.
    return state.isEmpty() || state.startsWith(QLatin1String("08")) || passing.contains(state);
}

// Configurations that the server has already let in during this run of the program.
QMutex signedInLock;
QSet<QByteArray> signedIn;

QByteArray signInKey(const StoreConfig& config)
{
    return QCryptographicHash::hash(
        QStringList{config.host, QString::number(config.port), config.user, config.password, config.databaseName}
            .join(QChar(0))
            .toUtf8(),
        QCryptographicHash::Sha256);
}

// What the server says when asked for a session by a bare start-up message without a password.
struct ServerAnswer {
    enum Kind {
        Silent,     // nothing answers at host:port
        Refuses,    // refused before any password, with the SQLSTATE in `state`
        AsksSecret, // asks for a password: a refusal would come only after it
        Admits,     // lets the session in (no password needed)
    } kind = Silent;
    QString state;
};

bool sendAll(int fd, const QByteArray& data)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool receive(int fd, char* into, int size, const QDeadlineTimer& deadline)
{
    int got = 0;
    while (got < size) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, int(qMax<qint64>(0, deadline.remainingTime()))) != 1)
            return false;
        const ssize_t n = ::recv(fd, into + got, size_t(size - got), 0);
        if (n <= 0)
            return false;
        got += int(n);
    }
    return true;
}

quint32 bigEndian(const char* bytes)
{
    return quint32(quint8(bytes[0])) << 24 | quint32(quint8(bytes[1])) << 16 | quint32(quint8(bytes[2])) << 8 |
           quint32(quint8(bytes[3]));
}

// Talks the server's own protocol up to its first decision: the client library gives no code for a
// failed connection, and its message is in the desktop's language.
ServerAnswer askServer(const StoreConfig& config, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    QByteArray name = QUrl::toAce(config.host); // empty for an IPv6 address, which needs no conversion
    if (name.isEmpty())
        name = config.host.toLatin1();
    addrinfo* found = nullptr;
    if (getaddrinfo(name.constData(), QByteArray::number(config.port).constData(), &hints, &found) != 0)
        return {};
    int fd = -1;
    for (const addrinfo* at = found; at && fd < 0; at = at->ai_next) {
        fd = socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol);
        if (fd < 0)
            continue;
        bool connected = ::connect(fd, at->ai_addr, at->ai_addrlen) == 0;
        if (!connected && errno == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            int result = 0;
            socklen_t size = sizeof result;
            connected = poll(&waiting, 1, int(qMax<qint64>(0, deadline.remainingTime()))) == 1 &&
                        getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &size) == 0 && result == 0;
        }
        if (!connected) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd < 0)
        return {};

    // Start-up message of protocol 3.0: length, version, then name/value pairs ending with a zero.
    QByteArray body("\x00\x03\x00\x00", 4);
    for (const auto& [key, value] : {std::pair{"user", config.user}, std::pair{"database", config.databaseName},
                                     std::pair{"application_name", QStringLiteral("kvizmat")}})
        body += QByteArray(key) + '\0' + value.toUtf8() + '\0';
    body += '\0';
    QByteArray startup(4, '\0');
    qToBigEndian(quint32(body.size() + 4), startup.data());
    ServerAnswer answer{ServerAnswer::AsksSecret, {}};
    if (sendAll(fd, startup + body)) {
        for (;;) {
            char head[5];
            if (!receive(fd, head, 5, deadline))
                break; // no decision in time: taken as a server that would go on normally
            const quint32 length = bigEndian(head + 1);
            if (length < 4 || length > 65536)
                break;
            QByteArray message(int(length - 4), '\0');
            if (!receive(fd, message.data(), int(message.size()), deadline))
                break;
            if (head[0] == 'E') {
                answer.kind = ServerAnswer::Refuses;
                for (const QByteArray& field : message.split('\0'))
                    if (field.startsWith('C'))
                        answer.state = QString::fromLatin1(field.mid(1));
                break;
            }
            if (head[0] == 'R' && message.size() >= 4 && bigEndian(message.constData()) != 0)
                break; // a password is asked for
            if (head[0] == 'Z') {
                answer.kind = ServerAnswer::Admits;
                sendAll(fd, QByteArray("X\x00\x00\x00\x04", 5));
                break;
            }
        }
    }
    close(fd);
    return answer;
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
    bool mayPass = false;
    if (cfg.isPostgres()) {
        mayPass = transientState(error.nativeErrorCode());
    } else {
        const int code = error.nativeErrorCode().toInt() & 0xff;
        mayPass = code == SqliteBusy || code == SqliteLocked;
    }
    return setFailure(describe(error), mayPass);
}

bool DatabaseConnection::retrying(const StoreConfig& config, const std::function<bool(DatabaseConnection&)>& attempt,
                                  QString* failure)
{
    const QDeadlineTimer deadline(busyTimeout());
    WaitShown cursor;
    // The first pause is short, each next one about twice as long, up to a second; every pause is
    // drawn from its upper half at random.
    int ceilingMs = 40;
    for (;;) {
        {
            DatabaseConnection connection(config);
            connection.lockDeadline = deadline;
            connection.deadlineGiven = true;
            if (connection.open() && attempt(connection))
                return true;
            if (!connection.transient() || deadline.hasExpired()) {
                if (failure)
                    *failure = connection.failure();
                return false;
            }
        }
        cursor.show();
        const int drawn = int(QRandomGenerator::global()->bounded(ceilingMs / 2, ceilingMs + 1));
        pause(int(qMin<qint64>(drawn, deadline.remainingTime())));
        ceilingMs = qMin(ceilingMs * 2, 1000);
    }
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
        if (!deadlineGiven)
            lockDeadline.setRemainingTime(busyTimeout());
        // A statement stuck behind another session's lock must not hold a pupil past the waiting time;
        // set with the session's start rather than by a statement of its own.
        QString options = QStringLiteral("connect_timeout=5;application_name=kvizmat;options=-cstatement_timeout=%1")
                              .arg(qMax<qint64>(lockDeadline.remainingTime(), 1000));
        if (!cfg.sslMode.isEmpty())
            options += QStringLiteral(";sslmode=") + cfg.sslMode;
        db.setConnectOptions(options);
        if (!db.open())
            return refused(db.lastError());
        QMutexLocker locked(&signedInLock);
        signedIn.insert(signInKey(cfg));
        return true;
    }

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
    // Another program's lock is waited for busyTimeout() in all, counted from here (or from the first
    // of several tries), in short tries.
    if (!deadlineGiven)
        lockDeadline.setRemainingTime(busyTimeout());
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
            return failWith(failed);
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
    if (state == QStringLiteral("53300"))
        return busyServer();
    if (state == QStringLiteral("57P03"))
        return startingServer();
    if (state == QStringLiteral("57014") || state == QStringLiteral("55P03") || state == QStringLiteral("40P01") ||
        state == QStringLiteral("40001"))
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

QString DatabaseConnection::busyServer() const
{
    return QStringLiteral("Databázový server %1:%2 má obsazená všechna spojení a neuvolnil se ani po %3 s čekání.")
        .arg(cfg.host)
        .arg(cfg.port)
        .arg(QLocale(QLocale::Czech).toString(busyTimeout() / 1000.0, 'g', 3));
}

QString DatabaseConnection::startingServer() const
{
    return QStringLiteral("Databázový server %1:%2 se právě spouští nebo vypíná a nebyl připraven ani po %3 s čekání.")
        .arg(cfg.host)
        .arg(cfg.port)
        .arg(QLocale(QLocale::Czech).toString(busyTimeout() / 1000.0, 'g', 3));
}

bool DatabaseConnection::refused(const QSqlError& error)
{
    // The client library gives no code for a failed connection, so the server is asked once more by
    // the program itself. All connections taken (53300) and a server starting up or shutting down
    // (57P03) are said before any password, and pass. A refusal after the password (a wrong password,
    // a database or role that is not there, or the last connections kept for administrators, which is
    // again 53300) cannot be told apart this way: it is taken as passing only when the server has let
    // this same configuration in earlier in this run (the pupil signed in with it), so a wrong password
    // is reported at once. A server that lets the bare request in now was only busy a moment ago.
    const ServerAnswer answer = askServer(cfg, 2000);
    const QString detail = withoutSecrets(error.databaseText().isEmpty() ? error.driverText() : error.databaseText());
    switch (answer.kind) {
    case ServerAnswer::Silent:
        return setFailure(
            QStringLiteral("Databázový server %1:%2 neodpovídá (není spuštěný nebo není dostupný po síti).")
                .arg(cfg.host)
                .arg(cfg.port));
    case ServerAnswer::Refuses:
        if (answer.state == QStringLiteral("53300") || answer.state == QStringLiteral("57P03"))
            return setFailure(answer.state == QStringLiteral("53300") ? busyServer() : startingServer(), true);
        // A server that takes only encrypted sessions refuses the bare request before any password.
        if (answer.state != QStringLiteral("28000") || cfg.sslMode.isEmpty() ||
            QStringList{"disable", "allow", "prefer"}.contains(cfg.sslMode))
            return setFailure(refusedSignIn(detail));
        break;
    case ServerAnswer::Admits:
        return setFailure(refusedSignIn(detail), true);
    case ServerAnswer::AsksSecret:
        break;
    }
    QMutexLocker locked(&signedInLock);
    return setFailure(refusedSignIn(detail), signedIn.contains(signInKey(cfg)));
}
