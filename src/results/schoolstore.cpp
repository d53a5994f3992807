#include "results/schoolstore.h"

// Placeholder until the store is written.
namespace SchoolStore {
bool databaseAvailable(QString*)
{
    return false;
}
Failure loadProfiles(QStringList&)
{
    return {true, QStringLiteral("Školní databáze zatím není k dispozici.")};
}
Failure storeResultsAndReadTotals(const RunState&, const QDateTime&, const QString&, qint32&, qint32&)
{
    return {true, QStringLiteral("Školní databáze zatím není k dispozici.")};
}
} // namespace SchoolStore
