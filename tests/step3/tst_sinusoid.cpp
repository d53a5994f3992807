#include "core/scales.h"
#include "step3/sinusoid.h"
#include "ui/surface/recordingsurface.h"

#include <QtTest>

#include <cmath>

class TestSinusoid : public QObject {
    Q_OBJECT

    // The curve's 51 points as the drawing must compute them for a phase already in range.
    static QList<QPointF> expectedCurve(int phase, double amplitude) {
        QList<QPointF> points;
        for (int i = 0; i <= 50; ++i)
            points << QPointF(
                std::round(42.5 + 8 * i),
                std::round(110.5 - amplitude * std::sin(3.14159265358979 * (8 * i + phase) / 100)));
        return points;
    }
    static QList<QPointF> drawnCurve(const RecordingSurface& s) {
        QList<QPointF> points;
        const auto lines = s.lines();
        for (qsizetype i = lines.size() - 51; i < lines.size(); ++i)
            points << QPointF(lines[i].x2, lines[i].y2);
        return points;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void findAxisMax_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.3") << 0.3 << 1;
        QTest::newRow("3.4") << 3.4 << 4;
        QTest::newRow("9.6") << 9.6 << 10;
        QTest::newRow("10.4") << 10.4 << 10;
        QTest::newRow("10.5 ties to even") << 10.5 << 10;
        QTest::newRow("10.6") << 10.6 << 20;
        QTest::newRow("47") << 47.0 << 60;
        QTest::newRow("96") << 96.0 << 100;
        QTest::newRow("105.4") << 105.4 << 100;
        QTest::newRow("150 ties to even twice") << 150.0 << 300;
        QTest::newRow("20000") << 20000.0 << 30000;
        QTest::newRow("0") << 0.0 << 1;
        QTest::newRow("beyond 16 bits") << 1e9 << 30000;
        QTest::newRow("not a number") << qQNaN() << 1;
    }
    void findAxisMax() {
        QFETCH(double, r);
        QFETCH(int, expected);
        QCOMPARE(int(Scales::FindAxisMax(r)), expected);
    }

    void round_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("2.5") << 2.5 << 3.0;
        QTest::newRow("-2.5") << -2.5 << -3.0;
        QTest::newRow("70.5") << 70.5 << 71.0;
        QTest::newRow("2.49") << 2.49 << 2.0;
    }
    void round() {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(Sinusoid::Round(value), expected);
    }

    void scaleForSh221() {
        RecordingSurface s(485, 221);
        Sinusoid::DrawSin(s, 10, 0, 40);
        QCOMPARE(s.entries.first().op, RecordingSurface::Op::Cls);
        const auto lines = s.lines();
        QCOMPARE(lines.size(), 2 + 8 + 51);
        QCOMPARE(lines[0].y1, 110.5f);
        QCOMPARE(lines[0].x2, 475.f);
        QCOMPARE(lines[1].x1, 242.5f);
        QCOMPARE(lines[1].y2, 211.f);
        // Ticks every 20.125 px, the full scale 80.5 px from the zero line; none at the centre.
        const float ticks[] = {30, 50.125f, 70.25f, 90.375f, 130.625f, 150.75f, 170.875f, 191};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(lines[2 + i].y1, ticks[i]);
            QCOMPARE(lines[2 + i].x1, 240.5f);
            QCOMPARE(lines[2 + i].x2, 246.f);
        }
    }

    void labels_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::newRow("x") << "x" << 475.f << 110.5f;
        QTest::newRow("y") << "y" << 246.5f << -2.f;
        QTest::newRow("top, an integer") << " 10 " << 244.5f << 24.f;
        QTest::newRow("3/4") << " 7,5 " << 244.5f << 44.125f;
        QTest::newRow("1/2") << " 5 " << 244.5f << 64.25f;
        QTest::newRow("1/4") << " 2,5 " << 244.5f << 84.375f;
        QTest::newRow("-1/4") << "-2,5 " << 246.f << 124.625f;
        QTest::newRow("-1/2") << "-5 " << 246.f << 144.75f;
        QTest::newRow("-3/4") << "-7,5 " << 246.f << 164.875f;
        QTest::newRow("bottom, an integer") << "-10 " << 246.f << 185.f;
    }
    void labels() {
        QFETCH(QString, text);
        QFETCH(float, x);
        QFETCH(float, y);
        RecordingSurface s(485, 221);
        Sinusoid::DrawSin(s, 10, 0, 40);
        const RecordingSurface::Entry* e = s.findText(text);
        QVERIFY2(e, qPrintable(text));
        QCOMPARE(e->x1, x);
        QCOMPARE(e->y1, y);
    }

    void curve_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("drawnAs");
        QTest::addColumn<double>("amplitude");
        QTest::newRow("0") << 0 << 0 << 40.0;
        QTest::newRow("50, crest first, halves up") << 50 << 50 << 40.0;
        QTest::newRow("200 unchanged") << 200 << 200 << 40.0;
        QTest::newRow("250 as 50") << 250 << 50 << 80.0;
        QTest::newRow("650 as 50") << 650 << 50 << 80.0;
        QTest::newRow("negative unchanged") << -30 << -30 << 40.0;
        QTest::newRow("flat") << 77 << 77 << 0.0;
    }
    void curve() {
        QFETCH(int, phase);
        QFETCH(int, drawnAs);
        QFETCH(double, amplitude);
        RecordingSurface s(485, 221);
        s.setForeColor(255);
        Sinusoid::DrawSin(s, 10, qint16(phase), amplitude);
        QCOMPARE(drawnCurve(s), expectedCurve(drawnAs, amplitude));
        // The curve starts at SW/2 - 200 itself, not at its rounded value.
        const auto lines = s.lines();
        const auto& first = lines[lines.size() - 51];
        QCOMPARE(first.x1, 42.5f);
        QCOMPARE(first.y1, float(std::round(110.5 - amplitude * std::sin(3.14159265358979 * drawnAs / 100))));
        for (const auto& e : s.entries)
            if (e.op != RecordingSurface::Op::Cls)
                QCOMPARE(e.color, 255u);
    }

    void crestRoundsHalvesAwayFromZero() {
        RecordingSurface s(485, 221);
        Sinusoid::DrawSin(s, 10, 50, 40);
        QCOMPARE(drawnCurve(s).first(), QPointF(43, 71));
    }

    void flatLineOnTheAxis() {
        RecordingSurface s(485, 221);
        Sinusoid::DrawSin(s, 10, 0, 0);
        const auto curve = drawnCurve(s);
        for (const QPointF& p : curve)
            QCOMPARE(p.y(), 111.0);
        QCOMPARE(curve.first().x(), 43.0);
        QCOMPARE(curve.last().x(), 443.0);
    }
};

QTEST_MAIN(TestSinusoid)
#include "tst_sinusoid.moc"
