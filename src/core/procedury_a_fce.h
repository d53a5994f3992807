#pragma once

#include <QString>
#include <QtGlobal>

// The common routines that every part of the program shares.
namespace Procedury_a_fce {

// The program's pi, to 15 significant digits, for the angles and the sinusoid.
inline constexpr double Pi = 3.14159265358979;

// Path of the school database file, kept scrambled (each character's code raised by 1).
// Plain form: /var/lib/kvizmat/skola.db
inline constexpr const char* schoolDatabasePath = "0wbs0mjc0lwj{nbu0tlpmb/ec";

// True when a file or a folder exists at the path; an empty or unreadable path gives false.
bool FileExists(const QString& path);

// Turns a scrambled text back: every character's Windows-1250 code lowered by 1.
QString Descramble(const QString& stored);

// Rounds by the fractional part: 2.5 gives 3, 2.49 gives 2, -0.3 gives 0, -2.5 gives -3.
qint32 RoundToLong(float x);

// The leading number of a text, with "." as the only decimal separator. Blanks, tabs and line
// feeds are skipped wherever they stand; an optional sign, digits, one full stop and an exponent
// (E or D) are read up to the first character that cannot continue the number. No number gives 0;
// a value beyond the range of a double gives the largest double of its sign.
double LeadingNumber(const QString& text);

} // namespace Procedury_a_fce
