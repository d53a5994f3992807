#include "core/example.h"
#include "support/testsupport.h"

#include <QtTest>

using TestSupport::drawFor;
using TestSupport::scripted;

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
        QFETCH(float, re);
        QFETCH(float, im);
        const bool small = op >= 3;
        QList<float> values{(float(op) - 0.5f) / 4.0f};
        for (int v : operands)
            values << (small ? drawFor(v, 200, 100) : drawFor(v, 2000, 1000));
        const Example ex = GenerateExample(scripted(values));
        QCOMPARE(int(ex.operation), op);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ex.operands[i], float(operands[i]));
        QCOMPARE(ex.resultRe, re);
        QCOMPARE(ex.resultIm, im);
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
        const Example low = GenerateExample(scripted({opDraw, 0.0f, 0.0f, 0.0f, 0.0f}));
        const Example high =
            GenerateExample(scripted({opDraw, justBelowOne, justBelowOne, justBelowOne, justBelowOne}));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(low.operands[i], float(lowest));
            QCOMPARE(high.operands[i], float(highest));
        }
    }

    void floorNotTruncation()
    {
        // r * 2000 - 1000 = -0.5 floors to -1.
        const Example ex = GenerateExample(scripted({0.0f, 0.49975f, 0.5f, 0.5f, 0.5f}));
        QCOMPARE(ex.operands[0], -1.0f);
        QCOMPARE(ex.operands[1], 0.0f);
    }

    void randomOperandsStayInRange()
    {
        RandomSource r = [] { return float(QRandomGenerator::global()->generateDouble()); };
        for (int n = 0; n < 2000; ++n) {
            const Example ex = GenerateExample(r);
            const bool small = ex.operation == Operation::Product || ex.operation == Operation::Quotient;
            for (float v : ex.operands) {
                QCOMPARE(v, std::floor(v));
                QVERIFY(v >= (small ? -100 : -1000) && v <= (small ? 99 : 999));
            }
            if (ex.operation == Operation::Quotient)
                QVERIFY(ex.operands[2] != 0 || ex.operands[3] != 0);
            QVERIFY(std::isfinite(ex.resultRe) && std::isfinite(ex.resultIm));
        }
    }

    void zeroDivisorIsDrawnAgain()
    {
        const float zero = drawFor(0, 200, 100);
        // a2 and b2 zero, then a2 drawn again as 0 twice more before 7.
        const Example ex = GenerateExample(
            scripted({0.9f, drawFor(5, 200, 100), drawFor(1, 200, 100), zero, zero, zero, zero, drawFor(7, 200, 100)}));
        QCOMPARE(ex.operation, Operation::Quotient);
        QCOMPARE(ex.operands[2], 7.0f);
        QCOMPARE(ex.operands[3], 0.0f);
        QCOMPARE(ex.resultRe, float(5.0 / 7.0));
    }

    void operandCaptions()
    {
        QCOMPARE(wholeNumberText(-537.0f), QStringLiteral("-537"));
        QCOMPARE(wholeNumberText(0.0f), QStringLiteral("0"));
        QCOMPARE(signText(0.0f), QStringLiteral("+"));
        QCOMPARE(signText(-12.0f), QStringLiteral("-"));
    }
};

QTEST_GUILESS_MAIN(TestExample)
#include "tst_example.moc"
