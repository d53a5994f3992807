#include "feedback/correctdrawings.h"

#include "core/colors.h"
#include "core/judging.h"
#include "core/pi.h"
#include "core/planemapping.h"
#include "core/rounding.h"
#include "core/sinusoidscale.h"
#include "ui/surface/surface.h"

#include <cmath>

namespace CorrectDrawings {

using Rounding::RoundToLong;

void DrawCorrectVector(Surface& graf, float resultRe, float resultIm, float axisLimit)
{
    const PlaneMapping plane(graf.ScaleWidth(), graf.ScaleHeight(), axisLimit);
    graf.setForeColor(Colors::Red);
    const float x = plane.toPixelX(resultRe);
    const float y = plane.toPixelY(resultIm);
    graf.Line(x, y - 5, x, y + 5);
    graf.Line(x - 5, y, x + 5, y);
    graf.Line(plane.width() / 2, plane.height() / 2, x, y);
}

// The review's own formulas: the phase in single precision, the amplitude as full scale * r / axisMax.
void DrawCorrectSinusoid(Surface& pb, float resultRe, float resultIm, qint16 axisMax)
{
    const SinusoidScale scale(pb.ScaleHeight(), axisMax);
    constexpr int period = SinusoidScale::Period;
    constexpr int halfPeriod = period / 2;
    const double h = pb.ScaleHeight();
    pb.setForeColor(Colors::Red);
    const float phase = Judging::GetFI(resultRe, resultIm) / 360.0f * period;
    const double r = std::sqrt(double(resultRe) * resultRe + double(resultIm) * resultIm);
    const double amplitude = scale.fullScale() * r / double(axisMax);
    const double x0 = SinusoidScale::curveStartX(pb.ScaleWidth());
    pb.setCurrentX(float(x0));
    pb.setCurrentY(float(RoundToLong(float(h / 2 - amplitude * std::sin(double(phase) / halfPeriod * Pi)))));
    for (int i = 0; i <= SinusoidScale::CurveSteps; ++i) {
        const qint32 x = RoundToLong(float(x0 + SinusoidScale::CurveStep * i));
        const qint32 y = RoundToLong(
            float(h / 2 - amplitude * std::sin((SinusoidScale::CurveStep * i + double(phase)) / halfPeriod * Pi)));
        pb.LineTo(float(x), float(y));
    }
}

} // namespace CorrectDrawings
