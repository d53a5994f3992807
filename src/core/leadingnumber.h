#pragma once

#include <QString>

// The leading number of a text, with "." as the only decimal separator. Blanks, tabs and line
// feeds are skipped wherever they stand; an optional sign, digits, one full stop and an exponent
// (E or D) are read up to the first character that cannot continue the number. No number gives 0;
// a value beyond the range of a double gives the largest double of its sign.
double LeadingNumber(const QString& text);
