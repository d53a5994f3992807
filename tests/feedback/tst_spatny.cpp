#include "step2/picturemouse.h"
#include "support/testsupport.h"

#include "core/colors.h"
#include "core/data_a_promene.h"
#include "core/judging.h"
#include "feedback/correctdrawings.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/recordingsurface.h"
#include "ui/forms/forms.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestSpatny : public QObject {
    Q_OBJECT

    // A review for the result re + im i (the operands stay those of the default example).
    Spatny& reviewFor(float re, float im)
    {
        Forms::get<Krok1>();
        Data_a_promene::resultRe = re;
        Data_a_promene::resultIm = im;
        Forms::get<krok2>().Form_Load();
        Forms::get<Krok3>().Form_Load();
        Forms::get<Spatny>().Form_Load();
        return Forms::get<Spatny>();
    }

private slots:
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    void cleanup() { Forms::unloadAll(); }

    void formatsUnderCzechLocale()
    {
        const QList<QPair<QPointF, QString>> rows = {{{-3, 0}, "-3,00 - 0,00 3,00 180,0"},
                                                     {{1200, 900}, "1200,00 + 900,00 1\u00a0500,00 36,9"}};
        for (const auto& [z, shown] : rows) {
            Spatny& s = reviewFor(z.x(), z.y());
            QCOMPARE(
                QStringList({s.cis3[0]->text(), s.cis3[1]->text(), s.cis3[2]->text(), s.ab->text(), s.uhFi->text()})
                    .join(' '),
                shown);
        }
    }

    // A screen reader hears each value with its meaning, and which ones were wrong (red, bold), also
    // after the next example changed them.
    void screenReaderHearsValuesAndMarks()
    {
        const auto heard = [](Spatny& s) {
            QStringList seen;
            for (QWidget* w : QList<QWidget*>{s.cis1[0], s.cis3[1], s.cis3[2], s.ab, s.uhFi, s.oper, s.vek}) {
                QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(w);
                const QString mark = spoken->text(QAccessible::Description);
                seen << spoken->text(QAccessible::Name) + (mark.isEmpty() ? "" : " (" + mark + ")");
            }
            return seen;
        };
        Spatny& s = reviewFor(-3, 0);
        Judging::Verdict verdict;
        verdict.uhFi = verdict.vek = true;
        s.setMarks(verdict);
        const QString wrong = " (Tuto hodnotu jsi měl špatně.)";
        QCOMPARE(heard(s),
                 QStringList({"1. číslo, reálná část: 100", "Správný výsledek, znaménko imaginární části: minus",
                              "Správný výsledek, velikost imaginární části: 0,00", "Správná absolutní hodnota: 3,00",
                              "Správný úhel ve stupních: 180,0" + wrong, "Druh výsledku: Součet je",
                              "Ukázat správný vektor (Tento krok jsi měl špatně.)"}));
        s.resetMarks();
        reviewFor(1200, 900);
        QCOMPARE(heard(s).mid(1, 4),
                 QStringList({"Správný výsledek, znaménko imaginární části: plus",
                              "Správný výsledek, velikost imaginární části: 900,00",
                              "Správná absolutní hodnota: 1\u00a0500,00", "Správný úhel ve stupních: 36,9"}));
    }

    void correctDrawings()
    {
        // The vector to (axisLimit, axisLimit) ends 18 px inside the top right corner.
        RecordingSurface graf(372, 372);
        CorrectDrawings::DrawCorrectVector(graf, 40, 40, 40);
        const auto tip = graf.lines().value(graf.lines().size() - 1);
        QVERIFY(tip.x1 == 186 && tip.y1 == 186 && tip.x2 == 354 && tip.y2 == 18 && tip.color == Colors::Red);

        // 0 and 180 degrees start on the zero line and mirror each other; amplitude 5 / 6 of 80.5 px.
        RecordingSurface at0(485, 221), at180(485, 221);
        CorrectDrawings::DrawCorrectSinusoid(at0, 5, 0, 6);
        CorrectDrawings::DrawCorrectSinusoid(at180, -5, 0, 6);
        const auto a = at0.lines(), b = at180.lines();
        QVERIFY(a.size() == 51 && b.size() == 51 && a[0].y1 == 111 && b[0].y1 == 111 && a[1].y2 < 111);
        float crest = 221;
        for (int i = 0; i < 51; ++i) {
            QVERIFY2(std::fabs(a[i].y2 + b[i].y2 - 221) <= 1.0f && b[i].x2 == a[i].x2, qPrintable(QString::number(i)));
            crest = qMin(crest, a[i].y2);
        }
        QCOMPARE(crest, 111.f - 67);
    }

    // "&Sinus" and "&Vektor" show the step form modally over the hidden review with only `back`, the
    // mouse ignored; `back` returns with the form's buttons restored.
    void showState_data()
    {
        QTest::addColumn<bool>("sinus");
        QTest::newRow("Sinus") << true;
        QTest::newRow("Vektor") << false;
    }
    void showState()
    {
        QFETCH(bool, sinus);
        Spatny& s = reviewFor(3, 4);
        s.showModeless();
        krok2& k2 = Forms::get<krok2>();
        Krok3& k3 = Forms::get<Krok3>();
        Form* form = sinus ? static_cast<Form*>(&k3) : &k2;
        PictureBox* picture = sinus ? k3.pb : k2.Graf;
        const QList<QPushButton*> buttons = sinus ? QList<QPushButton*>{k3.dok, k3.bac, k3.kon, k3.back}
                                                  : QList<QPushButton*>{k2.Contin, k2.bac, k2.kon, k2.back};
        const auto state = [&] {
            QString seen = QString::number(Data_a_promene::correctDrawingMode) + (s.isVisible() ? " review " : " ");
            for (QPushButton* b : buttons)
                seen += QString(b->isHidden() ? "-" : "+") + (b->isDefault() ? "D" : "");
            return seen + QString::asprintf(" %g %d %d %g", k2.vectorEndX, int(k2.vectorFollowing), int(k3.amplitude),
                                            k3.phaseShift);
        };
        QString during;
        TestSupport::onNextModal([&](QWidget* w) {
            for (QPointF p : {QPointF(100, 100), QPointF(186, 110.5), QPointF(242.5, 60)}) {
                PictureMouse::click(picture, p);
                PictureMouse::drag(picture, p, p + QPointF(-30, -40));
            }
            during = w == form ? state() : w->objectName();
            QTest::mouseClick(buttons[3], Qt::LeftButton);
        });
        (sinus ? s.Sinusak : s.vek)->click();
        QCOMPARE(during, "1 ---+D 186 0 40 0");
        QCOMPARE(state(), "0 review +D++- 186 0 40 0");
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestSpatny)
#include "tst_spatny.moc"
