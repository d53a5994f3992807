#include "core/report.h"
#include "core/reportcipher.h"
#include "support/storefixture.h"

using StoreFixture::tool;
using StoreFixture::ToolRun;

namespace {

// The e-mailed block of a run on 2 May 2024 from 10:05 to 10:50.
QByteArray block(const QString& name, const QString& className, int right, int wrong)
{
    RunState run;
    run.pupilName = name;
    run.pupilClass = className;
    run.signInDateTime = toOleDate(QDateTime(QDate(2024, 5, 2), QTime(10, 5)));
    run.examplesRight = right;
    run.examplesWrong = wrong;
    run.dialogsRight = right * 3 + wrong;
    run.dialogsWrong = wrong * 2;
    ReportCipher::InitCipher();
    ReportCipher::StartBlock();
    ReportCipher::EncodeText(buildReport(run, QDateTime(QDate(2024, 5, 2), QTime(10, 50)), QLocale(QLocale::Czech)));
    return ReportCipher::GetEncodedBlock().toUtf8();
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
    }

    void pupilsAndResults_data() { StoreFixture::addEngineRows(); }
    void pupilsAndResults()
    {
        STORE_DATABASE(db);
        QTemporaryDir dir;
        // A file with broken lines is refused whole, each bad line named.
        const QString bad =
            writeFile(dir, "bad.csv", "Příjmení;Třída\nNovák;2B\nBez středníku\n\"Nov;ák\";3A\n\xff\xfe;1A\n");
        const ToolRun refused = tool({"zaci", db.url, bad});
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("řádek 3: chybí středník") &&
                     refused.err.contains("řádek 5: není v kódování UTF-8"),
                 qPrintable(refused.err));
        QCOMPARE(db.first("SELECT COUNT(*) FROM \"Zaci\"").value(0).toInt(), 0);

        const QString good =
            writeFile(dir, "good.csv", "\xEF\xBB\xBFPrijmeni;Trida\r\nNovák;2B\r\n\"Nov;ák\";3A\r\n\r\nDvořák; 2B\r\n");
        const ToolRun added = tool({"zaci", db.url, good});
        QVERIFY2(added.exitCode == 0 && added.out.contains("Zapsáno žáků: 3"), qPrintable(added.err));
        QVERIFY(tool({"zaci", db.url, good}).out.contains("Zapsáno žáků: 0"));

        // The same block imported from a file and from standard input is recorded once.
        const QString blockFile = writeFile(dir, "blok.txt", block("Novák", "2B", 3, 1));
        const ToolRun imported = tool({"importovat", db.url, blockFile});
        QVERIFY2(imported.out.contains("Zapsáno: Novák, třída 2B, dobře 3, špatně 1"), qPrintable(imported.err));
        QCOMPARE(tool({"importovat", db.url}, block("Novák", "2B", 3, 1)).exitCode, 0);
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
        QCOMPARE(tool({"dekodovat"}, block("Šárka Ěřínová 中", "4.C", 0, 0)).out,
                 "Student: Šárka Ěřínová ?\nTřída: 4.C\nKvizmat: 3 - Komplexní čísla\nOd: 02.05.2024 10:05\n"
                 "Do: 02.05.2024 10:50\nCelkem odpovědí: 0\n");
    }

    void malformedBlockRefused()
    {
        StoreFixture::Database db(StoreFixture::Database::Kind::Sqlite);
        const QByteArray good = block("Novák", "2B", 1, 1);
        for (const QByteArray& broken : {good.left(good.size() - 20), QByteArray("Dobrý den, posílám.")}) {
            const ToolRun decoded = tool({"dekodovat"}, broken);
            QVERIFY2(decoded.exitCode == 1 && decoded.out.isEmpty() && decoded.err.startsWith("Blok nelze dekódovat: "),
                     qPrintable(decoded.err));
            QCOMPARE(tool({"importovat", db.url}, broken).exitCode, 1);
        }
        QCOMPARE(tool({"dekodovat", "/nonexistent/blok.txt"}).exitCode, 1);
        QCOMPARE(db.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTeacherTool)
#include "tst_teachertool.moc"
