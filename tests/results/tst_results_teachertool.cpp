#include "core/report.h"
#include "core/reportcipher.h"
#include "storefixture.h"

using StoreFixture::Database;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun tool(const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess p;
    p.start(StoreFixture::toolPath(), args);
    if (!p.waitForStarted(5000))
        return {-2, QString(), p.errorString()};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -3, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString block(const QString& name, const QString& className, int right, int wrong)
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
    return ReportCipher::GetEncodedBlock();
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
    void initTestCase() { QVERIFY2(QFileInfo::exists(StoreFixture::toolPath()), qPrintable(StoreFixture::toolPath())); }

    void helpAndUsage()
    {
        const ToolRun help = tool({QStringLiteral("napoveda")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QStringLiteral("importovat DB [SOUBOR]")));
        QCOMPARE(tool({QStringLiteral("smazat")}).exitCode, 2);
        QCOMPARE(tool({}).exitCode, 2);
    }

    void createNeverOverwrites()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("nova/skola.db"));
        const ToolRun made = tool({QStringLiteral("zalozit"), db});
        QVERIFY2(made.exitCode == 0, qPrintable(made.err));
        const StoreConfig config = StoreConfig::fromPath(db);
        QCOMPARE(StoreFixture::row(config, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name IN ('Zaci', "
                                                          "'Prehled', 'Prehled_Prijmeni_TypZkous')"))
                     .value(0)
                     .toInt(),
                 3);
        const ToolRun again = tool({QStringLiteral("zalozit"), db});
        QCOMPARE(again.exitCode, 1);
        QVERIFY(again.err.contains(QStringLiteral("už existuje")));
    }

    void pupilsAndResults_data() { StoreFixture::addEngineRows(); }
    void pupilsAndResults()
    {
        STORE_DATABASE(db);
        QTemporaryDir dir;
        const QString bad = writeFile(dir, QStringLiteral("bad.csv"),
                                      "Příjmení;Třída\nNovák;2B\nBez středníku\n\"Nov;ák\";3A\n\xff\xfe;1A\n");
        const ToolRun refused = tool({QStringLiteral("zaci"), db.url, bad});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("řádek 3: chybí středník")), qPrintable(refused.err));
        QVERIFY2(refused.err.contains(QStringLiteral("řádek 5: není v kódování UTF-8")), qPrintable(refused.err));
        QCOMPARE(db.first(QStringLiteral("SELECT COUNT(*) FROM \"Zaci\"")).value(0).toInt(), 0);

        const QString good = writeFile(dir, QStringLiteral("good.csv"),
                                       "\xEF\xBB\xBFPrijmeni;Trida\r\nNovák;2B\r\n\"Nov;ák\";3A\r\n\r\nDvořák; 2B\r\n");
        const ToolRun added = tool({QStringLiteral("zaci"), db.url, good});
        QVERIFY2(added.exitCode == 0, qPrintable(added.err));
        QVERIFY(added.out.contains(QStringLiteral("Zapsáno žáků: 3")));
        QVERIFY(tool({QStringLiteral("zaci"), db.url, good}).out.contains(QStringLiteral("Zapsáno žáků: 0")));
        QCOMPARE(db.first(QStringLiteral("SELECT COUNT(*) FROM \"Zaci\"")).value(0).toInt(), 3);

        const QString blockFile = writeFile(dir, QStringLiteral("blok.txt"),
                                            block(QStringLiteral("Novák"), QStringLiteral("2B"), 3, 1).toUtf8());
        const ToolRun imported = tool({QStringLiteral("importovat"), db.url, blockFile});
        QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        QVERIFY(imported.out.contains(QStringLiteral("Zapsáno: Novák, třída 2B, dobře 3, špatně 1")));
        const ToolRun twice = tool({QStringLiteral("importovat"), db.url},
                                   block(QStringLiteral("Novák"), QStringLiteral("2B"), 3, 1).toUtf8());
        QCOMPARE(twice.exitCode, 0);
        const ToolRun once = tool({QStringLiteral("importovat"), db.url, blockFile});
        QCOMPARE(once.exitCode, 0);
        QVERIFY(once.out.contains(QStringLiteral("už byl importován")));
        QCOMPARE(db.count(), 2);
        const QList<QVariant> r =
            db.first(QStringLiteral("SELECT \"CasStrt\", \"CasEnd\", \"Datum\", \"TypZkous\" FROM \"Prehled\""));
        QCOMPARE(r.value(0).toTime(), QTime(10, 5));
        QCOMPARE(r.value(1).toTime(), QTime(10, 50));
        QCOMPARE(r.value(2).toDate(), QDate(2024, 5, 2));
        QCOMPARE(r.value(3).toInt(), 3);

        const ToolRun results = tool({QStringLiteral("vysledky"), db.url});
        QCOMPARE(results.exitCode, 0);
        QVERIFY2(QRegularExpression(QStringLiteral("Třída 2B\\n.*\\n  Novák\\s+2\\s+6\\s+2\\s+75[.,]00 %\\n  "
                                                   "Dvořák\\s+0\\s+0\\s+0"))
                     .match(results.out)
                     .hasMatch(),
                 qPrintable(results.out));
        QVERIFY(results.out.contains(QStringLiteral("Třída 3A")));
        const ToolRun oneClass =
            tool({QStringLiteral("vysledky"), db.url, QStringLiteral("--trida"), QStringLiteral("3A")});
        QVERIFY(oneClass.out.contains(QStringLiteral("Nov;ák")));
        QVERIFY(!oneClass.out.contains(QStringLiteral("2B")));
    }

    void decode()
    {
        const QString text = block(QStringLiteral("Šárka Ěřínová 中"), QStringLiteral("4.C"), 0, 0);
        const ToolRun fromInput = tool({QStringLiteral("dekodovat")}, text.toUtf8());
        QCOMPARE(fromInput.exitCode, 0);
        QCOMPARE(fromInput.out, QStringLiteral("Student: Šárka Ěřínová ?\nTřída: 4.C\nKvizmat: 3 - Komplexní čísla\n"
                                               "Od: 02.05.2024 10:05\nDo: 02.05.2024 10:50\nCelkem odpovědí: 0\n"));
    }

    void malformedBlockRefused_data() { StoreFixture::addEngineRows(); }
    void malformedBlockRefused()
    {
        STORE_DATABASE(db);
        const QString good = block(QStringLiteral("Novák"), QStringLiteral("2B"), 1, 1);
        for (const QString& broken : {good.left(good.size() - 20), QString(good).replace(0, 2, QStringLiteral("00")),
                                      QStringLiteral("Dobrý den, posílám výsledky.")}) {
            const ToolRun decoded = tool({QStringLiteral("dekodovat")}, broken.toUtf8());
            QCOMPARE(decoded.exitCode, 1);
            QVERIFY(decoded.out.isEmpty());
            QVERIFY2(decoded.err.startsWith(QStringLiteral("Blok nelze dekódovat: ")), qPrintable(decoded.err));
            QCOMPARE(tool({QStringLiteral("importovat"), db.url}, broken.toUtf8()).exitCode, 1);
        }
        QCOMPARE(tool({QStringLiteral("dekodovat"), QStringLiteral("/nonexistent/blok.txt")}).exitCode, 1);
        QCOMPARE(db.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTeacherTool)
#include "tst_results_teachertool.moc"
