#include "core/cipherkey.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "core/reportdecoder.h"

#include <QtTest>

namespace {

// The block's groups, line ends taken out.
QStringList groups(const QString& block)
{
    return block.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

QString encode(const QString& text, float salt)
{
    ReportCipher::setSaltSource([salt] { return salt; });
    ReportCipher::InitCipher();
    ReportCipher::StartBlock();
    ReportCipher::EncodeText(text);
    return ReportCipher::GetEncodedBlock();
}

} // namespace

class TestReportCipher : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        QCOMPARE(encode(QString(), 0.5f) + encode(QString(), 0.999f) + encode(QString(), 0.0f), "4b 80 4b ff 4b 00 ");
        // Marker, salt and 8 characters fill the first line of ten groups.
        const QRegularExpression group("[0-9a-f]{2} ");
        QCOMPARE(encode("abcdefgh", 0.1f).replace(group, "g"), "gggggggggg\r\n");
    }

    void groupsAreCodeXorKeyXorSalt()
    {
        const QStringList g = groups(encode(QString(33, 'A') + "ř", 0.2f)); // salt 0.2 * 256 = 0x33
        QCOMPARE(g.size(), 36);
        for (int k = 0; k < 34; ++k)
            QCOMPARE(g[k + 2], ReportCipher::ByteToHex(
                                   quint8((k == 33 ? 0xF8 : 'A') ^ CipherKey::bytes[std::size_t(k % 32)] ^ 0x33)));
        // The 33rd character uses the first key byte again.
        QCOMPARE(g[34], g[2]);
    }

    void blocksDifferInSalt()
    {
        ReportCipher::setSaltSource({});
        ReportCipher::InitCipher();
        QSet<QString> salts;
        for (int i = 0; i < 20; ++i) {
            ReportCipher::StartBlock();
            ReportCipher::EncodeText("Student: A\r\n");
            salts.insert(groups(ReportCipher::GetEncodedBlock())[1]);
        }
        QVERIFY(salts.size() > 1);
    }

    void characterWithoutCodeIsQuestionMark() { QCOMPARE(encode("Li 中", 0.3f), encode("Li ?", 0.3f)); }

    // Czech characters through the report and back through the teacher's decoder.
    void reportRoundTrip()
    {
        RunState run;
        run.emailMode = true;
        run.pupilName = "Jiří Žluťoučký";
        run.pupilClass = "2.B";
        run.signInDateTime = toOleDate(QDateTime(QDate(2024, 3, 5), QTime(8, 7)));
        run.examplesRight = 2;
        run.examplesWrong = 1;
        run.dialogsRight = 8;
        run.dialogsWrong = 1;
        const QString text = buildReport(run, QDateTime(QDate(2024, 3, 5), QTime(9, 41, 59)), QLocale(QLocale::Czech));
        QCOMPARE(text,
                 "Student: Jiří Žluťoučký\r\nTřída: 2.B\r\nKvizmat: 3 - Komplexní čísla\r\nOd: 05.03.2024 08:07\r\n"
                 "Do: 05.03.2024 09:41\r\nCelkem odpovědí: 3\r\nZ toho dobře: 2 (66,67%)\r\nšpatně: 1 (33,33%)\r\n"
                 "dílčích úkolů dobře: 8 (88,89%)\r\ndílčích úkolů špatně: 1 (11,11%)\r\n");
        const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(encode(text, 0.9f));
        QCOMPARE(decoded.ok ? decoded.text : decoded.error, text);
    }

    void decoderTolerantOfRewrapping()
    {
        QString rewrapped = encode("Student: Ž\r\n", 0.4f).toUpper();
        rewrapped.replace("\r\n", " ").replace("  ", "\n");
        const ReportDecoder::Result decoded = ReportDecoder::decodeBlock("\n  " + rewrapped + "\n\n");
        QCOMPARE(decoded.ok ? decoded.text : decoded.error, "Student: Ž\r\n");
    }

    void decoderRefuses_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("reason");
        const QString good = encode("Student: A\r\n", 0.4f);
        const auto row = [](const char* name, const QString& block, const QString& reason) {
            QTest::newRow(name) << block << reason;
        };
        row("empty", "  \r\n", "prázdný");
        row("no marker", QString(good).replace(0, 2, "4c"), "značkou");
        row("not hex", QString(good).replace(3, 2, "zz"), "Skupina č. 2");
        row("cut short", good.left(good.size() - 6), "neúplný");
        row("wrong salt", QString(good).replace(3, 2, "00"), "Student");
        row("text instead", "Ahoj, posílám výsledky.", "Skupina č. 1");
    }
    void decoderRefuses()
    {
        QFETCH(QString, block);
        QFETCH(QString, reason);
        const ReportDecoder::Result r = ReportDecoder::decodeBlock(block);
        QVERIFY2(!r.ok && r.error.contains(reason), qPrintable(r.error));
    }
};

QTEST_GUILESS_MAIN(TestReportCipher)
#include "tst_core_reportcipher.moc"
