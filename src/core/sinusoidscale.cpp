#include "core/sinusoidscale.h"

#include "core/rounding.h"

#include <cmath>

namespace {

// Pointer shapes of a drawing surface, as the hover rule reports them.
constexpr int pointerDefault = 0;
constexpr int pointerSizeNS = 7;
constexpr int pointerSizeWE = 9;

} // namespace

float SinusoidScale::amplitudePixels(double r) const
{
    return float(r / double(m_axisMax) * fullScale());
}

double SinusoidScale::amplitudeValue(double amplitudePixels) const
{
    return amplitudePixels / fullScale() * m_axisMax;
}

qint16 SinusoidScale::dragAmplitude(float y) const
{
    qint16 amplitude = Rounding::toInt16(std::fabs(m_height / 2 - y));
    const float full = float(fullScale());
    if (full < amplitude)
        amplitude = Rounding::toInt16(full);
    return amplitude;
}

float SinusoidScale::phasePixels(float degrees)
{
    return float(double(degrees) / 360.0 * Period);
}

double SinusoidScale::phaseDegrees(double phaseShiftPixels)
{
    return phaseShiftPixels / Period * 360;
}

float SinusoidScale::normalisePhase(float phaseShift)
{
    if (std::isnan(phaseShift))
        return 0;
    // Far-off values are first reduced in one step, so that the period-by-period loop stays short
    // and cannot stall where adding a period no longer changes a single-precision value.
    if (std::fabs(phaseShift) > 1e6f)
        phaseShift = std::isinf(phaseShift) ? 0.0f : std::fmod(phaseShift, float(Period));
    while (phaseShift > Period)
        phaseShift -= Period;
    while (phaseShift < 0)
        phaseShift += Period;
    return phaseShift;
}

qint16 SinusoidScale::drawnPhase(float phaseShift)
{
    if (std::isnan(phaseShift))
        return 0;
    if (std::fabs(phaseShift) > 32000)
        phaseShift = std::isinf(phaseShift) ? 0.0f : std::fmod(phaseShift, float(Period));
    return Rounding::toInt16(phaseShift);
}

int SinusoidScale::hoverPointer(float x, float y, float width, float height)
{
    const float left = width / 2 - AxisBand, right = width / 2 + AxisBand;
    const float top = height / 2 - AxisBand, bottom = height / 2 + AxisBand;
    if (left < x && x < right)
        return pointerSizeWE;
    if (top < y && y < bottom)
        return pointerSizeNS;
    return pointerDefault;
}
