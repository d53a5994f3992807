#pragma once

#include "core/planemapping.h"
#include "core/runstate.h"
#include "core/sinusoidscale.h"

#include <QString>
#include <QtGlobal>

// The judging of one example: the pupil's answers of the three steps against the correct result.
namespace Judging {

// Every "," becomes ".", so that a decimal comma and a decimal point read alike.
QString CommaToPoint(const QString& text);

// A typed number: commas to points, the leading number, single precision. Anything that is not a
// number reads as 0; a value beyond the single-precision range becomes an infinity, which no band
// contains.
float readNumber(const QString& text);

// True when value lies strictly inside the band of tolerancePercent around correct. The bounds are
// kept in single precision and exchanged for a negative correct value. Around 0 the band is empty.
bool Compar(float value, float correct, float tolerancePercent);

// Compar, except that a correct value of exactly 0 gets the band of +-(t/100) * zeroScale (strict),
// zeroScale being the size of the quantity the value belongs to.
bool ComparNear(float value, float correct, float tolerancePercent, float zeroScale);

// The argument of re + j*im in degrees, 0 up to (not including) 360; a negative real number gives 180.
float GetFI(float re, float im);

// The phase shift in pixels (200 px per period) against the angle of the result, 20 % band. When the
// correct angle is 0 the band is +-10 px around 0 and around 200, both being the angle 0. Never
// narrower than one pixel on each side (included), a shift by a whole period counting as the same.
bool CheckPhase(float phaseShift, float resultRe, float resultIm);

// Everything the judging reads, as values: what the pupil did in the three steps, and the example
// with the plane and the sinusoid it was drawn on.
struct ExampleAnswers {
    QString re, im, absh, fi; // step 1 as typed
    float vectorEndX = 0, vectorEndY = 0;
    qint16 amplitude = 0;
    float phaseShift = 0;
    float resultRe = 0, resultIm = 0;
    PlaneMapping plane;
    SinusoidScale sinusoid;
};

// Error bits: 1 step 1, 2 step 2, 4 step 3; a true mark means that item was wrong.
struct Verdict {
    quint8 errorCode = 0;
    bool cis3_0 = false;  // real part
    bool cis3_12 = false; // imaginary part (sign and magnitude)
    bool uhFi = false;    // angle
    bool ab = false;      // absolute value
    bool vek = false;     // vector
    bool Sinusak = false; // sinusoid: amplitude or phase shift

    bool operator==(const Verdict&) const = default;
};

// The drawn values of steps 2 and 3 are right also within one pixel of the correct value (both ends
// included), so that a band is never narrower than the drawing can show.
Verdict judgeExample(const ExampleAnswers& answers);

// Adds one judged example to the counters: right examples count 3 right dialogs; otherwise the
// bits 4, 2, 1 count one dialog each, wrong or right.
void countExample(RunState& state, quint8 errorCode);

} // namespace Judging
