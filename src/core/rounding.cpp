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

} // namespace Rounding
