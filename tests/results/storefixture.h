#pragma once

// A school database for one test, SQLite file or a fresh database on the PostgreSQL test server
// (KVIZMAT_TEST_PG_URL), with the configuration file that points the program at it.

#include "platform/databaseconnection.h"
#include "results/schoolschema.h"
#include "results/storeconfig.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace StoreFixture {

inline QString pgUrl()
{
    return qEnvironmentVariable("KVIZMAT_TEST_PG_URL");
}

inline QString buildDir()
{
    return qEnvironmentVariable("KVIZMAT_BUILD_DIR");
}

inline QString toolPath()
{
    return buildDir() + QStringLiteral("/tools/kvizmat-ucitel");
}

inline QString writerPath()
{
    return buildDir() + QStringLiteral("/tests/kvizmat_store_writer");
}

// Runs the statements on a database of the configuration; fails the test on an error.
inline bool run(const StoreConfig& config, const QStringList& statements)
{
    DatabaseConnection connection(config);
    if (!connection.open()) {
        qWarning() << connection.failure();
        return false;
    }
    for (const QString& s : statements) {
        if (!connection.exec(s)) {
            qWarning() << s << connection.failure();
            return false;
        }
    }
    return true;
}

// One value of a query's first row (as text), or the failure.
inline QList<QVariant> row(const StoreConfig& config, const QString& select)
{
    DatabaseConnection connection(config);
    QList<QVariant> values;
    if (!connection.open())
        return {QStringLiteral("FAILED: ") + connection.failure()};
    QSqlQuery query(connection.database());
    if (!connection.prepare(query, select) || !query.exec())
        return {QStringLiteral("FAILED: ") + query.lastError().text()};
    if (query.next())
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i);
    return values;
}

class Database {
public:
    enum class Kind { Sqlite, Postgres };

    // SQLite: a file with the tables given by their field names alone, as another program might
    // make them. PostgreSQL: a fresh database with the tables of the teacher's tool.
    explicit Database(Kind kind, bool withTables = true) : kind(kind)
    {
        QDir(dir.path()).mkpath(QStringLiteral("config/kvizmat"));
        QDir(dir.path()).mkpath(QStringLiteral("system"));
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther | QFile::ExeOther);
        if (kind == Kind::Sqlite) {
            config = StoreConfig::fromPath(dir.filePath(QStringLiteral("skola.db")));
            DatabaseConnection connection(config);
            connection.open(DatabaseConnection::Mode::Create);
            if (withTables) {
                connection.exec(QStringLiteral("CREATE TABLE Zaci (Prijmeni, Trida)"));
                connection.exec(QStringLiteral("CREATE TABLE Prehled (Prijmeni, Trida, Spravne, Chybne, CasStrt, "
                                               "CasEnd, Datum, Prihlasenjako, TypZkous)"));
            }
            url = config.sqlitePath;
        } else {
            const StoreConfig server = StoreConfig::fromUrl(pgUrl());
            name = QStringLiteral("kvizmat_test_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
            run(server, {QStringLiteral("CREATE DATABASE \"%1\"").arg(name)});
            QUrl address(pgUrl());
            address.setPath(QLatin1Char('/') + name);
            url = address.toString();
            config = StoreConfig::fromUrl(url);
            if (withTables) {
                DatabaseConnection connection(config);
                if (!connection.open() || !SchoolSchema::create(connection))
                    qWarning() << connection.failure();
            }
        }
        writeConfig();
    }

    ~Database()
    {
        if (kind == Kind::Postgres)
            run(StoreConfig::fromUrl(pgUrl()),
                {QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(name)});
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CONFIG_DIRS");
    }

    // Points the program at this database through the user's configuration file.
    void writeConfig(const QString& content = QString())
    {
        QFile file(configFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content.isNull() ? (kind == Kind::Sqlite ? "[database]\npath=\"" + url.toUtf8() + "\"\n"
                                                            : "[database]\nurl=" + url.toUtf8() + "\n")
                                    : content.toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFile::ReadOther);
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", dir.filePath(QStringLiteral("system")).toUtf8());
    }

    QString configFile() const { return dir.filePath(QStringLiteral("config/kvizmat/kvizmat.conf")); }

    bool exec(const QStringList& statements) const { return run(config, statements); }
    QList<QVariant> first(const QString& select) const { return row(config, select); }
    int count(const QString& where = QStringLiteral("1 = 1")) const
    {
        return first(QStringLiteral("SELECT COUNT(*) FROM \"Prehled\" WHERE ") + where).value(0).toInt();
    }

    Kind kind;
    QTemporaryDir dir;
    StoreConfig config;
    QString url;
    QString name;
};

// Adds rows "sqlite" and, when the test server is there, "postgresql" to a data-driven test.
inline void addEngineRows()
{
    QTest::addColumn<int>("engine");
    QTest::newRow("sqlite") << int(Database::Kind::Sqlite);
    QTest::newRow("postgresql") << int(Database::Kind::Postgres);
}

// The database of a row; nullptr (after QSKIP) for PostgreSQL without a test server.
#define STORE_DATABASE(var)                                                                                            \
    QFETCH(int, engine);                                                                                               \
    if (engine == int(StoreFixture::Database::Kind::Postgres) && StoreFixture::pgUrl().isEmpty())                      \
        QSKIP("KVIZMAT_TEST_PG_URL is not set (scripts/test.sh starts a test server)");                                \
    StoreFixture::Database var{StoreFixture::Database::Kind(engine)};

} // namespace StoreFixture
