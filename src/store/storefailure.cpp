#include "store/storefailure.h"

#include <QDir>
#include <QLocale>
#include <QStringList>

namespace {

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

int sqliteCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// " ani po 15 s čekání" after a real wait of at least a second; nothing after none.
QString waited(qint64 milliseconds)
{
    if (milliseconds < 1000)
        return QString();
    return QStringLiteral(" ani po %1 s čekání").arg(QLocale(QLocale::Czech).toString(qRound(milliseconds / 1000.0)));
}

QString server(const StoreConfig& config)
{
    return QStringLiteral("Databázový server %1:%2").arg(config.host).arg(config.port);
}

} // namespace

namespace StoreFailure {

bool sqliteLocked(const QSqlError& error)
{
    const int code = sqliteCode(error);
    return code == SqliteBusy || code == SqliteLocked;
}

bool mayPass(const StoreConfig& config, const QSqlError& error)
{
    if (!config.isPostgres())
        return sqliteLocked(error);
    static const QStringList passing = {"53300", "57P01", "57P02", "57P03", "40001",
                                        "40P01", "55P03", "57014", "23505"};
    const QString state = error.nativeErrorCode();
    // No SQLSTATE: the client library itself failed, which means the connection was lost.
    return state.isEmpty() || state.startsWith(QLatin1String("08")) || passing.contains(state);
}

QString withoutSecrets(const StoreConfig& config, QString text)
{
    if (!config.password.isEmpty())
        text.replace(config.password, QStringLiteral("***"));
    return text.simplified();
}

QString describe(const StoreConfig& config, const QSqlError& error, qint64 waitedMs)
{
    const QString detail =
        withoutSecrets(config, error.databaseText().isEmpty() ? error.driverText() : error.databaseText());
    const QString where = QDir::toNativeSeparators(config.describe());

    if (!config.isPostgres()) {
        switch (sqliteCode(error)) {
        case SqliteBusy:
        case SqliteLocked:
            if (waitedMs < 1000)
                return QStringLiteral("Databázi „%1“ má zamčenou jiný program.").arg(where);
            return QStringLiteral("Databázi „%1“ má zamčenou jiný program a neuvolnil ji%2.")
                .arg(where, waited(waitedMs));
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
            .arg(config.host)
            .arg(config.port)
            .arg(detail);
    if (state == QLatin1String("42P01") || state == QLatin1String("42703"))
        return QStringLiteral("V databázi %1 chybí tabulka nebo pole, které program potřebuje (%2).")
            .arg(where, detail);
    if (state == QLatin1String("42501"))
        return QStringLiteral("Uživatel „%1“ nemá v databázi %2 potřebná oprávnění (%3).")
            .arg(config.user, where, detail);
    if (state == QLatin1String("25006"))
        return QStringLiteral("Databáze %1 je jen pro čtení.").arg(where);
    if (state == QLatin1String("53300"))
        return signInFailed(config, {ServerVerdict::Seen::AllTaken, state}, waitedMs);
    if (state.startsWith(QLatin1String("57P0")) && state != QLatin1String("57P04"))
        return signInFailed(config, {ServerVerdict::Seen::Starting, state}, waitedMs);
    if (state == QLatin1String("57014") || state == QLatin1String("55P03") || state == QLatin1String("40P01") ||
        state == QLatin1String("40001"))
        return QStringLiteral("Databáze %1 je zaneprázdněná jinou prací a neodpověděla včas.").arg(where);
    if (state.startsWith(QLatin1String("08")))
        return QStringLiteral("Spojení s databázovým serverem %1:%2 se přerušilo.").arg(config.host).arg(config.port);
    return QStringLiteral("Chyba databáze %1: %2").arg(where, detail);
}

QString signInFailed(const StoreConfig& config, const ServerVerdict& verdict, qint64 waitedMs)
{
    using Seen = ServerVerdict::Seen;
    const QString refused = QStringLiteral("%1 odmítl přihlášení uživatele „%2“ k databázi „%3“")
                                .arg(server(config), config.user, config.databaseName);
    switch (verdict.seen) {
    case Seen::Admitted:
        break;
    case Seen::NoAnswer:
        return server(config) + QStringLiteral(" neodpovídá (není spuštěný nebo není dostupný po síti)") +
               waited(waitedMs) + QLatin1Char('.');
    case Seen::AllTaken:
        if (waitedMs < 1000)
            return server(config) + QStringLiteral(" má obsazená všechna spojení.");
        return server(config) + QStringLiteral(" má obsazená všechna spojení a neuvolnil se%1.").arg(waited(waitedMs));
    case Seen::Starting:
        if (waitedMs < 1000)
            return server(config) + QStringLiteral(" se právě spouští nebo vypíná.");
        return server(config) +
               QStringLiteral(" se právě spouští nebo vypíná a nebyl připraven%1.").arg(waited(waitedMs));
    case Seen::WrongPassword:
        return refused + QStringLiteral(": špatné heslo nebo uživatel, který neexistuje.");
    case Seen::NotAllowed:
        return refused + QStringLiteral(": server tomuto uživateli přihlášení z tohoto počítače nepovoluje (nebo "
                                        "uživatel neexistuje).");
    case Seen::NoDatabase:
        return QStringLiteral("%1 nemá databázi „%2“.").arg(server(config), config.databaseName);
    case Seen::NoEncryption:
        return server(config) +
               QStringLiteral(" nenabízí šifrované spojení, které adresa vyžaduje (sslmode=%1).").arg(config.sslMode);
    case Seen::UnknownHost:
        return QStringLiteral("Databázový server „%1“ nelze najít: takový název počítače neexistuje.").arg(config.host);
    case Seen::Refused:
        break;
    }
    return refused + QStringLiteral(" (kód %1).").arg(verdict.state);
}

} // namespace StoreFailure
