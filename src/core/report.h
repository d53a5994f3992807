#pragma once

#include "core/runstate.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// The plain report of a run for the teacher: ten lines (six without a finished example), each
// ended by CR LF, dates as "dd.mm.yyyy hh:mm", percentages with the locale's decimal separator.
QString buildReport(const RunState& run, const QDateTime& end, const QLocale& locale = QLocale());

// OLE Automation dates (days since 30 Dec 1899, time of day as the fraction).
double toOleDate(const QDateTime& dt);
QDateTime fromOleDate(double oleDate);
