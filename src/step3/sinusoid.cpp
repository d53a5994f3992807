#include "step3/sinusoid.h"

#include "core/numberformat.h"
#include "core/rounding.h"
#include "ui/surface/surface.h"

#include <cmath>

namespace Sinusoid {

namespace {

constexpr double pi = 3.14159265358979;

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
    const double sw = s.ScaleWidth();
    const double sh = s.ScaleHeight();
    const double q = (sh / 2 - 30) / 4;

    s.Cls();
    s.Line(10, float(sh / 2), float(sw - 10), float(sh / 2));
    s.Line(float(sw / 2), 10, float(sw / 2), float(sh - 10));
    s.PrintAt(float(sw - 10), float(sh / 2), QStringLiteral("x"));
    s.PrintAt(float(sw / 2 + 4), -2, QStringLiteral("y"));

    const QString upper[] = {integerItem(axisMax), decimalItem(3.0 / 4 * axisMax), decimalItem(axisMax / 2.0),
                             decimalItem(axisMax / 4.0)};
    for (int i = 0; i < 4; ++i) {
        const double y = 30 + i * q;
        s.PrintAt(float(sw / 2 + 2), float(y - 6), upper[i]);
        s.Line(float(sw / 2 - 2), float(y), float(sw / 2 + 3.5), float(y));
    }
    // The centre (i = 4 of the nine positions) has neither tick nor label.
    const QString lower[] = {decimalItem(-1.0 / 4 * axisMax), decimalItem(-axisMax / 2.0),
                             decimalItem(-3.0 / 4 * axisMax), integerItem(qint16(-axisMax))};
    for (int i = 0; i < 4; ++i) {
        const double y = 30 + (i + 5) * q;
        s.PrintAt(float(sw / 2 + 3.5), float(y - 6), lower[i]);
        s.Line(float(sw / 2 - 2), float(y), float(sw / 2 + 3.5), float(y));
    }

    int p = phase;
    while (p > 200)
        p -= 200;

    const double x0 = sw / 2 - 200;
    s.setCurrentX(float(x0));
    s.setCurrentY(float(Round(sh / 2 - amplitude * std::sin(pi * p / 100))));
    for (int i = 0; i <= 50; ++i) {
        const double x = Round(x0 + 8 * i);
        const double y = Round(sh / 2 - amplitude * std::sin(pi * (8 * i + p) / 100));
        s.LineTo(float(x), float(y));
    }
}

} // namespace Sinusoid
