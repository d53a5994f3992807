// Reading and importing the mail of a school year: a 50 MB mailbox of 10,000 messages (a greeting,
// a report block, a signature and a quoted earlier letter in each), read from a file and from a pipe
// as the teacher's tool and window read it, then its 10,000 blocks imported into an empty school
// database, and the whole `kvizmat-ucitel importovat` from a file and from standard input with its
// peak memory. Usage: bench_import [postgresql://...]   (or KVIZMAT_TEST_PG_URL); prints figures only.

#include "benchdatabase.h"
#include "core/mailreport.h"
#include "core/report.h"
#include "core/reportcipher.h"
#include "store/databaseconnection.h"
#include "store/reportimport.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr int messages = 10000;

QByteArray block(int pupil)
{
    RunState run;
    run.pupilName = QStringLiteral("Žák %1").arg(pupil);
    run.pupilClass = QStringLiteral("%1.B").arg(pupil % 40);
    run.examplesRight = pupil % 7;
    run.examplesWrong = 1;
    run.dialogsRight = run.examplesRight * 3 + 1;
    run.dialogsWrong = 2;
    run.signInDateTime = toDayCount(QDateTime(QDate(2024, 5, 2), QTime(10, 5)));
    return ReportCipher::EncodeText(
               buildReport(run, QDateTime(QDate(2024, 5, 2), QTime(10, 50)), QLocale(QLocale::Czech)),
               ReportCipher::saltByteFrom(float(pupil % 97) / 97.0f))
        .toUtf8();
}

QByteArray mailbox()
{
    const QByteArray quoted =
        QByteArray("> Dobrý den, posílám zadání na příští týden a prosím o výsledky.\n").repeated(50);
    QByteArray box;
    for (int i = 0; i < messages; ++i)
        box += "From zak" + QByteArray::number(i) +
               "@skola.cz Thu May  2 11:00:00 2024\nFrom: =?utf-8?Q?=C5=BD=C3=A1k?= <zak" + QByteArray::number(i) +
               "@skola.cz>\nSubject: Výsledky\nMIME-Version: 1.0\nContent-Type: text/plain; "
               "charset=utf-8\n\nDobrý den,\nposílám výsledky:\n\n" +
               block(i) + "\n\nS pozdravem\n-- \nodesláno z mobilu\n\n" + quoted + "\n";
    return box;
}

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

void reading(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    const MailReport::Result fromFile = MailReport::extractFile(path);
    std::printf("  read from a file:    %6.2f s  (%lld blocks of %d messages)\n", seconds(timer),
                qlonglong(fromFile.blockCount), fromFile.messages);
    // Standard input is a stream read through the C library, as here.
    FILE* stream = std::fopen(QFile::encodeName(path).constData(), "rb");
    QFile pipe;
    pipe.open(stream, QIODevice::ReadOnly);
    timer.restart();
    const MailReport::Result fromStream = MailReport::extract(pipe);
    std::printf("  read from a stream:  %6.2f s  (%lld blocks)\n", seconds(timer), qlonglong(fromStream.blockCount));
    pipe.close();
    std::fclose(stream);
}

void importing(const StoreConfig& config, const QString& path, const QString& tool)
{
    {
        DatabaseConnection connection(config);
        if (!connection.open(DatabaseConnection::Mode::Create) || !SchoolSchema::create(connection)) {
            std::printf("  cannot create: %s\n", qPrintable(connection.failure()));
            return;
        }
        QStringList texts;
        for (const MailReport::Block& b : MailReport::extractFile(path).blocks)
            texts << b.text;
        QElapsedTimer timer;
        timer.start();
        const QList<ImportOutcome> outcomes = importReports(connection, texts);
        const auto imported = std::count_if(outcomes.cbegin(), outcomes.cend(), [](const ImportOutcome& o) {
            return o.kind == ImportOutcome::Kind::Imported;
        });
        std::printf("  %lld blocks imported:        %6.2f s\n", qlonglong(imported), seconds(timer));
        timer.restart();
        const QList<ImportOutcome> again = importReports(connection, texts);
        std::printf("  the same blocks again:      %6.2f s  (%lld already there)\n", seconds(timer),
                    qlonglong(std::count_if(again.cbegin(), again.cend(), [](const ImportOutcome& o) {
                        return o.kind == ImportOutcome::Kind::AlreadyImported;
                    })));
        connection.exec(QStringLiteral("DELETE FROM \"Prehled\""));
        connection.exec(QStringLiteral("DELETE FROM \"ImportovaneBloky\""));
    }
    if (!QFile::exists(tool))
        return;
    const QString url = config.isPostgres() ? qEnvironmentVariable("BENCH_IMPORT_URL") : config.sqlitePath;
    for (const bool fromStdin : {false, true}) {
        QProcess p;
        if (fromStdin)
            p.setStandardInputFile(path);
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        p.start(tool, fromStdin ? QStringList{QStringLiteral("importovat"), url}
                                : QStringList{QStringLiteral("importovat"), url, path});
        p.waitForFinished(-1);
        const double took = seconds(timer);
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        std::printf("  kvizmat-ucitel importovat, %s: %6.2f s, exit %d (peak memory of the tool runs so far %.0f "
                    "MB)\n",
                    fromStdin ? "standard input" : "a file       ", took, p.exitCode(), usage.ru_maxrss / 1024.0);
        if (!fromStdin) {
            DatabaseConnection connection(config);
            if (connection.open()) {
                connection.exec(QStringLiteral("DELETE FROM \"Prehled\""));
                connection.exec(QStringLiteral("DELETE FROM \"ImportovaneBloky\""));
            }
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("posta.mbox"));
    {
        const QByteArray box = mailbox();
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(box);
        std::printf("Mailbox: %.1f MB, %d messages, one block each\n", box.size() / 1e6, messages);
    }
    reading(path);
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/kvizmat-ucitel");
    std::printf("SQLite:\n");
    importing(StoreConfig::fromPath(dir.filePath(QStringLiteral("skola.db"))), path, tool);
    const QString url = benchServerUrl(argc, argv);
    if (url.isEmpty())
        return 0;
    const BenchDatabase database(url);
    if (database.address.isEmpty())
        return 0;
    std::printf("PostgreSQL:\n");
    qputenv("BENCH_IMPORT_URL", database.address.toUtf8());
    importing(StoreConfig::fromUrl(database.address), path, tool);
    return 0;
}
