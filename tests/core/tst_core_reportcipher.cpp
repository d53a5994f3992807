#include "core/cipherkey.h"
#include "core/cp1250.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "core/reportdecoder.h"

#include <QtTest>

namespace {

// The block with its line ends taken out, as groups.
QStringList groups(const QString& block)
{
    return block.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString encode(const QString& text, float salt)
{
    ReportCipher::setSaltSource([salt] { return salt; });
    ReportCipher::InitCipher();
    ReportCipher::StartBlock();
    ReportCipher::EncodeText(text);
    return ReportCipher::GetEncodedBlock();
}

RunState emailRun(int right, int wrong, int dialogsRight, int dialogsWrong)
{
    RunState run;
    run.emailMode = true;
    run.pupilName = QStringLiteral("Jiří Žluťoučký");
    run.pupilClass = QStringLiteral("2.B");
    run.signInDateTime = toOleDate(QDateTime(QDate(2024, 3, 5), QTime(8, 7)));
    run.examplesRight = right;
    run.examplesWrong = wrong;
    run.dialogsRight = dialogsRight;
    run.dialogsWrong = dialogsWrong;
    return run;
}

} // namespace

class TestReportCipher : public QObject {
    Q_OBJECT
private slots:
    void emptyTextLeavesHeader()
    {
        QCOMPARE(encode(QString(), 0.5f), QStringLiteral("4b 80 "));
        QCOMPARE(encode(QString(), 0.999f), QStringLiteral("4b ff "));
        QCOMPARE(encode(QString(), 0.0f), QStringLiteral("4b 00 "));
    }

    void lineLayout()
    {
        const QString eight = encode(QStringLiteral("abcdefgh"), 0.1f);
        QCOMPARE(eight.size(), 32);
        QVERIFY(eight.endsWith(QStringLiteral(" \r\n")));
        const QString nineteen = encode(QString(19, QLatin1Char('x')), 0.1f);
        const QStringList lines = nineteen.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].size(), 30);
        QCOMPARE(lines[1].size(), 30);
        QCOMPARE(lines[2].size(), 3);
    }

    void groupsAreCodeXorKeyXorSalt()
    {
        const quint8 salt = 0x33; // 0.2 * 256 = 51.2
        const QString text = QString(33, QLatin1Char('A')) + QStringLiteral("ř");
        const QStringList g = groups(encode(text, 0.2f));
        QCOMPARE(g.size(), 36);
        QCOMPARE(g[1], QStringLiteral("33"));
        for (int k = 0; k < 34; ++k) {
            const quint8 code = k == 33 ? 0xF8 : 'A';
            const quint8 expected = code ^ CipherKey::bytes[std::size_t(k % 32)] ^ salt;
            QCOMPARE(g[k + 2], ReportCipher::ByteToHex(expected));
        }
        // The 33rd character uses the first key byte again.
        QCOMPARE(g[34], g[2]);
    }

    void byteToHex()
    {
        ReportCipher::InitCipher();
        QCOMPARE(ReportCipher::ByteToHex(0), QStringLiteral("00"));
        QCOMPARE(ReportCipher::ByteToHex(0x4B), QStringLiteral("4b"));
        QCOMPARE(ReportCipher::ByteToHex(0xAF), QStringLiteral("af"));
    }

    void encodeTextCarriesOn()
    {
        const QString once = encode(QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789"), 0.7f);
        ReportCipher::StartBlock();
        ReportCipher::EncodeText(QStringLiteral("abcdefghijklmnopq"));
        ReportCipher::EncodeText(QStringLiteral("rstuvwxyz0123456789"));
        QCOMPARE(ReportCipher::GetEncodedBlock(), once);
    }

    void blocksDifferInSalt()
    {
        ReportCipher::setSaltSource({});
        ReportCipher::InitCipher();
        QSet<QString> salts;
        QString previous;
        for (int i = 0; i < 20; ++i) {
            ReportCipher::StartBlock();
            ReportCipher::EncodeText(QStringLiteral("Student: A\r\n"));
            const QStringList g = groups(ReportCipher::GetEncodedBlock());
            QCOMPARE(g[0], QStringLiteral("4b"));
            salts.insert(g[1]);
        }
        QVERIFY(salts.size() > 1);
        const QStringList a = groups(encode(QStringLiteral("Student: A"), 0.1f));
        const QStringList b = groups(encode(QStringLiteral("Student: A"), 0.2f));
        for (int k = 1; k < a.size(); ++k)
            QVERIFY(a[k] != b[k]);
    }

    void characterWithoutCodeIsQuestionMark()
    {
        const QStringList withHan = groups(encode(QStringLiteral("Li 中"), 0.3f));
        const QStringList withMark = groups(encode(QStringLiteral("Li ?"), 0.3f));
        QCOMPARE(withHan, withMark);
    }

    void report_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("tail");
        QTest::newRow("no example") << 0 << 0 << QLocale(QLocale::Czech) << QStringLiteral("Celkem odpovědí: 0\r\n");
        QTest::newRow("czech") << 2 << 1 << QLocale(QLocale::Czech)
                               << QStringLiteral("Celkem odpovědí: 3\r\nZ toho dobře: 2 (66,67%)\r\nšpatně: 1 "
                                                 "(33,33%)\r\ndílčích úkolů dobře: 8 (88,89%)\r\ndílčích úkolů "
                                                 "špatně: 1 (11,11%)\r\n");
        QTest::newRow("english") << 0 << 1 << QLocale(QLocale::English)
                                 << QStringLiteral("Z toho dobře: 0 (0.00%)\r\nšpatně: 1 (100.00%)\r\ndílčích úkolů "
                                                   "dobře: 2 (66.67%)\r\ndílčích úkolů špatně: 1 (33.33%)\r\n");
    }
    void report()
    {
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(QLocale, locale);
        QFETCH(QString, tail);
        const RunState run = emailRun(right, wrong, right * 3 + wrong * 2, wrong);
        const QString text = buildReport(run, QDateTime(QDate(2024, 3, 5), QTime(9, 41, 59)), locale);
        QVERIFY2(text.startsWith(QStringLiteral("Student: Jiří Žluťoučký\r\nTřída: 2.B\r\nKvizmat: 3 - Komplexní "
                                                "čísla\r\nOd: 05.03.2024 08:07\r\nDo: 05.03.2024 09:41\r\n")),
                 qPrintable(text));
        QVERIFY2(text.endsWith(tail), qPrintable(text));
        QCOMPARE(text.count(QStringLiteral("\r\n")), right + wrong > 0 ? 10 : 6);

        // Round trip through the teacher's decoder.
        const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(encode(text, 0.9f));
        QVERIFY2(decoded.ok, qPrintable(decoded.error));
        QCOMPARE(decoded.text, text);
        ReportContents contents;
        QVERIFY(parseReport(decoded.text, contents));
        QCOMPARE(contents.pupilName, run.pupilName);
        QCOMPARE(contents.examplesRight, right);
        QCOMPARE(contents.examplesWrong, wrong);
        QCOMPARE(contents.to, QDateTime(QDate(2024, 3, 5), QTime(9, 41)));
    }

    void decoderTolerantOfRewrapping()
    {
        const QString block = encode(QStringLiteral("Student: Ž\r\n"), 0.4f);
        QString rewrapped = block.toUpper();
        rewrapped.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
            .replace(QStringLiteral("  "), QStringLiteral("\n"));
        const ReportDecoder::Result decoded =
            ReportDecoder::decodeBlock(QStringLiteral("\n  ") + rewrapped + QStringLiteral("\n\n"));
        QVERIFY2(decoded.ok, qPrintable(decoded.error));
        QCOMPARE(decoded.text, QStringLiteral("Student: Ž\r\n"));
    }

    void decoderRefuses_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("reason");
        const QString good = encode(QStringLiteral("Student: A\r\n"), 0.4f);
        QTest::newRow("empty") << "  \r\n"
                               << "prázdný";
        QTest::newRow("no marker") << QString(good).replace(0, 2, QStringLiteral("4c")) << "značkou";
        QTest::newRow("marker only") << "4b "
                                     << "sůl";
        QTest::newRow("not hex") << QString(good).replace(3, 2, QStringLiteral("zz")) << "Skupina č. 2";
        QTest::newRow("three digits") << good + QStringLiteral("abc") << "Skupina č. 15";
        QTest::newRow("cut short") << good.left(good.size() - 6) << "neúplný";
        QTest::newRow("wrong salt") << QString(good).replace(3, 2, QStringLiteral("00")) << "Student";
        QTest::newRow("text instead") << "Ahoj, posílám výsledky."
                                      << "Skupina č. 1";
    }
    void decoderRefuses()
    {
        QFETCH(QString, block);
        QFETCH(QString, reason);
        const ReportDecoder::Result r = ReportDecoder::decodeBlock(block);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(reason), qPrintable(r.error));
    }

    void oleDates_data()
    {
        QTest::addColumn<double>("ole");
        QTest::addColumn<QDateTime>("dateTime");
        QTest::newRow("epoch") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        QTest::newRow("noon") << 45361.5 << QDateTime(QDate(2024, 3, 10), QTime(12, 0));
        QTest::newRow("time of day only") << 0.75 << QDateTime(QDate(1899, 12, 30), QTime(18, 0));
        QTest::newRow("before epoch") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
    }
    void oleDates()
    {
        QFETCH(double, ole);
        QFETCH(QDateTime, dateTime);
        QCOMPARE(fromOleDate(ole), dateTime);
        QCOMPARE(toOleDate(dateTime), ole);
        QVERIFY(!fromOleDate(qQNaN()).isValid());
        QVERIFY(!fromOleDate(1e300).isValid());
    }
};

QTEST_GUILESS_MAIN(TestReportCipher)
#include "tst_core_reportcipher.moc"
