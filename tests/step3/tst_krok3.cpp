// Step 3: the sinusoid as drawn, and its amplitude and phase shift under the mouse and the keys.
// Positions in pixels of pb's inner area (485 x 221: centre 242.5, 110.5; full scale 80.5).

#include "app/exerciseflow.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "step3/sinusoid.h"
#include "support/recordingsurface.h"
#include "support/testsupport.h"

using namespace TestSupport;

class TestKrok3 : public QObject {
    Q_OBJECT

    Krok3* form = nullptr;
    PictureBox* pb = nullptr;

    void hears(const QString& text) { QVERIFY2(pb->accessibleDescription().contains(text), qPrintable(text)); }

private slots:
    void init()
    {
        resetProgram();
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4)); // 25 / (3 - 4i) = 3 + 4i: the amplitude axis ends at 6
        ExerciseFlow::firstExample();
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        Pupil::clickButton(&Forms::get<krok2>(), "Contin");
        form = active<Krok3>();
        QVERIFY(form);
        pb = child<PictureBox>(form, "pb");
    }

    // With axisMax 10: ticks every 20.125 px, none at the centre; integers at the ends, decimals between.
    void axes()
    {
        RecordingSurface s(485, 221);
        Sinusoid::DrawSin(s, 10, 0, 40);
        QVERIFY(s.cleared);
        QCOMPARE(s.lines.size(), 2 + 8 + 51);
        QCOMPARE(QPointF(s.lines[0].x2(), s.lines[0].y1()), QPointF(475, 110.5));
        QCOMPARE(QPointF(s.lines[1].x1(), s.lines[1].y2()), QPointF(242.5, 211));
        QList<QLineF> ticks;
        for (float y : {30.f, 50.125f, 70.25f, 90.375f, 130.625f, 150.75f, 170.875f, 191.f})
            ticks << QLineF(240.5, y, 246, y);
        QCOMPARE(s.lines.mid(2, 8), ticks);
        QCOMPARE(s.texts, (QList<RecordingSurface::Text>{{"x", {475, 110.5}},
                                                         {"y", {246.5, -2}},
                                                         {" 10 ", {244.5, 24}},
                                                         {" 7,5 ", {244.5, 44.125}},
                                                         {" 5 ", {244.5, 64.25}},
                                                         {" 2,5 ", {244.5, 84.375}},
                                                         {"-2,5 ", {246, 124.625}},
                                                         {"-5 ", {246, 144.75}},
                                                         {"-7,5 ", {246, 164.875}},
                                                         {"-10 ", {246, 185}}}));
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
    }
    void curve()
    {
        QFETCH(int, phase);
        QFETCH(double, amplitude);
        RecordingSurface s(485, 221);
        s.setForeColor(255);
        Sinusoid::DrawSin(s, 10, qint16(phase), amplitude);
        const auto l = s.lines.mid(10);
        QCOMPARE(l.size(), 51);
        QList<QPointF> points = {l[0].p1()};
        for (int i : {0, 1, 5, 12, 25, 50})
            points << l[i].p2();
        QTEST(points, "points");
        QCOMPARE(s.colors, QList<quint32>(s.lines.size(), 255));
    }

    // Bands of strictly less than 6 px; the vertical one wins where they cross. Hovering draws nothing.
    void hoverBands()
    {
        const QImage picture = pb->image().copy();
        for (auto [at, pointer] : {std::pair{QPointF(100, 40), 0},
                                   {QPointF(248.4, 40), 9},
                                   {QPointF(248.5, 40), 0},
                                   {QPointF(100, 116.4), 7},
                                   {QPointF(100, 116.5), 0},
                                   {QPointF(244, 112), 9}}) {
            Pupil::hover(pb, at);
            QVERIFY2(pb->MousePointer() == pointer, qPrintable(QStringLiteral("%1, %2").arg(at.x()).arg(at.y())));
        }
        QCOMPARE(pb->image(), picture);
    }

    void drags_data()
    {
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<float>("during");
        QTest::addColumn<float>("after");
        QTest::addColumn<int>("amplitude");
        QTest::newRow("250 px left") << QPointF(400, 40) << QPointF(150, 40) << 250.f << 50.f << 70;
        QTest::newRow("30 px right") << QPointF(300, 40) << QPointF(330, 40) << -30.f << 170.f << 70;
        QTest::newRow("clamped above") << QPointF(300, 40) << QPointF(300, -500) << 0.f << 0.f << 80;
        QTest::newRow("clamped below") << QPointF(300, 40) << QPointF(300, 1e6) << 0.f << 0.f << 80;
        QTest::newRow("phase only from the crossing") << QPointF(244, 112) << QPointF(300, 10) << -56.f << 144.f << 40;
        QTest::newRow("amplitude only") << QPointF(100, 112) << QPointF(400, 30) << 0.f << 0.f << 80;
        QTest::newRow("far left") << QPointF(300, 60) << QPointF(-1e7, 60) << 10000300.f << 100.f << 50;
    }
    void drags()
    {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, amplitude);
        Pupil::hover(pb, from);
        Pupil::down(pb, from);
        Pupil::hover(pb, to, Qt::LeftButton);
        QTEST(form->phaseShift, "during");
        QCOMPARE(form->amplitude, qint16(amplitude));
        Pupil::up(pb, to);
        QTEST(form->phaseShift, "after");
        QCOMPARE(pb->MousePointer(), 0);
    }

    void freeDragPointerAndSecondButton()
    {
        Pupil::hover(pb, {400, 40});
        Pupil::down(pb, {400, 40});
        QCOMPARE(pb->MousePointer(), 5);
        Pupil::mouse(pb, QEvent::MouseButtonPress, {390, 40}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(beeps, 1);
        Pupil::hover(pb, {380, 40}, Qt::LeftButton); // the drag goes on from where it was
        QCOMPARE(form->phaseShift, 20.0f);
    }

    // Tab reaches the picture; Up and Left move the curve by 1 px, with Shift by 10 px, and do nothing
    // during a drag. A screen reader hears the amplitude and the phase shift.
    void keyboard()
    {
        child(form, "kon")->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pb);
        hears("Amplituda 2,98 (stupnice do 6), fázový posun 0,0°."); // 40 px of 80.5 to the tick at 6
        Pupil::press(Qt::Key_Up);
        Pupil::press(Qt::Key_Left);
        hears("Amplituda 3,06 (stupnice do 6), fázový posun 1,8°.");
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier); // 1 - 10 px comes round to 191 px of 200
        hears("Amplituda 3,06 (stupnice do 6), fázový posun 343,8°.");
        Pupil::down(pb, {400, 40});
        Pupil::press(Qt::Key_Left, Qt::ShiftModifier);
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE((QList<float>{form->phaseShift, float(form->amplitude)}), (QList<float>{191, 41}));
        Pupil::up(pb, {400, 40});
    }
};

QTEST_MAIN(TestKrok3)
#include "tst_krok3.moc"
