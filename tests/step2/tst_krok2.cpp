#include "testsupport.h"

#include "app/forms.h"
#include "app/konec.h"
#include "core/data_a_promene.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/surface/picturebox.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestKrok2 : public QObject {
    Q_OBJECT

    krok2* form = nullptr;
    PictureBox* graf = nullptr;

    // Positions in pixels of Graf's inner area; fractional and far-off ones go in as the platform
    // would deliver them.
    void send(QEvent::Type type, QPointF inner, Qt::MouseButtons buttons = Qt::NoButton)
    {
        const QPointF at = inner + QPointF(graf->contentsRect().topLeft());
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, graf->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(graf, &e);
    }
    void move(QPointF inner, Qt::MouseButtons buttons = Qt::NoButton) { send(QEvent::MouseMove, inner, buttons); }
    void click(QPointF inner)
    {
        send(QEvent::MouseButtonPress, inner, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, inner);
    }
    QPointF end() const { return {form->vectorEndX, form->vectorEndY}; }
    bool black(int x, int y) const { return graf->image().pixelColor(x, y) == Qt::black; }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        Forms::get<Krok1>(); // a new example: (100 + 200i) + (300 - 400i)
        form = Forms::find<krok2>();
        QVERIFY(form);
        graf = form->findChild<PictureBox*>("Graf");
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void clicksToggleFollowing()
    {
        QCOMPARE(Data_a_promene::axisLimit, 500.0f);
        QCOMPARE(graf->MousePointer(), int(Pointer::Crosshair));
        QCOMPARE(form->back->width(), 3 * form->Contin->width() + 2 * 6);
        QVERIFY(form->back->isHidden());
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
        click({200, 250}); // a third click follows again
        move({201, 251});
        QCOMPARE(end(), QPointF(201, 251));
    }

    // The band is strict: X > 17, X < W - 17, Y > 17, Y < H - 17 (W = H = 372).
    void band_data()
    {
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("x 17") << QPointF(17, 200) << false;
        QTest::newRow("x 17.5") << QPointF(17.5, 200) << true;
        QTest::newRow("x W-17") << QPointF(355, 200) << false;
        QTest::newRow("x W-17.1") << QPointF(354.9, 200) << true;
        QTest::newRow("y 17") << QPointF(200, 17) << false;
        QTest::newRow("y H-17") << QPointF(200, 355) << false;
        QTest::newRow("y H-18") << QPointF(200, 354) << true;
        QTest::newRow("negative") << QPointF(-50, -3) << false;
        QTest::newRow("far beyond") << QPointF(1e7, 1e9) << false;
    }
    void band()
    {
        QFETCH(QPointF, position);
        QFETCH(bool, accepted);
        click({90, 90});
        move({100, 100});
        const QPointF expected = accepted ? position : QPointF(100, 100);
        for (Qt::MouseButtons held : {Qt::NoButton, Qt::LeftButton}) {
            move(position, held);
            // The end point keeps the position in single precision.
            QVERIFY((end() - expected).manhattanLength() < 1e-4);
        }
    }

    void stateSurvivesTheStepsAndNewExampleResets()
    {
        click({100, 100});
        move({150, 61});
        const QImage picture = graf->image().copy();
        QTest::mouseClick(form->Contin, Qt::LeftButton);
        Krok3& step3 = Forms::get<Krok3>();
        QVERIFY(step3.isVisible() && !form->isVisible());
        QTest::mouseClick(step3.bac, Qt::LeftButton);
        QVERIFY(form->isVisible() && !step3.isVisible());
        QCOMPARE(end(), QPointF(150, 61));
        QCOMPARE(form->vectorFollowing, qint16(-1));
        QCOMPARE(graf->image(), picture);
        // Back to step 1 and forward again: the same example, the same vector.
        QTest::mouseClick(form->bac, Qt::LeftButton);
        QVERIFY(Forms::get<Krok1>().isVisible() && !form->isVisible());
        QVERIFY(!Forms::get<Vysledky>().isVisible());
        QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
        QVERIFY(form->isVisible());
        QCOMPARE(end(), QPointF(150, 61));

        TestSupport::scriptNextExample({0.6f, TestSupport::drawFor(3, 200, 100), TestSupport::drawFor(0, 200, 100),
                                        TestSupport::drawFor(1, 200, 100), TestSupport::drawFor(0, 200, 100)});
        Forms::get<Krok1>().Form_Load(); // 3 * 1
        QCOMPARE(Data_a_promene::axisLimit, 4.0f);
        QCOMPARE(end(), QPointF(186, 186));
        QCOMPARE(form->vectorFollowing, qint16(0));
    }

    void correctDrawingModeIgnoresTheMouse()
    {
        Data_a_promene::correctDrawingMode = true;
        const QImage picture = graf->image().copy();
        click({100, 100});
        move({120, 120});
        QTest::keyClick(graf, Qt::Key_Space);
        QCOMPARE(form->vectorFollowing, qint16(0));
        QCOMPARE(end(), QPointF(186, 186));
        Data_a_promene::axisLimit = 7; // the set-up is skipped as well
        form->Form_Load();
        QCOMPARE(Data_a_promene::axisLimit, 7.0f);
        QCOMPARE(graf->image(), picture);
    }

    void closingAsksAndStaysBackOnlyHides()
    {
        click({100, 100});
        move({150, 61});
        for (int way = 0; way < 2; ++way) {
            QString asked;
            TestSupport::onNextModal([&](QWidget* w) {
                asked = w->objectName();
                static_cast<Konec*>(w)->Command2->click();
            });
            way ? QTest::keyClick(form, Qt::Key_Escape) : void(form->close());
            QCOMPARE(asked, QStringLiteral("Konec"));
            QVERIFY(form->isVisible());
            QCOMPARE(end(), QPointF(150, 61));
        }
        form->back->show();
        QTest::mouseClick(form->back, Qt::LeftButton);
        QVERIFY(!form->isVisible() && !Forms::get<Krok3>().isVisible());
    }

    void keyboard()
    {
        form->Contin->setFocus();
        for (int i = 0; i < 6 && !graf->hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(graf->hasFocus());
        QTest::keyClick(graf, Qt::Key_Right); // fixed: keys do not move it
        QCOMPARE(end(), QPointF(186, 186));
        QTest::keyClick(graf, Qt::Key_Space);
        QTest::keyClick(graf, Qt::Key_Right);
        QTest::keyClick(graf, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(end(), QPointF(187, 176));
        QVERIFY(graf->accessibleDescription().contains(QStringLiteral("2,98 + 29,76 i")));
        // Held down, the keys stop at the band's last whole pixel.
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(graf, Qt::Key_Left, Qt::ShiftModifier);
            QTest::keyClick(graf, Qt::Key_Down, Qt::ShiftModifier);
        }
        QCOMPARE(end(), QPointF(18, 354));
        QVERIFY(graf->accessibleDescription().contains(QStringLiteral("-500,00 − 500,00 i")));
        // The mouse takes over where it is, and the keys go on from there.
        move({300, 40});
        QTest::keyClick(graf, Qt::Key_Down);
        QCOMPARE(end(), QPointF(300, 41));
        QTest::keyClick(graf, Qt::Key_Space);
        QCOMPARE(form->vectorFollowing, qint16(0));
        QTest::keyClick(graf, Qt::Key_Return); // still "&Dále"
        QTRY_VERIFY(Forms::get<Krok3>().isVisible());
        for (QWidget* w : form->findChildren<QWidget*>())
            if (w->inherits("QPushButton") || w->inherits("QLabel") || w == graf)
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }
};

QTEST_MAIN(TestKrok2)
#include "tst_krok2.moc"
