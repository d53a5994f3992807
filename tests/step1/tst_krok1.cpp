// Step 1: the example drawn from the random source, the form showing it, its entries, and Vysledky.

#include "app/exerciseflow.h"
#include "core/data_a_promene.h"
#include "core/example.h"
#include "step1/krok1.h"
#include "step1/vysledky.h"
#include "step2/krok2.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>

using namespace TestSupport;

class TestKrok1 : public QObject {
    Q_OBJECT

    static QLineEdit* entry(const char* name) { return child<QLineEdit, Krok1>(name); }

private slots:
    void init()
    {
        resetProgram();
        scriptNextExample(exampleDraws(4, 25, 0, 3, -4)); // 25 / (3 - 4i) = 3 + 4i
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

    // The lowest and highest draws give the ends of each operation's range; a divisor of 0 + 0i is
    // drawn again.
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
};

QTEST_MAIN(TestKrok1)
#include "tst_krok1.moc"
