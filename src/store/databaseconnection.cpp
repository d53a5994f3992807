#include "store/databaseconnection.h"

#include "core/procedury_a_fce.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QUrl>

namespace {

QAtomicInteger<int> busyTimeoutMs = 5000;
QAtomicInteger<quint64> connectionCounter = 0;

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
            return setFailure(describe(db.lastError()));
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
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout()));
    if (!db.open())
        return setFailure(describe(db.lastError()));
    {
        // Write-ahead logging lets readers and one writer work at once; a file system without
        // shared memory (a network share) keeps the rollback journal, which still works.
        QSqlQuery wal(db);
        wal.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    }
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

bool DatabaseConnection::exec(QSqlQuery& query)
{
    // A statement the database refused to prepare (a missing table or field) carries its error.
    if (query.lastError().isValid())
        return setFailure(describe(query.lastError()));
    if (query.exec())
        return true;
    return setFailure(describe(query.lastError()));
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
    if (query.prepare(engineSql(statement)))
        return true;
    return setFailure(describe(query.lastError()));
}

bool DatabaseConnection::exec(const QString& statement)
{
    QSqlQuery query(db);
    if (query.exec(engineSql(statement)))
        return true;
    return setFailure(describe(query.lastError()));
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
                .arg(where)
                .arg(busyTimeout() / 1000.0, 0, 'g', 3);
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
            if (detail.contains(QStringLiteral("no such table")) || detail.contains(QStringLiteral("no such column")) ||
                detail.contains(QStringLiteral("has no column")))
                return QStringLiteral("V databázi „%1“ chybí tabulka nebo pole, které program potřebuje (%2).")
                    .arg(where, detail);
            break;
        default:
            break;
        }
        return QStringLiteral("Chyba databáze „%1“: %2").arg(where, detail);
    }

    const QString state = error.nativeErrorCode();
    const QString lower = detail.toLower();
    if (error.type() == QSqlError::ConnectionError || state.isEmpty()) {
        if (lower.contains(QStringLiteral("password")) || lower.contains(QStringLiteral("authentication")) ||
            lower.contains(QStringLiteral("role \"")) || state == QStringLiteral("28P01") ||
            state == QStringLiteral("28000"))
            return QStringLiteral("Databázový server %1:%2 odmítl přihlášení uživatele „%3“ (špatné heslo nebo "
                                  "chybějící oprávnění).")
                .arg(cfg.host)
                .arg(cfg.port)
                .arg(cfg.user);
        if (lower.contains(QStringLiteral("database \"")) && lower.contains(QStringLiteral("does not exist")))
            return QStringLiteral("Na databázovém serveru %1:%2 neexistuje databáze „%3“.")
                .arg(cfg.host)
                .arg(cfg.port)
                .arg(cfg.databaseName);
        if (lower.contains(QStringLiteral("connection refused")) || lower.contains(QStringLiteral("timeout")) ||
            lower.contains(QStringLiteral("could not translate host")) ||
            lower.contains(QStringLiteral("no route to host")) || lower.contains(QStringLiteral("unreachable")) ||
            lower.contains(QStringLiteral("server closed the connection")) ||
            lower.contains(QStringLiteral("could not connect")))
            return QStringLiteral("Databázový server %1:%2 neodpovídá (není spuštěný nebo není dostupný po síti).")
                .arg(cfg.host)
                .arg(cfg.port);
        if (error.type() == QSqlError::ConnectionError)
            return QStringLiteral("K databázovému serveru %1:%2 se nelze připojit (%3).")
                .arg(cfg.host)
                .arg(cfg.port)
                .arg(detail);
    }
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
