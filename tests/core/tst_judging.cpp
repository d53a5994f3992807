#include "core/judging.h"

#include <QtTest>

#include <cmath>

using namespace Judging;

namespace {

// The answers that are right for 3 + 4i (|z| = 5, 53.13 degrees) on a 372 x 372 plane with axisLimit 5
// and a 221 px high sinusoid with axisMax 6.
ExampleAnswers rightFor34i() {
    ExampleAnswers a;
    a.resultRe = 3;
    a.resultIm = 4;
    a.re = QStringLiteral("3");
    a.im = QStringLiteral("4");
    a.absh = QStringLiteral("5");
    a.fi = QStringLiteral("53,13");
    a.grafWidth = a.grafHeight = 372;
    a.axisLimit = 5;
    a.vectorEndX = 186 + 3 * 33.6f;
    a.vectorEndY = 186 - 4 * 33.6f;
    a.pbHeight = 221;
    a.axisMax = 6;
    a.amplitude = 67; // 5 / 6 * 80.5 = 67.08
    a.phaseShift = 29.5f;
    return a;
}

} // namespace

class TestJudging : public QObject {
    Q_OBJECT
private slots:
    void bands_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("correct");
        QTest::addColumn<float>("tolerance");
        QTest::addColumn<bool>("inside");
        QTest::newRow("3: lower bound excluded") << 2.985f << 3.0f << 0.5f << false;
        QTest::newRow("3: just above lower") << 2.9851f << 3.0f << 0.5f << true;
        QTest::newRow("3: just below upper") << 3.0149f << 3.0f << 0.5f << true;
        QTest::newRow("3: upper bound excluded") << 3.015f << 3.0f << 0.5f << false;
        QTest::newRow("-3: lower bound excluded") << -3.015f << -3.0f << 0.5f << false;
        QTest::newRow("-3: inside") << -3.0149f << -3.0f << 0.5f << true;
        QTest::newRow("-3: upper bound excluded") << -2.985f << -3.0f << 0.5f << false;
        QTest::newRow("-3: sign matters") << 3.0f << -3.0f << 0.5f << false;
        QTest::newRow("90: 89.1 excluded") << 89.1f << 90.0f << 1.0f << false;
        QTest::newRow("90: 89.11") << 89.11f << 90.0f << 1.0f << true;
        QTest::newRow("90: 90.89") << 90.89f << 90.0f << 1.0f << true;
        QTest::newRow("90: 90.9 excluded") << 90.9f << 90.0f << 1.0f << false;
        QTest::newRow("phase 50: 40 excluded") << 40.0f << 50.0f << 20.0f << false;
        QTest::newRow("phase 50: 40.01") << 40.01f << 50.0f << 20.0f << true;
        QTest::newRow("phase 50: 59.99") << 59.99f << 50.0f << 20.0f << true;
        QTest::newRow("phase 50: 60 excluded") << 60.0f << 50.0f << 20.0f << false;
        QTest::newRow("plain compare: 0 matches nothing") << 0.0f << 0.0f << 20.0f << false;
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 3.0f << 20.0f << false;
    }
    void bands() {
        QFETCH(float, value);
        QFETCH(float, correct);
        QFETCH(float, tolerance);
        QFETCH(bool, inside);
        QCOMPARE(Compar(value, correct, tolerance), inside);
    }

    void readingNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("expected");
        QTest::newRow("comma") << "3,01" << 3.01f;
        QTest::newRow("point") << "3.01" << 3.01f;
        QTest::newRow("comma with exponent") << "1,5e2" << 150.0f;
        QTest::newRow("blanks") << " -2 , 5" << -2.5f;
        QTest::newRow("empty") << "" << 0.0f;
        QTest::newRow("letters") << "abc" << 0.0f;
        QTest::newRow("trailing letters") << "7x" << 7.0f;
        QTest::newRow("beyond float") << "1e39" << std::numeric_limits<float>::infinity();
        QTest::newRow("beyond float negative") << "-1e39" << -std::numeric_limits<float>::infinity();
        QTest::newRow("beyond double") << "1e999" << std::numeric_limits<float>::infinity();
    }
    void readingNumbers() {
        QFETCH(QString, text);
        QFETCH(float, expected);
        QCOMPARE(readNumber(text), expected);
    }

    void getFI_data() {
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<float>("degrees");
        QTest::newRow("positive real") << 5.0f << 0.0f << 0.0f;
        QTest::newRow("positive imaginary") << 0.0f << 2.0f << 90.0f;
        QTest::newRow("negative real") << -5.0f << 0.0f << 180.0f;
        QTest::newRow("negative real, minus zero") << -5.0f << -0.0f << 180.0f;
        QTest::newRow("negative imaginary") << 0.0f << -2.0f << 270.0f;
        QTest::newRow("origin") << 0.0f << 0.0f << 0.0f;
        QTest::newRow("first quadrant") << 1.0f << 1.0f << 45.0f;
        QTest::newRow("second quadrant") << -1.0f << 1.0f << 135.0f;
        QTest::newRow("third quadrant") << -1.0f << -1.0f << 225.0f;
        QTest::newRow("fourth quadrant") << 1.0f << -1.0f << 315.0f;
        QTest::newRow("3 - 4i") << 3.0f << -4.0f << 306.8699f;
        QTest::newRow("just below the positive real axis") << 1.0f << -1e-9f << 0.0f;
    }
    void getFI() {
        QFETCH(float, re);
        QFETCH(float, im);
        QFETCH(float, degrees);
        const float a = GetFI(re, im);
        QVERIFY(a >= 0 && a < 360);
        QVERIFY2(std::fabs(a - degrees) < 1e-3f, qPrintable(QString::number(a)));
    }

    void vectorMapping() {
        QCOMPARE(VectorRe(372 - 18, 372, 5), 5.0f);
        QCOMPARE(VectorRe(18, 372, 5), -5.0f);
        QCOMPARE(VectorRe(186, 372, 5), 0.0f);
        QCOMPARE(VectorIm(18, 372, 40), 40.0f);
        QCOMPARE(VectorIm(372 - 18, 372, 40), -40.0f);
    }

    // The zero rule: a correct value of exactly 0 gets a band of +-(t/100) * size, strictly inside.
    void zeroRule_data() {
        QTest::addColumn<float>("resultRe");
        QTest::addColumn<float>("resultIm");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        // Real part 0 of 0 + 4i: 0.5 % of |z| = 4 is 0.02.
        QTest::newRow("re 0, inside") << 0.0f << 4.0f << "re"
                                      << "-0,019" << true;
        QTest::newRow("re 0, on the bound") << 0.0f << 4.0f << "re"
                                            << "0.02" << false;
        QTest::newRow("re 0, typed 0") << 0.0f << 4.0f << "re"
                                       << "0" << true;
        QTest::newRow("re 0, empty entry") << 0.0f << 4.0f << "re"
                                           << "" << true;
        // Imaginary part 0 of -3: 0.015.
        QTest::newRow("im 0, inside") << -3.0f << 0.0f << "im"
                                      << "0.0149" << true;
        QTest::newRow("im 0, outside") << -3.0f << 0.0f << "im"
                                       << "-0.0151" << false;
        // 0 + 0i: size 1, so 0.005 for the parts and 0.01 for the absolute value.
        QTest::newRow("origin re inside") << 0.0f << 0.0f << "re"
                                          << "0.004" << true;
        QTest::newRow("origin re outside") << 0.0f << 0.0f << "re"
                                           << "0.005" << false;
        QTest::newRow("origin abs inside") << 0.0f << 0.0f << "absh"
                                           << "0.009" << true;
        QTest::newRow("origin abs outside") << 0.0f << 0.0f << "absh"
                                            << "0.01" << false;
        // Angle 0: 1 % of 90 degrees.
        QTest::newRow("angle 0, inside") << 5.0f << 0.0f << "fi"
                                         << "0.89" << true;
        QTest::newRow("angle 0, outside") << 5.0f << 0.0f << "fi"
                                          << "0.9" << false;
        QTest::newRow("angle 0, negative inside") << 5.0f << 0.0f << "fi"
                                                  << "-0.5" << true;
        QTest::newRow("angle 180 keeps its band") << -5.0f << 0.0f << "fi"
                                                  << "181.7" << true;
        QTest::newRow("angle 180 upper bound") << -5.0f << 0.0f << "fi"
                                               << "181.8" << false;
    }
    void zeroRule() {
        QFETCH(float, resultRe);
        QFETCH(float, resultIm);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        ExampleAnswers a;
        a.resultRe = resultRe;
        a.resultIm = resultIm;
        a.re = field == "re" ? typed : QString::number(resultRe);
        a.im = field == "im" ? typed : QString::number(resultIm);
        a.absh = field == "absh" ? typed : QString::number(std::hypot(resultRe, resultIm));
        a.fi = field == "fi" ? typed : QString::number(GetFI(resultRe, resultIm));
        const Verdict v = judgeExample(a);
        const bool wrong = field == "re"     ? v.cis3_0
                           : field == "im"   ? v.cis3_12
                           : field == "absh" ? v.ab
                                             : v.uhFi;
        QCOMPARE(!wrong, right);
        QCOMPARE(bool(v.errorCode & 1), !right);
    }

    void zeroRuleVector() {
        // 0 + 4i on a 372 px plane with axisLimit 5: 33.6 px per unit; the real part's band is
        // +-0.2 * 4 = 0.8, i.e. 26.88 px either side of the centre.
        ExampleAnswers a = rightFor34i();
        a.resultRe = 0;
        a.vectorEndX = 186 + 26.5f;
        QVERIFY(!judgeExample(a).vek);
        a.vectorEndX = 186 - 27.0f;
        QVERIFY(judgeExample(a).vek);
        // 0 + 0i: the vector left at the origin is right.
        a.resultIm = 0;
        a.vectorEndX = a.vectorEndY = 186;
        QVERIFY(!judgeExample(a).vek);
    }

    void zeroRulePhase_data() {
        QTest::addColumn<float>("phase");
        QTest::addColumn<bool>("right");
        QTest::newRow("0") << 0.0f << true;
        QTest::newRow("9.9") << 9.9f << true;
        QTest::newRow("10") << 10.0f << false;
        QTest::newRow("190.1 (near 200)") << 190.1f << true;
        QTest::newRow("190") << 190.0f << false;
        QTest::newRow("200") << 200.0f << true;
        QTest::newRow("100") << 100.0f << false;
    }
    void zeroRulePhase() {
        QFETCH(float, phase);
        QFETCH(bool, right);
        QCOMPARE(CheckPhase(phase, 7, 0), right);
        QCOMPARE(CheckPhase(phase, 0, 0), right);
    }

    void zeroRuleAmplitude() {
        // Full scale of a 221 px picture is 80.5 px; 20 % of it is 16.1.
        ExampleAnswers a = rightFor34i();
        a.resultRe = a.resultIm = 0;
        a.axisMax = 1;
        a.phaseShift = 0;
        a.amplitude = 16;
        QVERIFY(!judgeExample(a).Sinusak);
        a.amplitude = 17;
        QVERIFY(judgeExample(a).Sinusak);
    }

    void phaseOfANegativeRealAndOf306Degrees() {
        // -5 + 0i is 180 degrees, 100 px.
        QVERIFY(CheckPhase(100, -5, 0));
        QVERIFY(!CheckPhase(0, -5, 0));
        // 306 degrees is 170 px, band 136 to 204: a drag 30 px to the right is stored as 170.
        const double rad = 306.0 * M_PI / 180.0;
        const float re = float(std::cos(rad)), im = float(std::sin(rad));
        QVERIFY(CheckPhase(170, re, im));
        QVERIFY(CheckPhase(136.5f, re, im));
        QVERIFY(!CheckPhase(135.5f, re, im));
        QVERIFY(CheckPhase(203.5f, re, im));
        QVERIFY(!CheckPhase(204.5f, re, im));
    }

    void verdicts_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<QString>("marks");     // re im fi ab vek sin, 1 = wrong
        QTest::addColumn<QList<int>>("counts"); // examplesRight, examplesWrong, dialogsRight, dialogsWrong
        QTest::newRow("all right") << "" << 0 << "000000" << QList<int>{1, 0, 3, 0};
        QTest::newRow("only the angle") << "fi" << 1 << "001000" << QList<int>{0, 1, 2, 1};
        QTest::newRow("both vector parts") << "vector" << 2 << "000010" << QList<int>{0, 1, 2, 1};
        QTest::newRow("amplitude and phase") << "sinusoid" << 4 << "000001" << QList<int>{0, 1, 2, 1};
        QTest::newRow("everything") << "all" << 7 << "111111" << QList<int>{0, 1, 0, 3};
        QTest::newRow("1e39 as the real part") << "1e39" << 1 << "100000" << QList<int>{0, 1, 2, 1};
        QTest::newRow("decimal comma") << "comma" << 0 << "000000" << QList<int>{1, 0, 3, 0};
    }
    void verdicts() {
        QFETCH(QString, change);
        QFETCH(int, errorCode);
        QFETCH(QString, marks);
        QFETCH(QList<int>, counts);
        ExampleAnswers a = rightFor34i();
        if (change == "fi")
            a.fi = QStringLiteral("54");
        if (change == "vector" || change == "all") {
            a.vectorEndX = 186 - 3 * 33.6f;
            a.vectorEndY = 186 + 4 * 33.6f;
        }
        if (change == "sinusoid" || change == "all") {
            a.amplitude = 40;
            a.phaseShift = 100;
        }
        if (change == "all") {
            a.re = QStringLiteral("-3");
            a.im = QStringLiteral("x");
            a.absh = QStringLiteral("7");
            a.fi = QStringLiteral("90");
        }
        if (change == "1e39")
            a.re = QStringLiteral("1e39");
        if (change == "comma")
            a.re = QStringLiteral("3,01");

        const Verdict v = judgeExample(a);
        QCOMPARE(int(v.errorCode), errorCode);
        const QString got = QString::number(v.cis3_0) + QString::number(v.cis3_12) + QString::number(v.uhFi) +
                            QString::number(v.ab) + QString::number(v.vek) + QString::number(v.Sinusak);
        QCOMPARE(got, marks);

        RunState state;
        state.examplesRight = 10;
        state.examplesWrong = 20;
        state.dialogsRight = 30;
        state.dialogsWrong = 40;
        countExample(state, v.errorCode);
        QCOMPARE((QList<int>{state.examplesRight - 10, state.examplesWrong - 20, state.dialogsRight - 30,
                             state.dialogsWrong - 40}),
                 counts);
    }

    void onlyTheAmplitudeOrOnlyThePhase() {
        ExampleAnswers a = rightFor34i();
        a.amplitude = 54; // 20 % below 67.08 is 53.67
        QCOMPARE(int(judgeExample(a).errorCode), 0);
        a.amplitude = 53;
        QCOMPARE(int(judgeExample(a).errorCode), 4);
        a = rightFor34i();
        a.phaseShift = 36;
        QCOMPARE(int(judgeExample(a).errorCode), 4);
    }
};

QTEST_APPLESS_MAIN(TestJudging)
#include "tst_judging.moc"
