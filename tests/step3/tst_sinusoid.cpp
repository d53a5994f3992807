#include "step3/sinusoid.h"
#include "support/recordingsurface.h"

#include <QtTest>

// Every drawing here is on a 485 x 221 picture with axisMax 10: centre (242.5, 110.5), full scale
// 80.5 px, ticks every 20.125 px.
class TestSinusoid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

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

    // 51 points every 8 px from SW/2 - 200 (the start itself not rounded), each rounded half away from
    // zero; a positive phase moves the curve left, a positive sine upwards. The start, then the points
    // 0, 1, 5, 12, 25 and 50, all in the current colour.
    void curve_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<QList<QPointF>>("points");
        QTest::newRow("phase 0") << 0 << 40.0 << QList<QPointF>{{42.5, 111}, {43, 111},  {51, 101}, {83, 72},
                                                                {139, 105},  {243, 111}, {443, 111}};
        QTest::newRow("phase 50, the crest first")
            << 50 << 40.0 << QList<QPointF>{{42.5, 71}, {43, 71}, {51, 72}, {83, 98}, {139, 150}, {243, 71}, {443, 71}};
        QTest::newRow("flat") << 77 << 0.0 << QList<QPointF>{{42.5, 111}, {43, 111},  {51, 111}, {83, 111},
                                                             {139, 111},  {243, 111}, {443, 111}};
    }
    void curve()
    {
        QFETCH(int, phase);
        QFETCH(double, amplitude);
        RecordingSurface s(485, 221);
        s.setForeColor(255);
        Sinusoid::DrawSin(s, 10, qint16(phase), amplitude);
        const auto l = s.lines().mid(10);
        QCOMPARE(l.size(), 51);
        QList<QPointF> points = {{l[0].x1, l[0].y1}};
        for (int i : {0, 1, 5, 12, 25, 50})
            points << QPointF(l[i].x2, l[i].y2);
        QTEST(points, "points");
        for (const auto& e : s.entries)
            if (e.op != RecordingSurface::Op::Cls)
                QCOMPARE(e.color, 255u);
    }
};

QTEST_MAIN(TestSinusoid)
#include "tst_sinusoid.moc"
