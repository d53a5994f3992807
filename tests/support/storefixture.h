#pragma once

// A school database for one test (SQLite, or PostgreSQL at KVIZMAT_TEST_PG_URL) and a configuration naming it.

#include "core/example.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "store/databaseconnection.h"
#include "store/schoolroles.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace StoreFixture {

inline const QString pgUrl = qEnvironmentVariable("KVIZMAT_TEST_PG_URL"); // empty without a test server
inline const QString buildDir = qEnvironmentVariable("KVIZMAT_BUILD_DIR");

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

// The teacher's tool with these arguments and standard input.
inline ToolRun tool(const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess p;
    p.start(buildDir + "/tools/kvizmat-ucitel", args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {-2, QString(), p.errorString()};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

inline QString writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

inline QByteArray encoded(const QString& report)
{
    return ReportCipher::EncodeText(report, ReportCipher::saltByteFrom(clockSeededSource()())).toUtf8();
}

// The report of a run on 2 May 2024 from 10:05 to 10:50, as the pupils' program writes it.
inline QString report(const QString& name, const QString& className, int right, int wrong)
{
    RunState run;
    run.pupilName = name, run.pupilClass = className, run.examplesRight = right, run.examplesWrong = wrong;
    run.dialogsRight = right * 3 + wrong, run.dialogsWrong = wrong * 2;
    run.signInDateTime = toDayCount(QDateTime(QDate(2024, 5, 2), QTime(10, 5)));
    return buildReport(run, QDateTime(QDate(2024, 5, 2), QTime(10, 50)), QLocale(QLocale::Czech));
}
inline QByteArray reportBlock(const QString& name, const QString& className, int right, int wrong)
{
    return encoded(report(name, className, right, wrong));
}

inline bool run(const StoreConfig& config, const QStringList& statements)
{
    DatabaseConnection connection(config);
    bool ok = connection.open();
    for (int i = 0; ok && i < statements.size(); ++i)
        ok = connection.exec(statements[i]);
    if (!ok)
        qWarning() << statements << connection.failure();
    return ok;
}

// The first row of a query, or "FAILED: ..." as its only value.
inline QList<QVariant> row(const StoreConfig& config, const QString& select)
{
    DatabaseConnection connection(config);
    if (!connection.open())
        return {"FAILED: " + connection.failure()};
    QSqlQuery query(connection.database());
    if (!connection.prepare(query, select) || !query.exec())
        return {"FAILED: " + query.lastError().text()};
    QList<QVariant> values;
    if (query.next())
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i);
    return values;
}

class Database {
public:
    enum class Kind { Sqlite, Postgres };

    // SQLite tables by field names alone, as another program might make them; PostgreSQL the tool's tables.
    explicit Database(Kind kind, bool withTables = true) : kind(kind)
    {
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther | QFile::ExeOther);
        if (kind == Kind::Sqlite) {
            config = StoreConfig::fromPath(url = dir.filePath("skola.db"));
            DatabaseConnection connection(config);
            if (connection.open(DatabaseConnection::Mode::Create) && withTables)
                for (const char* table : {"Zaci (Prijmeni, Trida)", "Prehled (Prijmeni, Trida, Spravne, Chybne, "
                                                                    "CasStrt, CasEnd, Datum, Prihlasenjako, TypZkous)"})
                    connection.exec(QStringLiteral("CREATE TABLE ") + table);
        } else {
            name = QStringLiteral("kvizmat_test_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
            run(StoreConfig::fromUrl(pgUrl), {QStringLiteral("CREATE DATABASE \"%1\"").arg(name)});
            QUrl address(pgUrl);
            address.setPath('/' + name);
            config = StoreConfig::fromUrl(url = address.toString());
            DatabaseConnection connection(config);
            if (withTables && (!connection.open() || !SchoolSchema::create(connection)))
                qWarning() << connection.failure();
        }
        writeConfig(kind == Kind::Sqlite ? "[database]\npath=\"" + url + "\"\n" : "[database]\nurl=" + url + "\n");
    }

    ~Database()
    {
        if (kind == Kind::Postgres)
            run(StoreConfig::fromUrl(pgUrl), {QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(name)});
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CONFIG_DIRS");
    }

    // Writes a configuration file (the user's by default) and points the program at this folder.
    void writeConfig(const QString& content, QString path = QString())
    {
        path = path.isEmpty() ? configFile() : path;
        QDir().mkpath(QFileInfo(path).path());
        writeFile(path, content.toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOther);
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", dir.filePath("system").toUtf8());
    }

    // Points the pupils' program at this server database as the school's own pupils' role (not a
    // superuser, a scram password), directly or through the test PgBouncer, and lets the role do what
    // the pupils' program needs. Empty without that role or pooler.
    QString usePupilsRole(bool pooled = false)
    {
        const QString role = qEnvironmentVariable("KVIZMAT_TEST_PG_PASSWORD_ROLE");
        const int poolerPort = qEnvironmentVariableIntValue("KVIZMAT_TEST_PGBOUNCER_PORT");
        if (kind != Kind::Postgres || role.isEmpty() || (pooled && poolerPort == 0))
            return QString();
        DatabaseConnection admin(config);
        if (!admin.open() || !SchoolRoles::grant(admin, role, SchoolRoles::Kind::Pupils))
            qWarning() << admin.failure();
        QUrl address(url);
        address.setUserName(role);
        address.setPassword(qEnvironmentVariable("KVIZMAT_TEST_PG_PASSWORD"));
        if (pooled)
            address.setPort(poolerPort);
        writeConfig("[database]\nurl=" + address.toString() + "\n");
        return address.toString();
    }

    QString configFile() const { return dir.filePath("config/kvizmat/kvizmat.conf"); }
    bool exec(const QStringList& statements) const { return run(config, statements); }
    QList<QVariant> first(const QString& select) const { return row(config, select); }
    int count(const QString& where = "1 = 1", const QString& table = "Prehled") const
    {
        return first(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE ").arg(table) + where).value(0).toInt();
    }

    // The test server itself, as its superuser.
    static StoreConfig serverConfig() { return StoreConfig::fromUrl(pgUrl); }

    Kind kind;
    QTemporaryDir dir;
    StoreConfig config;
    QString url, name;
};

inline void addEngineRows()
{
    QTest::addColumn<int>("engine");
    QTest::newRow("sqlite") << int(Database::Kind::Sqlite);
    QTest::newRow("postgresql") << int(Database::Kind::Postgres);
}

// Lowers a process's busy waiting time for one test and puts it back after.
struct BusyTimeout {
    explicit BusyTimeout(int milliseconds) { DatabaseConnection::setBusyTimeout(milliseconds); }
    ~BusyTimeout() { DatabaseConnection::setBusyTimeout(DatabaseConnection::defaultBusyTimeoutMs); }
};

// The database of an engine row; PostgreSQL is skipped without a test server.
#define STORE_DATABASE(var)                                                                                            \
    QFETCH(int, engine);                                                                                               \
    if (engine == int(StoreFixture::Database::Kind::Postgres) && StoreFixture::pgUrl.isEmpty())                        \
        QSKIP("KVIZMAT_TEST_PG_URL is not set (scripts/test.sh starts a test server)");                                \
    StoreFixture::Database var{StoreFixture::Database::Kind(engine)};

} // namespace StoreFixture
