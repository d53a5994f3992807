// Opening a school in the teacher's window: the connection, the grouped query of the class table
// and the days of one class for the chart, against a Prehled of 1,000,000 rows (40 classes of 30 pupils, 300 days),
// on SQLite and on PostgreSQL; then the window itself: from its start to a visible table, a period change and a
// pupil's history opened, and a class of 100,000 pupils. Usage: bench_classresults [postgresql://...]; prints
// figures only.

#include "benchdatabase.h"
#include "store/classresults.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"
#include "teacher/pupilhistory.h"
#include "teacher/teacherwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int rows = qEnvironmentVariableIntValue("BENCH_ROWS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROWS") : 1000000;
constexpr int opens = 11;

bool fill(const StoreConfig& config)
{
    QElapsedTimer timer;
    timer.start();
    DatabaseConnection connection(config);
    if (!connection.open(DatabaseConnection::Mode::Create) || !SchoolSchema::create(connection)) {
        std::printf("  cannot create: %s\n", qPrintable(connection.failure()));
        return false;
    }
    // The overview's indexes are dropped so that their creation on a database of old is measured.
    for (const char* index : {ClassResults::pupilsIndex, ClassResults::daysIndex})
        connection.exec(QStringLiteral("DROP INDEX \"%1\"").arg(QLatin1String(index)));
    const bool pg = config.isPostgres();
    const QString numbers =
        pg ? QStringLiteral("generate_series(1, %1) AS s(x)").arg(rows)
           : QStringLiteral(
                 "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT %1) SELECT x FROM c)")
                 .arg(rows);
    const QString day = pg ? QStringLiteral("DATE '2024-01-01' + x % 300")
                           : QStringLiteral("date('2024-01-01', '+' || (x % 300) || ' days')");
    const QString times =
        pg ? QStringLiteral("'08:00'::time, '08:40'::time") : QStringLiteral("'08:00:00', '08:40:00'");
    const bool ok = connection.beginWrite() &&
                    connection.exec(QStringLiteral("INSERT INTO \"Prehled\" SELECT 'Žák ' || (x % 30), (x / 30 % 40) "
                                                   "|| '.B', x % 7, x % 3, %1, %2, 'ucebna', 3 FROM %3")
                                        .arg(times, day, numbers)) &&
                    connection.commit() &&
                    connection.exec(pg ? QStringLiteral("VACUUM ANALYZE") : QStringLiteral("ANALYZE"));
    if (!ok)
        std::printf("  cannot fill: %s\n", qPrintable(connection.failure()));
    else
        std::printf("  %d rows written in %.1f s\n", rows, timer.elapsed() / 1000.0);
    return ok;
}

void measure(const StoreConfig& config)
{
    {
        QElapsedTimer timer;
        timer.start();
        DatabaseConnection connection(config);
        if (connection.open())
            ClassResults::ensureIndexes(connection);
        std::printf("  the overview's two indexes created on a database without them in %.1f s\n",
                    timer.elapsed() / 1000.0);
    }
    std::vector<double> ms;
    qsizetype pupils = 0, days = 0;
    for (int i = 0; i < opens; ++i) {
        QElapsedTimer timer;
        timer.start();
        DatabaseConnection connection(config);
        QList<ClassResults::Pupil> read;
        QList<ClassResults::Day> classDays;
        const bool ok = connection.open();
        if (ok)
            ClassResults::ensureIndexes(connection);
        if (!ok || !ClassResults::loadPupils(connection, read) ||
            !ClassResults::loadDays(connection, read.value(i % read.size()).className, classDays)) {
            std::printf("  failed: %s\n", qPrintable(connection.failure()));
            return;
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
        pupils = read.size();
        days = classDays.size();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  open + class table + one class's days: median %7.1f ms   min %7.1f   max %7.1f   (%lld pupils, "
                "%lld days, %d opens)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), qlonglong(pupils), qlonglong(days), opens);
}

// Milliseconds until the window has read the table after `action`.
double untilLoaded(TeacherWindow& w, const std::function<void()>& action)
{
    QSignalSpy loaded(&w, &TeacherWindow::loadFinished);
    QElapsedTimer timer;
    timer.start();
    action();
    while (loaded.isEmpty())
        loaded.wait(600000);
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

void measureWindow(const StoreConfig& config)
{
    std::vector<double> start, period, history;
    for (int i = 0; i < 5; ++i) {
        TeacherWindow w;
        start.push_back(untilLoaded(w, [&] {
            w.show();
            w.openDatabase(config);
        }));
        auto* od = w.findChild<QDateEdit*>("od");
        auto* periodBox = w.findChild<QComboBox*>("obdobi");
        od->setDate(QDate(2024, 3, 1));
        w.findChild<QDateEdit*>("do")->setDate(QDate(2024, 5, 31));
        period.push_back(untilLoaded(w, [&] { periodBox->setCurrentIndex(periodBox->count() - 1); }));
        untilLoaded(w, [&] { periodBox->setCurrentIndex(0); });
        auto* table = w.findChild<QTableView*>("tabulka");
        table->setCurrentIndex(table->model()->index(i * 7, 1));
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(table, Qt::Key_Return);
        while (!w.findChild<PupilHistory*>())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
        history.push_back(timer.nsecsElapsed() / 1e6);
    }
    for (auto* figures : {&start, &period, &history})
        std::sort(figures->begin(), figures->end());
    std::printf("  window: start to a visible table median %7.1f ms (max %7.1f); a period change median %7.1f ms "
                "(max %7.1f); a pupil's history median %7.1f ms (max %7.1f)\n",
                start[2], start[4], period[2], period[4], history[2], history[4]);
}

// One class of 100,000 pupils, a run each: the window must keep answering while it shows them.
void measureHugeClass()
{
    QTemporaryDir dir;
    const StoreConfig config = StoreConfig::fromPath(dir.filePath(QStringLiteral("velka.db")));
    {
        DatabaseConnection connection(config);
        if (!connection.open(DatabaseConnection::Mode::Create) || !SchoolSchema::create(connection) ||
            !connection.exec(
                QStringLiteral("INSERT INTO \"Prehled\" SELECT 'Žák ' || x, '1.A', x % 7, x % 3, '08:00:00', "
                               "'08:40:00', '2024-05-02', 'ucebna', 3 FROM (WITH RECURSIVE c(x) AS (SELECT 1 "
                               "UNION ALL SELECT x + 1 FROM c LIMIT 100000) SELECT x FROM c)"))) {
            std::printf("  cannot fill: %s\n", qPrintable(connection.failure()));
            return;
        }
    }
    TeacherWindow w;
    // The longest time the window's thread did not come back to its event loop.
    QElapsedTimer sinceTick;
    qint64 longestStop = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestStop = qMax(longestStop, sinceTick.restart()); });
    sinceTick.start();
    ticker.start(5);
    const double shown = untilLoaded(w, [&] {
        w.show();
        w.openDatabase(config);
    });
    auto* classBox = w.findChild<QComboBox*>("trida");
    QElapsedTimer timer;
    timer.start();
    classBox->setCurrentIndex(1);
    while (w.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    std::printf(
        "  a class of 100,000 pupils: start to a visible table %.1f ms, the class and its chart chosen %.1f ms, "
        "the window's longest stop %lld ms\n",
        shown, timer.nsecsElapsed() / 1e6, longestStop);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    {
        QTemporaryDir dir;
        const StoreConfig config = StoreConfig::fromPath(dir.filePath(QStringLiteral("skola.db")));
        std::printf("SQLite:\n");
        if (fill(config)) {
            measure(config);
            measureWindow(config);
        }
        measureHugeClass();
    }
    const QString url = benchServerUrl(argc, argv);
    if (url.isEmpty())
        return 0;
    const BenchDatabase database(url);
    if (database.address.isEmpty())
        return 0;
    std::printf("PostgreSQL:\n");
    if (fill(StoreConfig::fromUrl(database.address))) {
        measure(StoreConfig::fromUrl(database.address));
        measureWindow(StoreConfig::fromUrl(database.address));
    }
    return 0;
}
