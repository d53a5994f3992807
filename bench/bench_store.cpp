// Append plus totals (the end of a pupil's run) against a Prehled of 1,000,000 rows, with and
// without the index that "kvizmat-ucitel zalozit" creates, on SQLite and on PostgreSQL; then a whole
// school at once: 30, 100 and 300 pupils' programs (processes) pressing "OK" at the same moment.
// Usage: bench_store [postgresql://...]   (or KVIZMAT_TEST_PG_URL); prints figures only.
// BENCH_ROWS=n changes the table size; BENCH_ONLY=school runs only the whole-school part.

#include "benchdatabase.h"
#include "core/runstate.h"
#include "store/databaseconnection.h"
#include "store/schoolroles.h"
#include "store/schoolschema.h"
#include "store/schoolstore.h"
#include "store/storeconfig.h"

#include <QSqlQuery>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

const int rows = qEnvironmentVariableIntValue("BENCH_ROWS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROWS") : 1000000;
constexpr int pupils = 10000;
constexpr int runs = 60;

void useConfiguration(const QTemporaryDir& dir, const QByteArray& content)
{
    QDir(dir.path()).mkpath(QStringLiteral("kvizmat"));
    QFile file(dir.filePath(QStringLiteral("kvizmat/kvizmat.conf")));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    file.close();
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    qputenv("XDG_CONFIG_DIRS", dir.filePath(QStringLiteral("none")).toUtf8());
}

bool fill(const StoreConfig& config, bool withIndex)
{
    QElapsedTimer timer;
    timer.start();
    DatabaseConnection connection(config);
    if (!connection.open(DatabaseConnection::Mode::Create) || !SchoolSchema::create(connection, withIndex)) {
        std::printf("  cannot create: %s\n", qPrintable(connection.failure()));
        return false;
    }
    const QString numbers =
        config.isPostgres()
            ? QStringLiteral("generate_series(1, %1) AS s(x)").arg(rows)
            : QStringLiteral(
                  "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT %1) SELECT x FROM c)")
                  .arg(rows);
    const QString times = config.isPostgres()
                              ? QStringLiteral("'08:00'::time, '08:40'::time, DATE '2024-01-01' + x % 300")
                              : QStringLiteral("'08:00:00', '08:40:00', '2024-01-01'");
    const bool ok =
        connection.beginWrite() &&
        connection.exec(QStringLiteral("INSERT INTO \"Prehled\" SELECT 'Žák ' || (x % %1), '2B', x % 7, x % 3, %2, "
                                       "'ucebna', x % 5 + 1 FROM %3")
                            .arg(pupils)
                            .arg(times, numbers)) &&
        connection.commit() &&
        connection.exec(config.isPostgres() ? QStringLiteral("VACUUM ANALYZE") : QStringLiteral("ANALYZE"));
    if (!ok)
        std::printf("  cannot fill: %s\n", qPrintable(connection.failure()));
    else
        std::printf("  %d rows written in %.1f s\n", rows, timer.elapsed() / 1000.0);
    return ok;
}

void measureOpen(const StoreConfig& config)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        DatabaseConnection connection(config);
        connection.open();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-32s median %7.2f ms\n", "of which opening and closing", ms[ms.size() / 2]);
}

void measure(const char* title)
{
    std::vector<double> ms;
    QRandomGenerator random(7);
    for (int i = 0; i < runs; ++i) {
        RunState run;
        run.profileSurname = QStringLiteral("Žák %1").arg(random.bounded(pupils));
        run.profileClass = QStringLiteral("2B");
        run.examplesRight = 5;
        run.examplesWrong = 2;
        qint32 right = 0;
        qint32 wrong = 0;
        QElapsedTimer timer;
        timer.start();
        const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(run, QDateTime::currentDateTime(),
                                                                              QStringLiteral("bench"), right, wrong);
        ms.push_back(timer.nsecsElapsed() / 1e6);
        if (f.failed) {
            std::printf("  failed: %s\n", qPrintable(f.message));
            return;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-32s median %7.2f ms   p95 %7.2f ms   max %7.2f ms   (%d runs, open to close)\n", title,
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(), runs);
}

void sqlite()
{
    for (const bool withIndex : {true, false}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("skola.db"));
        std::printf("SQLite %s the index:\n", withIndex ? "with" : "without");
        if (!fill(StoreConfig::fromPath(path), withIndex))
            return;
        useConfiguration(dir, "[database]\npath=\"" + path.toUtf8() + "\"\n");
        measure(withIndex ? "append + totals, indexed" : "append + totals, no index");
        measureOpen(StoreConfig::fromPath(path));
    }
}

void postgres(const QString& url)
{
    for (const bool withIndex : {true, false}) {
        const BenchDatabase database(url);
        if (database.address.isEmpty())
            return;
        const QUrl address(database.address);
        std::printf("PostgreSQL %s the index:\n", withIndex ? "with" : "without");
        QTemporaryDir dir;
        if (fill(StoreConfig::fromUrl(address.toString()), withIndex)) {
            useConfiguration(dir, "[database]\nurl=" + address.toString(QUrl::FullyEncoded).toUtf8() + "\n");
            measure(withIndex ? "append + totals, indexed" : "append + totals, no index");
            measureOpen(StoreConfig::fromUrl(address.toString()));
        }
    }
}

// One pupil's program: signs in (profiles), says "ready", reads the common moment of "OK" (ms since
// the epoch) and prints "ok MS" or "fail MS" with MS from that moment to the totals for the summary.
int pupil(const QString& surname)
{
    QList<ProfileItem> profiles;
    const SchoolStore::Failure signIn = SchoolStore::loadProfiles(profiles);
    std::printf("%s\n", signIn.failed ? "ready-failed" : "ready");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    const qint64 ok = std::stoll(line);
    QThread::msleep(ulong(qMax<qint64>(0, ok - QDateTime::currentMSecsSinceEpoch())));
    RunState run;
    run.profileSurname = surname;
    run.profileClass = QStringLiteral("2B");
    run.examplesRight = 5;
    run.examplesWrong = 2;
    run.signInTime = 0.35;
    qint32 right = 0, wrong = 0;
    const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(
        run, QDateTime::currentDateTime(), QStringLiteral("bench"), right, wrong, SchoolStore::newRunFingerprint());
    std::printf("%s %lld\n", f.failed ? "fail" : "ok", QDateTime::currentMSecsSinceEpoch() - ok);
    if (f.failed)
        std::fprintf(stderr, "%s\n", qPrintable(f.message));
    return f.failed ? 1 : 0;
}

// `pupils` programs end at once against a new database made by the teacher's tool's schema.
void wholeSchool(const char* engine, const StoreConfig& config, int pupils)
{
    const QString program = QCoreApplication::applicationFilePath();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < pupils; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Thirty pupils to a class, every one with a surname of their own.
        processes.back()->start(program, {QStringLiteral("--pupil"), QStringLiteral("Žák %1").arg(i)});
    }
    int signedIn = 0;
    for (auto& p : processes)
        signedIn += p->waitForReadyRead(120000) && p->readLine().trimmed() == "ready";
    const QByteArray moment = QByteArray::number(QDateTime::currentMSecsSinceEpoch() + 500) + '\n';
    for (auto& p : processes) {
        p->write(moment);
        p->closeWriteChannel();
    }
    std::vector<double> ms;
    int messages = 0;
    for (auto& p : processes) {
        p->waitForFinished(120000);
        const QList<QByteArray> out = p->readAllStandardOutput().trimmed().split(' ');
        messages += out.value(0) != "ok";
        ms.push_back(out.value(1).toDouble());
    }
    std::sort(ms.begin(), ms.end());
    DatabaseConnection connection(config);
    qint64 rowsStored = -1, twice = -1;
    if (connection.open()) {
        QSqlQuery count(connection.database());
        if (count.exec(QStringLiteral("SELECT COUNT(*), COUNT(*) - COUNT(DISTINCT \"Prijmeni\") FROM \"Prehled\"")) &&
            count.next())
            rowsStored = count.value(0).toLongLong(), twice = count.value(1).toLongLong();
    }
    std::printf("  %-10s %3d pupils at once: %3lld rows stored, %lld twice, %3d saw a message, %3d signed in; OK to "
                "summary p50 %6.0f ms, p99 %6.0f ms, max %6.0f ms\n",
                engine, pupils, rowsStored, twice, messages, signedIn, ms[ms.size() / 2],
                ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back());
}

void school(const QString& url)
{
    std::printf("A whole school at once (each pupil a process: sign-in first, then \"OK\" at one moment):\n");
    for (const int pupils : {30, 100, 300}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("skola.db"));
        {
            DatabaseConnection connection(StoreConfig::fromPath(path));
            if (!connection.open(DatabaseConnection::Mode::Create) || !SchoolSchema::create(connection))
                return;
        }
        useConfiguration(dir, "[database]\npath=\"" + path.toUtf8() + "\"\n");
        wholeSchool("SQLite WAL", StoreConfig::fromPath(path), pupils);
    }
    if (url.isEmpty())
        return;
    const StoreConfig server = StoreConfig::fromUrl(url);
    {
        DatabaseConnection admin(server);
        const bool opened = admin.open();
        QSqlQuery limit(admin.database());
        if (opened &&
            limit.exec(QStringLiteral("SELECT current_setting('max_connections'), current_setting('fsync')")) &&
            limit.next())
            std::printf("  (PostgreSQL max_connections %s, fsync %s)\n", qPrintable(limit.value(0).toString()),
                        qPrintable(limit.value(1).toString()));
    }
    // The school's own pupils' role (scram password, not a superuser), directly and through PgBouncer,
    // when the server has one (scripts/test-services.sh makes it); otherwise the address's own user.
    const QString role = qEnvironmentVariable("KVIZMAT_TEST_PG_PASSWORD_ROLE");
    const int poolerPort = qEnvironmentVariableIntValue("KVIZMAT_TEST_PGBOUNCER_PORT");
    for (const bool pooled : {false, true}) {
        if (pooled && (role.isEmpty() || poolerPort == 0))
            continue;
        for (const int pupils : {30, 100, 300}) {
            const BenchDatabase database(url);
            if (database.address.isEmpty())
                return;
            QUrl address(database.address);
            const StoreConfig config = StoreConfig::fromUrl(address.toString());
            {
                DatabaseConnection connection(config);
                if (!connection.open() || !SchoolSchema::create(connection))
                    return;
                if (!role.isEmpty())
                    SchoolRoles::grant(connection, role, SchoolRoles::Kind::Pupils);
            }
            if (!role.isEmpty()) {
                address.setUserName(role);
                address.setPassword(qEnvironmentVariable("KVIZMAT_TEST_PG_PASSWORD"));
            }
            if (pooled)
                address.setPort(poolerPort);
            QTemporaryDir dir;
            useConfiguration(dir, "[database]\nurl=" + address.toString(QUrl::FullyEncoded).toUtf8() + "\n");
            wholeSchool(pooled ? "PgBouncer" : role.isEmpty() ? "PostgreSQL" : "PG, role", config, pupils);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "--pupil")
        return pupil(QString::fromUtf8(argv[2]));
    // Figures are printed with a decimal point on any desktop, as bench/run.sh and the README read them.
    std::setlocale(LC_NUMERIC, "C");
    const bool storeToo = qEnvironmentVariable("BENCH_ONLY") != QStringLiteral("school");
    if (storeToo)
        sqlite();
    const QString url = benchServerUrl(argc, argv);
    if (storeToo && !url.isEmpty())
        postgres(url);
    school(url);
    return 0;
}
