#include "testsupport.h"

#include "app/forms.h"
#include "app/konec.h"
#include "core/data_a_promene.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/surface/picturebox.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

// Positions in pixels of pb's inner area (485 x 221: centre 242.5, 110.5; full scale 80.5).
class TestKrok3 : public QObject {
    Q_OBJECT

    Krok3* form = nullptr;
    PictureBox* pb = nullptr;

    void send(QEvent::Type type, QPointF inner, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF at = inner + QPointF(pb->contentsRect().topLeft());
        QMouseEvent e(type, at, pb->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(pb, &e);
    }
    void hover(QPointF at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void press(QPointF at) { send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void drag(QPointF at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void release(QPointF at) { send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        Forms::get<Krok1>(); // (100 + 200i) + (300 - 400i): r = 447.2
        form = Forms::find<Krok3>();
        QVERIFY(form);
        pb = form->findChild<PictureBox*>("pb");
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    // Bands of strictly less than 6 px; the vertical one wins where they cross.
    void hoverBands_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("pointer");
        QTest::newRow("free") << QPointF(100, 40) << 0;
        QTest::newRow("vertical band") << QPointF(248.4, 40) << 9;
        QTest::newRow("6 px right of the vertical axis") << QPointF(248.5, 40) << 0;
        QTest::newRow("6 px left of the vertical axis") << QPointF(236.5, 40) << 0;
        QTest::newRow("horizontal band") << QPointF(100, 116.4) << 7;
        QTest::newRow("6 px below the zero line") << QPointF(100, 116.5) << 0;
        QTest::newRow("6 px above the zero line") << QPointF(100, 104.5) << 0;
        QTest::newRow("crossing, vertical wins") << QPointF(244, 112) << 9;
        QTest::newRow("far outside") << QPointF(-1e9, 1e9) << 0;
        QTest::newRow("vertical band far below") << QPointF(242.5, 5000) << 9;
    }
    void hoverBands()
    {
        QFETCH(QPointF, at);
        const QImage picture = pb->image().copy();
        hover(at);
        QTEST(pb->MousePointer(), "pointer");
        QCOMPARE(pb->image(), picture);
        QCOMPARE(form->amplitude, qint16(40));
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
        QTest::newRow("free, below the line") << QPointF(300, 180) << QPointF(300, 150) << 0.f << 0.f << 40;
        QTest::newRow("clamped above") << QPointF(300, 40) << QPointF(300, -500) << 0.f << 0.f << 80;
        QTest::newRow("clamped below") << QPointF(300, 40) << QPointF(300, 1e6) << 0.f << 0.f << 80;
        QTest::newRow("phase only from the crossing") << QPointF(244, 112) << QPointF(300, 10) << -56.f << 144.f << 40;
        QTest::newRow("amplitude only") << QPointF(100, 112) << QPointF(400, 30) << 0.f << 0.f << 80;
        QTest::newRow("amplitude jumps to the distance") << QPointF(100, 109) << QPointF(100, 170) << 0.f << 0.f << 60;
        QTest::newRow("amplitude to zero") << QPointF(100, 112) << QPointF(50, 110.5) << 0.f << 0.f << 0;
        QTest::newRow("far left") << QPointF(300, 60) << QPointF(-1e7, 60) << 10000300.f << 100.f << 50;
    }
    void drags()
    {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, amplitude);
        hover(from);
        press(from);
        QCOMPARE(form->dragging, qint16(-1));
        drag(to);
        QTEST(form->phaseShift, "during");
        QCOMPARE(form->amplitude, qint16(amplitude));
        release(to);
        QTEST(form->phaseShift, "after");
        QCOMPARE(form->dragging, qint16(0));
        QCOMPARE(pb->MousePointer(), 0);
    }

    void freeDragPointerAndSecondButton()
    {
        hover({400, 40});
        press({400, 40});
        QCOMPARE(pb->MousePointer(), 5);
        send(QEvent::MouseButtonPress, {390, 40}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(TestSupport::beeps, 1);
        drag({380, 40}); // the drag goes on from where it was
        QCOMPARE(form->phaseShift, 20.0f);
        release({380, 40});
        QCOMPARE(form->dragging, qint16(0));
    }

    void correctDrawingModeIgnoresEverything()
    {
        Data_a_promene::correctDrawingMode = true;
        const QImage picture = pb->image().copy();
        hover({244, 40});
        QCOMPARE(pb->MousePointer(), 0);
        press({300, 40});
        drag({100, 10});
        release({100, 10});
        QTest::keyClick(pb, Qt::Key_Up);
        form->Form_Load();
        QCOMPARE(form->dragging, qint16(0));
        QCOMPARE(form->amplitude, qint16(40));
        QCOMPARE(form->phaseShift, 0.0f);
        QCOMPARE(pb->image(), picture);
    }

    void stateSurvivesGoingBackNewExampleResets()
    {
        hover({400, 40});
        press({400, 40});
        drag({350, 60});
        release({350, 60});
        const QImage picture = pb->image().copy();
        QTest::mouseClick(form->bac, Qt::LeftButton);
        QVERIFY(!form->isVisible() && Forms::get<krok2>().isVisible());
        QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
        QVERIFY(form->isVisible());
        QCOMPARE(form->phaseShift, 50.0f);
        QCOMPARE(form->amplitude, qint16(50));
        QCOMPARE(pb->image(), picture);

        Forms::get<Krok1>().Form_Load(); // amplitude (221 / 2 - 30) / 2 with ties to even, phase 0, black
        QCOMPARE(form->axisMax, qint16(500));
        QCOMPARE(form->amplitude, qint16(40));
        QCOMPARE(form->phaseShift, 0.0f);
        QCOMPARE(pb->ForeColor(), 0u);
        QVERIFY(pb->accessibleDescription().contains(QStringLiteral("Amplituda 248,45")));
    }

    void closingAsksAndStays()
    {
        for (int way = 0; way < 2; ++way) {
            QString asked;
            TestSupport::onNextModal([&](QWidget* w) {
                asked = w->objectName();
                static_cast<Konec*>(w)->Command2->click();
            });
            way ? QTest::mouseClick(form->kon, Qt::LeftButton) : void(form->close());
            QCOMPARE(asked, QStringLiteral("Konec"));
            QVERIFY(form->isVisible());
        }
        form->back->show();
        QTest::mouseClick(form->back, Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

    void keyboard()
    {
        form->dok->setFocus();
        for (int i = 0; i < 6 && !pb->hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(pb->hasFocus());
        QTest::keyClick(pb, Qt::Key_Up);
        QCOMPARE(form->amplitude, qint16(41));
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(pb, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(form->amplitude, qint16(80));
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(pb, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(form->amplitude, qint16(0));
        QTest::keyClick(pb, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(pb, Qt::Key_Right); // the curve moves right: 0 - 1, brought to 199
        QCOMPARE(form->phaseShift, 199.0f);
        QTest::keyClick(pb, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(form->phaseShift, 9.0f);
        QVERIFY(pb->accessibleDescription().contains(QStringLiteral("Amplituda 62,11")));
        QVERIFY(pb->accessibleDescription().contains(QStringLiteral("posun 16,2°")));
        // During a drag the keys leave the curve to the mouse.
        hover({400, 40});
        press({400, 40});
        QTest::keyClick(pb, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(form->phaseShift, 9.0f);
        release({400, 40});
        TestSupport::questionAnswers = {QMessageBox::No};
        QTest::keyClick(pb, Qt::Key_Return); // Enter is "&Dokončit", which asks first
        QTRY_COMPARE(TestSupport::questionsAsked.size(), 1);
        for (QWidget* w : form->findChildren<QWidget*>())
            if (w->inherits("QPushButton") || w->inherits("QLabel") || w == pb)
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }
};

QTEST_MAIN(TestKrok3)
#include "tst_krok3.moc"
