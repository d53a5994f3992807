#include "step3/sinusoid.h"

#include "core/numberformat.h"
#include "core/pi.h"
#include "core/rounding.h"
#include "core/sinusoidscale.h"
#include "ui/surface/surface.h"

#include <cmath>

namespace Sinusoid {

namespace {

// A whole number as Print writes it (" 10 ", "-10 ").
QString integerItem(qint16 value)
{
    return NumberFormat::printForm(value, NumberFormat::DoubleDigits);
}

// A computed scale value; the division makes it a double-precision number.
QString decimalItem(double value)
{
    return NumberFormat::printForm(value, NumberFormat::DoubleDigits);
}

} // namespace

double Round(double value)
{
    return Rounding::halfAwayFromZero(value);
}

void DrawSin(Surface& s, qint16 axisMax, qint16 phase, double amplitude)
{
    const SinusoidScale scale(s.ScaleHeight(), axisMax);
    const double sw = s.ScaleWidth();
    const double sh = s.ScaleHeight();
    constexpr int inset = SinusoidScale::AxisInset;

    s.Cls();
    s.Line(inset, float(sh / 2), float(sw - inset), float(sh / 2));
    s.Line(float(sw / 2), inset, float(sw / 2), float(sh - inset));
    s.PrintAt(float(sw - inset), float(sh / 2), QStringLiteral("x"));
    s.PrintAt(float(sw / 2 + 4), -2, QStringLiteral("y"));

    const QString upper[] = {integerItem(axisMax), decimalItem(3.0 / 4 * axisMax), decimalItem(axisMax / 2.0),
                             decimalItem(axisMax / 4.0)};
    for (int i = 0; i < 4; ++i) {
        const double y = scale.tickY(i);
        s.PrintAt(float(sw / 2 + 2), float(y - 6), upper[i]);
        s.Line(float(sw / 2 - 2), float(y), float(sw / 2 + 3.5), float(y));
    }
    // The zero line (i = 4 of the nine positions) has neither tick nor label.
    const QString lower[] = {decimalItem(-1.0 / 4 * axisMax), decimalItem(-axisMax / 2.0),
                             decimalItem(-3.0 / 4 * axisMax), integerItem(qint16(-axisMax))};
    for (int i = 0; i < 4; ++i) {
        const double y = scale.tickY(i + 5);
        s.PrintAt(float(sw / 2 + 3.5), float(y - 6), lower[i]);
        s.Line(float(sw / 2 - 2), float(y), float(sw / 2 + 3.5), float(y));
    }

    constexpr int period = SinusoidScale::Period;
    constexpr int halfPeriod = period / 2;
    int p = phase;
    while (p > period)
        p -= period;

    const double x0 = SinusoidScale::curveStartX(sw);
    s.setCurrentX(float(x0));
    s.setCurrentY(float(Round(sh / 2 - amplitude * std::sin(Pi * p / halfPeriod))));
    for (int i = 0; i <= SinusoidScale::CurveSteps; ++i) {
        const double x = Round(x0 + SinusoidScale::CurveStep * i);
        const double y = Round(sh / 2 - amplitude * std::sin(Pi * (SinusoidScale::CurveStep * i + p) / halfPeriod));
        s.LineTo(float(x), float(y));
    }
}

} // namespace Sinusoid
