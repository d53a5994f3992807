// The exercise on the real forms, step by step: the example, the entries and Vysledky; the pictures as
// drawn and as driven by mouse and keys; "&Ne" to the questions; the review as shown and spoken; every
// control's spoken name. (The whole runs in tst_classroom cover the verdict, its marks, the next example.)

#include "app/exerciseflow.h"
#include "app/help.h"
#include "app/info.h"
#include "app/konec.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/colors.h"
#include "core/example.h"
#include "feedback/correctdrawings.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/gauss_plane.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "step3/sinusoid.h"
#include "support/recordingsurface.h"
#include "support/testsupport.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;
using Text = RecordingSurface::Text;

class TestExercise : public QObject {
    Q_OBJECT
    krok2* form2 = nullptr;
    Krok3* form3 = nullptr;
    PictureBox *graf = nullptr, *pb = nullptr; // 372 x 372; 485 x 221 (centre 242.5, 110.5; full scale 80.5)

    // On from Krok1 to step 2, or 3.
    void goOn(int to)
    {
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        QVERIFY((form2 = active<krok2>()));
        graf = child<PictureBox>(form2, "Graf");
        if (to == 3) {
            Pupil::clickButton(form2, "Contin");
            QVERIFY((form3 = active<Krok3>()));
            pb = child<PictureBox>(form3, "pb");
        }
    }
    static QLineEdit* entry(const char* name) { return child<QLineEdit, Krok1>(name); }
    QPointF end() const { return {form2->vectorEndX, form2->vectorEndY}; }
    bool black(int x, int y) const { return graf->image().pixelColor(x, y) == Qt::black; }
    static void hears(PictureBox* area, const QString& text)
    {
        QVERIFY2(area->accessibleDescription().contains(text), qPrintable(area->accessibleDescription()));
    }
    // Examples right, wrong, dialogs right, wrong.
    static QList<qint32> counters()
    {
        const RunState& runState = ExerciseFlow::run().runState;
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
        // 25 / (3 - 4i) = 3 + 4i: the plane's axes end at 5, the amplitude axis at 6.
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4));
        ExerciseFlow::firstExample();
    }
    void cleanup() { Forms::unloadAll(); }

    void workedResults_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<QList<int>>("operands");
        QTest::addColumn<QList<float>>("result");
        QTest::newRow("quotient (25+0i)/(3+4i)") << 4 << QList<int>{25, 0, 3, 4} << QList<float>{3, -4};
        QTest::newRow("product (-1+2i)(3-4i)") << 3 << QList<int>{-1, 2, 3, -4} << QList<float>{5, 10};
        QTest::newRow("difference at the range ends")
            << 2 << QList<int>{999, -1000, -1000, 999} << QList<float>{1999, -1999};
        QTest::newRow("sum") << 1 << QList<int>{-537, -12, 40, 0} << QList<float>{-497, -12};
        QTest::newRow("quotient rounded once") << 4 << QList<int>{1, 0, 3, 0} << QList<float>{float(1.0 / 3.0), 0};
    }
    void workedResults()
    {
        QFETCH(int, op);
        QFETCH(QList<int>, operands);
        const Example ex =
            GenerateExample(scripted(exampleDraws(op, operands[0], operands[1], operands[2], operands[3])));
        QCOMPARE(int(ex.operation), op);
        QCOMPARE(QList<float>(ex.operands.begin(), ex.operands.end()), QList<float>(operands.begin(), operands.end()));
        QTEST((QList<float>{ex.resultRe, ex.resultIm}), "result");
    }

    // The lowest and highest draws give each operation's range; a divisor of 0 + 0i is drawn again.
    void rangesAndDivisor()
    {
        const float justBelowOne = std::nextafter(1.0f, 0.0f);
        for (auto [opDraw, highest] : {std::pair{0.0f, 999}, {0.3f, 999}, {0.6f, 99}, {0.99f, 99}}) {
            const Example low = GenerateExample(scripted({opDraw, 0.0f}));
            const Example high = GenerateExample(scripted({opDraw, justBelowOne}));
            QCOMPARE(QList<float>(low.operands.begin(), low.operands.end()), QList<float>(4, float(-highest - 1)));
            QCOMPARE(QList<float>(high.operands.begin(), high.operands.end()), QList<float>(4, float(highest)));
        }
        // r * 2000 - 1000 = -0.5 floors to -1, not 0.
        QCOMPARE(GenerateExample(scripted({0.0f, 0.49975f})).operands[0], -1.0f);
        // a2 and b2 zero, then a2 drawn again as 0 twice more before 7.
        QList<float> draws = exampleDraws(4, 5, 1, 0, 0);
        draws << draws.last() << draws.last() << drawFor(7, 200, 100);
        const Example ex = GenerateExample(scripted(draws));
        QCOMPARE(QList<float>(ex.operands.begin(), ex.operands.end()), QList<float>({5, 1, 7, 0}));
        QCOMPARE(ex.resultRe, float(5.0 / 7.0));
    }

    // The example as shown; the Tab order of the entries is met by the whole runs.
    void showsTheExampleAndLimitsTheEntries()
    {
        QStringList texts;
        for (const char* name : {"k1_0", "z_0", "k1_1", "k2_0", "z_1", "k2_1", "oper", "inform"})
            texts << child<QLabel, Krok1>(name)->text();
        QCOMPARE(texts, QStringList({"25", "+", "0", "3", "-", "4", "Podíl je:", "Daná čísla vyděl"}));
        QTest::keyClicks(entry("vys_0"), "12345678901234");
        QCOMPARE(entry("vys_0")->text(), QStringLiteral("1234567890"));
    }

    // Enter in an entry goes on; Vysledky shows the entries as typed, the imaginary part as the number
    // read from it with its sign apart, as the eye and a screen reader get them: a text taken as markup
    // would be read differently from what it holds ("<b>7</b>" read as a bold "7").
    void enterGoesOnAndCopiesTheEntries_data()
    {
        QTest::addColumn<QString>("im");
        QTest::addColumn<QStringList>("shown"); // sign, magnitude
        QTest::newRow("empty") << "" << QStringList{"+", "0"};
        QTest::newRow("negative with point") << "-12.75" << QStringList{"-", "12,75"};
        QTest::newRow("comma stops the number") << "1,5" << QStringList{"+", "1"};
        QTest::newRow("huge") << "1e999" << QStringList{"+", "1,79769313486232E+308"};
    }
    void enterGoesOnAndCopiesTheEntries()
    {
        QFETCH(QString, im);
        QFETCH(QStringList, shown);
        entry("vys_0")->setText(QStringLiteral("<b>7</b>"));
        entry("vys_1")->setText(im);
        entry("absh")->setText(QStringLiteral("<hr>"));
        QTest::keyClick(entry("vys_1"), Qt::Key_Return);
        QTRY_VERIFY(!TestSupport::shown<Krok1>());
        QVERIFY(TestSupport::shown<krok2>() && TestSupport::shown<Vysledky>());
        QStringList texts, heard;
        for (const char* name : {"v_0", "ah", "fi", "k1_2", "v_2", "v_1"}) {
            texts << child<QLabel, Vysledky>(name)->text();
            heard << spoken(child<QLabel, Vysledky>(name));
        }
        QCOMPARE(texts, QStringList({"<b>7</b>", "<hr>", "", "+"}) + shown);
        QCOMPARE(heard, texts);
        QCOMPARE(entry("vys_1")->text(), im);
    }

    // G = 1 on a plane that is not square, so that a swapped width and height shows: the labels in drawing
    // order, the ticks of the imaginary axis ending at W/2 + 2.5 exactly, the end marker, then the vector
    // to (G, G), 18 px inside the top right corner. G = 8 while following: whole labels, no marker.
    void planeDrawing()
    {
        RecordingSurface s(400, 300), following(372, 372);
        GaussPlane::RedrawPlane(s, 1, 382, 18, false);
        QVERIFY(s.cleared);
        const QList<Text> labels = {
            {"1", {382, 152}},     {".5", {286, 152}},    {".25", {238, 152}},    {".75", {329, 152}},
            {"-.75", {53.5, 152}}, {"-.5", {101.5, 152}}, {"-.25", {144.5, 152}}, {"-1 ", {12, 152}},
            {"0", {203, 151}},     {" 1 ", {201, 12}},    {" ,75 ", {201, 45}},   {" ,5 ", {201, 78}},
            {" ,25 ", {201, 111}}, {"-,25 ", {205, 177}}, {"-,5 ", {205, 210}},   {"-,75 ", {205, 243}},
            {"-1 ", {205, 276}},   {"x", {387, 135}},     {"y", {190, 0}}};
        QCOMPARE(s.texts, labels);
        QCOMPARE(s.lines.size(), 21);
        QCOMPARE(s.lines.mid(18), (QList<QLineF>{{377, 18, 387, 18}, {382, 13, 382, 23}, {200, 150, 382, 18}}));
        QCOMPARE(std::count_if(s.lines.begin(), s.lines.end(), [](const QLineF& e) { return e.x2() == 202.5; }), 8);
        GaussPlane::RedrawPlane(following, 8, 354, 18, true);
        QCOMPARE(following.lines.size(), 19);
        QCOMPARE(following.lines.last(), QLineF(186, 186, 354, 18));
        QCOMPARE(following.texts.mid(7, 3), (QList<Text>{{"-8 ", {12, 188}}, {"0", {189, 187}}, {" 8 ", {187, 12}}}));
    }

    void clicksToggleFollowing()
    {
        PUPIL(goOn(2));
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
    void vectorBand()
    {
        PUPIL(goOn(2));
        Pupil::click(graf, {100, 100});
        const QList<QPointF> inside = {{17.5, 200}, {354.875, 200}};
        const QList<QPointF> outside = {{17, 200}, {355, 200}, {200, 17}, {200, 355}, {1e7, 1e9}};
        QList<QPointF> ends, expected;
        for (QPointF p : inside + outside)
            for (Qt::MouseButtons held : {Qt::NoButton, Qt::LeftButton}) {
                Pupil::hover(graf, {100, 100});
                Pupil::hover(graf, p, held);
                ends << end();
                expected << (inside.contains(p) ? p : QPointF(100, 100));
            }
        QCOMPARE(ends, expected);
    }

    // Going back and on keeps the entries, the example, each picture, the end point, the following,
    // the sinusoid; Vysledky shows the entries as they are when going on again.
    void stateSurvivesTheSteps()
    {
        PUPIL(goOn(2));
        Krok1& step1 = Forms::get<Krok1>();
        Krok3& step3 = Forms::get<Krok3>();
        auto* im = child<QLineEdit>(&step1, "vys_1");
        im->setText(QStringLiteral("-2"));
        Pupil::click(graf, {100, 100});
        Pupil::hover(graf, {150, 61});
        const QImage picture = graf->image().copy();
        Pupil::clickButton(form2, "Contin");
        pb = child<PictureBox>(&step3, "pb");
        Pupil::drag(pb, {400, 40}, {350, 60});
        const QImage curve = pb->image().copy();
        Pupil::clickButton(&step3, "bac");
        QCOMPARE(graf->image(), picture);
        Pupil::clickButton(form2, "bac");
        QVERIFY(shown<Krok1>() && !shown<Vysledky>());
        QCOMPARE(QStringList({im->text(), child<QLabel>(&step1, "k1_0")->text()}), QStringList({"-2", "25"}));
        im->setText(QStringLiteral("5"));
        Pupil::clickButton(&step1, "Contin");
        QCOMPARE((child<QLabel, Vysledky>("v_2")->text() + child<QLabel, Vysledky>("v_1")->text()), "+5");
        QCOMPARE(end(), QPointF(150, 61));
        QCOMPARE(form2->vectorFollowing, true);
        Pupil::clickButton(form2, "Contin");
        QCOMPARE((QList<float>{step3.phaseShift, float(step3.amplitude)}), (QList<float>{50, 50}));
        QCOMPARE(pb->image(), curve);
    }

    // Tab reaches the plane; Space lets the end follow the keys (Shift: 10 px) up to the band's last
    // whole pixel; the mouse takes over and the keys go on from there. A screen reader hears the end.
    void vectorByKeys()
    {
        PUPIL(goOn(2));
        child(form2, "kon")->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), graf);
        Pupil::press(Qt::Key_Right); // fixed: keys do not move it
        hears(graf, "Osy od -5 do 5. Konec vektoru: 0,00 + 0,00 i.");
        Pupil::press(Qt::Key_Space);
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier, 2); // 20 px of 168 to the axis end at 5
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        hears(graf, "Konec vektoru: 0,60 + 0,30 i.");
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 3);
        hears(graf, "Konec vektoru: 0,60 − 0,60 i.");
        Pupil::press(Qt::Key_Left, Qt::ShiftModifier, 40);
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 40);
        QCOMPARE(end(), QPointF(18, 354));
        Pupil::hover(graf, {300, 40});
        Pupil::press(Qt::Key_Down);
        QCOMPARE(end(), QPointF(300, 41));
    }

    // With axisMax 10: the axes, ticks every 20.125 px (none at the centre), whole labels at the ends. The
    // curve: 51 points every 8 px from SW/2 - 200 (the start not rounded), each rounded half away from zero,
    // a positive phase moving it left, a positive sine up (start, points 0, 1, 5, 12, 25, 50); one colour.
    void sinusoidDrawing()
    {
        RecordingSurface s(485, 221);
        s.setForeColor(255);
        const auto curve = [&s](qint16 phase) {
            Sinusoid::DrawSin(s, 10, phase, 40);
            QList<QPointF> points = {s.lines.value(10).p1()};
            for (int i : {0, 1, 5, 12, 25, 50})
                points << s.lines.value(10 + i).p2();
            return points;
        };
        QCOMPARE(curve(50),
                 (QList<QPointF>{{42.5, 71}, {43, 71}, {51, 72}, {83, 98}, {139, 150}, {243, 71}, {443, 71}}));
        QCOMPARE(curve(0),
                 (QList<QPointF>{{42.5, 111}, {43, 111}, {51, 101}, {83, 72}, {139, 105}, {243, 111}, {443, 111}}));
        QVERIFY(s.cleared);
        QCOMPARE(s.lines.size(), 2 + 8 + 51);
        QCOMPARE(s.colors, QList<quint32>(s.lines.size(), 255));
        QCOMPARE(QPointF(s.lines[0].x2(), s.lines[0].y1()), QPointF(475, 110.5));
        QCOMPARE(QPointF(s.lines[1].x1(), s.lines[1].y2()), QPointF(242.5, 211));
        QList<QLineF> ticks;
        for (float y : {30.f, 50.125f, 70.25f, 90.375f, 130.625f, 150.75f, 170.875f, 191.f})
            ticks << QLineF(240.5, y, 246, y);
        QCOMPARE(s.lines.mid(2, 8), ticks);
        const QList<Text> labels = {{"x", {475, 110.5}},        {"y", {246.5, -2}},      {" 10 ", {244.5, 24}},
                                    {" 7,5 ", {244.5, 44.125}}, {" 5 ", {244.5, 64.25}}, {" 2,5 ", {244.5, 84.375}},
                                    {"-2,5 ", {246, 124.625}},  {"-5 ", {246, 144.75}},  {"-7,5 ", {246, 164.875}},
                                    {"-10 ", {246, 185}}};
        QCOMPARE(s.texts, labels);
    }

    // Bands of strictly less than 6 px; the vertical one wins where they cross. Hovering draws nothing.
    void sinusoidHoverBands()
    {
        PUPIL(goOn(3));
        const QImage picture = pb->image().copy();
        QList<int> pointers;
        for (QPointF at : {QPointF(100, 40), {248.4, 40}, {248.5, 40}, {100, 116.4}, {100, 116.5}, {244, 112}}) {
            Pupil::hover(pb, at);
            pointers << pb->MousePointer();
        }
        QCOMPARE(pointers, QList<int>({0, 9, 0, 7, 0, 9}));
        QCOMPARE(pb->image(), picture);
    }

    void sinusoidDrags_data()
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
    void sinusoidDrags()
    {
        PUPIL(goOn(3));
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, amplitude);
        Pupil::hover(pb, from);
        Pupil::down(pb, from);
        Pupil::hover(pb, to, Qt::LeftButton);
        QTEST(form3->phaseShift, "during");
        QCOMPARE(form3->amplitude, qint16(amplitude));
        Pupil::up(pb, to);
        QTEST(form3->phaseShift, "after");
        QCOMPARE(pb->MousePointer(), 0);
    }

    // Tab reaches the picture; Up and Left move the curve by 1 px, with Shift by 10 px, and do nothing
    // during a drag; a second button during a drag beeps, and the drag goes on from where it was. A
    // screen reader hears the amplitude and the phase shift.
    void sinusoidByKeys()
    {
        PUPIL(goOn(3));
        child(form3, "kon")->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pb);
        hears(pb, "Amplituda 2,98 (stupnice do 6), fázový posun 0,0°."); // 40 px of 80.5 to the tick at 6
        Pupil::press(Qt::Key_Up);
        Pupil::press(Qt::Key_Left);
        hears(pb, "Amplituda 3,06 (stupnice do 6), fázový posun 1,8°.");
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier); // 1 - 10 px comes round to 191 px of 200
        hears(pb, "Amplituda 3,06 (stupnice do 6), fázový posun 343,8°.");
        Pupil::hover(pb, {400, 40});
        Pupil::down(pb, {400, 40});
        QCOMPARE(pb->MousePointer(), 5);
        Pupil::press(Qt::Key_Left, Qt::ShiftModifier);
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE((QList<float>{form3->phaseShift, float(form3->amplitude)}), (QList<float>{191, 41}));
        Pupil::mouse(pb, QEvent::MouseButtonPress, {390, 40}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(beeps, 1);
        Pupil::hover(pb, {380, 40}, Qt::LeftButton);
        QCOMPARE(form3->phaseShift, 211.0f);
    }

    // "&Konec", Esc, the window frame and "&Dokončit" ("Dotaz") ask; "&Ne" leaves everything as it was.
    void konecAnsweredNo_data()
    {
        QTest::addColumn<QString>("where");
        for (const char* w : {"Krok1 Command3", "Krok1 Esc", "Krok1 frame", "krok2 Esc", "krok2 frame", "Krok3 kon",
                              "Krok3 dok", "Spatny frame", "Spatny Command2"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void konecAnsweredNo()
    {
        QFETCH(QString, where);
        const QString how = where.section(' ', 1);
        const int depth = QStringList{"Krok1", "krok2", "Krok3", "Spatny"}.indexOf(where.section(' ', 0, 0));
        QTest::keyClicks(child<QLineEdit, Krok1>("vys_0"), "42");
        const QList<std::pair<Form*, const char*>> forward = {
            {&Forms::get<Krok1>(), "Contin"}, {&Forms::get<krok2>(), "Contin"}, {&Forms::get<Krok3>(), "dok"}};
        for (int i = 0; i < depth; ++i) // "42" alone: wrong
            Pupil::clickButton(forward[i].first, forward[i].second);
        Form* form = depth < 3 ? forward[depth].first : shown<Spatny>();
        QVERIFY(form && form->isVisible());
        const bool vysledky = shown<Vysledky>();
        const QList<qint32> before = counters();
        questionsAsked.clear();
        ModalScript modals;
        if (how == "dok")
            questionAnswers = {QMessageBox::No};
        else
            modals.expect("Konec", [](QWidget* konec) { Pupil::clickButton(konec, "Command2"); });
        if (how == "frame")
            form->close();
        else if (how == "Esc")
            QTest::keyClick(form, Qt::Key_Escape);
        else
            Pupil::clickButton(form, qPrintable(how));
        QCOMPARE(modals.pending(), 0);
        QCOMPARE(questionsAsked, how == "dok" ? QStringList{"Jseš si svými výsledky opravdu jist?"} : QStringList());
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
    // of 5 at 0 degrees starts on the zero line and rises first, to 5 / 6 of 80.5 px; that of -5 falls first.
    void correctDrawings()
    {
        RecordingSurface plane(372, 372), at0(485, 221), at180(485, 221);
        CorrectDrawings::DrawCorrectVector(plane, 40, 40, 40);
        QCOMPARE(plane.lines.last(), QLineF(186, 186, 354, 18));
        QCOMPARE(plane.colors.last(), Colors::Red);
        CorrectDrawings::DrawCorrectSinusoid(at0, 5, 0, 6);
        CorrectDrawings::DrawCorrectSinusoid(at180, -5, 0, 6);
        // The number of segments, the start, the first step, the highest and the lowest point.
        const auto extent = [](const QList<QLineF>& l) {
            const auto [top, bottom] =
                std::minmax_element(l.begin(), l.end(), [](auto& p, auto& q) { return p.y2() < q.y2(); });
            return QList<qreal>{qreal(l.size()), l[0].y1(), l[1].y2() - l[0].y1(), top->y2(), bottom->y2()};
        };
        QCOMPARE(extent(at0.lines), (QList<qreal>{51, 111, -17, 44, 177}));
        QCOMPARE(extent(at180.lines), (QList<qreal>{51, 111, 16, 44, 177}));
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
            return step2.vectorEndX == 186 && !step2.vectorFollowing && step3.amplitude == 40 && step3.phaseShift == 0;
        };
        const QImage rgb = before.convertToFormat(QImage::Format_RGB32); // the correct drawing, over the pupil's
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
        QVERIFY(std::count(pixels, pixels + rgb.width() * rgb.height(), qRgb(255, 0, 0)) > 100);
        bool shownAlone = false;
        QStringList during;
        ModalScript modals;
        modals.expect(names[1], [&](QWidget*) {
            for (QPointF p : {QPointF(100, 100), QPointF(186, 110.5), QPointF(242.5, 60)}) {
                Pupil::click(area, p);
                Pupil::drag(area, p, p + QPointF(-30, -40));
            }
            shownAlone = ExerciseFlow::run().correctDrawingMode && !review->isVisible() && unchanged() &&
                         area->image() == before;
            during = buttons();
            Pupil::clickButton(form, "back");
        });
        Pupil::clickButton(review, qPrintable(names[0]));
        QCOMPARE(modals.pending(), 0);
        QVERIFY(shownAlone);
        QCOMPARE(during, QStringList{"back (default)"});
        QVERIFY(!ExerciseFlow::run().correctDrawingMode && review->isVisible() && !form->isVisible() && unchanged());
        QCOMPARE(buttons(), QStringList({names[3] + " (default)", "bac", "kon"}));
    }

    // Every control a pupil can reach is read out by a Czech name: buttons by their captions without
    // the access key's "&", entries by their labels. (Not the parts of another control: the scroll bars
    // of a text box, a combo box's list.)
    void everyControlHasACzechName()
    {
        ExerciseFlow::run().runState.emailMode = true; // the summary of an e-mail run encodes and asks nothing
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
