#include "core/mailreport.h"
#include "core/reportdecoder.h"
#include "support/storefixture.h"

#include <QStringEncoder>

using StoreFixture::reportBlock;

namespace {

// The groups re-wrapped as a mail program does it: at blanks, to lines of at most `width`.
QByteArray rewrapped(const QByteArray& block, int width)
{
    QByteArray out, line;
    for (const QByteArray& group : block.simplified().split(' ')) {
        if (!line.isEmpty() && line.size() + 1 + group.size() > width) {
            out += line + "\r\n";
            line.clear();
        }
        line += (line.isEmpty() ? "" : " ") + group;
    }
    return out + line + "\r\n";
}

// Quoted-printable with soft line breaks every 40 characters, even inside a group.
QByteArray quotedPrintable(const QByteArray& text)
{
    QByteArray out;
    int column = 0;
    for (const char c : text) {
        const QByteArray piece = c == '\n' || c == '\r' || (c >= 32 && c < 127 && c != '=')
                                     ? QByteArray(1, c)
                                     : "=" + QByteArray::number(uchar(c), 16).toUpper().rightJustified(2, '0');
        if (column + piece.size() > 40 && c != '\n' && c != '\r') {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column = c == '\n' ? 0 : column + int(piece.size());
    }
    return out;
}

QByteArray base64Lines(const QByteArray& data)
{
    QByteArray b = data.toBase64(), out;
    for (qsizetype i = 0; i < b.size(); i += 76)
        out += b.mid(i, 76) + "\r\n";
    return out;
}

// The pupil of each block found, or "!" for a block the teacher's side refuses.
QStringList pupilsOf(const MailReport::Result& result)
{
    QStringList pupils;
    for (const MailReport::Block& b : result.blocks) {
        const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(b.text);
        pupils << (decoded.ok ? decoded.report.pupilName : QStringLiteral("!"));
    }
    return pupils;
}

} // namespace

class TestMailReport : public QObject {
    Q_OBJECT
private slots:
    void extract_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("pupils");
        QTest::addColumn<QString>("firstLabel");
        QTest::addColumn<int>("withoutBlock");
        QTest::addColumn<QString>("problem");

        const QByteArray novak = reportBlock("Novák", "2B", 3, 1);
        const QByteArray dvorak = reportBlock("Dvořák", "2B", 5, 0);
        QByteArray damaged = dvorak;
        damaged.replace(60, 2, "z7");
        const QByteArray greeting = "Dobrý den,\r\nposílám výsledky:\r\n\r\n";
        const QByteArray signature = "\r\nS pozdravem\r\nJan Novák\r\n-- \r\nodesláno z mobilu\r\n";

        QTest::newRow("text with greeting, re-wrapped")
            << greeting + rewrapped(novak.toUpper(), 47) + signature << QStringList{"Novák"} << "blok" << 0 << "";
        QTest::newRow("two blocks and a damaged one in a text")
            << novak + "\r\n\r\n" + damaged + "\r\n\r\n" + dvorak << QStringList{"Novák", "!", "Dvořák"} << "blok 1"
            << 0 << "";
        QTest::newRow("e-mail, quoted-printable")
            << "Return-Path: <novak@skola.cz>\r\nFrom: =?utf-8?Q?Jan_Nov=C3=A1k?= <novak@skola.cz>\r\n"
               "Subject: =?utf-8?B?VsO9c2xlZGt5?=\r\nMIME-Version: 1.0\r\n"
               "Content-Type: text/plain; charset=\"utf-8\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
                   quotedPrintable(greeting + rewrapped(novak, 60) + signature)
            << QStringList{"Novák"} << "zpráva od Jan Novák <novak@skola.cz>, předmět „Výsledky“" << 0 << "";
        QStringEncoder cp1250("windows-1250");
        const QByteArray html =
            "<p>Dobr&yacute; den,</p><div>" + rewrapped(dvorak, 30).replace("\r\n", "<br>\r\n") + "</div><p>Jan</p>";
        QTest::newRow("e-mail, base64, text and html alternatives")
            << "From: Jan <jan@skola.cz>\r\nSubject: hotovo\r\nMIME-Version: 1.0\r\nContent-Type: multipart/"
               "alternative;\r\n boundary=\"==hranice==\"\r\n\r\nThis is a multi-part message.\r\n--==hranice==\r\n"
               "Content-Type: text/plain; charset=windows-1250\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                   base64Lines(QByteArray(cp1250(QString::fromUtf8(greeting))) + rewrapped(dvorak, 72)) +
                   "--==hranice==\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: "
                   "base64\r\n\r\n" +
                   base64Lines(html) + "--==hranice==--\r\n"
            << QStringList{"Dvořák"} << "zpráva od Jan <jan@skola.cz>, předmět „hotovo“" << 0 << "";
        const auto message = [](const char* from, const char* subject, const QByteArray& body) {
            return QByteArray("From ") + from + " Thu May  2 11:00:00 2024\nFrom: " + from + "\nSubject: " + subject +
                   "\n\n" + body + "\n\n";
        };
        QTest::newRow("mailbox: good, duplicate, damaged, ordinary mail")
            << message("novak@skola.cz", "1", "Ahoj\n>From the program:\n" + novak) +
                   message("novak@skola.cz", "2", rewrapped(novak, 33)) + message("dvorak@skola.cz", "3", damaged) +
                   message("reditel@skola.cz", "porada", "Porada je ve 14:00.")
            << QStringList{"Novák", "Novák", "!"} << "zpráva 1 od novak@skola.cz, předmět „1“" << 1 << "";
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("text saved as UTF-16")
            << QByteArray(utf16(QString::fromUtf8(greeting + novak))) << QStringList{"Novák"} << "blok" << 0 << "";
        const auto none = [](const char* name, const QByteArray& content, int withoutBlock, const char* problem) {
            QTest::newRow(name) << content << QStringList() << QString() << withoutBlock << QString(problem);
        };
        none("picture", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 0, "binární");
        none("text without a block", "Dobrý den,\nvýsledky pošlu zítra.\nab cd ef\n", 1, "není blok");
        none("e-mail without a block", "From: a@b.cz\nSubject: x\nDate: Thu, 2 May 2024 10:00:00 +0200\n\nNic.\n", 1,
             "neobsahuje blok");
    }

    void extract()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, pupils);
        QFETCH(QString, firstLabel);
        const MailReport::Result result = MailReport::extract(content);
        QCOMPARE(pupilsOf(result), pupils);
        QCOMPARE(result.blocks.value(0).label, firstLabel);
        QTEST(result.messagesWithoutBlock, "withoutBlock");
        QFETCH(QString, problem);
        QVERIFY2(problem.isEmpty() ? result.problem.isEmpty() : result.problem.contains(problem),
                 qPrintable(result.problem));
    }

    // A big mailbox is read within the message limit: only the start of an oversized message counts.
    void largeMailbox()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("velka.mbox"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray filler(1000, 'x');
        file.write("From a@b Thu May  2 11:00:00 2024\nFrom: a@b\nSubject: priloha\n\n" +
                   reportBlock("Novák", "2B", 1, 0) + "\n\n");
        for (int i = 0; i < 6000; ++i)
            file.write(filler + "\n");
        file.write("\nFrom c@d Thu May  2 12:00:00 2024\nFrom: c@d\n\n" + reportBlock("Malá", "1A", 2, 0) + "\n");
        file.close();
        const MailReport::Result result = MailReport::extractFile(file.fileName());
        QCOMPARE(pupilsOf(result), QStringList({"Novák", "Malá"}));
        QVERIFY(result.remark.contains("jen začátek"));
    }
};

QTEST_GUILESS_MAIN(TestMailReport)
#include "tst_mailreport.moc"
