// What a screen reader and a keyboard user meet: every control a pupil can reach has a Czech name,
// the two drawing areas say what they show, and Tab gets to the buttons and the drawing areas.

#include "app/help.h"
#include "app/info.h"
#include "app/konec.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/data_a_promene.h"
#include "feedback/dobry.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "support/pupil.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A control of its own, not a part of another one (the scroll bars of a text box, a combo box's list).
bool isControl(QWidget* w, QWidget* form)
{
    for (QWidget* p = w->parentWidget(); p && p != form; p = p->parentWidget())
        if (qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QComboBox*>(p))
            return false;
    return (w->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<PictureBox*>(w);
}

QString spoken(QWidget* w, QAccessible::Text what = QAccessible::Name)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what) : "(no interface)";
}

// A drawing area's description holds the text.
void says(PictureBox* area, const QString& text)
{
    const QString description = spoken(area, QAccessible::Description);
    QVERIFY2(description.contains(text), qPrintable(description));
}

// A step's drawing area, its form shown and active after Krok1 has made the example, when Tab from
// "&Konec" reaches it.
template <class F> PictureBox* showStep(const char* area)
{
    Forms::get<Krok1>();
    F* form = &Forms::get<F>();
    form->showModeless();
    if (!QTest::qWaitForWindowActive(form))
        return nullptr;
    TestSupport::child(form, "kon")->setFocus();
    Pupil::press(Qt::Key_Tab);
    auto* picture = TestSupport::child<PictureBox>(form, area);
    return QApplication::focusWidget() == picture ? picture : nullptr;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::resetProgram();
        // 25 / (3 - 4i) = 3 + 4i: the plane's axes end at 5, the amplitude axis at 6.
        TestSupport::scriptNextExample(TestSupport::exampleDraws(4, 25, 0, 3, -4));
        // The summary of an e-mail run encodes and asks nothing.
        Data_a_promene::runState.emailMode = true;
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
        QLocale::setDefault(QLocale::system());
    }

    // Buttons are read out by their captions without the access key's "&", entries by their labels.
    void everyControlHasACzechName()
    {
        const QList<Form*> forms = {&Forms::get<Uvod>(),   &Forms::get<Welcome>(), &Forms::get<Help>(),
                                    &Forms::get<info>(),   &Forms::get<Krok1>(),   &Forms::get<Vysledky>(),
                                    &Forms::get<krok2>(),  &Forms::get<Krok3>(),   &Forms::get<Dobry>(),
                                    &Forms::get<Spatny>(), &Forms::get<Konec>(),   &Forms::get<Souhrn>(),
                                    &Forms::get<GenList>()};
        for (Form* f : forms) {
            int controls = 0;
            for (QWidget* w : f->findChildren<QWidget*>()) {
                if (!isControl(w, f))
                    continue;
                ++controls;
                const QString name = spoken(w);
                QVERIFY2(!name.trimmed().isEmpty() && !name.contains(u'&') && name != w->objectName(),
                         qPrintable(f->objectName() + ' ' + w->objectName() + ": " + name));
            }
            QVERIFY2(controls > 0 || f == forms[0] || f == forms[5], qPrintable(f->objectName()));
        }
    }

    void grafTellsTheEndPoint()
    {
        PictureBox* graf = showStep<krok2>("Graf");
        QVERIFY(graf);
        says(graf, "Osy od -5 do 5. Konec vektoru: 0,00 + 0,00 i.");
        Pupil::press(Qt::Key_Space);
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier, 2); // 20 px of 168 to the axis end at 5
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        says(graf, "Konec vektoru: 0,60 + 0,30 i.");
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 3);
        says(graf, "Konec vektoru: 0,60 − 0,60 i.");
    }

    void pbTellsAmplitudeAndPhaseShift()
    {
        PictureBox* pb = showStep<Krok3>("pb");
        QVERIFY(pb);
        says(pb, "Amplituda 2,98 (stupnice do 6), fázový posun 0,0°."); // 40 px of 80.5 to the tick at 6
        Pupil::press(Qt::Key_Up);
        Pupil::press(Qt::Key_Left);
        says(pb, "Amplituda 3,06 (stupnice do 6), fázový posun 1,8°.");
        // 1 - 10 px comes round to 191 px of the 200 px period.
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier);
        says(pb, "Amplituda 3,06 (stupnice do 6), fázový posun 343,8°.");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
