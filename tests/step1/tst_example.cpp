#include "core/example.h"
#include "support/testsupport.h"

#include <QtTest>

using namespace TestSupport;

class TestExample : public QObject {
    Q_OBJECT
private slots:
    void workedResults_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<QList<int>>("operands");
        QTest::addColumn<float>("re");
        QTest::addColumn<float>("im");
        QTest::newRow("quotient (25+0i)/(3+4i)") << 4 << QList<int>{25, 0, 3, 4} << 3.0f << -4.0f;
        QTest::newRow("product (-1+2i)(3-4i)") << 3 << QList<int>{-1, 2, 3, -4} << 5.0f << 10.0f;
        QTest::newRow("difference at the range ends") << 2 << QList<int>{999, -1000, -1000, 999} << 1999.0f << -1999.0f;
        QTest::newRow("sum") << 1 << QList<int>{-537, -12, 40, 0} << -497.0f << -12.0f;
        QTest::newRow("quotient rounded once") << 4 << QList<int>{1, 0, 3, 0} << float(1.0 / 3.0) << 0.0f;
    }
    void workedResults()
    {
        QFETCH(int, op);
        QFETCH(QList<int>, operands);
        const Example ex =
            GenerateExample(scripted(exampleDraws(op, operands[0], operands[1], operands[2], operands[3])));
        QCOMPARE(int(ex.operation), op);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ex.operands[i], float(operands[i]));
        QTEST(ex.resultRe, "re");
        QTEST(ex.resultIm, "im");
    }

    void rangesAtTheEndsOfTheSource_data()
    {
        QTest::addColumn<float>("opDraw");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::newRow("sum") << 0.0f << -1000 << 999;
        QTest::newRow("difference") << 0.3f << -1000 << 999;
        QTest::newRow("product") << 0.6f << -100 << 99;
        QTest::newRow("quotient") << 0.99f << -100 << 99;
    }
    void rangesAtTheEndsOfTheSource()
    {
        QFETCH(float, opDraw);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        const float justBelowOne = std::nextafter(1.0f, 0.0f);
        const Example low = GenerateExample(scripted({opDraw, 0.0f}));
        const Example high = GenerateExample(scripted({opDraw, justBelowOne}));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(low.operands[i], float(lowest));
            QCOMPARE(high.operands[i], float(highest));
        }
        // r * 2000 - 1000 = -0.5 floors to -1, not 0.
        QCOMPARE(GenerateExample(scripted({0.0f, 0.49975f})).operands[0], -1.0f);
    }

    void zeroDivisorIsDrawnAgain()
    {
        // a2 and b2 zero, then a2 drawn again as 0 twice more before 7.
        QList<float> draws = exampleDraws(4, 5, 1, 0, 0);
        const float zero = draws.last();
        draws << zero << zero << drawFor(7, 200, 100);
        const Example ex = GenerateExample(scripted(draws));
        QCOMPARE(ex.operands[2], 7.0f);
        QCOMPARE(ex.operands[3], 0.0f);
        QCOMPARE(ex.resultRe, float(5.0 / 7.0));
    }
};

QTEST_GUILESS_MAIN(TestExample)
#include "tst_example.moc"
