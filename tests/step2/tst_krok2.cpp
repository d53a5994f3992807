#include "app/exerciseflow.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/pupil.h"

#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;

class TestKrok2 : public QObject {
    Q_OBJECT
    krok2* form = nullptr;
    PictureBox* graf = nullptr;

    QPointF end() const { return {form->vectorEndX, form->vectorEndY}; }
    bool black(int x, int y) const { return graf->image().pixelColor(x, y) == Qt::black; }

private slots:
    void init()
    {
        resetProgram();
        ExerciseFlow::firstExample(); // (100 + 200i) + (300 - 400i)
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        form = shown<krok2>();
        QVERIFY(form && QTest::qWaitForWindowExposed(form));
        graf = child<PictureBox>(form, "Graf");
    }

    void clicksToggleFollowing()
    {
        QVERIFY(black(191, 186) && black(186, 191)); // the plus marker on the origin
        Pupil::hover(graf, {100, 100});
        QCOMPARE(end(), QPointF(186, 186)); // fixed: moves change nothing
        Pupil::click(graf, {100, 100});     // the first click only lets the end follow
        QCOMPARE(end(), QPointF(186, 186));
        Pupil::hover(graf, {120, 110});
        QCOMPARE(end(), QPointF(120, 110));
        QVERIFY(!black(124, 110)); // no marker while following
        Pupil::click(graf, {120, 110});
        QVERIFY(black(124, 110));
        Pupil::hover(graf, {200, 250});
        QCOMPARE(end(), QPointF(120, 110));
    }

    // Strict: X > 17, X < W - 17, Y > 17, Y < H - 17 (W = H = 372), whatever buttons are held.
    void band_data()
    {
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<bool>("accepted");
        for (QPointF p : {QPointF(17.5, 200), QPointF(354.9, 200)})
            QTest::addRow("%g, %g", p.x(), p.y()) << p << true;
        for (QPointF p : {QPointF(17, 200), QPointF(355, 200), QPointF(200, 17), QPointF(200, 355), QPointF(1e7, 1e9)})
            QTest::addRow("%g, %g", p.x(), p.y()) << p << false;
    }
    void band()
    {
        QFETCH(QPointF, position);
        QFETCH(bool, accepted);
        Pupil::click(graf, {100, 100});
        Pupil::hover(graf, {100, 100});
        for (Qt::MouseButtons held : {Qt::NoButton, Qt::LeftButton}) {
            Pupil::hover(graf, position, held);
            QVERIFY((end() - (accepted ? position : QPointF(100, 100))).manhattanLength() < 1e-4);
        }
    }

    // Going back and on keeps the entries, the example, each picture, the end point, the following,
    // the sinusoid; Vysledky shows the entries as they are when going on again.
    void stateSurvivesTheSteps()
    {
        Krok1& step1 = Forms::get<Krok1>();
        Krok3& step3 = Forms::get<Krok3>();
        auto* im = child<QLineEdit>(&step1, "vys_1");
        im->setText(QStringLiteral("-2"));
        Pupil::click(graf, {100, 100});
        Pupil::hover(graf, {150, 61});
        const QImage picture = graf->image().copy();
        Pupil::clickButton(form, "Contin");
        auto* pb = child<PictureBox>(&step3, "pb");
        Pupil::drag(pb, {400, 40}, {350, 60});
        const QImage curve = pb->image().copy();
        Pupil::clickButton(&step3, "bac");
        QCOMPARE(graf->image(), picture);
        Pupil::clickButton(form, "bac");
        QVERIFY(shown<Krok1>() && !shown<Vysledky>());
        QCOMPARE(QStringList({im->text(), child<QLabel>(&step1, "k1_0")->text()}), QStringList({"-2", "100"}));
        im->setText(QStringLiteral("5"));
        Pupil::clickButton(&step1, "Contin");
        QCOMPARE((child<QLabel, Vysledky>("v_2")->text() + child<QLabel, Vysledky>("v_1")->text()), "+5");
        QCOMPARE(end(), QPointF(150, 61));
        QCOMPARE(form->vectorFollowing, qint16(-1));
        Pupil::clickButton(form, "Contin");
        QCOMPARE((QList<float>{step3.phaseShift, float(step3.amplitude)}), (QList<float>{50, 50}));
        QCOMPARE(pb->image(), curve);
    }

    void keyboard()
    {
        graf->setFocus();
        QTest::keyClick(graf, Qt::Key_Right); // fixed: keys do not move it
        QTest::keyClick(graf, Qt::Key_Space);
        for (int i = 0; i < 40; ++i) { // held down, the keys stop at the band's last whole pixel
            QTest::keyClick(graf, Qt::Key_Left, Qt::ShiftModifier);
            QTest::keyClick(graf, Qt::Key_Down, Qt::ShiftModifier);
        }
        QCOMPARE(end(), QPointF(18, 354));
        Pupil::hover(graf, {300, 40}); // the mouse takes over, and the keys go on from there
        QTest::keyClick(graf, Qt::Key_Down);
        QCOMPARE(end(), QPointF(300, 41));
    }
};

QTEST_MAIN(TestKrok2)
#include "tst_krok2.moc"
