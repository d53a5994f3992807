#include "core/scales.h"

#include "core/rounding.h"

#include <cfloat>
#include <cmath>

namespace Scales {

// Pointer shapes of a drawing surface, as the hover rule reports them.
constexpr int pointerDefault = 0;
constexpr int pointerSizeNS = 7;
constexpr int pointerSizeWE = 9;

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

float planeX(float re, float width, float axisLimit)
{
    return float(width / 2 + re * (width - 36) / (2 * axisLimit));
}

float planeY(float im, float height, float axisLimit)
{
    return float(height / 2 - im * (height - 36) / (2 * axisLimit));
}

bool insideVectorBand(float x, float y, float width, float height)
{
    const float right = width - 17;
    const float bottom = height - 17;
    return x > 17 && x < right && y > 17 && y < bottom;
}

qint16 dragPosition(float value)
{
    const qint16 v = Rounding::toInt16(value);
    return v == -32768 ? qint16(-32767) : v;
}

qint16 drawnPhase(float phaseShift)
{
    if (std::isnan(phaseShift))
        return 0;
    if (std::fabs(phaseShift) > 32000)
        phaseShift = std::isinf(phaseShift) ? 0.0f : std::fmod(phaseShift, 200.0f);
    return Rounding::toInt16(phaseShift);
}

float normalisePhase(float phaseShift)
{
    if (std::isnan(phaseShift))
        return 0;
    // Far-off values are first reduced in one step, so that the period-by-period loop stays short
    // and cannot stall where adding 200 no longer changes a single-precision value.
    if (std::fabs(phaseShift) > 1e6f)
        phaseShift = std::isinf(phaseShift) ? 0.0f : std::fmod(phaseShift, 200.0f);
    while (phaseShift > 200)
        phaseShift -= 200;
    while (phaseShift < 0)
        phaseShift += 200;
    return phaseShift;
}

int hoverPointer(float x, float y, float width, float height)
{
    const float left = width / 2 - 6, right = width / 2 + 6;
    const float top = height / 2 - 6, bottom = height / 2 + 6;
    if (left < x && x < right)
        return pointerSizeWE;
    if (top < y && y < bottom)
        return pointerSizeNS;
    return pointerDefault;
}

qint16 dragAmplitude(float y, float height)
{
    qint16 amplitude = Rounding::toInt16(std::fabs(height / 2 - y));
    const float fullScale = height / 2 - 30;
    if (fullScale < amplitude)
        amplitude = Rounding::toInt16(fullScale);
    return amplitude;
}

double amplitudeValue(double amplitudePixels, float height, qint16 axisMax)
{
    return amplitudePixels / (height / 2 - 30) * axisMax;
}

double phaseDegrees(double phaseShiftPixels)
{
    return phaseShiftPixels / 200 * 360;
}

} // namespace Scales
