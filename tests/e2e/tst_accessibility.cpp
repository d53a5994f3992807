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

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <functional>
#include <map>

using TestSupport::drawFor;

namespace {

// 25 / (3 - 4i) = 3 + 4i: the plane's axes end at 5, the amplitude axis at 6.
const QList<float> quotient = {0.9f, drawFor(25, 200, 100), drawFor(0, 200, 100), drawFor(3, 200, 100),
                               drawFor(-4, 200, 100)};

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

// A control of its own, not a part of another one (the scroll bars of a text box, the list of a
// combo box).
bool isControl(QWidget* w, QWidget* form)
{
    for (QWidget* p = w->parentWidget(); p && p != form; p = p->parentWidget())
        if (qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QComboBox*>(p))
            return false;
    return (w->focusPolicy() & Qt::TabFocus) || qobject_cast<QPushButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QRadioButton*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<PictureBox*>(w);
}

QString spoken(QWidget* w, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what) : QStringLiteral("(no interface)");
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
    QTemporaryDir config;

    krok2* step2()
    {
        Forms::get<Krok1>();
        krok2* form = &Forms::get<krok2>();
        form->showModeless();
        return QTest::qWaitForWindowActive(form) ? form : nullptr;
    }

private slots:
    void initTestCase()
    {
        // No school database: the sign-in offers the e-mail option only, and asks nothing.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.filePath(QStringLiteral("user"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config.filePath(QStringLiteral("system"))));
        QDir(config.path()).mkpath(QStringLiteral("user/kvizmat"));
        QFile conf(config.filePath(QStringLiteral("user/kvizmat/kvizmat.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[database]\npath=" + QFile::encodeName(config.filePath(QStringLiteral("none.db"))) + "\n");
    }
    void init()
    {
        TestSupport::resetProgram();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        TestSupport::scriptNextExample(quotient);
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
        QFETCH(QString, form);
        Form* f = forms().at(form)();
        QCOMPARE(f->objectName(), form);
        int controls = 0;
        for (QWidget* w : f->findChildren<QWidget*>()) {
            if (!isControl(w, f))
                continue;
            ++controls;
            const QString name = spoken(w, QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(w->objectName() + " has no name"));
            QVERIFY2(!name.contains(u'&'), qPrintable(w->objectName() + ": " + name));
            QVERIFY2(name != w->objectName(), qPrintable(w->objectName() + " is named after its object"));
        }
        // Uvod has no control; every other form has at least its button.
        QCOMPARE(controls > 0, form != QStringLiteral("Uvod") && form != QStringLiteral("Vysledky"));
    }

    // A button without a name of its own is read out by its caption, without the access key's "&".
    void buttonNamesComeFromCaptions_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::newRow("Krok1 Dále") << "Krok1"
                                    << "Contin"
                                    << "Dále";
        QTest::newRow("Krok1 Konec") << "Krok1"
                                     << "Command3"
                                     << "Konec";
        QTest::newRow("Konec Ano") << "Konec"
                                   << "Command1"
                                   << "Ano";
        QTest::newRow("Konec Ne") << "Konec"
                                  << "Command2"
                                  << "Ne";
        QTest::newRow("Dobry Pokračovat") << "Dobry"
                                          << "Command1"
                                          << "Pokračovat";
    }
    void buttonNamesComeFromCaptions()
    {
        QFETCH(QString, form);
        QFETCH(QString, button);
        QFETCH(QString, name);
        auto* b = forms().at(form)()->findChild<QPushButton*>(button);
        QVERIFY(b);
        QCOMPARE(spoken(b, QAccessible::Name), name);
    }

    void entriesAreNamedAfterTheirLabels()
    {
        Krok1& k1 = Forms::get<Krok1>();
        QCOMPARE(spoken(k1.fi, QAccessible::Name), QStringLiteral("Úhel φ výsledku ve stupních"));
        Welcome& welcome = Forms::get<Welcome>();
        QCOMPARE(spoken(welcome.Jm, QAccessible::Name), QStringLiteral("Jméno"));
        QCOMPARE(spoken(welcome.Tr, QAccessible::Name), QStringLiteral("Třída"));
    }

    void grafTellsTheEndPoint()
    {
        krok2* form = step2();
        QVERIFY(form);
        PictureBox* graf = form->Graf;
        QCOMPARE(spoken(graf, QAccessible::Name), QStringLiteral("Gaussova rovina"));
        QVERIFY2(spoken(graf, QAccessible::Description)
                     .startsWith(QStringLiteral("Osy od -5 do 5. Konec vektoru: "
                                                "0,00 + 0,00 i.")),
                 qPrintable(spoken(graf, QAccessible::Description)));
        graf->setFocus();
        Pupil::press(Qt::Key_Space);
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier, 2); // 20 px of 168 to the axis end at 5
        Pupil::press(Qt::Key_Up, Qt::ShiftModifier);
        QVERIFY2(spoken(graf, QAccessible::Description).contains(QStringLiteral("Konec vektoru: 0,60 + 0,30 i.")),
                 qPrintable(spoken(graf, QAccessible::Description)));
        Pupil::press(Qt::Key_Down, Qt::ShiftModifier, 3);
        QVERIFY2(spoken(graf, QAccessible::Description).contains(QStringLiteral("Konec vektoru: 0,60 − 0,60 i.")),
                 qPrintable(spoken(graf, QAccessible::Description)));
    }

    void pbTellsAmplitudeAndPhaseShift()
    {
        Forms::get<Krok1>();
        Krok3& form = Forms::get<Krok3>();
        form.showModeless();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(spoken(form.pb, QAccessible::Name), QStringLiteral("Sinusoida"));
        // 40 px of 80.5 to the top tick at 6.
        QVERIFY2(spoken(form.pb, QAccessible::Description)
                     .startsWith(QStringLiteral("Amplituda 2,98 (stupnice do 6), fázový posun 0,0°.")),
                 qPrintable(spoken(form.pb, QAccessible::Description)));
        form.pb->setFocus();
        Pupil::press(Qt::Key_Up);
        Pupil::press(Qt::Key_Left);
        QVERIFY2(spoken(form.pb, QAccessible::Description)
                     .startsWith(QStringLiteral("Amplituda 3,06 "
                                                "(stupnice do 6), fázový posun 1,8°.")),
                 qPrintable(spoken(form.pb, QAccessible::Description)));
        // 1 - 10 px comes round to 191 px of the 200 px period.
        Pupil::press(Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY2(spoken(form.pb, QAccessible::Description).contains(QStringLiteral("fázový posun 343,8°.")),
                 qPrintable(spoken(form.pb, QAccessible::Description)));
    }

    void tabFromTheLastEntryReachesTheButtons()
    {
        Krok1& k1 = Forms::get<Krok1>();
        k1.showModeless();
        QVERIFY(QTest::qWaitForWindowActive(&k1));
        k1.fi->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), k1.Contin);
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), k1.Command3);
        // And round again to the first entry.
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), k1.vys[0]);
    }

    void tabReachesTheDrawingAreas()
    {
        krok2* form = step2();
        QVERIFY(form);
        form->kon->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Graf);
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Contin);
        Pupil::press(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), form->Graf);

        Krok3& step3 = Forms::get<Krok3>();
        form->hide();
        step3.showModeless();
        QVERIFY(QTest::qWaitForWindowActive(&step3));
        step3.kon->setFocus();
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), step3.pb);
        Pupil::press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), step3.dok);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
