#pragma once

#include "core/runstate.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// The plain report of a run for the teacher: ten lines (six without a finished example), each
// ended by CR LF, dates as "dd.mm.yyyy hh:mm", percentages with the locale's decimal separator.
QString buildReport(const RunState& run, const QDateTime& end, const QLocale& locale = QLocale());

// What a report says, read back by the teacher's tool.
struct ReportContents {
    QString pupilName;
    QString pupilClass;
    QDateTime from;
    QDateTime to;
    qint32 examplesRight = 0;
    qint32 examplesWrong = 0;
    qint32 dialogsRight = 0;
    qint32 dialogsWrong = 0;
};

// Reads a report made by buildReport (in any locale). False with a Czech reason in `error` when
// the text is not such a report.
bool parseReport(const QString& text, ReportContents& out, QString* error = nullptr);

// OLE Automation dates (days since 30 Dec 1899, time of day as the fraction). A value that is
// not a finite date within the calendar gives an invalid QDateTime.
double toOleDate(const QDateTime& dt);
QDateTime fromOleDate(double oleDate);
