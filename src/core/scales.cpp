#include "core/scales.h"

#include "core/rounding.h"

#include <cfloat>
#include <cmath>

namespace Scales {

float NajdiMeritk(float resultRe, float resultIm)
{
    const float a = std::fabs(resultRe);
    const float b = std::fabs(resultIm);
    float g = b < a ? std::fabs(resultRe) : std::fabs(resultIm);
    // Values that cannot come from an example must not hang the loop below.
    if (std::isnan(g))
        g = 0;
    if (std::isinf(g))
        g = FLT_MAX;

    int n = 0;
    while (g > 10.0f) {
        g = g / 10.0f;
        ++n;
    }
    g = std::trunc(g);
    if (g > 0.0f && g < 10.0f)
        g = g + 1.0f;
    if (g == 0.0f)
        g = 1.0f;
    while (n > 0) {
        g = g * 10.0f;
        --n;
    }
    return g;
}

qint16 FindAxisMax(double r)
{
    // Every step stays in 16 bits; the largest results of the examples (about 20000) give 30000.
    qint16 m = Rounding::toInt16(r);
    int k = 0;
    while (m > 10) {
        m = Rounding::toInt16(m / 10.0);
        ++k;
    }
    if (m >= 1 && m <= 9)
        m = qint16(m + 1);
    if (m <= 0)
        m = 1;
    int value = m;
    while (k > 0) {
        value *= 10;
        --k;
    }
    // Above 25000 the rule would leave 16 bits; the scale then stays at the largest whole step.
    return value > 32767 ? qint16(30000) : qint16(value);
}

qint16 dragPosition(float value)
{
    const qint16 v = Rounding::toInt16(value);
    return v == -32768 ? qint16(-32767) : v;
}

} // namespace Scales
