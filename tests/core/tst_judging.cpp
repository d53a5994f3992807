#include "core/example.h"
#include "core/judging.h"
#include "core/rounding.h"
#include "core/scales.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace Judging;

// The right answers for 3 + 4i (|z| = 5, 53.13 degrees) on a 372 px plane with axisLimit 5 (33.6 px a
// unit) and a 221 px sinusoid with axisMax 6, changed by "key=value;...".
static ExampleAnswers answers(const QString& changes)
{
    ExampleAnswers a{"3", "4", "5", "53,13", 186 + 3 * 33.6f, 186 - 4 * 33.6f, 372, 372, 5, 67, 29.5f, 6, 221, 3, 4};
    const QMap<QString, QString*> texts = {{"re", &a.re}, {"im", &a.im}, {"ab", &a.absh}, {"fi", &a.fi}};
    const QMap<QString, float*> floats = {{"x", &a.vectorEndX},
                                          {"y", &a.vectorEndY},
                                          {"phase", &a.phaseShift},
                                          {"rre", &a.resultRe},
                                          {"rim", &a.resultIm}};
    const QMap<QString, qint16*> whole = {{"amp", &a.amplitude}, {"max", &a.axisMax}};
    for (const QString& change : changes.split(';', Qt::SkipEmptyParts)) {
        const QString key = change.section('=', 0, 0), value = change.section('=', 1);
        if (texts.contains(key))
            *texts[key] = value;
        else if (floats.contains(key))
            *floats[key] = value.toFloat();
        else
            *whole.value(key) = value.toShort();
    }
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

    void getFI()
    {
        const struct {
            float re, im, degrees;
        } rows[] = {{-5, -0.0f, 180}, {0, -2, 270}, {0, 0, 0}, {-1, 1, 135}, {3, -4, 306.8699f}, {1, -1e-9f, 0}};
        for (const auto& r : rows) {
            const float a = GetFI(r.re, r.im);
            QVERIFY2(a >= 0 && a < 360 && std::fabs(a - r.degrees) < 1e-3f, qPrintable(QString::number(a)));
        }
    }

    // A correct value of exactly 0 gets the band of +-(t/100) * size: |result| for the parts (1 for
    // 0 + 0i), 90 degrees for the angle, 26.88 px on the plane, the full scale 80.5 px for the amplitude.
    void zeroRule_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("verdict");
        for (const char* r :
             {"rre=0;re=-0,019 re right", "rre=0;re=0.02 re wrong", "rre=-3;rim=0;im=-0.0151 im wrong",
              "rre=0;rim=0;re=0.004 re right", "rre=0;rim=0;ab=0.01 ab wrong", "rre=5;rim=0;fi=0.89 fi right",
              "rre=5;rim=0;fi=0.9 fi wrong", "rre=-5;rim=0;fi=181.8 fi wrong", "rre=0;x=212.5 vek right",
              "rre=0;x=159 vek wrong", "rre=0;rim=0;max=1;phase=0;amp=16 sin right",
              "rre=0;rim=0;max=1;phase=0;amp=17 sin wrong"}) {
            const QString row = QString::fromLatin1(r);
            QTest::newRow(r) << row.section(' ', 0, 0) << row.section(' ', 1, 1) << row.section(' ', 2, 2);
        }
    }
    void zeroRule()
    {
        QFETCH(QString, changes);
        QFETCH(QString, mark);
        const Verdict v = judgeExample(answers(changes));
        const QMap<QString, bool> marks = {{"re", v.cis3_0}, {"im", v.cis3_12}, {"fi", v.uhFi},
                                           {"ab", v.ab},     {"vek", v.vek},    {"sin", v.Sinusak}};
        QTEST(QString(marks.value(mark) ? "wrong" : "right"), "verdict");
    }

    // 200 px a period, 20 % band, around 0 and 200 for the angle 0. 306 degrees is 170 px (136 to 204).
    void phase()
    {
        const float c = std::cos(306 * M_PI / 180), s = std::sin(306 * M_PI / 180);
        const struct {
            float re, im, phase;
            bool right;
        } rows[] = {{7, 0, 9.9f, true},    {7, 0, 10, false},    {7, 0, 190.1f, true}, {7, 0, 100, false},
                    {0, 0, 190, false},    {-5, 0, 100, true},   {c, s, 170, true},    {c, s, 136.5f, true},
                    {c, s, 135.5f, false}, {c, s, 204.5f, false}};
        for (const auto& r : rows)
            QVERIFY2(CheckPhase(r.phase, r.re, r.im) == r.right, qPrintable(QString::number(r.phase)));
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
            dragged << Scales::dragAmplitude(float(y), height);
        const qint16 keysTop = Rounding::toInt16(height / 2 - 30);
        const auto nearest = [](const QList<qint16>& reachable, float value) {
            return *std::min_element(reachable.begin(), reachable.end(), [value](qint16 a, qint16 b) {
                return std::fabs(a - value) < std::fabs(b - value);
            });
        };
        int checked = 0;
        for (int i = 0; i < 100000; ++i) {
            const Example ex = GenerateExample(random);
            ExampleAnswers a;
            a.resultRe = ex.resultRe, a.resultIm = ex.resultIm;
            a.grafWidth = a.grafHeight = side;
            a.axisLimit = Scales::NajdiMeritk(a.resultRe, a.resultIm);
            const double r = std::hypot(double(a.resultRe), double(a.resultIm));
            a.axisMax = Scales::FindAxisMax(r);
            a.pbHeight = height;
            const float x = std::nearbyint(Scales::planeX(a.resultRe, side, a.axisLimit));
            const float y = std::nearbyint(Scales::planeY(a.resultIm, side, a.axisLimit));
            const float expected = float(r / a.axisMax * (height / 2 - 30));
            const float phase = std::nearbyint(GetFI(a.resultRe, a.resultIm) / 360 * 200);
            const QByteArray example = QByteArray::number(a.resultRe, 'g', 9) + " " +
                                       QByteArray::number(a.resultIm, 'g', 9) + " i, example " + QByteArray::number(i);
            const auto judged = [&](float endX, float endY, qint16 amplitude, float shift) {
                ExampleAnswers b = a;
                b.vectorEndX = endX, b.vectorEndY = endY, b.amplitude = amplitude, b.phaseShift = shift;
                return judgeExample(b).errorCode & 6;
            };
            QVERIFY2(Scales::insideVectorBand(x, y, side, side), example);
            QVERIFY2(judged(x, y, nearest(dragged, expected), phase) == 0, example);
            QVERIFY2(judged(x, y, qint16(qBound(0.0f, std::nearbyint(expected), float(keysTop))), phase) == 0, example);
            const float c = side / 2;
            const auto mirrored = [c](float at, float part) {
                return part > 0 ? c - std::max(std::fabs(at - c), 3.0f) : c + std::max(std::fabs(at - c), 3.0f);
            };
            if (a.resultRe != 0)
                QVERIFY2(judged(mirrored(x, a.resultRe), y, nearest(dragged, expected), phase) == 2, example);
            if (a.resultIm != 0)
                QVERIFY2(judged(x, mirrored(y, -a.resultIm), nearest(dragged, expected), phase) == 2, example);
            if (expected > 4)
                QVERIFY2(judged(x, y, Rounding::toInt16(expected / 2), phase) == 4, example);
            QVERIFY2(judged(x, y, nearest(dragged, expected), Scales::normalisePhase(phase + (i % 2 ? 50 : -50))) == 4,
                     example);
            ++checked;
        }
        QCOMPARE(checked, 100000);
    }

    // The error code, the marks re im fi ab vek sin (1 = wrong) and what examplesRight, examplesWrong,
    // dialogsRight and dialogsWrong gain.
    void verdicts_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("verdict");
        const QString mirrored = "x=85.2;y=320.4", flat = "amp=40;phase=100";
        QTest::newRow("all right") << QString() << "0 000000 1030";
        QTest::newRow("only the angle") << "fi=54"
                                        << "1 001000 0121";
        QTest::newRow("both vector parts") << mirrored << "2 000010 0121";
        QTest::newRow("amplitude and phase") << flat << "4 000001 0121";
        QTest::newRow("everything") << "re=-3;im=x;ab=7;fi=90;" + mirrored + ";" + flat << "7 111111 0103";
        QTest::newRow("1e39 as the real part") << "re=1e39"
                                               << "1 100000 0121";
        QTest::newRow("amplitude 54 of 67.08") << "amp=54"
                                               << "0 000000 1030";
        QTest::newRow("amplitude 53") << "amp=53"
                                      << "4 000001 0121";
    }
    void verdicts()
    {
        QFETCH(QString, changes);
        const Verdict v = judgeExample(answers(changes));
        RunState s;
        s.examplesRight = 10, s.examplesWrong = 20, s.dialogsRight = 30, s.dialogsWrong = 40;
        countExample(s, v.errorCode);
        QTEST(QString::asprintf("%d %d%d%d%d%d%d %d%d%d%d", v.errorCode, v.cis3_0, v.cis3_12, v.uhFi, v.ab, v.vek,
                                v.Sinusak, s.examplesRight - 10, s.examplesWrong - 20, s.dialogsRight - 30,
                                s.dialogsWrong - 40),
              "verdict");
    }
};

QTEST_APPLESS_MAIN(TestJudging)
#include "tst_judging.moc"
