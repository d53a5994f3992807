#include "app/exerciseflow.h"
#include "core/data_a_promene.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "support/pupil.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;

class TestKrok1 : public QObject {
    Q_OBJECT

    static QLineEdit* entry(const char* name) { return child<QLineEdit, Krok1>(name); }
    // What a label of Vysledky shows, as the eye and a screen reader get it: a text taken as markup
    // would be read differently from what it holds ("<b>7</b>" read as a bold "7").
    static QString inVysledky(const char* name)
    {
        QLabel* label = child<QLabel, Vysledky>(name);
        const QString heard = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        return heard == label->text() ? heard : label->text() + " read as " + heard;
    }

private slots:
    void init()
    {
        resetProgram();
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4)); // 25 / (3 - 4i) = 3 + 4i
        ExerciseFlow::firstExample();
    }
    void cleanup() { Forms::unloadAll(); }

    void showsTheExampleAndItsResult()
    {
        QStringList texts;
        for (const char* name : {"k1_0", "z_0", "k1_1", "k2_0", "z_1", "k2_1", "oper", "inform"})
            texts << child<QLabel, Krok1>(name)->text();
        QCOMPARE(texts, QStringList({"25", "+", "0", "3", "-", "4", "Podíl je:", "Daná čísla vyděl"}));
        QCOMPARE(Data_a_promene::resultRe, 3.0f);
        QCOMPARE(Data_a_promene::resultIm, 4.0f);
        // The later steps were prepared, hidden.
        QVERIFY(shown<Krok1>() && Forms::find<krok2>() && !shown<krok2>() && !shown<Vysledky>());
    }

    void entriesAreLimitedAndOrdered()
    {
        QTest::keyClicks(entry("vys_0"), "12345678901234");
        QCOMPARE(entry("vys_0")->text(), QStringLiteral("1234567890"));
        QStringList order;
        for (QWidget* w = entry("vys_0"); order.size() < 6; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order, QStringList({"vys_0", "vys_1", "absh", "fi", "Contin", "Command3"}));
        for (const char* name : {"vys_1", "absh", "fi"})
            QCOMPARE(entry(name)->maxLength(), 10);
    }

    // Enter in an entry goes on; Vysledky shows the entries as typed, the imaginary part as the number
    // read from it with its sign apart.
    void enterGoesOnAndCopiesTheEntries_data()
    {
        QTest::addColumn<QString>("im");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<QString>("magnitude");
        QTest::newRow("empty") << ""
                               << "+"
                               << "0";
        QTest::newRow("negative with point") << "-12.75"
                                             << "-"
                                             << "12,75";
        QTest::newRow("comma stops the number") << "1,5"
                                                << "+"
                                                << "1";
        QTest::newRow("huge") << "1e999"
                              << "+"
                              << "1,79769313486232E+308";
    }
    void enterGoesOnAndCopiesTheEntries()
    {
        QFETCH(QString, im);
        entry("vys_0")->setText(QStringLiteral("<b>7</b>"));
        entry("vys_1")->setText(im);
        entry("absh")->setText(QStringLiteral("<hr>"));
        QTest::keyClick(entry("vys_1"), Qt::Key_Return);
        QTRY_VERIFY(!shown<Krok1>());
        QVERIFY(shown<krok2>() && shown<Vysledky>());
        QCOMPARE(QStringList({inVysledky("v_0"), inVysledky("ah"), inVysledky("fi"), inVysledky("k1_2")}),
                 QStringList({"<b>7</b>", "<hr>", "", "+"}));
        QTEST(inVysledky("v_2"), "sign");
        QTEST(inVysledky("v_1"), "magnitude");
        QCOMPARE(entry("vys_1")->text(), im);
    }

    void goingBackKeepsTheEntriesAndTheExample()
    {
        entry("vys_1")->setText(QStringLiteral("-2"));
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        Pupil::clickButton(&Forms::get<krok2>(), "bac");
        QVERIFY(shown<Krok1>() && !shown<Vysledky>());
        QCOMPARE(entry("vys_1")->text(), QStringLiteral("-2"));
        QCOMPARE((child<QLabel, Krok1>("k1_0"))->text(), QStringLiteral("25"));
        QCOMPARE(Data_a_promene::resultRe, 3.0f);
        entry("vys_1")->setText(QStringLiteral("5"));
        Pupil::clickButton(&Forms::get<Krok1>(), "Contin");
        QCOMPARE(inVysledky("v_2") + inVysledky("v_1"), QStringLiteral("+5"));
    }
};

QTEST_MAIN(TestKrok1)
#include "tst_krok1.moc"
