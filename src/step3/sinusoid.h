#pragma once

#include <QtGlobal>

class Surface;

// The picture of step 3: the amplitude axis and two periods of the pupil's sinusoid.
namespace Sinusoid {

// The rounding of every point of the curve: nearest whole number, halves away from zero.
double Round(double value);

// Clears the surface and draws the axes, "x", "y", the amplitude scale up to axisMax and the
// sinusoid with the given phase shift and amplitude (pixels), in the surface's current colour.
// The curve starts at SW/2 - 200 and spans two periods of 200 px; a positive phase shifts it left.
void DrawSin(Surface& surface, qint16 axisMax, qint16 phase, double amplitude);

} // namespace Sinusoid
