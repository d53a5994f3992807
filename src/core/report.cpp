#include "core/report.h"

// Placeholder until the report is written.
QString buildReport(const RunState&, const QDateTime&, const QLocale&)
{
    return {};
}
double toOleDate(const QDateTime&)
{
    return 0;
}
QDateTime fromOleDate(double)
{
    return {};
}
