#include "core/judging.h"
#include "core/leadingnumber.h"
#include "core/numberformat.h"
#include "core/rounding.h"
#include "core/storedpath.h"

#include <QtTest>

#include <cfloat>
#include <clocale>
#include <limits>

using namespace StoredPath;
using Rounding::RoundToLong;

class TestCoreNumbers : public QObject {
    Q_OBJECT
private slots:
    // Every case reads alike under each of the five locales, whatever the environment says: the
    // leading number, and the typed entry as the judging reads it (comma to point, single precision).
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<float>("typed");
        const float inf = std::numeric_limits<float>::infinity();
        QTest::newRow("point") << "-3.5" << -3.5 << -3.5f;
        QTest::newRow("comma") << "1,5" << 1.0 << 1.5f;
        QTest::newRow("decimal comma") << "-12,75" << -12.0 << -12.75f;
        QTest::newRow("blanks inside") << " 1 2 " << 12.0 << 12.0f;
        QTest::newRow("tabs and line feeds") << "\t-\n1 .\t5" << -1.5 << -1.5f;
        QTest::newRow("empty") << "" << 0.0 << 0.0f;
        QTest::newRow("only blanks") << "  \t " << 0.0 << 0.0f;
        QTest::newRow("only sign") << "-" << 0.0 << 0.0f;
        QTest::newRow("only comma") << "," << 0.0 << 0.0f;
        QTest::newRow("arabic digit") << "\u0663" << 0.0 << 0.0f;
        QTest::newRow("double sign") << "--1" << 0.0 << 0.0f;
        QTest::newRow("second point stops") << "1.2.3" << 1.2 << 1.2f;
        QTest::newRow("exponent E") << "1.5E2" << 150.0 << 150.0f;
        QTest::newRow("exponent D") << "2d-1" << 0.2 << 0.2f;
        QTest::newRow("exponent after comma") << "2,5e1" << 2.0 << 25.0f;
        QTest::newRow("exponent without digits") << "7e" << 7.0 << 7.0f;
        QTest::newRow("exponent sign without digits") << "7e+x" << 7.0 << 7.0f;
        QTest::newRow("leading point") << ".25" << 0.25 << 0.25f;
        QTest::newRow("letters first") << "abc12" << 0.0 << 0.0f;
        QTest::newRow("trailing noise") << "12.75abc" << 12.75 << 12.75f;
        QTest::newRow("ten characters of junk") << "#$%^&*()_+" << 0.0 << 0.0f;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0 << 1.0f;
        QTest::newRow("plus") << "+4" << 4.0 << 4.0f;
        QTest::newRow("beyond single precision") << "1e39" << 1e39 << inf;
        QTest::newRow("too large") << "1e999" << DBL_MAX << inf;
        QTest::newRow("too large negative") << "-1e999" << -DBL_MAX << -inf;
        QTest::newRow("too small") << "1e-999" << 0.0 << 0.0f;
        QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << DBL_MAX << inf;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(float, typed);
        const QByteArray before = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"C", "C.UTF-8", "cs_CZ.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"}) {
            QVERIFY2(std::setlocale(LC_ALL, name),
                     qPrintable(QStringLiteral("No locale %1 (scripts/deps.sh)").arg(name)));
            const double read = LeadingNumber(text);
            const float judged = Judging::readNumber(text);
            std::setlocale(LC_ALL, before.constData());
            QVERIFY2(read == expected && judged == typed, name);
        }
    }

    // The program's conversions to whole numbers: halves away from zero, saturating, NaN as 0.
    void wholeNumbers()
    {
        QCOMPARE((QList<int>{RoundToLong(0.5f), RoundToLong(0.4999f), RoundToLong(-2.5f), RoundToLong(1e20f)}),
                 (QList<int>{1, 0, -3, 2147483647}));
        QCOMPARE((QList<int>{Rounding::toInt16(1e9), Rounding::toInt16(-1e9), Rounding::toInt32(std::nan(""))}),
                 (QList<int>{32767, -32768, 0}));
    }

    // The stored school database path is read through the Czech code page: š is 0x9A, one below 0x99 (™).
    void descramble()
    {
        QCOMPARE(Descramble(QString::fromLatin1(schoolDatabasePath)), QStringLiteral("/var/lib/kvizmat/skola.db"));
        QCOMPARE(Descramble(QStringLiteral("š")), QStringLiteral("™"));
    }

    // Czech forms of the program's numbers not met elsewhere: printed, read back as the review does
    // ("decimal"), in patterns, regional.
    void forms()
    {
        using namespace NumberFormat;
        const QLocale cs(QLocale::Czech, QLocale::CzechRepublic);
        QCOMPARE((QStringList{printForm(20000, SingleDigits, cs), printForm(double(0.1f), SingleDigits, cs),
                              decimalText(20000), decimalText(0.1f), decimalText(-0.5f)}),
                 (QStringList{" 20000 ", " ,1 ", " 20000", " .1", "-.5"}));
        QCOMPARE((QStringList{pattern(-12.345, "0.00", cs), pattern(-0.001, "0.00", cs), pattern(0.04, "##0.0", cs),
                              pattern(1234567.891, "###,###,##0.00", cs)}),
                 (QStringList{"-12,35", "0,00", "0,0", "1\u00a0234\u00a0567,89"}));
        QCOMPARE(regional(1234.5, DoubleDigits, cs), "1234,5");
        QCOMPARE(regional(12.75, DoubleDigits, QLocale::c()), "12.75");
    }
};

QTEST_GUILESS_MAIN(TestCoreNumbers)
#include "tst_core_numbers.moc"
