// A pupil's program reduced to the school store, for tests that need many at once or one run as
// another user. Signs in (reads the profiles) first, then ends its run at the given moment, as a
// pupil's program does. Prints "ok RIGHT WRONG PASSING", "spent PASSING <message>" when the database
// was only busy and the waiting time ran out, or "fail PASSING <message>" for any other failure;
// PASSING counts the tries that met a busy database.
//   kvizmat_store_writer SURNAME CLASS RIGHT WRONG [--start-at MSECS] [--as-nobody]

#include "core/runstate.h"
#include "store/connectionretry.h"
#include "store/schoolstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

#include <cstdio>
#include <grp.h>
#include <unistd.h>

static int report(const SchoolStore::Failure& f, const QString& totals)
{
    const char* verdict = !f.failed ? "ok" : f.waitedOut ? "spent" : "fail";
    std::printf("%s %d %s\n", verdict, ConnectionRetry::passingFailuresMet(),
                (f.failed ? f.message : totals).toUtf8().constData());
    std::fflush(stdout);
    return f.failed ? 1 : 0;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // Read-only files do not stop root, so a root test runs the writer as nobody.
    if (args.removeAll("--as-nobody") > 0 && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        return report({true, "cannot drop root"}, {});
    QList<ProfileItem> profiles;
    if (const SchoolStore::Failure signIn = SchoolStore::loadProfiles(profiles); signIn.failed)
        return report(signIn, {});
    // All writers of a test end their runs at the same moment.
    const qint64 startAt = args.indexOf("--start-at") > 0 ? args.value(args.indexOf("--start-at") + 1).toLongLong() : 0;
    QThread::msleep(quint64(qMax<qint64>(0, startAt - QDateTime::currentMSecsSinceEpoch())));
    RunState run;
    run.profileSurname = args.value(0), run.profileClass = args.value(1);
    run.examplesRight = args.value(2).toInt(), run.examplesWrong = args.value(3).toInt(), run.signInTime = 0.25;
    qint32 right = 0, wrong = 0;
    const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(
        run, QDateTime::currentDateTime(), "writer", right, wrong, SchoolStore::newRunFingerprint());
    return report(f, QStringLiteral("%1 %2").arg(right).arg(wrong));
}
