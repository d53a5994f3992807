#include "store/storeconfig.h"

#include "core/report.h"
#include "core/storedpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString pathKey = QStringLiteral("database/path");
const QString urlKey = QStringLiteral("database/url");
// A configuration file holds two lines; anything this large is some other file.
constexpr qint64 largestFile = 64 * 1024;

// A comment starts a line, or follows a value after a blank: "path = /srv/skola.db  # the school's".
QString withoutTrailingComment(const QString& text)
{
    for (qsizetype i = 1; i < text.size(); ++i) {
        if ((text.at(i) == QLatin1Char('#') || text.at(i) == QLatin1Char(';')) && text.at(i - 1).isSpace())
            return text.left(i).trimmed();
    }
    return text;
}

// Names of sections and keys are plain words. A line that only looks like "key = value" (a forgotten
// "=", whose place an "=" further on takes) is never repeated: it may hold a password.
bool isName(const QString& name)
{
    if (name.isEmpty() || name.size() > 64)
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'_' && c != u'-' && c != u'.')
            return false;
    return true;
}

// The file as people write it by hand: UTF-8 (a byte-order mark allowed, UTF-16 with its mark too),
// Windows or Unix line ends, blanks around "=", comment lines starting with "#" or ";", a value in
// double quotes. Keys are "section/key"; on a problem `problem` says what and where, in Czech.
QMap<QString, QString> readIni(const QByteArray& bytes, QString& problem)
{
    QMap<QString, QString> values;
    QStringDecoder decode(QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    const QString text = decode(bytes);
    if (decode.hasError()) {
        problem = QStringLiteral("soubor není v kódování UTF-8; uložte jej v editoru jako UTF-8.");
        return values;
    }
    auto malformed = [&problem](qsizetype number, const QString& shape) {
        problem = QStringLiteral("řádek %1 nemá tvar %2; očekává se oddíl [database] a pod ním řádek například "
                                 "path = /srv/kvizmat/skola.db.")
                      .arg(QString::number(number), shape);
        return QMap<QString, QString>();
    };
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype number = 1; number <= lines.size(); ++number) {
        const QString line = lines.at(number - 1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const QString header = withoutTrailingComment(line);
            section = header.mid(1, header.size() - 2).trimmed();
            if (!header.endsWith(QLatin1Char(']')) || !isName(section))
                return malformed(number, QStringLiteral("[oddíl]"));
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals).trimmed();
        QString value = line.mid(equals + 1).trimmed();
        if (equals < 0 || !isName(key))
            return malformed(number, QStringLiteral("klíč = hodnota"));
        if (value.startsWith(QLatin1Char('"'))) {
            const qsizetype close = value.indexOf(QLatin1Char('"'), 1);
            const QString rest = close < 0 ? QString() : value.mid(close + 1).trimmed();
            if (close < 0 ||
                !(rest.isEmpty() || rest.startsWith(QLatin1Char('#')) || rest.startsWith(QLatin1Char(';')))) {
                problem =
                    QStringLiteral("na řádku %1 chybí uvozovka na konci hodnoty, nebo za ní něco zbylo.").arg(number);
                return {};
            }
            value = value.mid(1, close - 1);
        } else {
            value = withoutTrailingComment(value);
        }
        const QString name = section.isEmpty() ? key : section + QLatin1Char('/') + key;
        if (values.contains(name)) {
            problem = QStringLiteral("klíč „%1“ je uveden dvakrát (znovu na řádku %2); ponechte jen jeden.")
                          .arg(name, QString::number(number));
            return {};
        }
        values.insert(name, value);
    }
    return values;
}

} // namespace

bool StoreConfig::isAddress(const QString& text)
{
    return text.startsWith(QStringLiteral("postgres"), Qt::CaseInsensitive);
}

QString StoreConfig::describe() const
{
    if (isPostgres())
        return QStringLiteral("%1 na serveru %2:%3").arg(printableText(databaseName), printableText(host)).arg(port);
    return printableText(sqlitePath);
}

StoreConfig StoreConfig::load()
{
    const QStringList files =
        QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation, QStringLiteral("kvizmat/kvizmat.conf"));
    for (const QString& file : files) {
        if (QFileInfo(file).isFile())
            return fromFile(file);
    }
    return fromPath(StoredPath::Descramble(QString::fromLatin1(StoredPath::schoolDatabasePath)));
}

StoreConfig StoreConfig::fromFile(const QString& file)
{
    StoreConfig config;
    config.sourceFile = file;
    auto broken = [&config, &file](const QString& what) {
        config.problem =
            QStringLiteral("Konfigurační soubor „%1“: %2").arg(printableText(QDir::toNativeSeparators(file)), what);
        return config;
    };

    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return broken(QFileInfo(file).isReadable() ? QStringLiteral("soubor nelze přečíst.")
                                                   : QStringLiteral("soubor nelze přečíst (chybí oprávnění)."));
    const QByteArray bytes = input.read(largestFile + 1);
    if (bytes.size() > largestFile)
        return broken(QStringLiteral("soubor je příliš velký, nejde o konfigurační soubor programu Kvizmat."));
    QString problem;
    const QMap<QString, QString> values = readIni(bytes, problem);
    if (!problem.isEmpty())
        return broken(problem);
    for (const QString& key : values.keys()) {
        if (key != pathKey && key != urlKey)
            return broken(QStringLiteral("neznámý klíč „%1“; platné jsou jen database/path (soubor SQLite) a "
                                         "database/url (adresa serveru PostgreSQL).")
                              .arg(key));
    }
    // One database, named by exactly one of the two keys.
    if (values.contains(pathKey) && values.contains(urlKey))
        return broken(QStringLiteral("klíče database/path a database/url jsou uvedeny oba; ponechte jen jeden."));

    if (values.contains(urlKey)) {
        QString reason;
        StoreConfig server = fromUrl(values.value(urlKey), &reason);
        server.sourceFile = file;
        if (!server.isValid())
            return broken(QStringLiteral("klíč „database/url“ nemá platnou adresu: %1 Očekávaný tvar je "
                                         "postgresql://uživatel:heslo@počítač:port/databáze.")
                              .arg(reason));
        return server;
    }
    if (values.contains(pathKey)) {
        const QString path = values.value(pathKey);
        if (path.isEmpty())
            return broken(QStringLiteral("klíč „database/path“ je prázdný; uveďte cestu k souboru databáze."));
        // Never shown: an address holds a password.
        if (isAddress(path))
            return broken(QStringLiteral("klíč „database/path“ obsahuje adresu serveru; adresu serveru PostgreSQL "
                                         "zapište do klíče database/url."));
        // A relative path is taken from the folder of the configuration file.
        StoreConfig local = fromPath(QFileInfo(file).dir().absoluteFilePath(path));
        local.sourceFile = file;
        return local;
    }
    StoreConfig fallback = fromPath(StoredPath::Descramble(QString::fromLatin1(StoredPath::schoolDatabasePath)));
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

    if (!url.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) &&
        !url.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive))
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
    // Such a name or user exists nowhere, and every message about the server would carry it.
    for (QString part : {config.host, config.user, config.databaseName})
        if (part.remove(QLatin1Char('\\')); printableText(part) != part)
            return malformed(QStringLiteral("jméno serveru, uživatele nebo databáze obsahuje řídicí nebo neviditelný "
                                            "znak (například %1B)."));
    if (parsed.hasFragment())
        return malformed(QStringLiteral("adresa nesmí obsahovat „#“ (zvláštní znaky hesla zapište jako %XX)."));
    const QUrlQuery query(parsed);
    for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (name != QStringLiteral("sslmode"))
            return malformed(QStringLiteral("neznámý parametr adresy „%1“ (povolen je jen sslmode).")
                                 .arg(printableText(name.left(40))));
        static const QStringList modes = {QStringLiteral("disable"),   QStringLiteral("allow"),
                                          QStringLiteral("prefer"),    QStringLiteral("require"),
                                          QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
        if (!modes.contains(value))
            return malformed(
                QStringLiteral("neplatná hodnota sslmode; povolené jsou %1.").arg(modes.join(QStringLiteral(", "))));
        config.sslMode = value;
    }
    return config;
}

StoreConfig StoreConfig::fromArgument(const QString& argument)
{
    if (isAddress(argument)) {
        QString reason;
        StoreConfig server = fromUrl(argument, &reason);
        if (!server.isValid())
            server.problem = QStringLiteral("Adresa databáze není platná: %1 Očekávaný tvar je "
                                            "postgresql://uživatel:heslo@počítač:port/databáze (soubor, jehož jméno "
                                            "začíná „postgres“, zadejte jako ./jméno).")
                                 .arg(reason);
        return server;
    }
    return fromPath(QFileInfo(argument).absoluteFilePath());
}
