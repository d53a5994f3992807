#include "core/planemapping.h"
#include "core/scales.h"
#include "core/sinusoidscale.h"

#include <QtTest>

class TestGeometry : public QObject {
    Q_OBJECT
private slots:
    // Both ways on a plane that is not square, so that a swapped width and height shows: 400 x 300 px with
    // axisLimit 1 is 182 px a unit across and 132 px a unit up. The pointer moves the vector only
    // strictly more than 17 px from every edge.
    void plane()
    {
        const PlaneMapping m(400, 300, 1);
        QCOMPARE(QPointF(m.toPixelX(1), m.toPixelY(1)), QPointF(382, 18));
        QCOMPARE(QPointF(m.toPixelX(-1 / 182.f), m.toPixelY(-1 / 132.f)), QPointF(199, 151));
        QCOMPARE(QPointF(m.toRe(18), m.toIm(282)), QPointF(-1, -1));
        QCOMPARE(QPointF(m.pixelRe(), m.pixelIm()), QPointF(1 / 182.f, 1 / 132.f));
        QList<bool> inBand;
        for (QPointF p : {QPointF(17.5, 150), {17, 150}, {382.5, 150}, {383, 150}, {200, 17}, {200, 282.5}, {200, 283}})
            inBand << m.insideBand(p.x(), p.y());
        QCOMPARE(inBand, QList<bool>({true, false, true, false, false, true, false}));
    }

    // 221 px high: zero line 110.5, full scale 80.5 px; 200 px a period.
    void sinusoid()
    {
        const SinusoidScale s(221, 6);
        QCOMPARE(s.amplitudePixels(5), 67.083336f);
        QCOMPARE(s.dragAmplitude(99), qint16(12));  // 11.5 px above the zero line, ties to even
        QCOMPARE(s.dragAmplitude(121), qint16(10)); // 10.5 px below
        QCOMPARE(SinusoidScale::phasePixels(306.8699f), 170.48328f);
        QCOMPARE(SinusoidScale::normalisePhase(1e30f), 40.f); // whole periods off, in one step
    }

    // The scales for a result: axisLimit from the larger part rounded up to one significant digit,
    // axisMax from |z| with ties to even at each division (so |z| may exceed it by almost 5.5 %).
    void axisScales_data()
    {
        QTest::addColumn<QPointF>("z");
        QTest::addColumn<float>("axisLimit");
        QTest::addColumn<int>("axisMax");
        const struct {
            double re, im;
            float limit;
            int max;
        } rows[] = {
            // clang-format off
            {0, 0, 1, 1},         {0.4, 0, 1, 1},         {1, 0, 2, 2},         {9.6, 0, 10, 10},
            {9.99, 0, 10, 10},    {10, 0, 10, 10},        {10.4, 0, 20, 10},    {10.5, 0, 20, 10},
            {10.6, 0, 20, 20},    {0, 37.2, 40, 50},      {-37.2, 5, 40, 50},   {47, 0, 50, 60},
            {99, 0, 100, 100},    {100, 0, 100, 100},     {100.1, 0, 200, 100}, {105.4, 0, 200, 100},
            {150, 0, 200, 300},   {0, 1999, 2000, 3000},  {3, -7.2, 8, 9},      {-20, 20, 30, 40},
            {20000, 0, 30000, 30000}, {1e9, 0, 1e9, 30000}, {qInf(), 1, float(qInf()), 30000},
            {qQNaN(), qQNaN(), 1, 1},
            // clang-format on
        };
        for (const auto& r : rows)
            QTest::addRow("%g%+gi", r.re, r.im) << QPointF(r.re, r.im) << r.limit << r.max;
    }
    void axisScales()
    {
        QFETCH(QPointF, z);
        const float re = float(z.x()), im = float(z.y());
        QTEST(Scales::NajdiMeritk(re, im), "axisLimit");
        QTEST(int(Scales::FindAxisMax(std::sqrt(double(re) * re + double(im) * im))), "axisMax");
    }
};

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
