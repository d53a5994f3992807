#pragma once

#include <QString>
#include <QtGlobal>

// The texts of the run summary.
namespace SummaryText {

// " příklad" for 1, " příklady" for 2 to 4, " příkladů" for everything else (0, 5 and more, negative).
QString ExampleNoun(qint32 count);

// The count with one leading blank where a minus would stand, then the noun: 7 gives " 7 příkladů".
QString countCaption(qint32 count);

// a + b held to the 32-bit range, so that absurd counts show the largest number instead of wrapping.
qint32 saturatingSum(qint32 a, qint32 b);

} // namespace SummaryText
