#include "step2/picturemouse.h"
#include "support/testsupport.h"

#include "app/konec.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/forms/forms.h"

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
    QStringList step1 = {"3", "4", "5", "53,13"};
    bool vector = true, sinusoid = true;
};

class TestExercise : public QObject {
    Q_OBJECT

    // One example done by keys and mouse on the real forms, up to "&Dokončit".
    void work(const Pupil& pupil)
    {
        Krok1& k1 = Forms::get<Krok1>();
        QVERIFY(k1.isVisible());
        const QList<QLineEdit*> entries = {k1.vys[0], k1.vys[1], k1.absh, k1.fi};
        for (int i = 0; i < 4; ++i)
            QTest::keyClicks(entries[i], pupil.step1[i]);
        QTest::mouseClick(k1.Contin, Qt::LeftButton);
        krok2& k2 = Forms::get<krok2>();
        if (pupil.vector) { // 3.006 + 3.988i
            PictureMouse::click(k2.Graf, {100, 100});
            PictureMouse::move(k2.Graf, {287, 52});
            PictureMouse::click(k2.Graf, {287, 52});
        }
        QTest::mouseClick(k2.Contin, Qt::LeftButton);
        Krok3& k3 = Forms::get<Krok3>();
        if (pupil.sinusoid) {
            PictureMouse::drag(k3.pb, {100, 110.5}, {100, 44}); // on the x axis: amplitude 66.5 -> 66
            PictureMouse::drag(k3.pb, {242, 60}, {212, 60});    // on the vertical axis: phase 30
        }
        QTest::mouseClick(k3.dok, Qt::LeftButton);
    }
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

    // The verdict form, the marks and the counters; "&Pokračovat" to new numbers; then a wrong example
    // shows only its own marks.
    void exampleToVerdictAndOn_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("vector");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("then");
        QTest::newRow("right") << "3 4 5 53,13" << true << "Dobry BBBBB 1 0 3 0"
                               << "1 1 3 3";
        QTest::newRow("angle and vector wrong") << "3 4 5 60" << false << "Spatny BBBBR vek 0 1 1 2"
                                                << "0 2 1 5";
    }
    void exampleToVerdictAndOn()
    {
        QFETCH(QString, answers);
        QFETCH(bool, vector);
        work({answers.split(' '), vector});
        Dobry* dobry = Forms::find<Dobry>();
        QPointer<Form> verdict = dobry && dobry->isVisible() ? static_cast<Form*>(dobry) : Forms::find<Spatny>();
        QVERIFY(verdict && verdict->isVisible() && !Forms::get<Krok3>().isVisible() &&
                Forms::get<Vysledky>().isVisible());
        QTEST(verdict->objectName() + ' ' + marks(Forms::get<Spatny>()) + ' ' + counters(), "verdict");
        TestSupport::scriptNextExample(product);
        QVERIFY(QTest::qWaitForWindowActive(verdict));
        QTest::keyClick(verdict, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(!verdict || !verdict->isVisible());
        expectNewExample();
        work({{"-9", "-5", "0", "209,05"}, false, false});
        QCOMPARE(marks(Forms::get<Spatny>()), "BBBRB vek sin");
        QTEST(counters(), "then");
    }

    void answeringNoChangesNothing()
    {
        TestSupport::questionAnswers = {QMessageBox::No};
        work(Pupil{});
        QVERIFY(Forms::get<Krok3>().isVisible() && !Forms::find<Dobry>() && !Forms::find<Spatny>());
        QCOMPARE(counters(), "0 0 0 0");
        QTest::mouseClick(Forms::get<Krok3>().dok, Qt::LeftButton); // Yes now judges the same answers
        QCOMPARE(counters(), "1 0 3 0");
    }

    // "&Konec", Esc and the window frame ask; "&Ne" leaves everything as it was.
    void konecAnsweredNo_data()
    {
        QTest::addColumn<QString>("where");
        for (const char* w : {"Krok1 Konec", "krok2 Esc", "krok2 frame", "Krok3 Konec", "Spatny frame"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void konecAnsweredNo()
    {
        QFETCH(QString, where);
        const int depth = QStringList{"Krok1", "krok2", "Krok3", "Spatny"}.indexOf(where.section(' ', 0, 0));
        if (depth >= 1)
            QTest::mouseClick(Forms::get<Krok1>().Contin, Qt::LeftButton);
        if (depth >= 2)
            QTest::mouseClick(Forms::get<krok2>().Contin, Qt::LeftButton);
        if (depth >= 3)
            Forms::get<Krok3>().EvaluateExample(); // entries empty: wrong
        Form* form = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            form = w->isVisible() && w->objectName() == where.section(' ', 0, 0) ? qobject_cast<Form*>(w) : form;
        QVERIFY(form);
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
            QTest::mouseClick(form->findChild<QPushButton*>(depth == 0  ? "Command3"
                                                            : depth < 3 ? "kon"
                                                                        : "Command2"),
                              Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Konec"));
        QVERIFY(form->isVisible() && Forms::get<Vysledky>().isVisible() == vysledky);
        QCOMPARE(counters(), before);
        QCOMPARE(TestSupport::endRequests, 0);
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
