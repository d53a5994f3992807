#pragma once

#include "core/runstate.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// The plain report of a run for the teacher: ten lines (six without a finished example), each
// ended by CR LF, dates as "dd.mm.yyyy hh:mm", percentages with the locale's decimal separator.
QString buildReport(const RunState& run, const QDateTime& end, const QLocale& locale = QLocale());

// The longest name and class the sign-in form takes; a report cannot carry longer ones.
inline constexpr int maxPupilNameLength = 50;
inline constexpr int maxPupilClassLength = 10;

// What a report says, read back by the teacher's tool. The times are the wall-clock texts of the
// pupil's computer, held without a time zone (as UTC) so that no zone's summer time shifts them.
struct ReportContents : RunCounts {
    QString pupilName;
    QString pupilClass;
    QDateTime from;
    QDateTime to;
};

// A decoded report checked against its own structure and redundancy.
struct ReportReading {
    bool ok = false;
    ReportContents report;
    // A Czech reason when the text is not a whole, self-consistent report.
    QString problem;
};

// Reads a report made by buildReport (in any locale) and refuses anything the program could not
// have written: a missing or malformed line, counts that do not add up (right + wrong = all,
// three dialogs per example, at least one wrong dialog in each wrong example), percentages other
// than the counts give, a start after the end, a date before 2000 or after `today` + 1 day, a
// name or class longer than the sign-in form takes, a NUL character.
ReportReading readReport(const QString& text, const QDate& today = QDate::currentDate());

// The text with every control character shown as \xHH (and "\" as "\\"), direction marks,
// invisible format characters, line separators and broken surrogates as \uHHHH: safe to write to a
// terminal, and read in the order it stands.
QString printableText(const QString& text);

// Day counts since 30 Dec 1899, the time of day as the fraction. A value that is
// not a finite date within the calendar gives an invalid QDateTime.
double toDayCount(const QDateTime& dt);
QDateTime fromDayCount(double dayCount);
