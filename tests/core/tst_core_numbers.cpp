#include "core/cp1250.h"
#include "core/judging.h"
#include "core/numberformat.h"
#include "core/procedury_a_fce.h"
#include "core/rounding.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cfloat>
#include <clocale>
#include <limits>

using namespace Procedury_a_fce;

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
            if (!std::setlocale(LC_ALL, name)) {
                std::setlocale(LC_ALL, before.constData());
                QFAIL(qPrintable(QStringLiteral("The locale %1 is not generated on this computer (scripts/deps.sh "
                                                "generates it).")
                                     .arg(QLatin1String(name))));
            }
            const double read = LeadingNumber(text);
            const float judged = Judging::readNumber(text);
            std::setlocale(LC_ALL, before.constData());
            QVERIFY2(read == expected && judged == typed, name);
        }
    }

    void roundToLong_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("half") << 0.5f << 1;
        QTest::newRow("below half") << 0.4999f << 0;
        QTest::newRow("199.5") << 199.5f << 200;
        QTest::newRow("-0.3") << -0.3f << 0;
        QTest::newRow("2.5") << 2.5f << 3;
        QTest::newRow("2.49") << 2.49f << 2;
        QTest::newRow("whole") << 7.0f << 7;
        QTest::newRow("negative beyond half") << -2.7f << -3;
        QTest::newRow("huge") << 1e20f << 2147483647;
    }
    void roundToLong()
    {
        QFETCH(float, x);
        QFETCH(int, expected);
        QCOMPARE(RoundToLong(x), expected);
    }

    void roundings()
    {
        QCOMPARE(Rounding::tiesToEven(2.5), 2.0);
        QCOMPARE(Rounding::tiesToEven(3.5), 4.0);
        QCOMPARE(Rounding::tiesToEven(-2.5), -2.0);
        QCOMPARE(Rounding::halfAwayFromZero(2.5), 3.0);
        QCOMPARE(Rounding::halfAwayFromZero(-2.5), -3.0);
        QCOMPARE(Rounding::toInt16(1e9), qint16(32767));
        QCOMPARE(Rounding::toInt16(-1e9), qint16(-32768));
        QCOMPARE(Rounding::toInt32(std::nan("")), 0);
    }

    void descramble()
    {
        QCOMPARE(Descramble(QString()), QString());
        QCOMPARE(Descramble(QStringLiteral("bcd")), QStringLiteral("abc"));
        QCOMPARE(Descramble(QStringLiteral("0ugq")).size(), 4);
        QCOMPARE(Descramble(QString::fromLatin1(schoolDatabasePath)), QStringLiteral("/var/lib/kvizmat/skola.db"));
        // Czech letters go through the code page: š is 0x9A, one below is 0x99 (™).
        QCOMPARE(Descramble(QStringLiteral("š")), QStringLiteral("™"));
    }

    void fileExists()
    {
        QTemporaryDir dir;
        QVERIFY(FileExists(dir.path()));
        QVERIFY(!FileExists(QString()));
        QVERIFY(!FileExists(dir.path() + QStringLiteral("/missing")));
        QFile f(dir.path() + QStringLiteral("/a.db"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(FileExists(f.fileName()));
    }

    void printForms_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("print");
        QTest::addColumn<QString>("decimal");
        QTest::newRow("quarter") << 0.25 << " ,25 "
                                 << " .25";
        QTest::newRow("minus half") << -0.5 << "-,5 "
                                    << "-.5";
        QTest::newRow("whole") << 8.0 << " 8 "
                               << " 8";
        QTest::newRow("negative whole") << -8.0 << "-8 "
                                        << "-8";
        QTest::newRow("thousands not grouped") << 20000.0 << " 20000 "
                                               << " 20000";
        QTest::newRow("single precision digits") << double(0.1f) << " ,1 "
                                                 << " .1";
        QTest::newRow("zero") << 0.0 << " 0 "
                              << " 0";
    }
    void printForms()
    {
        QFETCH(double, value);
        QFETCH(QString, print);
        QFETCH(QString, decimal);
        const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
        QCOMPARE(NumberFormat::printForm(value, NumberFormat::SingleDigits, czech), print);
        QCOMPARE(NumberFormat::decimalText(float(value)), decimal);
    }

    void patterns_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const QString nbsp = QString(QChar(0x00A0));
        QTest::newRow("0.00") << 3.0 << "0.00"
                              << "3,00";
        QTest::newRow("0.00 negative") << -12.345 << "0.00"
                                       << "-12,35";
        QTest::newRow("0.00 tiny negative") << -0.001 << "0.00"
                                            << "0,00";
        QTest::newRow("0.00 not grouped") << 1234.5 << "0.00"
                                          << "1234,50";
        QTest::newRow("##0.0") << 306.87 << "##0.0"
                               << "306,9";
        QTest::newRow("##0.0 small") << 0.04 << "##0.0"
                                     << "0,0";
        QTest::newRow("grouped") << 1234567.891 << "###,###,##0.00"
                                 << "1" + nbsp + "234" + nbsp + "567,89";
        QTest::newRow("grouped small") << 5.0 << "###,###,##0.00"
                                       << "5,00";
    }
    void patterns()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(NumberFormat::pattern(value, pattern, QLocale(QLocale::Czech, QLocale::CzechRepublic)), expected);
    }

    void regionalDouble()
    {
        const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
        QCOMPARE(NumberFormat::regional(12.75, NumberFormat::DoubleDigits, czech), QStringLiteral("12,75"));
        QCOMPARE(NumberFormat::regional(1234.5, NumberFormat::DoubleDigits, czech), QStringLiteral("1234,5"));
        QCOMPARE(NumberFormat::regional(12.75, NumberFormat::DoubleDigits, QLocale::c()), QStringLiteral("12.75"));
    }

    void windows1250()
    {
        QCOMPARE(Cp1250::encode(QStringLiteral("Třída")), QByteArray("T\xf8\xed"
                                                                     "da"));
        QCOMPARE(Cp1250::encode(QStringLiteral("a中b")), QByteArray("a?b"));
        QCOMPARE(Cp1250::encode(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
        QCOMPARE(Cp1250::decode(QByteArray("\x9a\xe8")), QStringLiteral("šč"));
    }
};

QTEST_GUILESS_MAIN(TestCoreNumbers)
#include "tst_core_numbers.moc"
