// Step 2: the Gauss plane as drawn, the vector's end under the mouse and the keys, and what survives
// going back and on.

#include "app/exerciseflow.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/gauss_plane.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/recordingsurface.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;
using Text = RecordingSurface::Text;

class TestKrok2 : public QObject {
    Q_OBJECT
    krok2* form = nullptr;
    PictureBox* graf = nullptr;

    QPointF end() const { return {form->vectorEndX, form->vectorEndY}; }
    bool black(int x, int y) const { return graf->image().pixelColor(x, y) == Qt::black; }
    void hears(const QString& text) { QVERIFY2(graf->accessibleDescription().contains(text), qPrintable(text)); }

private slots:
    void init()
    {
        resetProgram();
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4)); // 25 / (3 - 4i) = 3 + 4i: the axes end at 5
        ExerciseFlow::firstExample();
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        form = active<krok2>();
        QVERIFY(form);
        graf = child<PictureBox>(form, "Graf");
    }

    // G = 1 is drawn on a plane that is not square, so that a swapped width and height shows. The vector
    // to (G, G) comes last and ends 18 px inside the top right corner; the end marker only while fixed.
    void plane_data()
    {
        QTest::addColumn<float>("limit");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("following");
        QTest::addColumn<QList<Text>>("labels"); // in drawing order
        const QList<Text> g8 = {{"8", {354, 188}},   {"4", {267.5, 188}}, {"2", {225.5, 188}}, {"6", {309.5, 188}},
                                {"-6", {55, 188}},   {"-4", {97, 188}},   {"-2", {139, 188}},  {"-8 ", {12, 188}},
                                {"0", {189, 187}},   {" 8 ", {187, 12}},  {" 6 ", {187, 54}},  {" 4 ", {187, 96}},
                                {" 2 ", {187, 138}}, {"-2 ", {191, 222}}, {"-4 ", {191, 264}}, {"-6 ", {191, 306}},
                                {"-8 ", {191, 348}}, {"x", {359, 171}},   {"y", {176, 0}}};
        QTest::newRow("8 fixed") << 8.f << QSizeF(372, 372) << false << g8;
        QTest::newRow("8 following") << 8.f << QSizeF(372, 372) << true << g8;
        QTest::newRow("1 fixed") << 1.f << QSizeF(400, 300) << false
                                 << QList<Text>{{"1", {382, 152}},      {".5", {286, 152}},    {".25", {238, 152}},
                                                {".75", {329, 152}},    {"-.75", {53.5, 152}}, {"-.5", {101.5, 152}},
                                                {"-.25", {144.5, 152}}, {"-1 ", {12, 152}},    {"0", {203, 151}},
                                                {" 1 ", {201, 12}},     {" ,75 ", {201, 45}},  {" ,5 ", {201, 78}},
                                                {" ,25 ", {201, 111}},  {"-,25 ", {205, 177}}, {"-,5 ", {205, 210}},
                                                {"-,75 ", {205, 243}},  {"-1 ", {205, 276}},   {"x", {387, 135}},
                                                {"y", {190, 0}}};
    }
    void plane()
    {
        QFETCH(QSizeF, size);
        QFETCH(bool, following);
        const float w = size.width(), h = size.height();
        RecordingSurface s(w, h);
        QFETCH(float, limit);
        GaussPlane::RedrawPlane(s, limit, w - 18, 18, following);
        QVERIFY(s.cleared);
        QTEST(s.texts, "labels");
        const auto& l = s.lines;
        QCOMPARE(l.size(), following ? 19 : 21);
        QCOMPARE(l.last(), QLineF(w / 2, h / 2, w - 18, 18));
        if (!following)
            QCOMPARE(l.mid(l.size() - 3, 2), QList<QLineF>({{w - 23, 18, w - 13, 18}, {w - 18, 13, w - 18, 23}}));
        // The imaginary ticks end at W/2 + 2.5 exactly.
        QCOMPARE(std::count_if(l.begin(), l.end(), [&](const QLineF& e) { return e.x2() == w / 2 + 2.5f; }), 8);
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
    void band()
    {
        Pupil::click(graf, {100, 100});
        for (auto [p, accepted] : {std::pair{QPointF(17.5, 200), true},
                                   {QPointF(354.9, 200), true},
                                   {QPointF(17, 200), false},
                                   {QPointF(355, 200), false},
                                   {QPointF(200, 17), false},
                                   {QPointF(200, 355), false},
                                   {QPointF(1e7, 1e9), false}})
            for (Qt::MouseButtons held : {Qt::NoButton, Qt::LeftButton}) {
                Pupil::hover(graf, {100, 100});
                Pupil::hover(graf, p, held);
                QVERIFY2((end() - (accepted ? p : QPointF(100, 100))).manhattanLength() < 1e-4,
                         qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
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
        QCOMPARE(QStringList({im->text(), child<QLabel>(&step1, "k1_0")->text()}), QStringList({"-2", "25"}));
        im->setText(QStringLiteral("5"));
        Pupil::clickButton(&step1, "Contin");
        QCOMPARE((child<QLabel, Vysledky>("v_2")->text() + child<QLabel, Vysledky>("v_1")->text()), "+5");
        QCOMPARE(end(), QPointF(150, 61));
        QCOMPARE(form->vectorFollowing, qint16(-1));
        Pupil::clickButton(form, "Contin");
        QCOMPARE((QList<float>{step3.phaseShift, float(step3.amplitude)}), (QList<float>{50, 50}));
        QCOMPARE(pb->image(), curve);
    }

    // Tab reaches the plane; Space lets the end follow the keys (Shift: 10 px) up to the band's last
    // whole pixel; the mouse takes over and the keys go on from there. A screen reader hears the end.
    void keyboard()
    {
        child(form, "kon")->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), graf);
        Pupil::press(Qt::Key_Right); // fixed: keys do not move it
        hears("Osy od -5 do 5. Konec vektoru: 0,00 + 0,00 i.");
        Pupil::press(Qt::Key_Space);
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier, 2); // 20 px of 168 to the axis end at 5
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        hears("Konec vektoru: 0,60 + 0,30 i.");
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 3);
        hears("Konec vektoru: 0,60 − 0,60 i.");
        Pupil::press(Qt::Key_Left, Qt::ShiftModifier, 40);
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 40);
        QCOMPARE(end(), QPointF(18, 354));
        Pupil::hover(graf, {300, 40});
        Pupil::press(Qt::Key_Down);
        QCOMPARE(end(), QPointF(300, 41));
    }
};

QTEST_MAIN(TestKrok2)
#include "tst_krok2.moc"
