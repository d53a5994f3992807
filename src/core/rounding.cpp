#include "core/rounding.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace Rounding {

double tiesToEven(double x)
{
    // std::nearbyint under the default rounding mode rounds half to even.
    return std::nearbyint(x);
}

double halfAwayFromZero(double x)
{
    return std::round(x);
}

template <typename Int> static Int saturate(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = tiesToEven(x);
    if (r <= double(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (r >= double(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return Int(r);
}

qint16 toInt16(double x)
{
    return saturate<qint16>(x);
}

qint32 toInt32(double x)
{
    return saturate<qint32>(x);
}

qint32 RoundToLong(float x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 2147483647.0f)
        return 2147483647;
    if (x <= -2147483648.0f)
        return -2147483647 - 1;
    const float t = std::trunc(x);
    const float f = x - t;
    if (-0.5f < f && f < 0.5f)
        return qint32(t);
    // A negative fraction of -0.5 or below rounds away from zero, mirroring the positive side.
    return f >= 0.5f ? qint32(t) + 1 : qint32(t) - 1;
}

} // namespace Rounding
