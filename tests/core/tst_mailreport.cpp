#include "core/mailreport.h"
#include "core/reportdecoder.h"
#include "support/storefixture.h"

#include <QStringEncoder>

using StoreFixture::reportBlock;

namespace {

// The groups re-wrapped as a mail program does it: `groups` to a line.
QByteArray rewrapped(const QByteArray& block, int groups)
{
    const QList<QByteArray> all = block.simplified().split(' ');
    QByteArray out;
    for (int i = 0; i < all.size(); ++i)
        out += all[i] + (i % groups == groups - 1 || i == all.size() - 1 ? "\r\n" : " ");
    return out;
}

// Quoted-printable with a soft line break every 40 bytes or so, also inside a group.
QByteArray quotedPrintable(QByteArray text)
{
    for (qsizetype i = 40; i < text.size(); i += 41)
        if (text[i - 1] != '\r')
            text.insert(i, '\x01');
    return text.toPercentEncoding(" \r\n", {}, '=').replace("=01", "=\r\n");
}

QByteArray base64Lines(const QByteArray& data)
{
    QByteArray b = data.toBase64();
    for (qsizetype i = 76; i < b.size(); i += 78)
        b.insert(i, "\r\n");
    return b + "\r\n";
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
        QTest::addColumn<QString>("note"); // in the problem or the remark
        const auto row = [](const char* name, const QByteArray& content, const QStringList& pupils,
                            const QString& label, int withoutBlock = 0, const QString& note = QString()) {
            QTest::newRow(name) << content << pupils << label << withoutBlock << note;
        };
        const QByteArray novak = reportBlock("Novák", "2B", 3, 1);
        const QByteArray dvorak = reportBlock("Dvořák", "2B", 5, 0);
        QByteArray damaged = dvorak;
        damaged.replace(60, 2, "z7");
        const QByteArray greeting = "Dobrý den,\r\nposílám výsledky:\r\n\r\n";
        const QByteArray signature = "\r\nS pozdravem\r\nJan Novák\r\n-- \r\nodesláno z mobilu\r\n";

        row("text with greeting, re-wrapped", greeting + rewrapped(novak.toUpper(), 15) + signature, {"Novák"}, "blok");
        row("two blocks and a damaged one in a text", novak + "\r\n\r\n" + damaged + "\r\n\r\n" + dvorak,
            {"Novák", "!", "Dvořák"}, "blok 1");
        row("e-mail, quoted-printable",
            "Return-Path: <novak@skola.cz>\r\nFrom: =?utf-8?Q?Jan_Nov=C3=A1k?= <novak@skola.cz>\r\n"
            "Subject: =?utf-8?B?VsO9c2xlZGt5?=\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=\"utf-8\"\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
                quotedPrintable(greeting + rewrapped(novak, 19) + signature),
            {"Novák"}, "zpráva od Jan Novák <novak@skola.cz>, předmět „Výsledky“");
        QStringEncoder cp1250("windows-1250");
        const QByteArray html =
            "<p>Dobr&yacute; den,</p><div>" + rewrapped(dvorak, 9).replace("\r\n", "<br>\r\n") + "</div><p>Jan</p>";
        row("e-mail, base64, text and html alternatives",
            "From: Jan <jan@skola.cz>\r\nSubject: hotovo\r\nMIME-Version: 1.0\r\nContent-Type: multipart/"
            "alternative;\r\n boundary=\"==hranice==\"\r\n\r\nThis is a multi-part message.\r\n--==hranice==\r\n"
            "Content-Type: text/plain; charset=windows-1250\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                base64Lines(QByteArray(cp1250(QString::fromUtf8(greeting))) + rewrapped(dvorak, 23)) +
                "--==hranice==\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                base64Lines(html) + "--==hranice==--\r\n",
            {"Dvořák"}, "zpráva od Jan <jan@skola.cz>, předmět „hotovo“");
        const auto message = [](const char* from, const char* subject, const QByteArray& body) {
            return QByteArray("From ") + from + " Thu May  2 11:00:00 2024\nFrom: " + from + "\nSubject: " + subject +
                   "\n\n" + body + "\n\n";
        };
        row("mailbox: good, duplicate, damaged, ordinary mail",
            message("novak@skola.cz", "1", "Ahoj\n>From the program:\n" + novak) +
                message("novak@skola.cz", "2", rewrapped(novak, 10)) + message("dvorak@skola.cz", "3", damaged) +
                message("reditel@skola.cz", "porada", "Porada je ve 14:00."),
            {"Novák", "Novák", "!"}, "zpráva 1 od novak@skola.cz, předmět „1“", 1);
        // A big mailbox is read within the message limit: only the start of an oversized message counts.
        row("large mailbox",
            message("a@b", "priloha", novak + "\n\n" + QByteArray(1000, 'x').append('\n').repeated(34000)) +
                message("c@d", "2", dvorak),
            {"Novák", "Dvořák"}, "zpráva 1 od a@b, předmět „priloha“", 0, "zpráva 1 od a@b, předmět „priloha“: delší");
        row("two blocks without a blank line, and on one line",
            novak + "\r\n" + dvorak + "\r\n\r\n" + novak.simplified() + " " + dvorak.simplified(),
            {"Novák", "Dvořák", "Novák", "Dvořák"}, "blok 1");
        const auto nested = [&](int depth, const QByteArray& share) {
            QByteArray mail = "From: a@b\nSubject: x\nContent-Type: text/plain\n\n" + novak + "\n";
            for (int level = depth; level >= 1; --level) {
                const QByteArray boundary = share.isEmpty() ? QByteArray(level, 'h') : share;
                mail = "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\n\n--" + boundary + "\n" + mail +
                       "--" + boundary + "--\n";
            }
            return "From: a@b\nSubject: x\n" + mail;
        };
        // Boundaries "h", "hh", "hhh"…: each the start of the next one's delimiter lines.
        row("multipart nested 16 deep", nested(16, {}), {"Novák"}, "zpráva od a@b, předmět „x“");
        row("multipart nested 17 deep", nested(17, {}), {}, {}, 0, "hlouběji než 16");
        row("multipart without a boundary", "From: a@b\nSubject: x\nContent-Type: multipart/mixed\n\n" + novak, {}, {},
            0, "bez udané hranice");
        row("nested parts sharing a boundary",
            "From: a@b\nSubject: x\nContent-Type: multipart/mixed; boundary=B\n\n--B\nContent-Type: multipart/"
            "alternative; boundary=B\n\n--B\nContent-Type: text/plain\n\n" +
                novak + "\n--B\nContent-Type: text/html\n\n<p>" + novak +
                "</p>\n--B--\n--B\nContent-Type: text/plain\n\n" + dvorak + "\n--B--\n",
            {"Novák", "Dvořák"}, "zpráva od a@b, předmět „x“, blok 1");
        row("a boundary starting a text line",
            "From: a@b\nSubject: x\nContent-Type: multipart/mixed; boundary=hranice\n\n--hranice\nContent-Type: "
            "text/plain\nContent-Transfer-Encoding: quoted-printable\n\nAhoj\n--hranice-konec--\n" +
                quotedPrintable(novak) + "\n--hranice--\n",
            {"Novák"}, "zpráva od a@b, předmět „x“");
        row("an unescaped From line in a mailbox",
            "From a@b Thu May  2 11:00:00 2024\nFrom: a@b\nSubject: 1\nContent-Transfer-Encoding: quoted-printable\n\n"
            "Ahoj,\n\nFrom my phone, the results:\n" +
                quotedPrintable(novak) + "\n\n" + message("c@d", "2", dvorak),
            {"Novák", "Dvořák"}, "zpráva 1 od a@b, předmět „1“");
        row("a letter beginning with From", "From Monday on, the results:\n\n" + novak, {"Novák"}, "blok");
        QString notepad = QString::fromLatin1(greeting + novak);
        notepad[40] = QChar(0xD800);
        row("UTF-16 with half a character",
            QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char*>(notepad.utf16()), notepad.size() * 2), {},
            {}, 0, "poškozený");
        row("headers in raw UTF-8 and a letter split between encoded words",
            "From: Adámek <a@b>\nSubject: =?utf-8?Q?V=C3?= =?utf-8?Q?=BDsledky?=\n\n" + novak, {"Novák"},
            "zpráva od Adámek <a@b>, předmět „Výsledky“");
        row("picture", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), {}, {}, 0, "binární");
        row("text without a block", "Dobrý den,\nvýsledky pošlu zítra.\nab cd ef\n", {}, {}, 1, "není blok");
        row("e-mail without a block", "From: a@b.cz\nSubject: x\n\nNic.\n", {}, {}, 1, "neobsahuje blok");
    }

    void extract()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, pupils);
        QFETCH(QString, firstLabel);
        const MailReport::Result result = MailReport::extract(content);
        QStringList found; // the pupil of each block, or "!" for a block the teacher's side refuses
        for (const MailReport::Block& b : result.blocks) {
            const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(b.text);
            found << (decoded.ok ? decoded.report.pupilName : "!");
        }
        QCOMPARE(found, pupils);
        QCOMPARE(result.blocks.value(0).label, firstLabel);
        QTEST(result.messagesWithoutBlock, "withoutBlock");
        QFETCH(QString, note);
        const QString said = result.problem + result.remark;
        QVERIFY2(note.isEmpty() ? said.isEmpty() : said.contains(note), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestMailReport)
#include "tst_mailreport.moc"
