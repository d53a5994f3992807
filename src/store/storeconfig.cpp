#include "store/storeconfig.h"

#include "core/procedury_a_fce.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString pathKey = QStringLiteral("database/path");
const QString urlKey = QStringLiteral("database/url");

bool isServerAddress(const QString& text)
{
    return text.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

// A value with a comma comes back from an INI file as a list; the address means the whole text.
QString settingText(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString().trimmed();
}

} // namespace

QString StoreConfig::describe() const
{
    if (isPostgres())
        return QStringLiteral("%1 na serveru %2:%3").arg(databaseName, host).arg(port);
    return sqlitePath;
}

StoreConfig StoreConfig::load()
{
    const QStringList files =
        QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation, QStringLiteral("kvizmat/kvizmat.conf"));
    for (const QString& file : files) {
        if (QFileInfo(file).isFile())
            return fromFile(file);
    }
    return fromPath(Procedury_a_fce::Descramble(QString::fromLatin1(Procedury_a_fce::schoolDatabasePath)));
}

StoreConfig StoreConfig::fromFile(const QString& file)
{
    StoreConfig config;
    config.sourceFile = file;
    auto broken = [&config, &file](const QString& what) {
        config.problem = QStringLiteral("Konfigurační soubor „%1“: %2").arg(QDir::toNativeSeparators(file), what);
        return config;
    };

    if (!QFileInfo(file).isReadable())
        return broken(QStringLiteral("soubor nelze přečíst (chybí oprávnění)."));
    QSettings settings(file, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    if (settings.status() == QSettings::AccessError)
        return broken(QStringLiteral("soubor nelze přečíst."));
    if (settings.status() == QSettings::FormatError)
        return broken(QStringLiteral("soubor nemá tvar INI (oddíl [database] a řádky klíč = hodnota)."));
    for (const QString& key : keys) {
        if (key != pathKey && key != urlKey)
            return broken(QStringLiteral("neznámý klíč „%1“; platné jsou jen database/path (soubor SQLite) a "
                                         "database/url (adresa serveru PostgreSQL).")
                              .arg(key));
    }
    const bool hasPath = keys.contains(pathKey);
    const bool hasUrl = keys.contains(urlKey);
    if (hasPath && hasUrl)
        return broken(QStringLiteral("klíče database/path a database/url jsou uvedeny oba; ponechte jen jeden."));

    if (hasUrl) {
        const QString url = settingText(settings, urlKey);
        QString reason;
        StoreConfig server = fromUrl(url, &reason);
        server.sourceFile = file;
        if (!server.isValid())
            return broken(QStringLiteral("klíč „database/url“ nemá platnou adresu: %1 Očekávaný tvar je "
                                         "postgresql://uživatel:heslo@počítač:port/databáze.")
                              .arg(reason));
        return server;
    }
    if (hasPath) {
        const QString path = settingText(settings, pathKey);
        if (path.isEmpty())
            return broken(QStringLiteral("klíč „database/path“ je prázdný; uveďte cestu k souboru databáze."));
        // A relative path is taken from the folder of the configuration file.
        StoreConfig local = fromPath(QFileInfo(file).dir().absoluteFilePath(path));
        local.sourceFile = file;
        return local;
    }
    StoreConfig fallback =
        fromPath(Procedury_a_fce::Descramble(QString::fromLatin1(Procedury_a_fce::schoolDatabasePath)));
    fallback.sourceFile = file;
    return fallback;
}

StoreConfig StoreConfig::fromPath(const QString& path)
{
    StoreConfig config;
    config.engine = Engine::Sqlite;
    config.sqlitePath = path;
    return config;
}

StoreConfig StoreConfig::fromUrl(const QString& url, QString* reason)
{
    StoreConfig config;
    config.engine = Engine::Postgres;
    auto malformed = [&](const QString& why) {
        if (reason)
            *reason = why;
        config.problem = why;
        config.password.clear();
        return config;
    };

    if (!isServerAddress(url))
        return malformed(QStringLiteral("adresa nezačíná „postgresql://“."));
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid())
        return malformed(QStringLiteral("adresa obsahuje nepovolené znaky nebo chybný port "
                                        "(zvláštní znaky hesla zapište jako %XX)."));
    config.host = parsed.host(QUrl::FullyDecoded);
    if (config.host.isEmpty())
        return malformed(QStringLiteral("v adrese chybí jméno nebo adresa serveru."));
    config.port = parsed.port(5432);
    if (config.port < 1 || config.port > 65535)
        return malformed(QStringLiteral("port musí být číslo od 1 do 65535."));
    config.user = parsed.userName(QUrl::FullyDecoded);
    if (config.user.isEmpty())
        return malformed(QStringLiteral("v adrese chybí jméno uživatele databáze."));
    config.password = parsed.password(QUrl::FullyDecoded);
    QString path = parsed.path(QUrl::FullyDecoded);
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    if (path.isEmpty() || path.contains(QLatin1Char('/')))
        return malformed(QStringLiteral("za adresou serveru musí stát „/“ a jméno databáze."));
    config.databaseName = path;
    if (parsed.hasFragment())
        return malformed(QStringLiteral("adresa nesmí obsahovat „#“ (zvláštní znaky hesla zapište jako %XX)."));
    const QUrlQuery query(parsed);
    for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (name != QStringLiteral("sslmode"))
            return malformed(QStringLiteral("neznámý parametr adresy „%1“ (povolen je jen sslmode).").arg(name));
        static const QStringList modes = {QStringLiteral("disable"),   QStringLiteral("allow"),
                                          QStringLiteral("prefer"),    QStringLiteral("require"),
                                          QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
        if (!modes.contains(value))
            return malformed(QStringLiteral("neplatná hodnota sslmode „%1“.").arg(value));
        config.sslMode = value;
    }
    return config;
}

StoreConfig StoreConfig::fromArgument(const QString& argument)
{
    if (isServerAddress(argument)) {
        QString reason;
        StoreConfig server = fromUrl(argument, &reason);
        if (!server.isValid())
            server.problem = QStringLiteral("Adresa databáze není platná: %1").arg(reason);
        return server;
    }
    return fromPath(QFileInfo(argument).absoluteFilePath());
}
