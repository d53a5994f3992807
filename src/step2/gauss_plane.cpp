#include "step2/gauss_plane.h"

#include "core/numberformat.h"
#include "core/planemapping.h"
#include "ui/surface/surface.h"

namespace GaussPlane {

namespace {

// A real-axis tick with its label just below the axis.
void realTick(Surface& s, float x, float height, const QString& label, float labelLeft)
{
    s.Line(x, float(height / 2 - 3), x, float(height / 2 + 4));
    s.PrintAt(labelLeft, float(height / 2 + 2), label);
}

// Label of a positive real tick: the decimal text without its leading blank.
QString positiveLabel(float value)
{
    return NumberFormat::decimalText(value).mid(1);
}

// An imaginary-axis tick with its print-form label centred on it; the height is measured on the
// number without blanks.
void imaginaryTick(Surface& s, float y, float width, float value, float labelLeft)
{
    s.Line(float(width / 2 - 2), y, float(width / 2 + 2.5), y);
    const float h = s.TextHeight(NumberFormat::plainText(value));
    s.PrintAt(labelLeft, float(y - h / 2), NumberFormat::printForm(value));
}

} // namespace

void RedrawPlane(Surface& s, float g, float endX, float endY, bool following)
{
    const PlaneMapping m(s.ScaleWidth(), s.ScaleHeight(), g);
    const double w = m.width();
    const double h = m.height();
    constexpr int inset = PlaneMapping::AxisInset;

    s.Cls();
    s.Line(float(w / 2), inset, float(w / 2), float(h - inset));
    s.Line(inset, float(h / 2), float(w - inset), float(h / 2));

    // Real axis, right half first; the labels of positive values are centred on their ticks
    // except the outermost one, which ends 5 px beyond its tick.
    {
        QString t = positiveLabel(g);
        realTick(s, m.right(), float(h), t, float(double(m.right()) + 5 - s.TextWidth(t)));
        const float values[] = {g / 2, g / 4, g * 3 / 4, -g * 3 / 4, -g / 2, -g / 4};
        const int eighths[] = {6, 5, 7, 1, 2, 3};
        for (int i = 0; i < 6; ++i) {
            t = values[i] < 0 ? NumberFormat::decimalText(values[i]) : positiveLabel(values[i]);
            const float x = m.tickX(eighths[i]);
            realTick(s, x, float(h), t, float(x - s.TextWidth(t) / 2));
        }
        realTick(s, m.left(), float(h), NumberFormat::printForm(-g), m.left() - 6);
    }

    s.PrintAt(float(w / 2 + 3), float(h / 2 + 1), QStringLiteral("0"));

    // Imaginary axis, top to bottom; labels below the origin sit 4 px further right.
    {
        const float values[] = {g, g * 3 / 4, g / 2, g / 4, -g / 4, -g / 2, -g * 3 / 4, -g};
        const int eighths[] = {0, 1, 2, 3, 5, 6, 7, 8};
        for (int i = 0; i < 8; ++i)
            imaginaryTick(s, m.tickY(eighths[i]), float(w), values[i], float(i < 4 ? w / 2 + 1 : w / 2 + 5));
    }

    s.PrintAt(float(double(m.right()) + 5), float(h / 2 - 15), QStringLiteral("x"));
    s.PrintAt(float(w / 2 - 10), 0, QStringLiteral("y"));

    if (!following) {
        s.Line(endX - 5, endY, endX + 5, endY);
        s.Line(endX, endY - 5, endX, endY + 5);
    }
    s.Line(float(w / 2), float(h / 2), endX, endY);
}

} // namespace GaussPlane
