#include "step2/picturemouse.h"
#include "testsupport.h"

#include "app/forms.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "feedback/correctdrawings.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/surface/recordingsurface.h"

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

    void formatsUnderCzechLocale_data()
    {
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<QString>("shown"); // cis3(0) cis3(1) cis3(2) | ab | uhFi
        QTest::newRow("imaginary part 0") << -3.0f << 0.0f << "-3,00 - 0,00|3,00|180,0";
        QTest::newRow("negative imaginary part") << 2.5f << -1.234f << "2,50 - 1,23|2,79|333,7";
        QTest::newRow("absolute value grouped") << 1200.0f << 900.0f << "1200,00 + 900,00|1\u00a0500,00|36,9";
    }
    void formatsUnderCzechLocale()
    {
        QFETCH(float, re);
        QFETCH(float, im);
        Spatny& s = reviewFor(re, im);
        QTEST(QStringList({s.cis3[0]->text(), s.cis3[1]->text(), s.cis3[2]->text()}).join(' ') + '|' + s.ab->text() +
                  '|' + s.uhFi->text(),
              "shown");
    }

    void correctDrawings()
    {
        // The vector to (axisLimit, axisLimit) ends 18 px inside the top right corner, a cross of 5 px
        // arms around its tip, all red.
        RecordingSurface graf(372, 372);
        CorrectDrawings::DrawCorrectVector(graf, 40, 40, 40);
        QStringList vector;
        for (const auto& l : graf.lines())
            vector << QStringLiteral("%1,%2 %3,%4 %5").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2).arg(l.color);
        const QString red = QString::number(Colors::Red);
        QCOMPARE(vector, QStringList({"354,13 354,23 " + red, "349,18 359,18 " + red, "186,186 354,18 " + red}));

        // 0 and 180 degrees: both start on the zero line, half a period apart; amplitude 5 / 6 of 80.5 px.
        RecordingSurface at0(485, 221), at180(485, 221);
        CorrectDrawings::DrawCorrectSinusoid(at0, 5, 0, 6);
        CorrectDrawings::DrawCorrectSinusoid(at180, -5, 0, 6);
        const auto a = at0.lines(), b = at180.lines();
        QCOMPARE(a.size(), 51);
        QCOMPARE(b.size(), 51);
        QCOMPARE(QPointF(a[0].x1, a[0].y1), QPointF(42.5, 111));
        QCOMPARE(QPointF(b[0].x1, b[0].y1), QPointF(42.5, 111));
        QVERIFY(a[1].y2 < 111 && b[1].y2 > 111);
        float crest = 221;
        for (int i = 0; i < 51; ++i) {
            QVERIFY(a[i].color == Colors::Red && a[i].x2 == 43 + 8 * i && b[i].x2 == a[i].x2);
            QVERIFY2(std::fabs(a[i].y2 + b[i].y2 - 221) <= 1.0f, qPrintable(QString::number(i)));
            crest = qMin(crest, a[i].y2);
        }
        QCOMPARE(crest, 111.f - 67);
    }

    // "&Sinus" and "&Vektor" show the step form modally over the hidden review: caption replaced, only
    // `back` shown and default, the mouse ignored; `back` returns with the form's buttons restored. The
    // red drawing is made once per review, so a second look shows the same.
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
            return seen + QStringLiteral(" %1 %2 %3 %4")
                              .arg(k2.vectorEndX)
                              .arg(k2.vectorFollowing)
                              .arg(k3.amplitude)
                              .arg(k3.phaseShift);
        };
        const QImage before = picture->image().copy();
        for (int round = 0; round < 2; ++round) {
            QString during, caption;
            TestSupport::onNextModal([&](QWidget* w) {
                caption = (sinus ? k3.inf : k2.inf)->text();
                for (QPointF p : {QPointF(100, 100), QPointF(186, 110.5), QPointF(242.5, 60)}) {
                    PictureMouse::click(picture, p);
                    PictureMouse::drag(picture, p, p + QPointF(-30, -40));
                }
                during = w == form ? state() : w->objectName();
                QTest::mouseClick(buttons[3], Qt::LeftButton);
            });
            (sinus ? s.Sinusak : s.vek)->click();
            QCOMPARE(caption, sinus ? "Správně to mělo být takto:" : "Správně to mělo vypadat takto:");
            QCOMPARE(during, "1 ---+D 186 0 40 0");
            QCOMPARE(state(), "0 review +D++- 186 0 40 0");
            QVERIFY(!form->isVisible());
            QCOMPARE(picture->image(), before);
        }
        bool red = false; // over the pupil's black picture
        for (int i = 0; i < before.width() * before.height() && !red; ++i)
            red = before.pixelColor(i % before.width(), i / before.width()) == Qt::red;
        QVERIFY(red);
    }
};

QTEST_MAIN(TestSpatny)
#include "tst_spatny.moc"
