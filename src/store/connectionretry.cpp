#include "store/connectionretry.h"

#include "store/databaseconnection.h"
#include "store/storefailure.h"
#include "store/waitindicator.h"

#include <QAtomicInteger>
#include <QDeadlineTimer>
#include <QRandomGenerator>

namespace {

QAtomicInteger<int> passingMet = 0;

// A try needs at least this much of the budget to learn anything; less is left unused.
constexpr int shortestTryMs = 100;

} // namespace

namespace ConnectionRetry {

bool retrying(const StoreConfig& config, const std::function<bool(DatabaseConnection&)>& attempt, QString* failure,
              bool* spent)
{
    const QDeadlineTimer deadline(DatabaseConnection::busyTimeout());
    WaitIndicator::Shown cursor;
    // The first pause is short, each next one about twice as long, up to a second; every pause is
    // drawn from its upper half at random.
    int ceilingMs = 40;
    // A busy or starting server seen earlier is told rather than a last try that merely ran out of time.
    ServerVerdict::Seen busySeen = ServerVerdict::Seen::Admitted;
    for (;;) {
        QString failed;
        {
            DatabaseConnection connection(config);
            connection.shareDeadline(deadline);
            if (connection.open() && attempt(connection))
                return true;
            failed = connection.failure();
            const bool passes = connection.transient();
            const ServerVerdict::Seen seen = connection.signInSeen();
            if (seen == ServerVerdict::Seen::AllTaken || seen == ServerVerdict::Seen::Starting)
                busySeen = seen;
            else if (seen == ServerVerdict::Seen::NoAnswer && deadline.hasExpired() &&
                     busySeen != ServerVerdict::Seen::Admitted)
                failed = StoreFailure::signInFailed(config, {busySeen, {}}, connection.waitedMs());
            if (passes)
                passingMet.fetchAndAddRelaxed(1);
            if (!passes || deadline.remainingTime() < shortestTryMs) {
                if (failure)
                    *failure = failed;
                if (spent)
                    *spent = passes;
                return false;
            }
        }
        cursor.show();
        const int drawn = int(QRandomGenerator::global()->bounded(ceilingMs / 2, ceilingMs + 1));
        WaitIndicator::pause(int(qMin<qint64>(drawn, deadline.remainingTime() - shortestTryMs)));
        ceilingMs = qMin(ceilingMs * 2, 1000);
    }
}

int passingFailuresMet()
{
    return passingMet.loadRelaxed();
}

} // namespace ConnectionRetry
