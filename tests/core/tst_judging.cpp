#include "core/judging.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

using namespace Judging;

// The answers that are right for 3 + 4i (|z| = 5, 53.13 degrees) on a 372 x 372 plane with axisLimit 5
// (33.6 px a unit) and a 221 px high sinusoid with axisMax 6 (full scale 80.5 px), changed by
// "key=value;...": re, im, ab, fi as typed; x, y the vector end; amp, phase, max; result rre, rim.
static ExampleAnswers answers(const QString& changes)
{
    ExampleAnswers a{"3", "4", "5", "53,13", 186 + 3 * 33.6f, 186 - 4 * 33.6f, 372, 372, 5, 67, 29.5f, 6, 221, 3, 4};
    const QMap<QString, QString*> texts = {{"re", &a.re}, {"im", &a.im}, {"ab", &a.absh}, {"fi", &a.fi}};
    QMap<QString, float*> floats = {{"x", &a.vectorEndX}, {"y", &a.vectorEndY}, {"phase", &a.phaseShift}};
    floats.insert({{"rre", &a.resultRe}, {"rim", &a.resultIm}});
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
        } rows[] = {{2.985f, 3, 0.5f, false},   {2.9851f, 3, 0.5f, true},   {3.0149f, 3, 0.5f, true},
                    {3.015f, 3, 0.5f, false},   {-3.015f, -3, 0.5f, false}, {-3.0149f, -3, 0.5f, true},
                    {-2.985f, -3, 0.5f, false}, {3, -3, 0.5f, false},       {89.1f, 90, 1, false},
                    {89.11f, 90, 1, true},      {90.89f, 90, 1, true},      {90.9f, 90, 1, false},
                    {40, 50, 20, false},        {40.01f, 50, 20, true},     {59.99f, 50, 20, true},
                    {60, 50, 20, false},        {0, 0, 20, false},          {float(qInf()), 3, 20, false}};
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

    void readingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("expected");
        const QList<QPair<const char*, float>> rows = {
            {"3,01", 3.01f}, {"3.01", 3.01f}, {"1,5e2", 150},   {" -2 , 5", -2.5f}, {"", 0},
            {"abc", 0},      {"7x", 7},       {"1e39", qInf()}, {"-1e39", -qInf()}, {"1e999", qInf()}};
        for (const auto& [text, expected] : rows)
            QTest::addRow("'%s'", text) << QString::fromUtf8(text) << expected;
    }
    void readingNumbers()
    {
        QFETCH(QString, text);
        QTEST(readNumber(text), "expected");
    }

    void getFI_data()
    {
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<float>("degrees");
        const struct {
            float re, im, degrees;
        } rows[] = {{5, 0, 0},  {0, 2, 90},   {-5, 0, 180},  {-5, -0.0f, 180}, {0, -2, 270},       {0, 0, 0},
                    {1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315},     {3, -4, 306.8699f}, {1, -1e-9f, 0}};
        for (const auto& r : rows)
            QTest::addRow("%g %+gi", r.re, r.im) << r.re << r.im << r.degrees;
    }
    void getFI()
    {
        QFETCH(float, re);
        QFETCH(float, im);
        QFETCH(float, degrees);
        const float a = GetFI(re, im);
        QVERIFY2(a >= 0 && a < 360 && std::fabs(a - degrees) < 1e-3f, qPrintable(QString::number(a)));
    }

    // A correct value of exactly 0 gets the band of +-(t/100) * size, strictly inside: |result| for the
    // parts (1 for 0 + 0i; 0.5 % of 4 is 0.02), 90 degrees for the angle (1 % is 0.9; 180 keeps its band),
    // 26.88 px for 0.8 on the plane, the full scale 80.5 px for the amplitude (20 % is 16.1).
    void zeroRule_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("verdict");
        const QStringList rows = {"rre=0;re=-0,019 re right",
                                  "rre=0;re=0.02 re wrong",
                                  "rre=0;re= re right",
                                  "rre=-3;rim=0;im=0.0149 im right",
                                  "rre=-3;rim=0;im=-0.0151 im wrong",
                                  "rre=0;rim=0;re=0.004 re right",
                                  "rre=0;rim=0;re=0.005 re wrong",
                                  "rre=0;rim=0;ab=0.009 ab right",
                                  "rre=0;rim=0;ab=0.01 ab wrong",
                                  "rre=5;rim=0;fi=0.89 fi right",
                                  "rre=5;rim=0;fi=0.9 fi wrong",
                                  "rre=5;rim=0;fi=-0.5 fi right",
                                  "rre=-5;rim=0;fi=181.7 fi right",
                                  "rre=-5;rim=0;fi=181.8 fi wrong",
                                  "rre=0;x=212.5 vek right",
                                  "rre=0;x=159 vek wrong",
                                  "rre=0;rim=0;x=186;y=186 vek right",
                                  "rre=0;rim=0;max=1;phase=0;amp=16 sin right",
                                  "rre=0;rim=0;max=1;phase=0;amp=17 sin wrong"};
        for (const QString& r : rows)
            QTest::newRow(qPrintable(r)) << r.section(' ', 0, 0) << r.section(' ', 1, 1) << r.section(' ', 2, 2);
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

    // 200 px a period, 20 % band; for the angle 0 +-10 px around 0 and around 200. 306 degrees is
    // 170 px, band 136 to 204: a drag 30 px to the right is stored as 170.
    void phase_data()
    {
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<float>("phase");
        QTest::addColumn<bool>("right");
        const float c = std::cos(306 * M_PI / 180), s = std::sin(306 * M_PI / 180);
        const struct {
            float re, im, phase;
            bool right;
        } rows[] = {{7, 0, 0, true},      {7, 0, 9.9f, true},   {7, 0, 10, false},     {7, 0, 190.1f, true},
                    {7, 0, 190, false},   {7, 0, 200, true},    {7, 0, 100, false},    {0, 0, 9.9f, true},
                    {0, 0, 190.1f, true}, {0, 0, 190, false},   {-5, 0, 100, true},    {-5, 0, 0, false},
                    {c, s, 170, true},    {c, s, 136.5f, true}, {c, s, 135.5f, false}, {c, s, 203.5f, true},
                    {c, s, 204.5f, false}};
        for (const auto& r : rows)
            QTest::addRow("%.0f degrees, %g px", GetFI(r.re, r.im), r.phase) << r.re << r.im << r.phase << r.right;
    }
    void phase()
    {
        QFETCH(float, phase);
        QFETCH(float, re);
        QFETCH(float, im);
        QTEST(CheckPhase(phase, re, im), "right");
    }

    // The error code, the marks re im fi ab vek sin (1 = wrong) and what the counters examplesRight,
    // examplesWrong, dialogsRight and dialogsWrong gain.
    void verdicts_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("verdict");
        const QString mirrored = "x=85.2;y=320.4", flat = "amp=40;phase=100";
        QTest::newRow("all right") << u""_s << u"0 000000 1030"_s;
        QTest::newRow("only the angle") << u"fi=54"_s << u"1 001000 0121"_s;
        QTest::newRow("both vector parts") << mirrored << "2 000010 0121";
        QTest::newRow("amplitude and phase") << flat << "4 000001 0121";
        QTest::newRow("everything") << "re=-3;im=x;ab=7;fi=90;" + mirrored + ";" + flat << "7 111111 0103";
        QTest::newRow("1e39 as the real part") << u"re=1e39"_s << u"1 100000 0121"_s;
        QTest::newRow("decimal comma") << u"re=3,01"_s << u"0 000000 1030"_s;
        QTest::newRow("amplitude 54, 20 % of 67.08 is 13.42") << u"amp=54"_s << u"0 000000 1030"_s;
        QTest::newRow("amplitude 53") << u"amp=53"_s << u"4 000001 0121"_s;
        QTest::newRow("only the phase") << u"phase=36"_s << u"4 000001 0121"_s;
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
