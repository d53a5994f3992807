// Append plus totals (the end of a pupil's run) against a Prehled of 1,000,000 rows, with and
// without the index that "kvizmat-ucitel zalozit" creates, on SQLite and on PostgreSQL.
// Usage: bench_store [postgresql://...]   (or KVIZMAT_TEST_PG_URL); prints figures only.

#include "core/runstate.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"
#include "store/schoolstore.h"
#include "store/storeconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <clocale>
#include <cstdio>
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
    const StoreConfig server = StoreConfig::fromUrl(url);
    for (const bool withIndex : {true, false}) {
        const QString name = QStringLiteral("kvizmat_bench_%1").arg(QRandomGenerator::global()->generate(), 0, 16);
        {
            DatabaseConnection admin(server);
            if (!admin.open() || !admin.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name))) {
                std::printf("PostgreSQL: %s\n", qPrintable(admin.failure()));
                return;
            }
        }
        QUrl address(url);
        address.setPath(QLatin1Char('/') + name);
        std::printf("PostgreSQL %s the index:\n", withIndex ? "with" : "without");
        QTemporaryDir dir;
        if (fill(StoreConfig::fromUrl(address.toString()), withIndex)) {
            useConfiguration(dir, "[database]\nurl=" + address.toString(QUrl::FullyEncoded).toUtf8() + "\n");
            measure(withIndex ? "append + totals, indexed" : "append + totals, no index");
            measureOpen(StoreConfig::fromUrl(address.toString()));
        }
        DatabaseConnection admin(server);
        if (admin.open())
            admin.exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(name));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Figures are printed with a decimal point on any desktop, as bench/run.sh and the README read them.
    std::setlocale(LC_NUMERIC, "C");
    sqlite();
    const QString url = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("KVIZMAT_TEST_PG_URL");
    if (url.isEmpty())
        std::printf("PostgreSQL: no address (argument or KVIZMAT_TEST_PG_URL); skipped\n");
    else
        postgres(url);
    return 0;
}
