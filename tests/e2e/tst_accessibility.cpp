// What a screen reader and a keyboard user meet: every control a pupil can reach has a Czech name,
// the two drawing areas say what they show, and Tab gets to the buttons and the drawing areas.

#include "app/dobry.h"
#include "app/forms.h"
#include "app/help.h"
#include "app/info.h"
#include "app/konec.h"
#include "app/uvod.h"
#include "app/welcome.h"
#include "core/data_a_promene.h"
#include "e2e/pupil.h"
#include "feedback/spatny.h"
#include "results/genlist.h"
#include "results/souhrn.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "step3/krok3.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include <functional>
#include <map>

namespace {

const std::map<QString, std::function<Form*()>>& forms()
{
    static const std::map<QString, std::function<Form*()>> all = {
        {"Uvod", [] { return &Forms::get<Uvod>(); }},       {"Welcome", [] { return &Forms::get<Welcome>(); }},
        {"Help", [] { return &Forms::get<Help>(); }},       {"info", [] { return &Forms::get<info>(); }},
        {"Krok1", [] { return &Forms::get<Krok1>(); }},     {"Vysledky", [] { return &Forms::get<Vysledky>(); }},
        {"krok2", [] { return &Forms::get<krok2>(); }},     {"Krok3", [] { return &Forms::get<Krok3>(); }},
        {"Dobry", [] { return &Forms::get<Dobry>(); }},     {"Spatny", [] { return &Forms::get<Spatny>(); }},
        {"Konec", [] { return &Forms::get<Konec>(); }},     {"Souhrn", [] { return &Forms::get<Souhrn>(); }},
        {"GenList", [] { return &Forms::get<GenList>(); }},
    };
    return all;
}

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

// A step's form shown and active, after Krok1 has made the example.
Form* showStep(const QString& name)
{
    Forms::get<Krok1>();
    Form* form = forms().at(name)();
    form->showModeless();
    return QTest::qWaitForWindowActive(form) ? form : nullptr;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
    QTemporaryDir config;

private slots:
    void initTestCase()
    {
        // No school database: the sign-in offers the e-mail option only, and asks nothing.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath("user")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config.filePath("system")));
        QDir(config.path()).mkpath("user/kvizmat");
        QFile conf(config.filePath("user/kvizmat/kvizmat.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[database]\npath=" + QFile::encodeName(config.filePath("none.db")) + "\n");
    }
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        // 25 / (3 - 4i) = 3 + 4i: the plane's axes end at 5, the amplitude axis at 6.
        using TestSupport::drawFor;
        TestSupport::scriptNextExample(
            {0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100), drawFor(3, 200, 100), drawFor(-4, 200, 100)});
        // The summary of an e-mail run encodes and asks nothing.
        Data_a_promene::runState.emailMode = true;
    }
    void cleanup()
    {
        Forms::unloadAll();
        QApplication::processEvents();
        QLocale::setDefault(QLocale::system());
    }

    void everyControlHasACzechName_data()
    {
        QTest::addColumn<QString>("form");
        for (const auto& [name, make] : forms())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyControlHasACzechName()
    {
        // Buttons are read out by their captions without the access key's "&", entries by their labels.
        static const QMap<QString, QString> expected = {{"Krok1 Contin", "Dále"},
                                                        {"Konec Command1", "Ano"},
                                                        {"Krok1 fi", "Úhel φ výsledku ve stupních"},
                                                        {"Welcome Tr", "Třída"}};
        QFETCH(QString, form);
        Form* f = forms().at(form)();
        int controls = 0;
        for (QWidget* w : f->findChildren<QWidget*>()) {
            if (!isControl(w, f))
                continue;
            ++controls;
            const QString name = spoken(w);
            QVERIFY2(!name.trimmed().isEmpty() && !name.contains(u'&') && name != w->objectName(),
                     qPrintable(w->objectName() + ": " + name));
            QCOMPARE(name, expected.value(form + ' ' + w->objectName(), name));
        }
        QCOMPARE(controls > 0, form != "Uvod" && form != "Vysledky");
    }

    void grafTellsTheEndPoint()
    {
        auto* form = static_cast<krok2*>(showStep("krok2"));
        QVERIFY(form);
        QCOMPARE(spoken(form->Graf), "Gaussova rovina");
        says(form->Graf, "Osy od -5 do 5. Konec vektoru: 0,00 + 0,00 i.");
        form->Graf->setFocus();
        Pupil::press(Qt::Key_Space);
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier, 2); // 20 px of 168 to the axis end at 5
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        says(form->Graf, "Konec vektoru: 0,60 + 0,30 i.");
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 3);
        says(form->Graf, "Konec vektoru: 0,60 − 0,60 i.");
    }

    void pbTellsAmplitudeAndPhaseShift()
    {
        auto* form = static_cast<Krok3*>(showStep("Krok3"));
        QVERIFY(form);
        QCOMPARE(spoken(form->pb), "Sinusoida");
        says(form->pb, "Amplituda 2,98 (stupnice do 6), fázový posun 0,0°."); // 40 px of 80.5 to the tick at 6
        form->pb->setFocus();
        Pupil::press(Qt::Key_Up);
        Pupil::press(Qt::Key_Left);
        says(form->pb, "Amplituda 3,06 (stupnice do 6), fázový posun 1,8°.");
        // 1 - 10 px comes round to 191 px of the 200 px period.
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier);
        says(form->pb, "Amplituda 3,06 (stupnice do 6), fázový posun 343,8°.");
    }

    // From a start control, each key (Tab or Backtab) moves the focus to the named control.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("Krok1 buttons and round") << "Krok1" << QStringList{"fi", "Contin", "Command3", "vys_0"};
        QTest::newRow("krok2 Graf") << "krok2" << QStringList{"kon", "Graf", "Contin", "-Graf"};
        QTest::newRow("Krok3 pb") << "Krok3" << QStringList{"kon", "pb", "dok"};
    }
    void tabOrder()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, steps);
        Form* f = showStep(form);
        QVERIFY(f);
        f->findChild<QWidget*>(steps[0])->setFocus();
        for (const QString& step : steps.mid(1)) {
            Pupil::press(step.startsWith('-') ? Qt::Key_Backtab : Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), f->findChild<QWidget*>(step.mid(step.startsWith('-') ? 1 : 0)));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
