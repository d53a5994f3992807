// A pupil's program reduced to the school store, for tests that need many at once or another
// process holding the database.
//   kvizmat_store_writer store SURNAME CLASS RIGHT WRONG [--start-at MSECS] [--as-nobody]
//   kvizmat_store_writer profiles [--as-nobody]
//   kvizmat_store_writer lock SQLITEFILE MILLISECONDS
// The store reads its configuration like the program (XDG_CONFIG_HOME). Prints "ok ..." or
// "fail <message>"; "lock" prints "locked" once it holds the file.

#include "core/runstate.h"
#include "results/schoolstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>
#include <grp.h>
#include <unistd.h>

static void print(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

// Files made read-only do not stop root, so a root test runs the writer as nobody.
static bool dropRoot()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
}

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.removeAll(QStringLiteral("--as-nobody")) > 0 && !dropRoot()) {
        print(QStringLiteral("fail cannot drop root"));
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString mode = args.value(0);

    if (mode == QStringLiteral("lock") && args.size() == 3) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
        db.setDatabaseName(args.at(1));
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) ||
            !q.exec(QStringLiteral("BEGIN EXCLUSIVE")) ||
            !q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS lock_holder (x)"))) {
            print(QStringLiteral("fail ") + q.lastError().text());
            return 1;
        }
        print(QStringLiteral("locked"));
        QThread::msleep(args.at(2).toULong());
        q.exec(QStringLiteral("ROLLBACK"));
        return 0;
    }

    if (mode == QStringLiteral("profiles")) {
        QStringList items;
        const SchoolStore::Failure f = SchoolStore::loadProfiles(items);
        print(f.failed ? QStringLiteral("fail ") + f.message : QStringLiteral("ok ") + items.join(QLatin1Char('|')));
        return f.failed ? 1 : 0;
    }

    if (mode == QStringLiteral("store") && args.size() >= 5) {
        const int startAt = args.indexOf(QStringLiteral("--start-at"));
        if (startAt > 0) {
            // All writers of a test start their work at the same moment.
            const qint64 wait = args.value(startAt + 1).toLongLong() - QDateTime::currentMSecsSinceEpoch();
            if (wait > 0)
                QThread::msleep(quint64(wait));
        }
        RunState run;
        run.profileSurname = args.at(1);
        run.profileClass = args.at(2);
        run.examplesRight = args.at(3).toInt();
        run.examplesWrong = args.at(4).toInt();
        run.signInTime = 0.25;
        qint32 right = 0;
        qint32 wrong = 0;
        const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(run, QDateTime::currentDateTime(),
                                                                              QStringLiteral("writer"), right, wrong);
        print(f.failed ? QStringLiteral("fail ") + f.message : QStringLiteral("ok %1 %2").arg(right).arg(wrong));
        return f.failed ? 1 : 0;
    }
    print(QStringLiteral("fail usage"));
    return 2;
}
