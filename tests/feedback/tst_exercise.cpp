#include "app/exerciseflow.h"
#include "app/konec.h"
#include "core/data_a_promene.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/modalscript.h"
#include "support/pupil.h"

#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;
using Data_a_promene::runState;

class TestExercise : public QObject {
    Q_OBJECT

    // One example done by keys and mouse on the real forms, up to "&Dokončit". The right answers of
    // 25 / (3 - 4i) = 3 + 4i: the vector ends at 3.006 + 3.988i, the sinusoid has amplitude 66 px
    // (of 80.5 for the tick at 6) and phase shift 30 px.
    static void work(const QStringList& step1, bool vector = true, bool sinusoid = true)
    {
        for (int i = 0; i < 4; ++i)
            QTest::keyClicks(child<QLineEdit, Krok1>(std::array{"vys_0", "vys_1", "absh", "fi"}[i]), step1[i]);
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        auto* graf = child<PictureBox, krok2>("Graf");
        if (vector) {
            Pupil::click(graf, {100, 100});
            Pupil::hover(graf, {287, 52});
            Pupil::click(graf, {287, 52});
        }
        Pupil::clickButton(&Forms::get<krok2>(), "Contin");
        auto* pb = child<PictureBox, Krok3>("pb");
        if (sinusoid) {
            Pupil::drag(pb, {100, 110.5}, {100, 44}); // on the x axis: amplitude 66.5 -> 66
            Pupil::drag(pb, {242, 60}, {212, 60});    // on the vertical axis: phase 30
        }
        Pupil::clickButton(&Forms::get<Krok3>(), "dok");
    }
    // The items the review marks as wrong: red labels, bold buttons.
    static QStringList marked()
    {
        QStringList names;
        for (const char* name : {"cis3_0", "cis3_1", "cis3_2", "ab", "uhFi"})
            if (child<QLabel, Spatny>(name)->palette().color(QPalette::WindowText) == Qt::red)
                names << name;
        for (const char* name : {"vek", "Sinusak"})
            if (child<QPushButton, Spatny>(name)->font().bold())
                names << name;
        return names;
    }
    static QList<qint32> counters()
    {
        return {runState.examplesRight, runState.examplesWrong, runState.dialogsRight, runState.dialogsWrong};
    }

private slots:
    void init()
    {
        resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4));
        ExerciseFlow::firstExample();
    }
    void cleanup() { Forms::unloadAll(); }

    // The verdict form, its marks and the counters (examples right, wrong, dialogs right, wrong);
    // "&Pokračovat" to a new example on Krok1; then a wrong example shows only its own marks.
    void exampleToVerdictAndOn_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("vector");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QStringList>("marks");
        QTest::addColumn<QList<qint32>>("counts");
        QTest::newRow("right") << QStringList{"3", "4", "5", "53,13"} << true << "Dobry" << QStringList()
                               << QList<qint32>{1, 0, 3, 0};
        QTest::newRow("angle and vector wrong") << QStringList{"3", "4", "5", "60"} << false << "Spatny"
                                                << QStringList{"uhFi", "vek"} << QList<qint32>{0, 1, 1, 2};
    }
    void exampleToVerdictAndOn()
    {
        QFETCH(QStringList, answers);
        QFETCH(bool, vector);
        QFETCH(QList<qint32>, counts);
        work(answers, vector);
        QPointer<Form> verdict = shown<Dobry>() ? static_cast<Form*>(shown<Dobry>()) : shown<Spatny>();
        QVERIFY(verdict && !shown<Krok3>() && shown<Vysledky>());
        QTEST(verdict->objectName(), "verdict");
        QTEST(marked(), "marks");
        QCOMPARE(counters(), counts);

        scriptNextExample(exampleDraws(3, -7, 2, 1, 1)); // (-7 + 2i)(1 + 1i) = -9 - 5i
        QVERIFY(QTest::qWaitForWindowActive(verdict));
        QTest::keyClick(verdict, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(shown<Krok1>());
        QVERIFY((!verdict || !verdict->isVisible()) && !shown<Vysledky>());
        QCOMPARE((child<QLabel, Krok1>("k1_0"))->text(), QStringLiteral("-7"));
        const Krok1::Answers typed = Forms::get<Krok1>().answers();
        QVERIFY(typed.re.isEmpty() && typed.im.isEmpty() && typed.absh.isEmpty() && typed.fi.isEmpty());

        work({"-9", "-5", "0", "209,05"}, false, false);
        QCOMPARE(marked(), QStringList({"ab", "vek", "Sinusak"}));
        QCOMPARE(counters(), QList<qint32>({counts[0], counts[1] + 1, counts[2], counts[3] + 3}));
    }

    void answeringNoChangesNothing()
    {
        questionAnswers = {QMessageBox::No};
        work({"3", "4", "5", "53,13"});
        QCOMPARE(questionsAsked, QStringList{"Jseš si svými výsledky opravdu jist?"});
        QVERIFY(shown<Krok3>() && !Forms::find<Dobry>() && !Forms::find<Spatny>());
        QCOMPARE(counters(), QList<qint32>({0, 0, 0, 0}));
        Pupil::clickButton(&Forms::get<Krok3>(), "dok"); // Yes now judges the same answers
        QCOMPARE(counters(), QList<qint32>({1, 0, 3, 0}));
    }

    // "&Konec", Esc and the window frame ask; "&Ne" leaves everything as it was.
    void konecAnsweredNo_data()
    {
        QTest::addColumn<QString>("where");
        for (const char* w : {"Krok1 Command3", "Krok1 Esc", "Krok1 frame", "krok2 Esc", "krok2 frame", "Krok3 kon",
                              "Spatny frame", "Spatny Command2"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void konecAnsweredNo()
    {
        QFETCH(QString, where);
        QTest::keyClicks(child<QLineEdit, Krok1>("vys_0"), "42");
        const QString formName = where.section(' ', 0, 0), how = where.section(' ', 1);
        const int depth = QStringList{"Krok1", "krok2", "Krok3", "Spatny"}.indexOf(formName);
        if (depth >= 1)
            Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        if (depth >= 2)
            Pupil::clickButton(&Forms::get<krok2>(), "Contin");
        if (depth >= 3)
            Pupil::clickButton(&Forms::get<Krok3>(), "dok"); // "42" alone: wrong
        Form* form = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == formName)
                form = qobject_cast<Form*>(w);
        QVERIFY(form);
        const bool vysledky = shown<Vysledky>();
        const QList<qint32> before = counters();
        ModalScript modals;
        modals.expect("Konec", [](QWidget* konec) { Pupil::clickButton(konec, "Command2"); });
        if (how == "frame")
            form->close();
        else if (how == "Esc")
            QTest::keyClick(form, Qt::Key_Escape);
        else
            Pupil::clickButton(form, qPrintable(how));
        QCOMPARE(modals.pending(), 0);
        QVERIFY(form->isVisible() && !Forms::find<Konec>() && !!shown<Vysledky>() == vysledky);
        QCOMPARE(counters(), before);
        QCOMPARE((child<QLineEdit, Krok1>("vys_0"))->text(), QStringLiteral("42"));
        QCOMPARE(endRequests, 0);
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
