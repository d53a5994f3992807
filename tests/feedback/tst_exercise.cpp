// The verdict and the review on the real forms: "&Ne" to the question or to the end confirmation
// changes nothing, the review's values and marks as shown and spoken, its correct drawings; every
// control's spoken name. (A whole run in tst_classroom covers the verdict, its marks and the next example.)

#include "app/exerciseflow.h"
#include "app/help.h"
#include "app/info.h"
#include "app/konec.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "feedback/correctdrawings.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/recordingsurface.h"
#include "support/testsupport.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;
using Data_a_promene::runState;

class TestExercise : public QObject {
    Q_OBJECT

    // Examples right, wrong, dialogs right, wrong.
    static QList<qint32> counters()
    {
        return {runState.examplesRight, runState.examplesWrong, runState.dialogsRight, runState.dialogsWrong};
    }
    // The review of the first example with every answer left empty.
    static Spatny* reviewOf(const QList<float>& draws)
    {
        Forms::unloadAll();
        scriptNextExample(draws);
        ExerciseFlow::firstExample();
        workExample({{}, false, false});
        return shown<Spatny>();
    }

private slots:
    void init()
    {
        resetProgram();
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4)); // 25 / (3 - 4i) = 3 + 4i
        ExerciseFlow::firstExample();
    }
    void cleanup() { Forms::unloadAll(); }

    void answeringNoChangesNothing()
    {
        questionAnswers = {QMessageBox::No};
        PUPIL(workExample({{"3", "4", "5", "53,13"}}));
        QCOMPARE(questionsAsked, QStringList{"Jseš si svými výsledky opravdu jist?"});
        QVERIFY(shown<Krok3>() && !Forms::find<Dobry>() && !Forms::find<Spatny>());
        QCOMPARE(counters(), QList<qint32>({0, 0, 0, 0}));
        Pupil::clickButton(&Forms::get<Krok3>(), "dok"); // Yes now judges the same answers
        QCOMPARE(counters(), QList<qint32>({1, 0, 3, 0}));
    }

    // "&Konec", Esc and the window frame ask; "&Ne" leaves everything as it was.
    void konecAnsweredNo_data()
    {
        QTest::addColumn<int>("depth"); // 0 Krok1, 1 krok2, 2 Krok3, 3 Spatny
        QTest::addColumn<QString>("how");
        for (auto [depth, how] : {std::pair{0, "Command3"},
                                  {0, "Esc"},
                                  {0, "frame"},
                                  {1, "Esc"},
                                  {1, "frame"},
                                  {2, "kon"},
                                  {3, "frame"},
                                  {3, "Command2"}})
            QTest::addRow("%d %s", depth, how) << depth << QString::fromLatin1(how);
    }
    void konecAnsweredNo()
    {
        QFETCH(int, depth);
        QFETCH(QString, how);
        QTest::keyClicks(child<QLineEdit, Krok1>("vys_0"), "42");
        const QList<std::pair<Form*, const char*>> forward = {
            {&Forms::get<Krok1>(), "Contin"}, {&Forms::get<krok2>(), "Contin"}, {&Forms::get<Krok3>(), "dok"}};
        for (int i = 0; i < depth; ++i) // "42" alone: wrong
            Pupil::clickButton(forward[i].first, forward[i].second);
        Form* form = depth < 3 ? forward[depth].first : shown<Spatny>();
        QVERIFY(form && form->isVisible());
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

    // Czech number forms under every locale, and a screen reader hears each value with its mark.
    void reviewUnderCzechLocale_data()
    {
        const QString wrong = " (Tuto hodnotu jsi měl špatně.)",
                      vector = "Ukázat správný vektor (Tento krok jsi měl špatně.)";
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QString>("shown"); // operands, operation, result, absolute value, angle
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("-3 + 0i") << exampleDraws(2, -3, 0, 0, 0) << "-3 + 0 0 + 0 Rozdíl je: -3,00 - 0,00 3,00 180,0"
                                 << QStringList{"Správný výsledek, znaménko imaginární části: minus",
                                                "Správná absolutní hodnota: 3,00" + wrong,
                                                "Správný úhel ve stupních: 180,0" + wrong, vector};
        QTest::newRow("1200 + 900i") << exampleDraws(1, 600, 450, 600, 450)
                                     << "600 + 450 600 + 450 Součet je: 1200,00 + 900,00 1\u00a0500,00 36,9"
                                     << QStringList{"Správný výsledek, znaménko imaginární části: plus" + wrong,
                                                    "Správná absolutní hodnota: 1\u00a0500,00" + wrong,
                                                    "Správný úhel ve stupních: 36,9" + wrong, vector};
    }
    void reviewUnderCzechLocale()
    {
        QFETCH(QList<float>, draws);
        Spatny* review = reviewOf(draws);
        QVERIFY(review);
        QStringList texts, heard;
        for (const char* name : {"cis1_0", "cis1_1", "cis1_2", "cis2_0", "cis2_1", "cis2_2", "oper", "cis3_0", "cis3_1",
                                 "cis3_2", "ab", "uhFi"})
            texts << child<QLabel>(review, name)->text();
        QTEST(texts.join(' '), "shown");
        for (const char* name : {"cis3_1", "ab", "uhFi", "vek"}) {
            const QString mark = spoken(child(review, name), QAccessible::Description);
            heard << spoken(child(review, name)) + (mark.isEmpty() ? "" : " (" + mark + ")");
        }
        QTEST(heard, "heard");
    }

    // In red: the vector to (axisLimit, axisLimit) ends 18 px inside the top right corner; the sinusoid
    // of 5 at 0 degrees starts on the zero line and rises to 5 / 6 of 80.5 px, that of -5 falls as far.
    void correctDrawings()
    {
        RecordingSurface graf(372, 372), at0(485, 221), at180(485, 221);
        CorrectDrawings::DrawCorrectVector(graf, 40, 40, 40);
        QCOMPARE(graf.lines.last(), QLineF(186, 186, 354, 18));
        QCOMPARE(graf.colors.last(), Colors::Red);
        CorrectDrawings::DrawCorrectSinusoid(at0, 5, 0, 6);
        CorrectDrawings::DrawCorrectSinusoid(at180, -5, 0, 6);
        // The number of segments, the start, the first step, the highest and the lowest point.
        const auto extent = [](const QList<QLineF>& l) {
            const auto [top, bottom] =
                std::minmax_element(l.begin(), l.end(), [](auto& p, auto& q) { return p.y2() < q.y2(); });
            return QList<qreal>{qreal(l.size()), l[0].y1(), l[1].y2() - l[0].y1(), top->y2(), bottom->y2()};
        };
        QCOMPARE(extent(at0.lines), (QList<qreal>{51, 111, -5, 44, 178}));
        QCOMPARE(extent(at180.lines), (QList<qreal>{51, 111, 5, 44, 178}));
    }

    // "&Sinus" and "&Vektor" show the step form modally over the hidden review with the red drawing,
    // only `back` (the default) and the mouse ignored; `back` returns with the normal buttons.
    void showState_data()
    {
        QTest::addColumn<QStringList>("names"); // the review's button, the step, its drawing, its button on
        QTest::newRow("Sinus") << QStringList{"Sinusak", "Krok3", "pb", "dok"};
        QTest::newRow("Vektor") << QStringList{"vek", "krok2", "Graf", "Contin"};
    }
    void showState()
    {
        QFETCH(QStringList, names);
        Spatny* review = reviewOf(exampleDraws(4, 25, 0, 3, -4));
        QVERIFY(review);
        krok2& step2 = Forms::get<krok2>();
        Krok3& step3 = Forms::get<Krok3>();
        Form* form = names[1] == "krok2" ? static_cast<Form*>(&step2) : &step3;
        auto* area = child<PictureBox>(form, qPrintable(names[2]));
        const QImage before = area->image().copy();
        auto buttons = [&] {
            QStringList visible;
            for (const QString& name : {names[3], QStringLiteral("bac"), QStringLiteral("kon"), QStringLiteral("back")})
                if (auto* b = child<QPushButton>(form, qPrintable(name)); !b->isHidden())
                    visible << name + (b->isDefault() ? " (default)" : "");
            return visible;
        };
        auto unchanged = [&] {
            return step2.vectorEndX == 186 && step2.vectorFollowing == 0 && step3.amplitude == 40 &&
                   step3.phaseShift == 0;
        };
        int red = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                red += before.pixelColor(x, y) == Qt::red;
        QVERIFY(red > 100); // the correct drawing, over the pupil's picture
        bool shownAlone = false;
        QStringList during;
        ModalScript modals;
        modals.expect(names[1], [&](QWidget*) {
            for (QPointF p : {QPointF(100, 100), QPointF(186, 110.5), QPointF(242.5, 60)}) {
                Pupil::click(area, p);
                Pupil::drag(area, p, p + QPointF(-30, -40));
            }
            shownAlone =
                Data_a_promene::correctDrawingMode && !review->isVisible() && unchanged() && area->image() == before;
            during = buttons();
            Pupil::clickButton(form, "back");
        });
        Pupil::clickButton(review, qPrintable(names[0]));
        QCOMPARE(modals.pending(), 0);
        QVERIFY(shownAlone);
        QCOMPARE(during, QStringList{"back (default)"});
        QVERIFY(!Data_a_promene::correctDrawingMode && review->isVisible() && !form->isVisible() && unchanged());
        QCOMPARE(buttons(), QStringList({names[3] + " (default)", "bac", "kon"}));
    }

    // Every control a pupil can reach is read out by a Czech name: buttons by their captions without
    // the access key's "&", entries by their labels. (Not the parts of another control: the scroll bars
    // of a text box, a combo box's list.)
    void everyControlHasACzechName()
    {
        runState.emailMode = true; // the summary of an e-mail run encodes and asks nothing
        for (Form* f :
             QList<Form*>{&Forms::get<Uvod>(), &Forms::get<Welcome>(), &Forms::get<Help>(), &Forms::get<info>(),
                          &Forms::get<Krok1>(), &Forms::get<Vysledky>(), &Forms::get<krok2>(), &Forms::get<Krok3>(),
                          &Forms::get<Dobry>(), &Forms::get<Spatny>(), &Forms::get<Konec>(), &Forms::get<Souhrn>(),
                          &Forms::get<GenList>()})
            for (QWidget* w : f->findChildren<QWidget*>()) {
                QWidget* p = w->parentWidget();
                while (p != f && !qobject_cast<QAbstractScrollArea*>(p) && !qobject_cast<QComboBox*>(p))
                    p = p->parentWidget();
                if (p != f || !((w->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(w) ||
                                qobject_cast<QAbstractScrollArea*>(w)))
                    continue;
                const QString name = spoken(w);
                QVERIFY2(!name.trimmed().isEmpty() && !name.contains(u'&') && name != w->objectName(),
                         qPrintable(f->objectName() + ' ' + w->objectName() + ": " + name));
            }
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
