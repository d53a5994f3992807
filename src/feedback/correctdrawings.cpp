#include "feedback/correctdrawings.h"

#include "core/colors.h"
#include "core/judging.h"
#include "core/procedury_a_fce.h"
#include "ui/surface/surface.h"

#include <cmath>

namespace CorrectDrawings {

using Procedury_a_fce::RoundToLong;

void DrawCorrectVector(Surface& graf, float resultRe, float resultIm, float axisLimit)
{
    const float w = graf.ScaleWidth();
    const float h = graf.ScaleHeight();
    graf.setForeColor(Colors::Red);
    const float x = resultRe / axisLimit * (w - 36) / 2 + w / 2;
    const float y = h / 2 - resultIm / axisLimit * (h - 36) / 2;
    graf.Line(x, y - 5, x, y + 5);
    graf.Line(x - 5, y, x + 5, y);
    graf.Line(w / 2, h / 2, x, y);
}

void DrawCorrectSinusoid(Surface& pb, float resultRe, float resultIm, qint16 axisMax)
{
    constexpr double pi = 3.14159265358979;
    const double w = pb.ScaleWidth();
    const double h = pb.ScaleHeight();
    pb.setForeColor(Colors::Red);
    const float phase = Judging::GetFI(resultRe, resultIm) / 360.0f * 200.0f;
    const double r = std::sqrt(double(resultRe) * resultRe + double(resultIm) * resultIm);
    const double amplitude = (h / 2 - 30) * r / double(axisMax);
    pb.setCurrentX(float(w / 2 - 200));
    pb.setCurrentY(float(RoundToLong(float(h / 2 - amplitude * std::sin(double(phase) / 100 * pi)))));
    for (int i = 0; i <= 50; ++i) {
        const qint32 x = RoundToLong(float(w / 2 - 200 + 8 * i));
        const qint32 y = RoundToLong(float(h / 2 - amplitude * std::sin((8 * i + double(phase)) / 100 * pi)));
        pb.LineTo(float(x), float(y));
    }
}

} // namespace CorrectDrawings
