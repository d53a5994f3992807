// A pupil's program reduced to the school store, for tests that need many at once or one run as
// another user. Prints "ok RIGHT WRONG" (the totals) or "fail <message>".
//   kvizmat_store_writer store SURNAME CLASS RIGHT WRONG [--start-at MSECS] [--as-nobody]

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
    if (args.value(0) != "store" || args.size() < 5)
        return report(false, "usage");
    // All writers of a test start their work at the same moment.
    const int startAt = args.indexOf("--start-at");
    if (startAt > 0)
        QThread::msleep(
            quint64(qMax<qint64>(0, args.value(startAt + 1).toLongLong() - QDateTime::currentMSecsSinceEpoch())));
    RunState run;
    run.profileSurname = args.at(1), run.profileClass = args.at(2);
    run.examplesRight = args.at(3).toInt(), run.examplesWrong = args.at(4).toInt(), run.signInTime = 0.25;
    qint32 right = 0, wrong = 0;
    const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(
        run, QDateTime::currentDateTime(), "writer", right, wrong, SchoolStore::newRunFingerprint());
    return report(!f.failed, f.failed ? f.message : QStringLiteral("ok %1 %2").arg(right).arg(wrong));
}
