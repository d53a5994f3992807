#include "core/judging.h"

#include "core/leadingnumber.h"
#include "core/pi.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

namespace Judging {

namespace {

constexpr int Period = SinusoidScale::Period;
// Half a period in degrees: the size of an angle for the band around 0.
constexpr float AngleScale = 90;
// A quarter period in pixels: the size of a phase shift for the band around 0.
constexpr float PhaseScale = Period / 4;

bool strictlyInside(float value, float bound)
{
    return -bound < value && value < bound;
}

// A drawn value is also right within one pixel of the correct one, both ends included. The band of a
// small value can be narrower than a pixel, and the drawing moves by whole pixels: the amplitude's
// drag even by two when the zero line lies between two pixel rows.
bool withinPixel(float value, float correct, double pixel)
{
    return std::fabs(double(value) - double(correct)) <= pixel;
}

// A drawn value: the band of ComparNear, but never narrower than one pixel on each side.
bool ComparDrawn(float value, float correct, float tolerancePercent, float zeroScale, double pixel)
{
    return ComparNear(value, correct, tolerancePercent, zeroScale) || withinPixel(value, correct, pixel);
}

} // namespace

QString CommaToPoint(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char(','), QLatin1Char('.'));
    return result;
}

float readNumber(const QString& text)
{
    const double value = LeadingNumber(CommaToPoint(text));
    // Converting an out-of-range double to float is not defined; such an entry cannot match anyway.
    if (!(std::fabs(value) <= double(FLT_MAX)))
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return float(value);
}

bool Compar(float value, float correct, float tolerancePercent)
{
    const double t = double(tolerancePercent) / 100.0;
    float lo = float((1.0 - t) * double(correct));
    float hi = float((1.0 + t) * double(correct));
    if (lo > hi)
        std::swap(lo, hi);
    return lo < value && value < hi;
}

bool ComparNear(float value, float correct, float tolerancePercent, float zeroScale)
{
    if (correct != 0)
        return Compar(value, correct, tolerancePercent);
    return strictlyInside(value, float(double(tolerancePercent) / 100.0 * double(zeroScale)));
}

float GetFI(float re, float im)
{
    if (re == 0) {
        if (im > 0)
            return 90;
        return im < 0 ? 270 : 0;
    }
    double a = std::atan(double(im) / double(re)) * 180.0 / Pi;
    if (re < 0)
        a += 180;
    else if (im < 0)
        a += 360;
    const float angle = float(a);
    // A tiny negative angle plus 360 can round up to 360 in single precision; that is the angle 0.
    return angle >= 360.0f ? 0.0f : angle;
}

bool CheckPhase(float phaseShift, float resultRe, float resultIm)
{
    const float correct = SinusoidScale::phasePixels(GetFI(resultRe, resultIm));
    // Within one pixel of the correct shift, a whole period either way being the same curve.
    const double apart = std::fmod(std::fabs(double(phaseShift) - double(correct)), Period);
    if (std::min(apart, Period - apart) <= 1)
        return true;
    if (correct != 0)
        return Compar(phaseShift, correct, 20);
    // The phase is kept within 0..200 after a drag, and 200 is the same curve as 0.
    const float bound = float(0.2 * PhaseScale);
    return strictlyInside(phaseShift, bound) || strictlyInside(float(double(phaseShift) - Period), bound);
}

Verdict judgeExample(const ExampleAnswers& a)
{
    Verdict v;
    const double r = std::sqrt(double(a.resultRe) * a.resultRe + double(a.resultIm) * a.resultIm);
    const float absolute = float(r);
    // The parts of a result are judged against the size of the whole result; 0 + 0i has no size.
    const float partScale = absolute > 0 ? absolute : 1.0f;

    if (!ComparNear(readNumber(a.re), a.resultRe, 0.5f, partScale)) {
        v.errorCode |= 1;
        v.cis3_0 = true;
    }
    if (!ComparNear(readNumber(a.im), a.resultIm, 0.5f, partScale)) {
        v.errorCode |= 1;
        v.cis3_12 = true;
    }
    if (!ComparNear(readNumber(a.fi), GetFI(a.resultRe, a.resultIm), 1, AngleScale)) {
        v.errorCode |= 1;
        v.uhFi = true;
    }
    if (!ComparNear(readNumber(a.absh), absolute, 1, 1)) {
        v.errorCode |= 1;
        v.ab = true;
    }

    const PlaneMapping plane = a.plane;
    const bool vectorRe = ComparDrawn(plane.toRe(a.vectorEndX), a.resultRe, 20, partScale, plane.pixelRe());
    const bool vectorIm = ComparDrawn(plane.toIm(a.vectorEndY), a.resultIm, 20, partScale, plane.pixelIm());
    if (!vectorRe || !vectorIm) {
        v.errorCode |= 2;
        v.vek = true;
    }

    // The amplitude is judged in pixels: one pixel is 1.
    const SinusoidScale sinusoid = a.sinusoid;
    const float expected = sinusoid.amplitudePixels(r);
    if (!ComparDrawn(float(a.amplitude), expected, 20, float(sinusoid.fullScale()), 1)) {
        v.errorCode |= 4;
        v.Sinusak = true;
    }
    if (!CheckPhase(a.phaseShift, a.resultRe, a.resultIm)) {
        v.errorCode |= 4;
        v.Sinusak = true;
    }
    return v;
}

void countExample(RunState& state, quint8 errorCode)
{
    if (errorCode == 0) {
        state.examplesRight += 1;
        state.dialogsRight += 3;
        return;
    }
    state.examplesWrong += 1;
    for (const quint8 bit : {quint8(4), quint8(2), quint8(1)}) {
        if (errorCode & bit)
            state.dialogsWrong += 1;
        else
            state.dialogsRight += 1;
    }
}

} // namespace Judging
