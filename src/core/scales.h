#pragma once

#include <QtGlobal>

// The scale rules of steps 2 and 3: the values at the ends of the axes for a result, and the
// pointer coordinate a drag keeps. The pixel geometry lives in PlaneMapping and SinusoidScale.
namespace Scales {

// Value at the ends of the Gauss-plane axes for a result: the larger magnitude of the two parts
// rounded up to one significant digit (3 -> 4, 37.2 -> 40, 10 -> 10, below 1 -> 1). Single
// precision throughout, as the program keeps it.
float NajdiMeritk(float resultRe, float resultIm);

// Value at the top tick of the amplitude axis for an absolute value r: whole-number steps with
// ties to even at each division (150 -> 300, 10.4 -> 10, 0 -> 1).
qint16 FindAxisMax(double r);

// A pointer coordinate kept by a drag: ties to even, held within +-32767 so that no position can
// read as the mark -32768 ("this motion is ignored").
qint16 dragPosition(float value);

} // namespace Scales
