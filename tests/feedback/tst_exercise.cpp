#include "testsupport.h"

#include "app/dobry.h"
#include "app/forms.h"
#include "app/konec.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/surface/picturebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using TestSupport::drawFor;

static void sendMouse(PictureBox* p, QEvent::Type type, QPointF inner, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    const QPointF local = inner + QPointF(p->contentsRect().topLeft());
    QMouseEvent e(type, local, p->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(p, &e);
}

// Hover at `from` (which sets the kind of drag), press, move to `to`, release.
static void drag(PictureBox* p, QPointF from, QPointF to) {
    sendMouse(p, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    sendMouse(p, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(p, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(p, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

static void clickAt(PictureBox* p, QPointF inner) {
    sendMouse(p, QEvent::MouseButtonPress, inner, Qt::LeftButton, Qt::LeftButton);
    sendMouse(p, QEvent::MouseButtonRelease, inner, Qt::LeftButton, Qt::NoButton);
}

// 25 / (3 - 4i) = 3 + 4i: |z| = 5, 53.13 degrees; axisLimit 5, axisMax 6.
static const QList<float> quotient34i = {0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100),
                                         drawFor(3, 200, 100), drawFor(-4, 200, 100)};
// (-7 + 2i) * (1 + 1i) = -9 - 5i
static const QList<float> product = {0.6f, drawFor(-7, 200, 100), drawFor(2, 200, 100), drawFor(1, 200, 100),
                                     drawFor(1, 200, 100)};

struct Pupil {
    QString re = "3", im = "4", absh = "5", fi = "53,13";
    QPointF vectorEnd{287, 52}; // 3.006 + 3.988i
    bool sinusoid = true;
};

class TestExercise : public QObject {
    Q_OBJECT

    // One example done by keys and mouse on the real forms, up to "&Dokončit".
    void work(const Pupil& pupil) {
        Krok1& k1 = Forms::get<Krok1>();
        QVERIFY(k1.isVisible());
        QTest::keyClicks(k1.vys[0], pupil.re);
        QTest::keyClicks(k1.vys[1], pupil.im);
        QTest::keyClicks(k1.absh, pupil.absh);
        QTest::keyClicks(k1.fi, pupil.fi);
        QTest::mouseClick(k1.Contin, Qt::LeftButton);

        krok2& k2 = Forms::get<krok2>();
        QVERIFY(k2.isVisible());
        QVERIFY(Forms::get<Vysledky>().isVisible());
        if (pupil.vectorEnd != QPointF(186, 186)) {
            clickAt(k2.Graf, {100, 100});
            sendMouse(k2.Graf, QEvent::MouseMove, pupil.vectorEnd, Qt::NoButton, Qt::NoButton);
            clickAt(k2.Graf, pupil.vectorEnd);
        }
        QTest::mouseClick(k2.Contin, Qt::LeftButton);

        Krok3& k3 = Forms::get<Krok3>();
        QVERIFY(k3.isVisible());
        if (pupil.sinusoid) {
            drag(k3.pb, {100, 110.5}, {100, 44}); // on the x axis: amplitude 66.5 -> 66
            drag(k3.pb, {242, 60}, {212, 60});    // on the vertical axis: 30 px to the left, phase 30
            QCOMPARE(k3.amplitude, qint16(66));
            QCOMPARE(k3.phaseShift, 30.0f);
        }
        QTest::mouseClick(k3.dok, Qt::LeftButton);
    }

    static QList<int> counters() {
        const RunState& r = Data_a_promene::runState;
        return {r.examplesRight, r.examplesWrong, r.dialogsRight, r.dialogsWrong};
    }

private slots:
    void init() {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        TestSupport::scriptNextExample(quotient34i);
        Forms::get<Krok1>().showModeless();
    }
    void cleanup() { Forms::unloadAll(); }

    void rightExampleToDobryAndOn() {
        work(Pupil{});
        QCOMPARE(TestSupport::questionsAsked, QStringList{"Jseš si svými výsledky opravdu jist?"});
        Dobry* dobry = Forms::find<Dobry>();
        QVERIFY(dobry && dobry->isVisible());
        QVERIFY(!Forms::get<Krok3>().isVisible());
        QVERIFY(Forms::get<Vysledky>().isVisible());
        QCOMPARE(counters(), (QList<int>{1, 0, 3, 0}));
        Spatny& s = Forms::get<Spatny>();
        QVERIFY(!s.isVisible());
        for (QLabel* l : {s.cis3[0], s.cis3[1], s.cis3[2], s.ab, s.uhFi})
            QCOMPARE(Spatny::foreColor(l), Colors::Blue);

        TestSupport::scriptNextExample(product);
        QTest::mouseClick(dobry->Command1, Qt::LeftButton);
        Krok1& k1 = Forms::get<Krok1>();
        QVERIFY(k1.isVisible());
        QCOMPARE(k1.k1[0]->text(), QStringLiteral("-7"));
        QCOMPARE(Data_a_promene::resultRe, -9.0f);
        for (QLineEdit* e : {k1.vys[0], k1.vys[1], k1.absh, k1.fi})
            QVERIFY(e->text().isEmpty());
        QVERIFY(!Forms::get<Vysledky>().isVisible());
        QTRY_VERIFY(!Forms::find<Dobry>());
    }

    void wrongExampleToSpatnyAndOn() {
        Pupil pupil;
        pupil.fi = "60";
        pupil.vectorEnd = {186, 186}; // left at the origin
        work(pupil);
        Spatny* s = Forms::find<Spatny>();
        QVERIFY(s && s->isVisible());
        QVERIFY(!Forms::find<Dobry>());
        QVERIFY(Forms::get<Vysledky>().isVisible());
        QCOMPARE(counters(), (QList<int>{0, 1, 1, 2}));
        for (QLabel* l : {s->cis3[0], s->cis3[1], s->cis3[2], s->ab})
            QCOMPARE(Spatny::foreColor(l), Colors::Blue);
        QCOMPARE(Spatny::foreColor(s->uhFi), Colors::Red);
        QVERIFY(s->vek->font().bold());
        QVERIFY(!s->Sinusak->font().bold());
        QCOMPARE((QStringList{s->cis1[0]->text(), s->cis2[0]->text(), s->cis2[1]->text(), s->cis2[2]->text(),
                              s->oper->text(), s->cis3[0]->text(), s->cis3[1]->text(), s->cis3[2]->text(),
                              s->ab->text(), s->uhFi->text()}),
                 (QStringList{"25", "3", "-", "4", "Podíl je:", "3,00", "+", "4,00", "5,00", "53,1"}));

        TestSupport::scriptNextExample(product);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QTest::keyClick(s, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(!s->isVisible());
        Krok1& k1 = Forms::get<Krok1>();
        QVERIFY(k1.isVisible());
        QCOMPARE(k1.focusWidget(), k1.vys[0]);
        QCOMPARE(k1.oper->text(), QStringLiteral("Součin je:"));
        for (QLineEdit* e : {k1.vys[0], k1.vys[1], k1.absh, k1.fi})
            QVERIFY(e->text().isEmpty());
        QVERIFY(!Forms::get<Vysledky>().isVisible());

        // The next wrong example shows only its own marks.
        work(Pupil{"-9", "-5", "0", "209,05", {186, 186}, false});
        QVERIFY(s->isVisible());
        QCOMPARE(s->cis3[0]->text(), QStringLiteral("-9,00"));
        QCOMPARE(Spatny::foreColor(s->uhFi), Colors::Blue);
        QCOMPARE(Spatny::foreColor(s->ab), Colors::Red);
        QVERIFY(s->vek->font().bold() && s->Sinusak->font().bold());
        QCOMPARE(counters(), (QList<int>{0, 2, 1, 5}));
    }

    void answeringNoChangesNothing() {
        TestSupport::questionAnswers = {QMessageBox::No};
        work(Pupil{});
        QCOMPARE(TestSupport::questionsAsked.size(), 1);
        QVERIFY(Forms::get<Krok3>().isVisible());
        QCOMPARE(counters(), (QList<int>{0, 0, 0, 0}));
        QVERIFY(!Forms::find<Dobry>());
        QVERIFY(!Forms::find<Spatny>());
        // Yes now judges the same answers.
        QTest::mouseClick(Forms::get<Krok3>().dok, Qt::LeftButton);
        QCOMPARE(counters(), (QList<int>{1, 0, 3, 0}));
    }

    // "&Konec" and the window frame ask; "&Ne" leaves everything as it was.
    void konecFromEveryForm_data() {
        QTest::addColumn<QString>("where");
        for (const char* w :
             {"Krok1 Konec", "Krok1 frame", "krok2 Konec", "krok2 frame", "Krok3 Konec", "Krok3 frame",
              "Krok3 Esc", "Dobry Konec", "Dobry frame", "Spatny Konec", "Spatny frame"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void konecFromEveryForm() {
        QFETCH(QString, where);
        Form* form = &Forms::get<Krok1>();
        QPushButton* konec = Forms::get<Krok1>().Command3;
        if (!where.startsWith("Krok1")) {
            QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
            form = &Forms::get<krok2>();
            konec = Forms::get<krok2>().kon;
        }
        if (where.startsWith("Krok3") || where.startsWith("Dobry") || where.startsWith("Spatny")) {
            QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
            form = &Forms::get<Krok3>();
            konec = Forms::get<Krok3>().kon;
        }
        if (where.startsWith("Dobry") || where.startsWith("Spatny")) {
            Forms::get<Krok3>().EvaluateExample(); // entries empty: wrong
            if (where.startsWith("Dobry")) {
                Forms::get<Spatny>().hide();
                form = &Forms::get<Dobry>();
                form->showModeless();
                konec = Forms::get<Dobry>().Command2;
            } else {
                form = &Forms::get<Spatny>();
                konec = Forms::get<Spatny>().Command2;
            }
        }
        QVERIFY(form->isVisible());
        const bool vysledky = Forms::get<Vysledky>().isVisible();
        const QList<int> before = counters();

        QString asked;
        TestSupport::onNextModal([&](QWidget* w) {
            asked = w->objectName();
            static_cast<Konec*>(w)->Command2->click();
        });
        if (where.endsWith("frame"))
            form->close();
        else if (where.endsWith("Esc"))
            QTest::keyClick(form, Qt::Key_Escape);
        else
            QTest::mouseClick(konec, Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Konec"));
        QVERIFY(form->isVisible());
        QCOMPARE(Forms::get<Vysledky>().isVisible(), vysledky);
        QCOMPARE(counters(), before);
        QTRY_VERIFY(!Forms::find<Konec>());
        QCOMPARE(TestSupport::endRequests, 0);
    }

    void vysledkyHiddenOnTheWayBackToStep1() {
        QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
        QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
        QVERIFY(Forms::get<Vysledky>().isVisible());
        QTest::mouseClick(Forms::get<Krok3>().bac, Qt::LeftButton);
        QVERIFY(Forms::get<Vysledky>().isVisible());
        QTest::mouseClick(Forms::get<krok2>().bac, Qt::LeftButton);
        QVERIFY(!Forms::get<Vysledky>().isVisible());
        QVERIFY(Forms::get<Krok1>().isVisible());
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
