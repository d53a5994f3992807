#pragma once

#include <QtGlobal>

// The program's two roundings, named where they are used.
namespace Rounding {

// Nearest whole number, ties to even (the default conversion of a value to a whole number).
double tiesToEven(double x);

// Nearest whole number, halves away from zero (the routine Round of step 3).
double halfAwayFromZero(double x);

// Ties-to-even conversions that saturate instead of overflowing, so that no input can crash them.
qint16 toInt16(double x);
qint32 toInt32(double x);

// Rounds by the fractional part: 2.5 gives 3, 2.49 gives 2, -0.3 gives 0, -2.5 gives -3 (the
// drawing coordinates of the correct drawings).
qint32 RoundToLong(float x);

} // namespace Rounding
