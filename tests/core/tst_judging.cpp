#include "core/example.h"
#include "core/judging.h"
#include "core/rounding.h"
#include "core/scales.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <random>

using namespace Judging;

Q_DECLARE_METATYPE(Judging::ExampleAnswers)
Q_DECLARE_METATYPE(Judging::Verdict)

namespace Judging {
// The error code and the marks set, so that a failure says which mark differs.
char* toString(const Verdict& v)
{
    const QStringList marks = {v.cis3_0 ? "cis3_0" : "", v.cis3_12 ? "cis3_12" : "", v.uhFi ? "uhFi" : "",
                               v.ab ? "ab" : "",         v.vek ? "vek" : "",         v.Sinusak ? "Sinusak" : ""};
    const QString text = QStringLiteral("errorCode %1, marks %2").arg(v.errorCode).arg(marks.join(' ').simplified());
    return qstrdup(qPrintable(text));
}
} // namespace Judging

// Right answers for a result, then changed: the typed values as they are, the vector end and the phase on
// the nearest whole pixel, the amplitude the nearest one the keys can set. A 372 px square plane and a
// 221 px high sinusoid (3 + 4i: axisLimit 5, 33.6 px a unit; axisMax 6, |z| = 5 is 67.08 px).
static ExampleAnswers right(float re, float im, const std::function<void(ExampleAnswers&)>& change = {})
{
    const double r = std::hypot(double(re), double(im));
    ExampleAnswers a;
    a.re = QString::number(re), a.im = QString::number(im), a.absh = QString::number(r);
    a.fi = QString::number(GetFI(re, im));
    a.resultRe = re, a.resultIm = im;
    a.plane = PlaneMapping(372, 372, Scales::NajdiMeritk(re, im));
    a.sinusoid = SinusoidScale(221, Scales::FindAxisMax(r));
    a.vectorEndX = std::nearbyint(a.plane.toPixelX(re));
    a.vectorEndY = std::nearbyint(a.plane.toPixelY(im));
    const qint16 keysTop = Rounding::toInt16(float(a.sinusoid.fullScale()));
    a.amplitude = Rounding::toInt16(std::min(std::nearbyint(a.sinusoid.amplitudePixels(r)), float(keysTop)));
    a.phaseShift = std::nearbyint(SinusoidScale::phasePixels(GetFI(re, im)));
    if (change)
        change(a);
    return a;
}

class TestJudging : public QObject {
    Q_OBJECT
private slots:
    // Bands strictly inside: 0.5 % for the parts, 1 % for |z| and the angle, 20 % for the drawings, the
    // bounds exchanged for a negative value. The phase: 200 px a period, around 0 and 200 for the angle 0;
    // 306 degrees is 170 px (136 to 204). A correct value of exactly 0 gets the band of +-(t/100) * size:
    // |result| for the parts (1 for 0 + 0i), 90 degrees for the angle, 26.88 px on the plane, the full
    // scale 80.5 px for the amplitude.
    void verdicts_data()
    {
        QTest::addColumn<ExampleAnswers>("answers");
        QTest::addColumn<Verdict>("verdict");
        using A = ExampleAnswers;
        const auto mirrored = [](A& a) { a.vectorEndX = 85.2f, a.vectorEndY = 320.4f; };
        const auto flat = [](A& a) { a.amplitude = 40, a.phaseShift = 100; };
        const auto everything = [&](A& a) { a.re = "-3", a.im = "x", a.absh = "7", a.fi = "90", mirrored(a), flat(a); };
        const float c306 = std::cos(306 * M_PI / 180), s306 = std::sin(306 * M_PI / 180);
        const Verdict ok{}, re{1, true}, im{1, false, true}, angle{1, false, false, true};
        const Verdict absolute{.errorCode = 1, .ab = true}, vector{.errorCode = 2, .vek = true};
        const Verdict sinusoid{.errorCode = 4, .Sinusak = true}, all{7, true, true, true, true, true, true};
        // clang-format off
        QTest::newRow("all right") << right(3, 4) << ok;
        QTest::newRow("only the angle") << right(3, 4, [](A& a) { a.fi = "54"; }) << angle;
        QTest::newRow("both vector parts") << right(3, 4, mirrored) << vector;
        QTest::newRow("amplitude and phase") << right(3, 4, flat) << sinusoid;
        QTest::newRow("everything") << right(3, 4, everything) << all;
        QTest::newRow("1e39 as the real part") << right(3, 4, [](A& a) { a.re = "1e39"; }) << re;
        QTest::newRow("amplitude 54 of 67.08") << right(3, 4, [](A& a) { a.amplitude = 54; }) << ok;
        QTest::newRow("amplitude 53 of 67.08") << right(3, 4, [](A& a) { a.amplitude = 53; }) << sinusoid;
        QTest::newRow("angle 180 of -5 - 0i") << right(-5, -0.0f, [](A& a) { a.fi = "180"; }) << ok;
        QTest::newRow("angle 270 of -2i") << right(0, -2, [](A& a) { a.fi = "270"; }) << ok;
        QTest::newRow("angle 0 of 0") << right(0, 0, [](A& a) { a.fi = "0"; }) << ok;
        QTest::newRow("angle 135 of -1 + i") << right(-1, 1, [](A& a) { a.fi = "135"; }) << ok;
        QTest::newRow("angle 306.87 of 3 - 4i") << right(3, -4, [](A& a) { a.fi = "306.87"; }) << ok;
        QTest::newRow("angle 0 of 1 - 1e-9i") << right(1, -1e-9f, [](A& a) { a.fi = "0"; }) << ok;
        QTest::newRow("re 2.985 of 3") << right(3, 4, [](A& a) { a.re = "2.985"; }) << re;
        QTest::newRow("re 2.9851 of 3") << right(3, 4, [](A& a) { a.re = "2.9851"; }) << ok;
        QTest::newRow("re 3.0149 of 3") << right(3, 4, [](A& a) { a.re = "3.0149"; }) << ok;
        QTest::newRow("re 3.015 of 3") << right(3, 4, [](A& a) { a.re = "3.015"; }) << re;
        QTest::newRow("re -3.015 of -3") << right(-3, 4, [](A& a) { a.re = "-3.015"; }) << re;
        QTest::newRow("re -3,0149 of -3") << right(-3, 4, [](A& a) { a.re = "-3,0149"; }) << ok;
        QTest::newRow("re 3 of -3") << right(-3, 4, [](A& a) { a.re = "3"; }) << re;
        QTest::newRow("angle 89.1 of 90") << right(0, 4, [](A& a) { a.fi = "89.1"; }) << angle;
        QTest::newRow("angle 90.89 of 90") << right(0, 4, [](A& a) { a.fi = "90.89"; }) << ok;
        QTest::newRow("phase 40 of 50") << right(0, 4, [](A& a) { a.phaseShift = 40; }) << sinusoid;
        QTest::newRow("phase 59.99 of 50") << right(0, 4, [](A& a) { a.phaseShift = 59.99f; }) << ok;
        QTest::newRow("phase 9.9 of 0") << right(7, 0, [](A& a) { a.phaseShift = 9.9f; }) << ok;
        QTest::newRow("phase 10 of 0") << right(7, 0, [](A& a) { a.phaseShift = 10; }) << sinusoid;
        QTest::newRow("phase 190.1 of 0") << right(7, 0, [](A& a) { a.phaseShift = 190.1f; }) << ok;
        QTest::newRow("phase 100 of 0") << right(7, 0, [](A& a) { a.phaseShift = 100; }) << sinusoid;
        QTest::newRow("phase 190 of 0 + 0i") << right(0, 0, [](A& a) { a.phaseShift = 190; }) << sinusoid;
        QTest::newRow("phase 100 of 180") << right(-5, 0, [](A& a) { a.phaseShift = 100; }) << ok;
        QTest::newRow("phase 136.5 of 306") << right(c306, s306, [](A& a) { a.phaseShift = 136.5f; }) << ok;
        QTest::newRow("phase 135.5 of 306") << right(c306, s306, [](A& a) { a.phaseShift = 135.5f; }) << sinusoid;
        QTest::newRow("phase 204.5 of 306") << right(c306, s306, [](A& a) { a.phaseShift = 204.5f; }) << sinusoid;
        QTest::newRow("re -0,019 of 0") << right(0, 4, [](A& a) { a.re = "-0,019"; }) << ok;
        QTest::newRow("re 0.02 of 0") << right(0, 4, [](A& a) { a.re = "0.02"; }) << re;
        QTest::newRow("im -0.0151 of 0") << right(-3, 0, [](A& a) { a.im = "-0.0151"; }) << im;
        QTest::newRow("re 0.004 of 0 + 0i") << right(0, 0, [](A& a) { a.re = "0.004"; }) << ok;
        QTest::newRow("|z| 0.01 of 0") << right(0, 0, [](A& a) { a.absh = "0.01"; }) << absolute;
        QTest::newRow("angle 0.89 of 0") << right(5, 0, [](A& a) { a.fi = "0.89"; }) << ok;
        QTest::newRow("angle 0.9 of 0") << right(5, 0, [](A& a) { a.fi = "0.9"; }) << angle;
        QTest::newRow("angle 181.8 of 180") << right(-5, 0, [](A& a) { a.fi = "181.8"; }) << angle;
        QTest::newRow("vector 26.5 px off 0") << right(0, 4, [](A& a) { a.vectorEndX = 212.5f; }) << ok;
        QTest::newRow("vector 27 px off 0") << right(0, 4, [](A& a) { a.vectorEndX = 159; }) << vector;
        QTest::newRow("amplitude 16 of 0") << right(0, 0, [](A& a) { a.amplitude = 16; }) << ok;
        QTest::newRow("amplitude 17 of 0") << right(0, 0, [](A& a) { a.amplitude = 17; }) << sinusoid;
        // clang-format on
    }
    void verdicts()
    {
        QFETCH(ExampleAnswers, answers);
        QTEST(judgeExample(answers), "verdict");
    }

    // Over 100,000 generated examples (a fixed seed): the whole pixel nearest to the result passes step 2,
    // the nearest amplitude a drag can set and the nearest one the keys can set pass step 3 with the
    // nearest whole phase; a part of the wrong sign 3 px or more off the axis, half the amplitude and
    // a quarter period's shift fail. The plane is 372 px square (its centre a whole pixel, so the keys
    // reach every whole pixel); the sinusoid 221 px high, so a drag sets even amplitudes only.
    void perfectPupilPasses()
    {
        std::mt19937 engine(20240510);
        const RandomSource random = [&engine] { return float(engine() >> 8) / float(1 << 24); };
        QList<qint16> dragged;
        for (int y = 0; y < 221; ++y)
            dragged << SinusoidScale(221, 1).dragAmplitude(float(y));
        // The same distance from the centre on the other side, at least 3 px off the axis.
        const auto mirrored = [](float at, float part) {
            return 186 - std::copysign(std::max(std::fabs(at - 186), 3.0f), part);
        };
        for (int i = 0; i < 100000; ++i) {
            const Example ex = GenerateExample(random);
            const ExampleAnswers a = right(ex.resultRe, ex.resultIm);
            const float expected = a.sinusoid.amplitudePixels(std::hypot(double(ex.resultRe), double(ex.resultIm)));
            const qint16 drag = *std::min_element(dragged.begin(), dragged.end(), [&](qint16 p, qint16 q) {
                return std::fabs(p - expected) < std::fabs(q - expected);
            });
            const auto judged = [&a](float endX, float endY, qint16 amplitude, float shift) {
                ExampleAnswers b = a;
                b.vectorEndX = endX, b.vectorEndY = endY, b.amplitude = amplitude, b.phaseShift = shift;
                return judgeExample(b).errorCode & 6;
            };
            const float x = a.vectorEndX, y = a.vectorEndY, phase = a.phaseShift;
            const QByteArray example = QByteArray::number(ex.resultRe) + " " + QByteArray::number(ex.resultIm) + "i";
            QVERIFY2(a.plane.insideBand(x, y), example);
            QVERIFY2(judged(x, y, a.amplitude, phase) == 0, example);
            QVERIFY2(judged(x, y, drag, phase) == 0, example);
            if (ex.resultRe != 0)
                QVERIFY2(judged(mirrored(x, ex.resultRe), y, drag, phase) == 2, example);
            if (ex.resultIm != 0)
                QVERIFY2(judged(x, mirrored(y, -ex.resultIm), drag, phase) == 2, example);
            if (expected > 4)
                QVERIFY2(judged(x, y, Rounding::toInt16(expected / 2), phase) == 4, example);
            QVERIFY2(judged(x, y, drag, SinusoidScale::normalisePhase(phase + (i % 2 ? 50 : -50))) == 4, example);
        }
    }
};

QTEST_APPLESS_MAIN(TestJudging)
#include "tst_judging.moc"
