#include "app/exerciseflow.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/pupil.h"

using namespace TestSupport;

// Positions in pixels of pb's inner area (485 x 221: centre 242.5, 110.5; full scale 80.5).
class TestKrok3 : public QObject {
    Q_OBJECT

    Krok3* form = nullptr;
    PictureBox* pb = nullptr;

private slots:
    void init()
    {
        resetProgram();
        ExerciseFlow::firstExample(); // (100 + 200i) + (300 - 400i): r = 447.2
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        Pupil::clickButton(&Forms::get<krok2>(), "Contin");
        form = shown<Krok3>();
        QVERIFY(form && QTest::qWaitForWindowExposed(form));
        pb = child<PictureBox>(form, "pb");
    }

    // Bands of strictly less than 6 px; the vertical one wins where they cross.
    void hoverBands_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("pointer");
        QTest::newRow("free") << QPointF(100, 40) << 0;
        QTest::newRow("vertical band") << QPointF(248.4, 40) << 9;
        QTest::newRow("6 px right of the vertical axis") << QPointF(248.5, 40) << 0;
        QTest::newRow("horizontal band") << QPointF(100, 116.4) << 7;
        QTest::newRow("6 px below the zero line") << QPointF(100, 116.5) << 0;
        QTest::newRow("crossing, vertical wins") << QPointF(244, 112) << 9;
    }
    void hoverBands()
    {
        QFETCH(QPointF, at);
        const QImage picture = pb->image().copy();
        Pupil::hover(pb, at);
        QTEST(pb->MousePointer(), "pointer");
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

    void keysIgnoredDuringADrag()
    {
        pb->setFocus();
        QTest::keyClick(pb, Qt::Key_Right); // the curve moves right: 0 - 1, brought to 199
        QCOMPARE(form->phaseShift, 199.0f);
        Pupil::down(pb, {400, 40});
        QTest::keyClick(pb, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(pb, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(form->phaseShift, 199.0f);
        QCOMPARE(form->amplitude, qint16(40));
        Pupil::up(pb, {400, 40});
    }
};

QTEST_MAIN(TestKrok3)
#include "tst_krok3.moc"
