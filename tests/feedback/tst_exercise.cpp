#include "step2/picturemouse.h"
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

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using TestSupport::drawFor;

// 25 / (3 - 4i) = 3 + 4i: |z| = 5, 53.13 degrees; axisLimit 5, axisMax 6.
static const QList<float> quotient34i = {0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100), drawFor(3, 200, 100),
                                         drawFor(-4, 200, 100)};
// (-7 + 2i) * (1 + 1i) = -9 - 5i
static const QList<float> product = {0.6f, drawFor(-7, 200, 100), drawFor(2, 200, 100), drawFor(1, 200, 100),
                                     drawFor(1, 200, 100)};

struct Pupil {
    QString re = "3", im = "4", absh = "5", fi = "53,13";
    QPointF vectorEnd{287, 52}; // 3.006 + 3.988i; the origin leaves the vector as it is
    bool sinusoid = true;
};

class TestExercise : public QObject {
    Q_OBJECT

    // One example done by keys and mouse on the real forms, up to "&Dokončit".
    void work(const Pupil& pupil)
    {
        Krok1& k1 = Forms::get<Krok1>();
        QVERIFY(k1.isVisible());
        QTest::keyClicks(k1.vys[0], pupil.re);
        QTest::keyClicks(k1.vys[1], pupil.im);
        QTest::keyClicks(k1.absh, pupil.absh);
        QTest::keyClicks(k1.fi, pupil.fi);
        QTest::mouseClick(k1.Contin, Qt::LeftButton);
        krok2& k2 = Forms::get<krok2>();
        QVERIFY(k2.isVisible() && Forms::get<Vysledky>().isVisible());
        if (pupil.vectorEnd != QPointF(186, 186)) {
            PictureMouse::click(k2.Graf, {100, 100});
            PictureMouse::move(k2.Graf, pupil.vectorEnd);
            PictureMouse::click(k2.Graf, pupil.vectorEnd);
        }
        QTest::mouseClick(k2.Contin, Qt::LeftButton);
        Krok3& k3 = Forms::get<Krok3>();
        QVERIFY(k3.isVisible());
        if (pupil.sinusoid) {
            PictureMouse::drag(k3.pb, {100, 110.5}, {100, 44}); // on the x axis: amplitude 66.5 -> 66
            PictureMouse::drag(k3.pb, {242, 60}, {212, 60});    // on the vertical axis: phase 30
            QVERIFY(k3.amplitude == 66 && k3.phaseShift == 30);
        }
        QTest::mouseClick(k3.dok, Qt::LeftButton);
    }
    // examplesRight, examplesWrong, dialogsRight, dialogsWrong
    static QString counters()
    {
        const RunState& r = Data_a_promene::runState;
        return QString::asprintf("%d %d %d %d", r.examplesRight, r.examplesWrong, r.dialogsRight, r.dialogsWrong);
    }
    // Blue or red for cis3(0..2), ab, uhFi, then the bold buttons.
    static QString marks(const Spatny& s)
    {
        QString m;
        for (QLabel* l : {s.cis3[0], s.cis3[1], s.cis3[2], s.ab, s.uhFi})
            m += Spatny::foreColor(l) == Colors::Red ? 'R' : Spatny::foreColor(l) == Colors::Blue ? 'B' : '?';
        return m + (s.vek->font().bold() ? " vek" : "") + (s.Sinusak->font().bold() ? " sin" : "");
    }
    // A new example shows step 1 alone with empty entries.
    static void expectNewExample()
    {
        Krok1& k1 = Forms::get<Krok1>();
        QVERIFY(k1.isVisible() && !Forms::get<Vysledky>().isVisible());
        QCOMPARE(k1.oper->text(), QStringLiteral("Součin je:"));
        QCOMPARE(k1.k1[0]->text(), QStringLiteral("-7"));
        for (QLineEdit* e : {k1.vys[0], k1.vys[1], k1.absh, k1.fi})
            QVERIFY(e->text().isEmpty());
    }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        TestSupport::scriptNextExample(quotient34i);
        Forms::get<Krok1>().showModeless();
    }
    void cleanup() { Forms::unloadAll(); }

    void rightExampleToDobryAndOn()
    {
        work(Pupil{});
        QCOMPARE(TestSupport::questionsAsked, QStringList{"Jseš si svými výsledky opravdu jist?"});
        Dobry* dobry = Forms::find<Dobry>();
        QVERIFY(dobry && dobry->isVisible() && !Forms::get<Krok3>().isVisible() && Forms::get<Vysledky>().isVisible());
        QCOMPARE(counters(), "1 0 3 0");
        QCOMPARE(marks(Forms::get<Spatny>()), "BBBBB");
        TestSupport::scriptNextExample(product);
        QTest::mouseClick(dobry->Command1, Qt::LeftButton);
        expectNewExample();
        QCOMPARE(Data_a_promene::resultRe, -9.0f);
        QTRY_VERIFY(!Forms::find<Dobry>());
    }

    void wrongExampleToSpatnyAndOn()
    {
        work(Pupil{"3", "4", "5", "60", {186, 186}});
        Spatny* s = Forms::find<Spatny>();
        QVERIFY(s && s->isVisible() && !Forms::find<Dobry>() && Forms::get<Vysledky>().isVisible());
        QCOMPARE(counters(), "0 1 1 2");
        QCOMPARE(marks(*s), "BBBBR vek");
        QCOMPARE((QStringList{s->cis1[0]->text(), s->cis2[0]->text(), s->cis2[1]->text(), s->cis2[2]->text(),
                              s->oper->text(), s->cis3[0]->text(), s->cis3[1]->text(), s->cis3[2]->text(),
                              s->ab->text(), s->uhFi->text()}),
                 (QStringList{"25", "3", "-", "4", "Podíl je:", "3,00", "+", "4,00", "5,00", "53,1"}));
        TestSupport::scriptNextExample(product);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QTest::keyClick(s, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(!s->isVisible());
        expectNewExample();
        QCOMPARE(Forms::get<Krok1>().focusWidget(), Forms::get<Krok1>().vys[0]);
        // The next wrong example shows only its own marks.
        work(Pupil{"-9", "-5", "0", "209,05", {186, 186}, false});
        QVERIFY(s->isVisible());
        QCOMPARE(s->cis3[0]->text(), QStringLiteral("-9,00"));
        QCOMPARE(marks(*s), "BBBRB vek sin");
        QCOMPARE(counters(), "0 2 1 5");
    }

    void answeringNoChangesNothing()
    {
        TestSupport::questionAnswers = {QMessageBox::No};
        work(Pupil{});
        QCOMPARE(TestSupport::questionsAsked.size(), 1);
        QVERIFY(Forms::get<Krok3>().isVisible() && !Forms::find<Dobry>() && !Forms::find<Spatny>());
        QCOMPARE(counters(), "0 0 0 0");
        QTest::mouseClick(Forms::get<Krok3>().bac, Qt::LeftButton); // the results stay beside steps 2 and 3
        QVERIFY(Forms::get<Vysledky>().isVisible());
        QTest::mouseClick(Forms::get<krok2>().bac, Qt::LeftButton);
        QVERIFY(!Forms::get<Vysledky>().isVisible());
        QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
        QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
        QTest::mouseClick(Forms::get<Krok3>().dok, Qt::LeftButton); // Yes now judges the same answers
        QCOMPARE(counters(), "1 0 3 0");
    }

    // "&Konec", Esc and the window frame ask; "&Ne" leaves everything as it was.
    void konecFromEveryForm_data()
    {
        QTest::addColumn<QString>("where");
        for (const char* w : {"Krok1 Konec", "Krok1 frame", "krok2 Konec", "krok2 frame", "krok2 Esc", "Krok3 Konec",
                              "Krok3 frame", "Krok3 Esc", "Dobry Konec", "Dobry frame", "Spatny Konec", "Spatny frame"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void konecFromEveryForm()
    {
        QFETCH(QString, where);
        const QString name = where.section(' ', 0, 0);
        if (name != "Krok1")
            QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
        if (name != "Krok1" && name != "krok2")
            QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
        if (name == "Dobry" || name == "Spatny")
            Forms::get<Krok3>().EvaluateExample(); // entries empty: wrong
        if (name == "Dobry") {
            Forms::get<Spatny>().hide();
            Forms::get<Dobry>().showModeless();
        }
        const QMap<QString, QPair<Form*, QPushButton*>> forms = {
            {"Krok1", {&Forms::get<Krok1>(), Forms::get<Krok1>().Command3}},
            {"krok2", {&Forms::get<krok2>(), Forms::get<krok2>().kon}},
            {"Krok3", {&Forms::get<Krok3>(), Forms::get<Krok3>().kon}},
            {"Dobry", {&Forms::get<Dobry>(), Forms::get<Dobry>().Command2}},
            {"Spatny", {&Forms::get<Spatny>(), Forms::get<Spatny>().Command2}}};
        const auto [form, konec] = forms.value(name);
        QVERIFY(form->isVisible());
        const bool vysledky = Forms::get<Vysledky>().isVisible();
        const QString before = counters();
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
        QVERIFY(form->isVisible() && Forms::get<Vysledky>().isVisible() == vysledky);
        QCOMPARE(counters(), before);
        QTRY_VERIFY(!Forms::find<Konec>());
        QCOMPARE(TestSupport::endRequests, 0);
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
