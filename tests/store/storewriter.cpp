// A pupil's program reduced to the school store, for tests that need many at once or one run as
// another user. Signs in (reads the profiles) first, then ends its run, as a pupil's program does.
// With --end-on-line it prints "signed-in" and ends its run when a line arrives on its standard input,
// and prints "waiting" once the database first turned it away. Its last line is
// "ok PASSING RIGHT WRONG", "spent PASSING <message>" when the database was only busy and the waiting
// time ran out, or "fail PASSING <message>" for any other failure; PASSING counts the tries that met
// a busy database.
//   kvizmat_store_writer SURNAME CLASS RIGHT WRONG [--end-on-line] [--as-nobody]

#include "core/runstate.h"
#include "store/connectionretry.h"
#include "store/schoolstore.h"
#include "store/waitindicator.h"

#include <QCoreApplication>
#include <QDateTime>

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
    // The test ends all writers' runs at one moment of its choosing.
    if (args.removeAll("--end-on-line") > 0) {
        std::printf("signed-in\n");
        std::fflush(stdout);
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return report({true, "no moment to end at"}, {});
        WaitIndicator::hook = [](bool waiting) {
            if (waiting) {
                std::printf("waiting\n");
                std::fflush(stdout);
            }
        };
    }
    RunState run;
    run.profileSurname = args.value(0), run.profileClass = args.value(1);
    run.examplesRight = args.value(2).toInt(), run.examplesWrong = args.value(3).toInt(), run.signInTime = 0.25;
    qint32 right = 0, wrong = 0;
    const SchoolStore::Failure f = SchoolStore::storeResultsAndReadTotals(
        run, QDateTime::currentDateTime(), "writer", right, wrong, SchoolStore::newRunFingerprint());
    return report(f, QStringLiteral("%1 %2").arg(right).arg(wrong));
}
