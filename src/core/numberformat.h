#pragma once

#include <QLocale>
#include <QString>

// The text forms in which the program writes numbers.
namespace NumberFormat {

// Significant digits of the general form: single and double precision values.
constexpr int SingleDigits = 7;
constexpr int DoubleDigits = 15;

// A number printed on a drawing surface: " .25 ", "-8 ", " 1,5 " (blank or "-" in front, the
// locale's decimal separator, no zero before it, one blank behind).
QString printForm(double value, int digits = SingleDigits, const QLocale& locale = QLocale());

// A number turned into text for a label: like the print form but always with "." and no blank
// behind (" .25", "-8").
QString decimalText(float value);

// The same digits without any blank, as used to measure a label's height.
QString plainText(float value);

// A value in the general form of the locale, with the zero before the separator ("12,75", "0,5"),
// as a value written into a label is shown.
QString regional(double value, int digits = DoubleDigits, const QLocale& locale = QLocale());

// Pattern formats of the forms: "0.00", "##0.0", "###,###,##0.00" ("," groups thousands,
// "." is the locale's decimal separator, the count of places after it fixes the decimals).
QString pattern(double value, const QString& pattern, const QLocale& locale = QLocale());

} // namespace NumberFormat
