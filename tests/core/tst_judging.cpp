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
using Mark = bool Judging::Verdict::*;
Q_DECLARE_METATYPE(Mark)

namespace Judging {
// The error code and the names of the marks set, so that a failure says which mark differs.
char* toString(const Verdict& v)
{
    QStringList wrong;
    const std::pair<bool, const char*> marks[] = {{v.cis3_0, "cis3_0"}, {v.cis3_12, "cis3_12"}, {v.uhFi, "uhFi"},
                                                  {v.ab, "ab"},         {v.vek, "vek"},         {v.Sinusak, "Sinusak"}};
    for (const auto& [set, name] : marks)
        if (set)
            wrong << name;
    return qstrdup(qPrintable(QStringLiteral("errorCode %1, marks: %2").arg(v.errorCode).arg(wrong.join(' '))));
}
} // namespace Judging

// The right answers for 3 + 4i (|z| = 5, 53.13 degrees) on a 372 px plane with axisLimit 5 (33.6 px a
// unit) and a 221 px sinusoid with axisMax 6 (5 is 67.08 px), with a change.
static ExampleAnswers answers(const std::function<void(ExampleAnswers&)>& change = {})
{
    ExampleAnswers a{"3", "4", "5", "53,13", 186 + 3 * 33.6f, 186 - 4 * 33.6f, 372, 372, 5, 67, 29.5f, 6, 221, 3, 4};
    if (change)
        change(a);
    return a;
}

class TestJudging : public QObject {
    Q_OBJECT
private slots:
    // Strictly inside; the bounds are exchanged for a negative correct value.
    void bands_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("correct");
        QTest::addColumn<float>("tolerance");
        QTest::addColumn<bool>("inside");
        const struct {
            float value, correct, tolerance;
            bool inside;
        } rows[] = {{2.985f, 3, 0.5f, false}, {2.9851f, 3, 0.5f, true},   {3.0149f, 3, 0.5f, true},
                    {3.015f, 3, 0.5f, false}, {-3.015f, -3, 0.5f, false}, {-3.0149f, -3, 0.5f, true},
                    {3, -3, 0.5f, false},     {89.1f, 90, 1, false},      {90.89f, 90, 1, true},
                    {40, 50, 20, false},      {59.99f, 50, 20, true},     {float(qInf()), 3, 20, false}};
        for (const auto& r : rows)
            QTest::addRow("%g around %g, %g %%", r.value, r.correct, r.tolerance)
                << r.value << r.correct << r.tolerance << r.inside;
    }
    void bands()
    {
        QFETCH(float, value);
        QFETCH(float, correct);
        QFETCH(float, tolerance);
        QTEST(Compar(value, correct, tolerance), "inside");
    }

    void getFI_data()
    {
        QTest::addColumn<QPointF>("z");
        QTest::addColumn<float>("degrees");
        QTest::newRow("negative real, -0 imaginary") << QPointF(-5, -0.0) << 180.f;
        QTest::newRow("negative imaginary") << QPointF(0, -2) << 270.f;
        QTest::newRow("zero") << QPointF(0, 0) << 0.f;
        QTest::newRow("second quadrant") << QPointF(-1, 1) << 135.f;
        QTest::newRow("fourth quadrant") << QPointF(3, -4) << 306.8699f;
        QTest::newRow("just below 360 is 0") << QPointF(1, -1e-9) << 0.f;
    }
    void getFI()
    {
        QFETCH(QPointF, z);
        QTEST(GetFI(z.x(), z.y()), "degrees");
    }

    // 200 px a period, 20 % band, around 0 and 200 for the angle 0. 306 degrees is 170 px (136 to 204).
    void phase_data()
    {
        QTest::addColumn<QPointF>("result");
        QTest::addColumn<float>("phase");
        QTest::addColumn<bool>("right");
        const QPointF at306(std::cos(306 * M_PI / 180), std::sin(306 * M_PI / 180));
        const struct {
            QPointF result;
            float phase;
            bool right;
        } rows[] = {{{7, 0}, 9.9f, true},   {{7, 0}, 10, false},   {{7, 0}, 190.1f, true}, {{7, 0}, 100, false},
                    {{0, 0}, 190, false},   {{-5, 0}, 100, true},  {at306, 170, true},     {at306, 136.5f, true},
                    {at306, 135.5f, false}, {at306, 204.5f, false}};
        for (const auto& r : rows)
            QTest::addRow("%g at %g degrees", r.phase, GetFI(r.result.x(), r.result.y()))
                << r.result << r.phase << r.right;
    }
    void phase()
    {
        QFETCH(QPointF, result);
        QFETCH(float, phase);
        QTEST(CheckPhase(phase, result.x(), result.y()), "right");
    }

    // A correct value of exactly 0 gets the band of +-(t/100) * size: |result| for the parts (1 for
    // 0 + 0i), 90 degrees for the angle, 26.88 px on the plane, the full scale 80.5 px for the amplitude.
    // Only the named mark is checked.
    void zeroRule_data()
    {
        QTest::addColumn<ExampleAnswers>("answers");
        QTest::addColumn<Mark>("mark");
        QTest::addColumn<bool>("wrong");
        using A = ExampleAnswers;
        const auto zeroSinusoid = [](A& a) { a.resultRe = a.resultIm = 0, a.axisMax = 1, a.phaseShift = 0; };
        const struct {
            const char* name;
            std::function<void(A&)> change;
            Mark mark;
            bool wrong;
        } rows[] = {
            {"re -0,019 of 0", [](A& a) { a.resultRe = 0, a.re = "-0,019"; }, &Verdict::cis3_0, false},
            {"re 0.02 of 0", [](A& a) { a.resultRe = 0, a.re = "0.02"; }, &Verdict::cis3_0, true},
            {"im -0.0151 of 0", [](A& a) { a.resultRe = -3, a.resultIm = 0, a.im = "-0.0151"; }, &Verdict::cis3_12,
             true},
            {"re 0.004 of 0 + 0i", [](A& a) { a.resultRe = a.resultIm = 0, a.re = "0.004"; }, &Verdict::cis3_0, false},
            {"|z| 0.01 of 0", [](A& a) { a.resultRe = a.resultIm = 0, a.absh = "0.01"; }, &Verdict::ab, true},
            {"angle 0.89 of 0", [](A& a) { a.resultRe = 5, a.resultIm = 0, a.fi = "0.89"; }, &Verdict::uhFi, false},
            {"angle 0.9 of 0", [](A& a) { a.resultRe = 5, a.resultIm = 0, a.fi = "0.9"; }, &Verdict::uhFi, true},
            {"angle 181.8 of 180", [](A& a) { a.resultRe = -5, a.resultIm = 0, a.fi = "181.8"; }, &Verdict::uhFi, true},
            {"vector 26.5 px off 0", [](A& a) { a.resultRe = 0, a.vectorEndX = 212.5f; }, &Verdict::vek, false},
            {"vector 27 px off 0", [](A& a) { a.resultRe = 0, a.vectorEndX = 159; }, &Verdict::vek, true},
            {"amplitude 16 of 0", [&](A& a) { zeroSinusoid(a), a.amplitude = 16; }, &Verdict::Sinusak, false},
            {"amplitude 17 of 0", [&](A& a) { zeroSinusoid(a), a.amplitude = 17; }, &Verdict::Sinusak, true},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << answers(r.change) << r.mark << r.wrong;
    }
    void zeroRule()
    {
        QFETCH(ExampleAnswers, answers);
        QFETCH(Mark, mark);
        QTEST(judgeExample(answers).*mark, "wrong");
    }

    void verdicts_data()
    {
        QTest::addColumn<ExampleAnswers>("answers");
        QTest::addColumn<Verdict>("verdict");
        using A = ExampleAnswers;
        const auto mirrored = [](A& a) { a.vectorEndX = 85.2f, a.vectorEndY = 320.4f; };
        const auto flat = [](A& a) { a.amplitude = 40, a.phaseShift = 100; };
        QTest::newRow("all right") << answers() << Verdict{};
        QTest::newRow("only the angle") << answers([](A& a) { a.fi = "54"; }) << Verdict{.errorCode = 1, .uhFi = true};
        QTest::newRow("both vector parts") << answers(mirrored) << Verdict{.errorCode = 2, .vek = true};
        QTest::newRow("amplitude and phase") << answers(flat) << Verdict{.errorCode = 4, .Sinusak = true};
        QTest::newRow("everything") << answers([&](A& a) {
            a.re = "-3", a.im = "x", a.absh = "7", a.fi = "90";
            mirrored(a), flat(a);
        }) << Verdict{7, true, true, true, true, true, true};
        QTest::newRow("1e39 as the real part")
            << answers([](A& a) { a.re = "1e39"; }) << Verdict{.errorCode = 1, .cis3_0 = true};
        QTest::newRow("amplitude 54 of 67.08") << answers([](A& a) { a.amplitude = 54; }) << Verdict{};
        QTest::newRow("amplitude 53") << answers([](A& a) { a.amplitude = 53; })
                                      << Verdict{.errorCode = 4, .Sinusak = true};
    }
    void verdicts()
    {
        QFETCH(ExampleAnswers, answers);
        QTEST(judgeExample(answers), "verdict");
    }

    // A right example counts 3 right dialogs; otherwise bits 4, 2 and 1 count one dialog each.
    void counting_data()
    {
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<QList<int>>("gained"); // examplesRight, examplesWrong, dialogsRight, dialogsWrong
        QTest::newRow("right") << 0 << QList<int>{1, 0, 3, 0};
        QTest::newRow("step 1") << 1 << QList<int>{0, 1, 2, 1};
        QTest::newRow("steps 2 and 3") << 6 << QList<int>{0, 1, 1, 2};
        QTest::newRow("all three") << 7 << QList<int>{0, 1, 0, 3};
    }
    void counting()
    {
        QFETCH(int, errorCode);
        RunState s;
        s.examplesRight = 10, s.examplesWrong = 20, s.dialogsRight = 30, s.dialogsWrong = 40;
        countExample(s, quint8(errorCode));
        QTEST((QList<int>{s.examplesRight - 10, s.examplesWrong - 20, s.dialogsRight - 30, s.dialogsWrong - 40}),
              "gained");
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
        const float side = 372, height = 221;
        QList<qint16> dragged;
        for (int y = 0; y < int(height); ++y)
            dragged << SinusoidScale(height, 1).dragAmplitude(float(y));
        const auto nearest = [](const QList<qint16>& reachable, float value) {
            return *std::min_element(reachable.begin(), reachable.end(), [value](qint16 a, qint16 b) {
                return std::fabs(a - value) < std::fabs(b - value);
            });
        };
        for (int i = 0; i < 100000; ++i) {
            const Example ex = GenerateExample(random);
            ExampleAnswers a;
            a.resultRe = ex.resultRe, a.resultIm = ex.resultIm;
            a.grafWidth = a.grafHeight = side;
            a.axisLimit = Scales::NajdiMeritk(a.resultRe, a.resultIm);
            const double r = std::hypot(double(a.resultRe), double(a.resultIm));
            a.axisMax = Scales::FindAxisMax(r);
            a.pbHeight = height;
            const PlaneMapping plane = a.plane();
            const SinusoidScale scale = a.sinusoid();
            const float x = std::nearbyint(plane.toPixelX(a.resultRe));
            const float y = std::nearbyint(plane.toPixelY(a.resultIm));
            const float expected = scale.amplitudePixels(r);
            const qint16 amplitude = nearest(dragged, expected);
            const float phase = std::nearbyint(SinusoidScale::phasePixels(GetFI(a.resultRe, a.resultIm)));
            const QByteArray example = QByteArray::number(a.resultRe, 'g', 9) + " " +
                                       QByteArray::number(a.resultIm, 'g', 9) + " i, example " + QByteArray::number(i);
            const auto judged = [&](float endX, float endY, qint16 amp, float shift) {
                ExampleAnswers b = a;
                b.vectorEndX = endX, b.vectorEndY = endY, b.amplitude = amp, b.phaseShift = shift;
                return judgeExample(b).errorCode & 6;
            };
            const qint16 keysTop = Rounding::toInt16(float(scale.fullScale()));
            QVERIFY2(plane.insideBand(x, y), example);
            QVERIFY2(judged(x, y, amplitude, phase) == 0, example);
            QVERIFY2(judged(x, y, qint16(qBound(0.0f, std::nearbyint(expected), float(keysTop))), phase) == 0, example);
            const float c = side / 2;
            const auto mirrored = [c](float at, float part) {
                return part > 0 ? c - std::max(std::fabs(at - c), 3.0f) : c + std::max(std::fabs(at - c), 3.0f);
            };
            if (a.resultRe != 0)
                QVERIFY2(judged(mirrored(x, a.resultRe), y, amplitude, phase) == 2, example);
            if (a.resultIm != 0)
                QVERIFY2(judged(x, mirrored(y, -a.resultIm), amplitude, phase) == 2, example);
            if (expected > 4)
                QVERIFY2(judged(x, y, Rounding::toInt16(expected / 2), phase) == 4, example);
            const float shifted = SinusoidScale::normalisePhase(phase + (i % 2 ? 50 : -50));
            QVERIFY2(judged(x, y, amplitude, shifted) == 4, example);
        }
    }
};

QTEST_APPLESS_MAIN(TestJudging)
#include "tst_judging.moc"
