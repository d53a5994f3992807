#include "core/planemapping.h"
#include "core/scales.h"
#include "core/sinusoidscale.h"

#include <QtTest>

class TestGeometry : public QObject {
    Q_OBJECT
private slots:
    // Both ways on a plane that is not square, so that a swapped width and height shows: 400 x 300 px
    // with axisLimit 1 is 182 px a unit across and 132 px a unit up.
    void plane_data()
    {
        QTest::addColumn<QPointF>("value");
        QTest::addColumn<QPointF>("pixel");
        QTest::newRow("origin") << QPointF(0, 0) << QPointF(200, 150);
        QTest::newRow("top right corner, 18 px inside") << QPointF(1, 1) << QPointF(382, 18);
        QTest::newRow("bottom left corner") << QPointF(-1, -1) << QPointF(18, 282);
        QTest::newRow("one pixel right and up") << QPointF(1 / 182.f, 1 / 132.f) << QPointF(201, 149);
    }
    void plane()
    {
        QFETCH(QPointF, value);
        QFETCH(QPointF, pixel);
        const PlaneMapping m(400, 300, 1);
        QCOMPARE(QPointF(m.toPixelX(value.x()), m.toPixelY(value.y())), pixel);
        QCOMPARE(QPointF(m.toRe(pixel.x()), m.toIm(pixel.y())), value);
        QCOMPARE(QPointF(m.pixelRe(), m.pixelIm()), QPointF(1 / 182.f, 1 / 132.f));
    }

    // The pointer moves the vector strictly more than 17 px from every edge.
    void band_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("inside");
        QTest::newRow("17 px from the left") << QPointF(17, 150) << false;
        QTest::newRow("on the left axis end") << QPointF(18, 150) << true;
        QTest::newRow("on the right axis end") << QPointF(382, 150) << true;
        QTest::newRow("just short of 17 px from the right") << QPointF(382.9, 150) << true;
        QTest::newRow("17 px from the right") << QPointF(383, 150) << false;
        QTest::newRow("17 px from the top") << QPointF(200, 17) << false;
        QTest::newRow("on the bottom axis end") << QPointF(200, 282) << true;
        QTest::newRow("17 px from the bottom") << QPointF(200, 283) << false;
    }
    void band()
    {
        QFETCH(QPointF, at);
        QTEST(PlaneMapping(400, 300, 1).insideBand(at.x(), at.y()), "inside");
    }

    // 221 px high: zero line 110.5, full scale 80.5 px.
    void sinusoid()
    {
        const SinusoidScale s(221, 6);
        QCOMPARE(s.fullScale(), 80.5);
        QCOMPARE(s.amplitudePixels(5), 67.083336f);
        QCOMPARE(s.amplitudeValue(80.5), 6.0);
        QCOMPARE(s.dragAmplitude(99), qint16(12));   // 11.5 px, ties to even
        QCOMPARE(s.dragAmplitude(121), qint16(10));  // 10.5 px below
        QCOMPARE(s.dragAmplitude(-500), qint16(80)); // held at the full scale, 80.5 to even
        QCOMPARE(SinusoidScale::phasePixels(306.8699f), 170.48328f);
        QCOMPARE(SinusoidScale::phaseDegrees(50), 90.0);
    }

    // Into one period, 0 to 200 inclusive; a phase far beyond 16 bits is drawn reduced by whole periods.
    void phases_data()
    {
        QTest::addColumn<float>("phase");
        QTest::addColumn<float>("normalised");
        QTest::addColumn<int>("drawn");
        QTest::newRow("250") << 250.f << 50.f << 250;
        QTest::newRow("200 stays") << 200.f << 200.f << 200;
        QTest::newRow("-30") << -30.f << 170.f << -30;
        QTest::newRow("40050") << 40050.f << 50.f << 50;
        QTest::newRow("1e30, whole periods off") << 1e30f << 40.f << 40;
        QTest::newRow("not a number") << float(qQNaN()) << 0.f << 0;
    }
    void phases()
    {
        QFETCH(float, phase);
        QTEST(SinusoidScale::normalisePhase(phase), "normalised");
        QTEST(int(SinusoidScale::drawnPhase(phase)), "drawn");
    }

    void najdiMeritk_data()
    {
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<float>("expected");
        const QList<QPair<float, float>> magnitudes = {{0, 1},     {0.4f, 1},     {1, 2},      {9.99f, 10},
                                                       {10, 10},   {10.5f, 20},   {37.2f, 40}, {99, 100},
                                                       {100, 100}, {100.1f, 200}, {1999, 2000}};
        for (const auto& [m, limit] : magnitudes) {
            QTest::addRow("real %g", double(m)) << m << 0.0f << limit;
            QTest::addRow("imaginary %g", double(m)) << 0.0f << m << limit;
        }
        QTest::newRow("3 - 7.2i") << 3.0f << -7.2f << 8.0f;
        QTest::newRow("-37.2 + 5i") << -37.2f << 5.0f << 40.0f;
        QTest::newRow("both negative") << -150.0f << -1999.0f << 2000.0f;
        QTest::newRow("not a number") << float(qQNaN()) << float(qQNaN()) << 1.0f;
        QTest::newRow("infinity ends the loop") << float(qInf()) << 1.0f << float(qInf());
    }
    void najdiMeritk()
    {
        QFETCH(float, re);
        QFETCH(float, im);
        QTEST(Scales::NajdiMeritk(re, im), "expected");
    }

    // Ties to even at each division: r may exceed the scale by almost 5.5 %.
    void findAxisMax_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("expected");
        const QList<QPair<double, int>> rows = {{0.3, 1},   {3.4, 4},     {9.6, 10},    {10.4, 10}, {10.5, 10},
                                                {10.6, 20}, {47, 60},     {105.4, 100}, {150, 300}, {20000, 30000},
                                                {0, 1},     {1e9, 30000}, {qQNaN(), 1}};
        for (const auto& [r, expected] : rows)
            QTest::addRow("%g", r) << r << expected;
    }
    void findAxisMax()
    {
        QFETCH(double, r);
        QTEST(int(Scales::FindAxisMax(r)), "expected");
    }
};

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
