#include "step2/picturemouse.h"
#include "testsupport.h"

#include "app/forms.h"
#include "core/data_a_promene.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"

#include <QPushButton>
#include <QtTest>

class TestKrok2 : public QObject {
    Q_OBJECT
    krok2* form = nullptr;
    PictureBox* graf = nullptr;

    void move(QPointF at, Qt::MouseButtons held = Qt::NoButton) { PictureMouse::move(graf, at, held); }
    void click(QPointF at) { PictureMouse::click(graf, at); }
    QPointF end() const { return {form->vectorEndX, form->vectorEndY}; }
    bool black(int x, int y) const { return graf->image().pixelColor(x, y) == Qt::black; }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        Forms::get<Krok1>(); // a new example: (100 + 200i) + (300 - 400i)
        form = &Forms::get<krok2>();
        graf = form->Graf;
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void clicksToggleFollowing()
    {
        QCOMPARE(Data_a_promene::axisLimit, 500.0f);
        QCOMPARE(graf->MousePointer(), int(Pointer::Crosshair));
        QCOMPARE(form->back->width(), 3 * form->Contin->width() + 2 * 6);
        QVERIFY(black(191, 186) && black(186, 191)); // the plus marker on the origin
        move({100, 100});
        QCOMPARE(end(), QPointF(186, 186)); // fixed: moves change nothing
        click({100, 100});
        QCOMPARE(form->vectorFollowing, qint16(-1));
        QCOMPARE(end(), QPointF(186, 186));
        move({120, 110});
        QCOMPARE(end(), QPointF(120, 110));
        QVERIFY(!black(124, 110)); // no marker while following
        click({120, 110});
        QCOMPARE(form->vectorFollowing, qint16(0));
        QVERIFY(black(124, 110));
        move({200, 250});
        QCOMPARE(end(), QPointF(120, 110));
    }

    // Strict: X > 17, X < W - 17, Y > 17, Y < H - 17 (W = H = 372), whatever buttons are held.
    void band_data()
    {
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<bool>("accepted");
        for (QPointF p : {QPointF(17.5, 200), QPointF(354.9, 200), QPointF(200, 354)})
            QTest::addRow("%g, %g", p.x(), p.y()) << p << true;
        for (QPointF p : {QPointF(17, 200), QPointF(355, 200), QPointF(200, 17), QPointF(200, 355), QPointF(-50, -3),
                          QPointF(1e7, 1e9)})
            QTest::addRow("%g, %g", p.x(), p.y()) << p << false;
    }
    void band()
    {
        QFETCH(QPointF, position);
        QFETCH(bool, accepted);
        click({100, 100});
        move({100, 100});
        for (Qt::MouseButtons held : {Qt::NoButton, Qt::LeftButton}) {
            move(position, held);
            QVERIFY((end() - (accepted ? position : QPointF(100, 100))).manhattanLength() < 1e-4);
        }
    }

    void stateSurvivesTheStepsNewExampleResets()
    {
        click({100, 100});
        move({150, 61});
        const QImage picture = graf->image().copy();
        QTest::mouseClick(form->Contin, Qt::LeftButton);
        QVERIFY(Forms::get<Krok3>().isVisible() && !form->isVisible());
        QTest::mouseClick(Forms::get<Krok3>().bac, Qt::LeftButton);
        QVERIFY(form->isVisible() && !Forms::get<Krok3>().isVisible());
        QCOMPARE(graf->image(), picture);
        QTest::mouseClick(form->bac, Qt::LeftButton);
        QVERIFY(Forms::get<Krok1>().isVisible() && !form->isVisible() && !Forms::get<Vysledky>().isVisible());
        QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
        QCOMPARE(end(), QPointF(150, 61));
        QCOMPARE(form->vectorFollowing, qint16(-1));
        Data_a_promene::correctDrawingMode = true; // the mouse is checked in the review's show state
        form->Form_Load();
        QCOMPARE(end(), QPointF(150, 61));
        Data_a_promene::correctDrawingMode = false;

        TestSupport::scriptNextExample({0.6f, TestSupport::drawFor(3, 200, 100), TestSupport::drawFor(0, 200, 100),
                                        TestSupport::drawFor(1, 200, 100), TestSupport::drawFor(0, 200, 100)});
        Forms::get<Krok1>().Form_Load(); // 3 * 1
        QCOMPARE(Data_a_promene::axisLimit, 4.0f);
        QCOMPARE(end(), QPointF(186, 186));
        QCOMPARE(form->vectorFollowing, qint16(0));
    }

    // Names and descriptions are checked with the other forms'; here what the keys do to the vector.
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
        move({300, 40}); // the mouse takes over, and the keys go on from there
        QTest::keyClick(graf, Qt::Key_Down);
        QCOMPARE(end(), QPointF(300, 41));
        QTest::keyClick(graf, Qt::Key_Return); // still "&Dále"
        QTRY_VERIFY(Forms::get<Krok3>().isVisible());
    }
};

QTEST_MAIN(TestKrok2)
#include "tst_krok2.moc"
