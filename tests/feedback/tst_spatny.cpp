#include "testsupport.h"

#include "app/forms.h"
#include "app/konec.h"
#include "core/colors.h"
#include "core/data_a_promene.h"
#include "feedback/correctdrawings.h"
#include "feedback/spatny.h"
#include "step1/krok1.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "ui/surface/picturebox.h"
#include "ui/surface/recordingsurface.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

static QPoint widgetPoint(PictureBox* p, QPointF inner) {
    return (inner + QPointF(p->contentsRect().topLeft())).toPoint();
}

static void sendMouse(PictureBox* p, QEvent::Type type, QPointF inner, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    const QPointF local = inner + QPointF(p->contentsRect().topLeft());
    QMouseEvent e(type, local, p->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(p, &e);
}

// What a step form looks like while it is shown.
struct ShowState {
    bool mode = false;
    QString caption;
    bool forward = false, bac = false, kon = false, back = false, backDefault = false;
};

class TestSpatny : public QObject {
    Q_OBJECT

    // A review for the result re + im i (the operands stay those of the default example).
    Spatny& reviewFor(float re, float im) {
        Forms::get<Krok1>();
        Data_a_promene::resultRe = re;
        Data_a_promene::resultIm = im;
        Forms::get<krok2>().Form_Load();
        Forms::get<Krok3>().Form_Load();
        Spatny& s = Forms::get<Spatny>();
        s.Form_Load();
        return s;
    }

private slots:
    void init() {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    void cleanup() { Forms::unloadAll(); }

    void formatsUnderCzechLocale_data() {
        const QString nbsp = QString(QChar(0x00A0));
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::addColumn<QStringList>("shown"); // cis3(0), cis3(1), cis3(2), ab, uhFi
        QTest::newRow("imaginary part 0")
            << -3.0f << 0.0f << QStringList{"-3,00", "-", "0,00", "3,00", "180,0"};
        QTest::newRow("negative imaginary part")
            << 2.5f << -1.234f << QStringList{"2,50", "-", "1,23", "2,79", "333,7"};
        QTest::newRow("absolute value grouped")
            << 1200.0f << 900.0f << QStringList{"1200,00", "+", "900,00", "1" + nbsp + "500,00", "36,9"};
    }
    void formatsUnderCzechLocale() {
        QFETCH(float, re);
        QFETCH(float, im);
        QFETCH(QStringList, shown);
        Spatny& s = reviewFor(re, im);
        QCOMPARE((QStringList{s.cis3[0]->text(), s.cis3[1]->text(), s.cis3[2]->text(), s.ab->text(),
                              s.uhFi->text()}),
                 shown);
        // The default example is (100 + 200i) + (300 - 400i).
        QCOMPARE((QStringList{s.cis1[0]->text(), s.cis1[1]->text(), s.cis1[2]->text(), s.cis2[0]->text(),
                              s.cis2[1]->text(), s.cis2[2]->text(), s.oper->text()}),
                 (QStringList{"100", "+", "200", "300", "-", "400", "Součet je:"}));
        QCOMPARE(s.windowTitle(), QStringLiteral("C H Y B A"));
        for (QWidget* w : s.findChildren<QWidget*>())
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    void correctVectorAtTheAxisLimits() {
        RecordingSurface graf(372, 372);
        CorrectDrawings::DrawCorrectVector(graf, 40, 40, 40);
        const auto lines = graf.lines();
        QCOMPARE(lines.size(), 3);
        for (const auto& l : lines)
            QCOMPARE(l.color, Colors::Red);
        // The tip is 18 px inside the top right corner, with a cross of 5 px arms around it.
        QCOMPARE(QList<float>({lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
                 QList<float>({354, 13, 354, 23}));
        QCOMPARE(QList<float>({lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
                 QList<float>({349, 18, 359, 18}));
        QCOMPARE(QList<float>({lines[2].x1, lines[2].y1, lines[2].x2, lines[2].y2}),
                 QList<float>({186, 186, 354, 18}));
    }

    void correctSinusoidsHalfAPeriodApart() {
        RecordingSurface at0(485, 221), at180(485, 221);
        CorrectDrawings::DrawCorrectSinusoid(at0, 5, 0, 6);
        CorrectDrawings::DrawCorrectSinusoid(at180, -5, 0, 6);
        const auto a = at0.lines(), b = at180.lines();
        QCOMPARE(a.size(), 51);
        QCOMPARE(b.size(), 51);
        // Both start on the zero line at the left end; 0 degrees rises first, 180 degrees falls.
        QCOMPARE(QPointF(a[0].x1, a[0].y1), QPointF(42.5, 111));
        QCOMPARE(QPointF(b[0].x1, b[0].y1), QPointF(42.5, 111));
        QVERIFY(a[1].y2 < 111 && b[1].y2 > 111);
        int crest = 221;
        for (int i = 0; i < 51; ++i) {
            QCOMPARE(a[i].color, Colors::Red);
            QCOMPARE(a[i].x2, float(43 + 8 * i));
            QCOMPARE(b[i].x2, a[i].x2);
            // Half a period later a sinusoid has the opposite value.
            QVERIFY2(std::fabs((a[i].y2 - 110.5f) + (b[i].y2 - 110.5f)) <= 1.0f,
                     qPrintable(QString::number(i)));
            crest = qMin(crest, int(a[i].y2));
        }
        // Amplitude 5 / 6 of the full scale 80.5 px.
        QCOMPARE(crest, 111 - 67);
    }

    // The show state: caption, only `back`, mouse ignored; back returns to the review with the
    // step form's buttons restored. The drawing is made once per review.
    void showState_data() {
        QTest::addColumn<bool>("sinus");
        QTest::newRow("Sinus") << true;
        QTest::newRow("Vektor") << false;
    }
    void showState() {
        QFETCH(bool, sinus);
        Spatny& s = reviewFor(3, 4);
        s.showModeless();
        krok2& step2 = Forms::get<krok2>();
        Krok3& step3 = Forms::get<Krok3>();
        PictureBox* picture = sinus ? step3.pb : step2.Graf;
        Form* form = sinus ? static_cast<Form*>(&step3) : &step2;
        const QImage before = picture->image().copy();
        const float endX = step2.vectorEndX;
        const qint16 amplitude = step3.amplitude;

        for (int round = 0; round < 2; ++round) {
            ShowState seen;
            bool reviewHidden = false;
            TestSupport::onNextModal([&](QWidget* w) {
                reviewHidden = !s.isVisible();
                seen.mode = Data_a_promene::correctDrawingMode;
                seen.caption = (sinus ? step3.inf : step2.inf)->text();
                seen.forward = (sinus ? step3.dok : step2.Contin)->isVisible();
                seen.bac = (sinus ? step3.bac : step2.bac)->isVisible();
                seen.kon = (sinus ? step3.kon : step2.kon)->isVisible();
                QPushButton* back = sinus ? step3.back : step2.back;
                seen.back = back->isVisible();
                seen.backDefault = back->isDefault();
                if (w == form) {
                    // A click, and a press-move-release in the middle of the picture and on its axes.
                    for (QPointF p : {QPointF(100, 100), QPointF(186, 110.5), QPointF(242.5, 60)}) {
                        QTest::mouseClick(picture, Qt::LeftButton, {}, widgetPoint(picture, p));
                        sendMouse(picture, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
                        sendMouse(picture, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
                        sendMouse(picture, QEvent::MouseMove, p + QPointF(-30, -40), Qt::NoButton,
                                  Qt::LeftButton);
                        sendMouse(picture, QEvent::MouseButtonRelease, p + QPointF(-30, -40), Qt::LeftButton,
                                  Qt::NoButton);
                    }
                }
                QTest::mouseClick(back, Qt::LeftButton);
            });
            (sinus ? s.Sinusak : s.vek)->click();

            QVERIFY(reviewHidden);
            QVERIFY(seen.mode);
            QCOMPARE(seen.caption, sinus ? QStringLiteral("Správně to mělo být takto:")
                                         : QStringLiteral("Správně to mělo vypadat takto:"));
            QVERIFY(!seen.forward && !seen.bac && !seen.kon);
            QVERIFY(seen.back && seen.backDefault);
            QCOMPARE(picture->image(), before);
            QCOMPARE(step2.vectorEndX, endX);
            QCOMPARE(step2.vectorFollowing, qint16(0));
            QCOMPARE(step3.amplitude, amplitude);
            QCOMPARE(step3.phaseShift, 0.0f);

            QVERIFY(!Data_a_promene::correctDrawingMode);
            QVERIFY(s.isVisible());
            QVERIFY(!form->isVisible());
            QPushButton* forward = sinus ? step3.dok : step2.Contin;
            QVERIFY(!forward->isHidden() && forward->isDefault());
            QVERIFY(!(sinus ? step3.bac : step2.bac)->isHidden());
            QVERIFY(!(sinus ? step3.kon : step2.kon)->isHidden());
            QVERIFY((sinus ? step3.back : step2.back)->isHidden());
            QVERIFY(!(sinus ? step3.back : step2.back)->isDefault());
        }
        // Red lies over the pupil's black picture.
        bool red = false;
        for (int y = 0; y < before.height() && !red; ++y)
            for (int x = 0; x < before.width() && !red; ++x)
                red = before.pixelColor(x, y) == QColor(255, 0, 0);
        QVERIFY(red);
    }

    void konecAndTheWindowFrameKeepTheReview() {
        Spatny& s = reviewFor(3, 4);
        s.showModeless();
        QString asked;
        TestSupport::onNextModal([&](QWidget* w) {
            asked = w->objectName();
            static_cast<Konec*>(w)->Command2->click();
        });
        QTest::mouseClick(s.Command2, Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Konec"));
        QVERIFY(s.isVisible());

        asked.clear();
        TestSupport::onNextModal([&](QWidget* w) {
            asked = w->objectName();
            static_cast<Konec*>(w)->Command2->click();
        });
        s.close();
        QCOMPARE(asked, QStringLiteral("Konec"));
        QVERIFY(s.isVisible());
        QCOMPARE(Forms::find<Spatny>(), &s);
        QCOMPARE(TestSupport::endRequests, 0);
    }
};

QTEST_MAIN(TestSpatny)
#include "tst_spatny.moc"
