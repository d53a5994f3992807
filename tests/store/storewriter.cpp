// A pupil's program reduced to the school store, for tests that need many at once or one run as
// another user. Prints "ok RIGHT WRONG" (the totals) or "fail <message>".
//   kvizmat_store_writer SURNAME CLASS RIGHT WRONG [--start-at MSECS] [--as-nobody]

#include "core/runstate.h"
#include "store/schoolstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

#include <cstdio>
#include <grp.h>
#include <unistd.h>

static int report(bool ok, const QString& text)
{
    std::printf("%s%s\n", ok ? "" : "fail ", text.toUtf8().constData());
    std::fflush(stdout);
    return ok ? 0 : 1;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // Read-only files do not stop root, so a root test runs the writer as nobody.
    if (args.removeAll("--as-nobody") > 0 && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        return report(false, "cannot drop root");
    // All writers of a test start their work at the same moment.
    const qint64 startAt = args.indexOf("--start-at") > 0 ? args.value(args.indexOf("--start-at") + 1).toLongLong() : 0;
    QThread::msleep(quint64(qMax<qint64>(0, startAt - QDateTime::currentMSecsSinceEpoch())));
    RunState run;
    run.profileSurname = args.value(0), run.profileClass = args.value(1);
    run.examplesRight = args.value(2).toInt(), run.examplesWrong = args.value(3).toInt(), run.signInTime = 0.25;
    qint32 right = 0, wrong = 0;
    const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(
        run, QDateTime::currentDateTime(), "writer", right, wrong, SchoolStore::newRunFingerprint());
    return report(!f.failed, f.failed ? f.message : QStringLiteral("ok %1 %2").arg(right).arg(wrong));
}
