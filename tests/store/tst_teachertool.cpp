#include "core/report.h"
#include "core/reportcipher.h"
#include "support/storefixture.h"

using StoreFixture::reportBlock;
using StoreFixture::tool;
using StoreFixture::ToolRun;

namespace {

QByteArray encoded(const QString& report)
{
    ReportCipher::InitCipher();
    ReportCipher::StartBlock();
    ReportCipher::EncodeText(report);
    return ReportCipher::GetEncodedBlock().toUtf8();
}

// The report of a run on 2 May 2024 from 10:05 to 10:50, or from and to the given times.
QString report(const QString& name, const QString& className, int right, int wrong,
               const QDateTime& from = QDateTime(QDate(2024, 5, 2), QTime(10, 5)),
               const QDateTime& to = QDateTime(QDate(2024, 5, 2), QTime(10, 50)))
{
    RunState run;
    run.pupilName = name;
    run.pupilClass = className;
    run.signInDateTime = toDayCount(from);
    run.examplesRight = right;
    run.examplesWrong = wrong;
    run.dialogsRight = right * 3 + wrong;
    run.dialogsWrong = wrong * 2;
    return buildReport(run, to, QLocale(QLocale::Czech));
}

QByteArray utf16(const QByteArray& text, QStringConverter::Encoding encoding, bool mark)
{
    QStringEncoder encoder(encoding, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(QString::fromUtf8(text));
}

bool hasControls(const QString& text)
{
    return text.contains(QRegularExpression("[\\x00-\\x08\\x0b-\\x1f\\x7f]"));
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return f.fileName();
}

} // namespace

class TestTeacherTool : public QObject {
    Q_OBJECT
private slots:
    void createNeverOverwrites()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("nova/skola.db");
        QCOMPARE(tool({"zalozit", db}).exitCode, 0);
        const QString tables = "SELECT COUNT(*) FROM sqlite_master WHERE name IN ('Zaci', 'Prehled')";
        QCOMPARE(StoreFixture::row(StoreConfig::fromPath(db), tables).value(0).toInt(), 2);
        const ToolRun again = tool({"zalozit", db});
        QVERIFY(again.exitCode == 1 && again.err.contains("už existuje"));
        // A folder name instead of a file: refused, and no folder is left behind.
        QVERIFY(tool({"zalozit", dir.filePath("jina/")}).err.contains("je jméno složky"));
        QVERIFY(!QFileInfo::exists(dir.filePath("jina")));
    }

    void pupilsAndResults_data() { StoreFixture::addEngineRows(); }
    void pupilsAndResults()
    {
        STORE_DATABASE(db);
        QTemporaryDir dir;
        // A file with broken lines is refused whole, each bad line named.
        const QString bad = writeFile(dir, "bad.csv",
                                      "Příjmení;Třída\nNovák;2B\nBez středníku\n\"Nov;ák\";3A\n\xff\xfe;1A\n" +
                                          QByteArray("N\0l;1A\n", 7));
        const ToolRun refused = tool({"zaci", db.url, bad});
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("řádek 3: chybí středník") &&
                     refused.err.contains("řádek 5: není v kódování UTF-8") &&
                     refused.err.contains("řádek 6: obsahuje řídicí znak"),
                 qPrintable(refused.err));
        QVERIFY(tool({"zaci", db.url, "/dev/zero"}).err.contains("větší než 4 MB"));
        QCOMPARE(db.first("SELECT COUNT(*) FROM \"Zaci\"").value(0).toInt(), 0);

        const QString good =
            writeFile(dir, "good.csv", "\xEF\xBB\xBFPrijmeni;Trida\r\nNovák;2B\r\n\"Nov;ák\";3A\r\n\r\nDvořák; 2B\r\n");
        const ToolRun added = tool({"zaci", db.url, good});
        QVERIFY2(added.exitCode == 0 && added.out.contains("Zapsáno žáků: 3"), qPrintable(added.err));
        QVERIFY(tool({"zaci", db.url, good}).out.contains("Zapsáno žáků: 0"));

        // The same block imported from a file and from standard input is recorded once.
        const QString blockFile = writeFile(dir, "blok.txt", reportBlock("Novák", "2B", 3, 1));
        const ToolRun imported = tool({"importovat", db.url, blockFile});
        QVERIFY2(imported.out.contains("Zapsáno: Novák, třída 2B, dobře 3, špatně 1") && imported.err.isEmpty(),
                 qPrintable(imported.err));
        QCOMPARE(tool({"importovat", db.url}, reportBlock("Novák", "2B", 3, 1)).exitCode, 0);
        QVERIFY(tool({"importovat", db.url, blockFile}).out.contains("už byl importován"));
        QCOMPARE(db.count(), 2);
        const QList<QVariant> r = db.first("SELECT \"CasStrt\", \"CasEnd\", \"Datum\", \"TypZkous\" FROM \"Prehled\"");
        QCOMPARE(QVariantList({r.value(0).toTime(), r.value(1).toTime(), r.value(2).toDate(), r.value(3).toInt()}),
                 QVariantList({QTime(10, 5), QTime(10, 50), QDate(2024, 5, 2), 3}));

        const QString results = tool({"vysledky", db.url}).out;
        const QRegularExpression table(
            "Třída 2B\\n.*\\n  Novák\\s+2\\s+6\\s+2\\s+75[.,]00 %\\n  Dvořák\\s+0\\s+0\\s+0");
        QVERIFY2(table.match(results).hasMatch(), qPrintable(results));
        const QString oneClass = tool({"vysledky", db.url, "--trida", "3A"}).out;
        QVERIFY(oneClass.contains("Nov;ák") && !oneClass.contains("2B"));
    }

    void decode()
    {
        QCOMPARE(tool({"dekodovat"}, reportBlock("Šárka Ěřínová 中", "4.C", 0, 0)).out,
                 "Student: Šárka Ěřínová ?\nTřída: 4.C\nKvizmat: 3 - Komplexní čísla\nOd: 02.05.2024 10:05\n"
                 "Do: 02.05.2024 10:50\nCelkem odpovědí: 0\n");
    }

    // Several files, a saved e-mail and a mailbox: a line for each block, 1 when any was refused.
    void importFiles_data() { StoreFixture::addEngineRows(); }
    void importFiles()
    {
        STORE_DATABASE(db);
        QTemporaryDir dir;
        const QByteArray novak = reportBlock("Novák", "2B", 3, 1);
        QByteArray qp = reportBlock("Dvořák", "2B", 5, 0);
        qp.replace("\r\n", "=\r\n").replace(" 4", "=204");
        QByteArray damaged = reportBlock("Malá", "1A", 2, 0);
        damaged.chop(40);
        const QString blok = writeFile(dir, "blok.txt", "Dobrý den,\n\n" + novak + "\n\nJan\n");
        const QString eml =
            writeFile(dir, "dopis.eml",
                      "From: zak@skola.cz\r\nSubject: vysledky\r\nMIME-Version: 1.0\r\nContent-Type: "
                      "text/plain; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
                          qp);
        const ToolRun both = tool({"importovat", db.url, blok, eml});
        QCOMPARE(both.out.split('\n'),
                 QStringList({blok + ", blok: Zapsáno: Novák, třída 2B, dobře 3, špatně 1 (02.05.2024 10:05 – 10:50).",
                              eml + ", zpráva od zak@skola.cz, předmět „vysledky“: Zapsáno: Dvořák, třída 2B, dobře 5, "
                                    "špatně 0 (02.05.2024 10:05 – 10:50).",
                              ""}));
        QCOMPARE(both.exitCode, 0);

        const QString mbox =
            writeFile(dir, "posta.mbox",
                      "From a Thu May  2 11:00:00 2024\nSubject: 1\n\n" + reportBlock("Malá", "1A", 2, 0) +
                          "\n\nFrom b Thu May  2 12:00:00 2024\nSubject: 2\n\n" + novak +
                          "\n\nFrom c Thu May  2 13:00:00 2024\nSubject: 3\n\n" + damaged + "\n");
        const ToolRun mixed = tool({"importovat", db.url, mbox, dir.filePath("chybi.txt")});
        const QStringList out = mixed.out.split('\n'), err = mixed.err.split('\n');
        QVERIFY2(mixed.exitCode == 1 && out.size() == 3 && err.size() == 3, qPrintable(mixed.out + mixed.err));
        QVERIFY(out[0].startsWith(mbox + ", zpráva 1, předmět „1“: Zapsáno: Malá"));
        QVERIFY(out[1].startsWith(mbox + ", zpráva 2, předmět „2“: Tento blok už byl importován"));
        QVERIFY(err[0].startsWith(mbox + ", zpráva 3, předmět „3“: Blok nelze dekódovat: "));
        QVERIFY(err[1].startsWith(dir.filePath("chybi.txt") + ": Soubor nelze otevřít"));
        QCOMPARE(db.count(), 3);
    }

    // Every block `dekodovat` refuses, `importovat` refuses too, on either engine, and no control
    // character of the block reaches the terminal. `importovat` looks for the block in the text
    // first: where no block or a shorter one is found, it says so instead (`found`).
    void refusedBlocks_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QByteArray>("broken");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("found");
        const auto row = [](const char* name, const QByteArray& broken, const QString& reason,
                            const QString& found = QString()) {
            for (const char* engine : {"sqlite", "postgresql"})
                QTest::addRow("%s: %s", engine, name) << int(*engine == 'p') << broken << reason << found;
        };
        const QString good = report("Novák", "2B", 1, 1);
        row("cut at a line end", reportBlock("Novák", "2B", 1, 1).left(56), "neúpln");
        row("cut short", reportBlock("Novák", "2B", 1, 1).chopped(20), "neúpln");
        row("a letter", "Dobrý den, posílám.", "Skupina č. 1", "V souboru není blok s výsledky");
        row("controls in a group", "4b 00 \x1b[2J\x07", "Skupina č. 3", "Blok nelze dekódovat: Po dekódování");
        row("counts", encoded(QString(good).replace("Celkem odpovědí: 2", "Celkem odpovědí: 3")), "dohromady");
        row("percentage", encoded(QString(good).replace("(50,00%)", "(51,00%)")), "procenta");
        row("start after end", encoded(QString(good).replace("10:05", "12:05")), "po jeho konci");
        row("name too long", reportBlock(QString(51, 'x'), "2B", 1, 1), "nejvýš 50");
        row("class too long", reportBlock("Novák", QString(11, 'x'), 1, 1), "nejvýš 10");
        row("NUL in a name", reportBlock(QString("No") + QChar(0) + "vák", "2B", 1, 1), "NUL");
    }
    void refusedBlocks()
    {
        QFETCH(QByteArray, broken);
        QFETCH(QString, reason);
        QFETCH(QString, found);
        STORE_DATABASE(db);
        const ToolRun decoded = tool({"dekodovat"}, broken);
        QVERIFY2(decoded.exitCode == 1 && decoded.out.isEmpty() && decoded.err.startsWith("Blok nelze dekódovat: ") &&
                     decoded.err.contains(reason) && !hasControls(decoded.err),
                 qPrintable(decoded.err));
        const ToolRun imported = tool({"importovat", db.url}, broken);
        QVERIFY2(imported.exitCode == 1 &&
                     (found.isEmpty() ? imported.err == decoded.err
                                      : imported.err.startsWith(found) && !hasControls(imported.err)),
                 qPrintable(imported.err));
        QCOMPARE(db.count(), 0);
    }

    // Blocks as they really arrive: a name with terminal controls, Notepad's UTF-16, a run on the
    // night the clocks go forward. Shown escaped, imported quietly and as written.
    void acceptedBlocks_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("timeZone");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QTime>("from");
        const auto row = [](const char* name, const QByteArray& input, const QByteArray& zone, const QString& shown,
                            QTime from) {
            for (const char* engine : {"sqlite", "postgresql"})
                QTest::addRow("%s: %s", engine, name) << int(*engine == 'p') << input << zone << shown << from;
        };
        const QByteArray plain = reportBlock("Novák", "2B", 1, 1);
        row("controls in a name", reportBlock("A\x1b]0;x\x07\\B", "2\x1b[B", 1, 0), "", "A\\x1b]0;x\\x07\\\\B",
            QTime(10, 5));
        row("UTF-16 with mark", utf16(plain, QStringConverter::Utf16LE, true), "", "Novák", QTime(10, 5));
        row("UTF-16 without mark", utf16(plain, QStringConverter::Utf16BE, false), "", "Novák", QTime(10, 5));
        const QDate forward(2024, 3, 31);
        row("summer time night",
            encoded(report("Letní", "2B", 1, 0, QDateTime(forward, QTime(2, 30)), QDateTime(forward, QTime(3, 10)))),
            "Europe/Prague", "Letní", QTime(2, 30));
    }
    void acceptedBlocks()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, timeZone);
        QFETCH(QString, shown);
        QFETCH(QTime, from);
        STORE_DATABASE(db);
        if (!timeZone.isEmpty())
            qputenv("TZ", timeZone);
        const ToolRun decoded = tool({"dekodovat"}, input);
        const ToolRun imported = tool({"importovat", db.url}, input);
        const ToolRun results = tool({"vysledky", db.url});
        qunsetenv("TZ");
        for (const ToolRun& run : {decoded, imported, results})
            QVERIFY2(run.exitCode == 0 && run.err.isEmpty() && run.out.contains(shown) && !hasControls(run.out),
                     qPrintable(run.out + run.err));
        QCOMPARE(db.first("SELECT \"CasStrt\" FROM \"Prehled\"").value(0).toTime(), from);
    }

    // Of imports of one block racing each other, one records it and the others say it is there already.
    void racingImports_data() { StoreFixture::addEngineRows(); }
    void racingImports()
    {
        STORE_DATABASE(db);
        const QByteArray input = reportBlock("Souběžný", "2B", 2, 1);
        std::vector<std::unique_ptr<QProcess>> imports;
        for (int i = 0; i < 8; ++i) {
            imports.push_back(std::make_unique<QProcess>());
            imports.back()->start(qEnvironmentVariable("KVIZMAT_BUILD_DIR") + "/tools/kvizmat-ucitel",
                                  {"importovat", db.url});
            imports.back()->write(input);
            imports.back()->closeWriteChannel();
        }
        int recorded = 0;
        for (const auto& p : imports) {
            QVERIFY(p->waitForFinished(30000));
            const QString out = QString::fromUtf8(p->readAllStandardOutput());
            const QString err = QString::fromUtf8(p->readAllStandardError());
            QVERIFY2(p->exitCode() == 0 && err.isEmpty() &&
                         (out.contains("už byl importován") || out.contains("Zapsáno")),
                     qPrintable(out + err));
            recorded += out.contains("Zapsáno");
        }
        QCOMPARE(recorded, 1);
        QCOMPARE(db.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTeacherTool)
#include "tst_teachertool.moc"
