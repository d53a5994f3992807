#include "core/scales.h"
#include "step3/sinusoid.h"
#include "support/recordingsurface.h"

#include <QtTest>

#include <cmath>

// Every drawing here is on a 485 x 221 picture with axisMax 10: centre (242.5, 110.5), full scale
// 80.5 px, ticks every 20.125 px.
class TestSinusoid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void findAxisMax_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("expected");
        const QList<QPair<double, int>> rows = {{0.3, 1},   {3.4, 4},     {9.6, 10},    {10.4, 10}, {10.5, 10},
                                                {10.6, 20}, {47, 60},     {105.4, 100}, {150, 300}, {20000, 30000},
                                                {0, 1},     {1e9, 30000}, {qQNaN(), 1}}; // ties to even at each
                                                                                         // division
        for (const auto& [r, expected] : rows)
            QTest::addRow("%g", r) << r << expected;
    }
    void findAxisMax()
    {
        QFETCH(double, r);
        QTEST(int(Scales::FindAxisMax(r)), "expected");
    }

    void axesTicksAndLabels()
    {
        RecordingSurface s(485, 221);
        Sinusoid::DrawSin(s, 10, 0, 40);
        QCOMPARE(s.entries.first().op, RecordingSurface::Op::Cls);
        const auto l = s.lines();
        QCOMPARE(l.size(), 2 + 8 + 51);
        QCOMPARE(QPointF(l[0].x2, l[0].y1), QPointF(475, 110.5));
        QCOMPARE(QPointF(l[1].x1, l[1].y2), QPointF(242.5, 211));
        // None at the centre; the outermost 80.5 px from the zero line.
        const float ticks[] = {30, 50.125f, 70.25f, 90.375f, 130.625f, 150.75f, 170.875f, 191};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(QLineF(l[2 + i].x1, l[2 + i].y1, l[2 + i].x2, l[2 + i].y2),
                     QLineF(240.5, ticks[i], 246, ticks[i]));
        // Integers at the ends, decimals in between.
        const QList<QPair<QString, QPointF>> labels = {{"x", {475, 110.5}},       {"y", {246.5, -2}},
                                                       {" 10 ", {244.5, 24}},     {" 7,5 ", {244.5, 44.125}},
                                                       {" 5 ", {244.5, 64.25}},   {" 2,5 ", {244.5, 84.375}},
                                                       {"-2,5 ", {246, 124.625}}, {"-5 ", {246, 144.75}},
                                                       {"-7,5 ", {246, 164.875}}, {"-10 ", {246, 185}}};
        for (const auto& [text, at] : labels) {
            const RecordingSurface::Entry* e = s.findText(text);
            QVERIFY2(e && QPointF(e->x1, e->y1) == at, qPrintable(text));
        }
    }

    // 51 points every 8 px from SW/2 - 200, each rounded half away from zero, in the current colour.
    void curve_data()
    {
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
    void curve()
    {
        QFETCH(int, phase);
        QFETCH(int, drawnAs);
        QFETCH(double, amplitude);
        RecordingSurface s(485, 221);
        s.setForeColor(255);
        Sinusoid::DrawSin(s, 10, qint16(phase), amplitude);
        const auto y = [&](int x) {
            return std::round(110.5 - amplitude * std::sin(3.14159265358979 * (x + drawnAs) / 100));
        };
        const auto l = s.lines().mid(10);
        QCOMPARE(l.size(), 51);
        QCOMPARE(QPointF(l[0].x1, l[0].y1), QPointF(42.5, y(0))); // SW/2 - 200 itself, not rounded
        for (int i = 0; i <= 50; ++i)
            QCOMPARE(QPointF(l[i].x2, l[i].y2), QPointF(std::round(42.5 + 8 * i), y(8 * i)));
        if (phase == 50)
            QCOMPARE(QPointF(l[0].x2, l[0].y2), QPointF(43, 71));
        for (const auto& e : s.entries)
            if (e.op != RecordingSurface::Op::Cls)
                QCOMPARE(e.color, 255u);
    }
};

QTEST_MAIN(TestSinusoid)
#include "tst_sinusoid.moc"
