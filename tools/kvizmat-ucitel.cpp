// kvizmat-ucitel: the teacher's side of Kvizmat. Creates a school database, fills in the pupils,
// prints the results, and decodes or imports the blocks pupils send by e-mail.

#include "core/mailreport.h"
#include "core/report.h"
#include "core/reportdecoder.h"
#include "core/textinput.h"
#include "store/databaseconnection.h"
#include "store/pupilimport.h"
#include "store/reportimport.h"
#include "store/schoolroles.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlQuery>
#include <QTextStream>

#include <memory>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

enum Exit { Ok = 0, Failed = 1, Usage = 2 };

const char* const helpText =
    R"(kvizmat-ucitel – nástroj učitele k programu Kvizmat 3: Komplexní čísla

Použití:
  kvizmat-ucitel zalozit DB                  založí novou školní databázi (tabulky Zaci a Prehled)
  kvizmat-ucitel zaci DB SOUBOR.csv          zapíše žáky ze souboru CSV (UTF-8, řádky příjmení;třída)
  kvizmat-ucitel vysledky DB [--trida T]     vypíše součty výsledků žáků po třídách
  kvizmat-ucitel dekodovat [SOUBOR]          dekóduje blok z e-mailu (ze souboru nebo ze vstupu)
  kvizmat-ucitel importovat DB [SOUBOR…]     zapíše do databáze výsledky z bloků, uložených e-mailů
                                             (.eml) a schránek (mbox); každý blok jen jednou
  kvizmat-ucitel opravneni DB ROLE [--ucitel]
                                             dá existující roli serveru PostgreSQL právě ta práva,
                                             která potřebuje program žáků (s --ucitel: okno
                                             a nástroj učitele); co měla dřív, jí odebere
  kvizmat-ucitel napoveda                    vypíše tuto nápovědu

DB je cesta k souboru SQLite, nebo adresa serveru PostgreSQL
postgresql://uživatel:heslo@počítač:port/databáze.

Návratový kód: 0 úspěch, 1 chyba (vypíše se důvod), 2 chybné použití. Příkaz importovat
vrací 1, když některý soubor nebo blok odmítl nebo ho nemohl zapsat (každý má svůj řádek),
nebo když některou část souboru neprohlédl (například zprávu delší než 32 MB).
)";

int usage(const QString& problem)
{
    err << problem << "\nNápovědu vypíše: kvizmat-ucitel napoveda\n";
    return Usage;
}

int failed(const QString& message)
{
    err << message << "\n";
    return Failed;
}

bool decodeInput(const QString& file, ReportDecoder::Result& decoded, QString& problem)
{
    QByteArray content;
    if (!TextInput::read(file, content, problem))
        return false;
    decoded = ReportDecoder::decodeBlock(QString::fromUtf8(content));
    if (!decoded.ok) {
        problem = QStringLiteral("Blok nelze dekódovat: %1").arg(decoded.error);
        return false;
    }
    return true;
}

StoreConfig databaseArgument(const QString& argument, QString& problem)
{
    StoreConfig config = StoreConfig::fromArgument(argument);
    if (!config.isValid())
        problem = config.problem;
    return config;
}

int zalozit(const QString& argument)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    bool createdFile = false;
    // Folders made for the new file, the outermost first; removed again when the creation fails.
    QStringList createdFolders;
    if (!config.isPostgres()) {
        if (argument.endsWith(QLatin1Char('/')) || argument.endsWith(QDir::separator()))
            return failed(QStringLiteral("„%1“ je jméno složky; zadejte cestu k souboru nové databáze, například "
                                         "%1skola.db. Nic jsem nezměnil.")
                              .arg(printableText(argument)));
        if (QFileInfo::exists(config.sqlitePath))
            return failed(QStringLiteral("Soubor „%1“ už existuje; novou databázi zakládám jen do nového souboru. "
                                         "Nic jsem nezměnil.")
                              .arg(printableText(config.sqlitePath)));
        const QString folder = QFileInfo(config.sqlitePath).absolutePath();
        for (QString f = folder; !f.isEmpty() && !QFileInfo::exists(f) && !createdFolders.contains(f);
             f = QFileInfo(f).absolutePath())
            createdFolders.prepend(f);
        if (!QDir().mkpath(folder))
            return failed(QStringLiteral("Složku „%1“ nelze vytvořit.").arg(printableText(folder)));
        createdFile = true;
    }
    bool done = false;
    QString failure;
    {
        DatabaseConnection connection(config);
        done = connection.open(DatabaseConnection::Mode::Create) && SchoolSchema::create(connection);
        failure = connection.failure();
    }
    if (!done) {
        if (createdFile) {
            QFile::remove(config.sqlitePath);
            QFile::remove(config.sqlitePath + QStringLiteral("-wal"));
            QFile::remove(config.sqlitePath + QStringLiteral("-shm"));
            for (auto f = createdFolders.crbegin(); f != createdFolders.crend(); ++f)
                QDir().rmdir(*f);
        }
        return failed(QStringLiteral("Databázi nelze založit: %1").arg(failure));
    }
    out << QStringLiteral("Založena školní databáze %1 (tabulky Zaci a Prehled).\n").arg(config.describe());
    return Ok;
}

int zaci(const QString& argument, const QString& csvFile)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    QByteArray content;
    if (!TextInput::read(csvFile, content, problem))
        return failed(problem);
    const PupilImport::Parsed csv = PupilImport::parse(content);
    if (!csv.badLines.isEmpty()) {
        err << QStringLiteral("Soubor „%1“ má chybné řádky:\n").arg(printableText(csvFile));
        for (const QString& line : csv.badLines)
            err << "  " << line << "\n";
        err << "Nic jsem nezapsal; opravte soubor a spusťte příkaz znovu.\n";
        return Failed;
    }
    DatabaseConnection connection(config);
    if (!connection.open())
        return failed(QStringLiteral("Žáky nelze zapsat: %1").arg(connection.failure()));
    const PupilImport::Outcome outcome = PupilImport::write(connection, csv.pupils);
    if (!outcome.ok)
        return failed(QStringLiteral("Žáky nelze zapsat, nic jsem nezměnil: %1").arg(outcome.failure));
    out << PupilImport::summary(outcome) << "\n";
    return Ok;
}

struct PupilTotals {
    qint64 runs = 0;
    qint64 right = 0;
    qint64 wrong = 0;
};

int vysledky(const QString& argument, const QString& onlyClass, bool classGiven)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    DatabaseConnection connection(config);
    if (!connection.open())
        return failed(QStringLiteral("Výsledky nelze přečíst: %1").arg(connection.failure()));

    // Per class: the pupils in the order of Zaci, then those known only from their results.
    QMap<QString, QStringList> classes;
    QMap<QPair<QString, QString>, PupilTotals> totals;
    {
        QSqlQuery pupils(connection.database());
        connection.prepare(pupils, QStringLiteral("SELECT \"Prijmeni\", \"Trida\" FROM \"Zaci\""));
        if (!connection.exec(pupils))
            return failed(QStringLiteral("Výsledky nelze přečíst: %1").arg(connection.failure()));
        while (pupils.next()) {
            const QString surname = pupils.value(0).toString();
            const QString className = pupils.value(1).toString();
            if (!classes[className].contains(surname))
                classes[className] << surname;
        }
        QSqlQuery runs(connection.database());
        connection.prepare(runs,
                           QStringLiteral("SELECT \"Trida\", \"Prijmeni\", COUNT(*), SUM(COALESCE(\"Spravne\", 0)), "
                                          "SUM(COALESCE(\"Chybne\", 0)) FROM \"Prehled\" WHERE \"TypZkous\" = 3 "
                                          "GROUP BY \"Trida\", \"Prijmeni\" ORDER BY \"Prijmeni\""));
        if (!connection.exec(runs))
            return failed(QStringLiteral("Výsledky nelze přečíst: %1").arg(connection.failure()));
        while (runs.next()) {
            const QString className = runs.value(0).toString();
            const QString surname = runs.value(1).toString();
            totals[{className, surname}] = {runs.value(2).toLongLong(), runs.value(3).toLongLong(),
                                            runs.value(4).toLongLong()};
            if (!classes[className].contains(surname))
                classes[className] << surname;
        }
    }
    if (classGiven) {
        const QStringList only = classes.value(onlyClass);
        classes.clear();
        if (!only.isEmpty())
            classes.insert(onlyClass, only);
    }
    if (classes.isEmpty()) {
        out << (classGiven ? QStringLiteral("Třída „%1“ nemá v databázi žádné žáky ani výsledky.\n")
                                 .arg(printableText(onlyClass))
                           : QStringLiteral("V databázi nejsou žádní žáci ani výsledky.\n"));
        return Ok;
    }
    const QLocale locale;
    bool first = true;
    for (auto it = classes.cbegin(); it != classes.cend(); ++it) {
        int width = QStringLiteral("Příjmení").size();
        for (const QString& surname : it.value())
            width = qMax(width, int(printableText(surname).size()));
        if (!first)
            out << "\n";
        first = false;
        out << QStringLiteral("Třída %1\n")
                   .arg(it.key().isEmpty() ? QStringLiteral("(neuvedena)") : printableText(it.key()));
        out << "  " << QStringLiteral("Příjmení").leftJustified(width)
            << QStringLiteral("  Běhů   Dobře  Špatně  Úspěšnost\n");
        for (const QString& surname : it.value()) {
            const PupilTotals t = totals.value({it.key(), surname});
            const qint64 all = t.right + t.wrong;
            const QString rate =
                all == 0 ? QStringLiteral("–")
                         : locale.toString(double(t.right) / double(all) * 100.0, 'f', 2) + QStringLiteral(" %");
            out << "  " << printableText(surname).leftJustified(width)
                << QStringLiteral("  %1  %2  %3  %4\n").arg(t.runs, 4).arg(t.right, 6).arg(t.wrong, 6).arg(rate, 9);
        }
    }
    return Ok;
}

int opravneni(const QString& argument, const QString& role, bool teacher)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    DatabaseConnection connection(config);
    QStringList granted;
    // An SQLite file is refused as it is, without being opened.
    if ((config.isPostgres() && !connection.open()) ||
        !SchoolRoles::grant(connection, role, teacher ? SchoolRoles::Kind::Teacher : SchoolRoles::Kind::Pupils,
                            &granted))
        return failed(QStringLiteral("Oprávnění nelze nastavit: %1").arg(connection.failure()));
    out << QStringLiteral("Role „%1“ má v databázi %2 jen tato práva (%3):\n")
               .arg(printableText(role), config.describe(),
                    teacher ? QStringLiteral("učitel") : QStringLiteral("program žáků"));
    for (const QString& line : granted)
        out << "  " << line << "\n";
    return Ok;
}

int dekodovat(const QString& file)
{
    ReportDecoder::Result decoded;
    QString problem;
    if (!decodeInput(file, decoded, problem))
        return failed(problem);
    // Line by line, so that a stray line break or control character in a name shows as what it is.
    QStringList lines = decoded.text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString& line : lines)
        out << printableText(line) << "\n";
    return Ok;
}

// A line of the import, at once: on a terminal the lines of both outputs stay in their order.
void say(QTextStream& stream, const QString& line)
{
    stream << line << "\n";
    stream.flush();
}

// Every block in the files (standard input when none is given): a plain block, a saved e-mail or a
// whole mailbox, read as it comes and imported a few hundred blocks at a time. A line per block;
// 0 when each was imported now or before and every part of every file was looked at.
int importovat(const QString& argument, QStringList files)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    if (files.isEmpty())
        files << QString();
    constexpr qsizetype blocksAtOnce = 1000;
    std::unique_ptr<DatabaseConnection> connection;
    bool allTaken = true;
    bool databaseLost = false;
    for (const QString& file : files) {
        const bool fromStdin = file.isEmpty() || file == QStringLiteral("-");
        const QString shown = fromStdin ? QStringLiteral("standardní vstup") : printableText(file);
        QList<MailReport::Block> waiting;
        auto importWaiting = [&] {
            if (waiting.isEmpty() || databaseLost)
                return;
            if (!connection) {
                connection = std::make_unique<DatabaseConnection>(config);
                if (!connection->open()) {
                    say(err, QStringLiteral("Výsledky nelze zapsat: %1").arg(connection->failure()));
                    databaseLost = true;
                    return;
                }
            }
            QStringList texts;
            for (const MailReport::Block& block : std::as_const(waiting))
                texts << block.text;
            const QList<ImportOutcome> outcomes = importReports(*connection, texts);
            for (qsizetype i = 0; i < outcomes.size(); ++i) {
                const ImportOutcome& o = outcomes.at(i);
                // A single plain block gets the lines of old; otherwise each line says which block it is.
                const QString which = files.size() == 1 && waiting.at(i).label == QStringLiteral("blok")
                                          ? QString()
                                          : QStringLiteral("%1, %2: ").arg(shown, printableText(waiting.at(i).label));
                switch (o.kind) {
                case ImportOutcome::Kind::Imported:
                    say(out, which + QStringLiteral("Zapsáno: %1, třída %2, dobře %3, špatně %4 (%5 – %6).")
                                         .arg(printableText(o.pupil), printableText(o.className))
                                         .arg(o.right)
                                         .arg(o.wrong)
                                         .arg(o.from.toString(QStringLiteral("dd.MM.yyyy hh:mm")),
                                              o.to.toString(QStringLiteral("hh:mm"))));
                    break;
                case ImportOutcome::Kind::AlreadyImported:
                    say(out, which + QStringLiteral("Tento blok už byl importován (%1); podruhé ho nezapisuji.")
                                         .arg(o.reason.isEmpty() ? QStringLiteral("právě teď") : o.reason));
                    break;
                case ImportOutcome::Kind::Refused:
                    say(err, which + o.reason);
                    allTaken = false;
                    break;
                }
            }
            waiting.clear();
        };
        QFile input;
        MailReport::Result found;
        const MailReport::BlockSink take = [&](const MailReport::Block& block) {
            waiting << block;
            if (waiting.size() >= blocksAtOnce)
                importWaiting();
        };
        if (!fromStdin)
            found = MailReport::extractFile(file, nullptr, take);
        else if (TextInput::open(file, input, problem))
            found = MailReport::extract(input, nullptr, take);
        else
            found.problem = problem;
        importWaiting();
        if (databaseLost)
            return Failed;
        if (found.blockCount == 0 && !found.problem.isEmpty()) {
            say(err, files.size() == 1 && fromStdin ? found.problem : shown + QStringLiteral(": ") + found.problem);
            allTaken = false;
        }
        if (found.messages > 1 && found.messagesWithoutBlock > 0)
            say(out, QStringLiteral("%1: zpráv bez bloku s výsledky: %2 z %3")
                         .arg(shown)
                         .arg(found.messagesWithoutBlock)
                         .arg(found.messages));
        if (found.incomplete) {
            say(err, QStringLiteral("%1: neprohlédnuto: %2").arg(shown, printableText(found.remark)));
            allTaken = false;
        }
    }
    return allTaken ? Ok : Failed;
}

int run(const QStringList& args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("Chybí příkaz."));
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    // An unset variable in a script gives an empty DB: never the current folder, nor a file without a name.
    static const QStringList withDatabase = {QStringLiteral("zalozit"), QStringLiteral("zaci"),
                                             QStringLiteral("vysledky"), QStringLiteral("importovat")};
    if (withDatabase.contains(command) && !rest.isEmpty() && rest.first().trimmed().isEmpty())
        return usage(QStringLiteral("Cesta k databázi (DB) je prázdná; zadejte cestu k souboru nebo adresu serveru."));
    if (command == QStringLiteral("napoveda") || command == QStringLiteral("-h") ||
        command == QStringLiteral("--help")) {
        out << QString::fromUtf8(helpText);
        return Ok;
    }
    if (command == QStringLiteral("zalozit")) {
        if (rest.size() != 1)
            return usage(QStringLiteral("Příkaz zalozit potřebuje právě jeden argument: DB."));
        return zalozit(rest.at(0));
    }
    if (command == QStringLiteral("zaci")) {
        if (rest.size() != 2)
            return usage(QStringLiteral("Příkaz zaci potřebuje dva argumenty: DB a SOUBOR.csv."));
        return zaci(rest.at(0), rest.at(1));
    }
    if (command == QStringLiteral("vysledky")) {
        if (rest.size() == 1)
            return vysledky(rest.at(0), QString(), false);
        if (rest.size() == 3 && rest.at(1) == QStringLiteral("--trida"))
            return vysledky(rest.at(0), rest.at(2), true);
        return usage(QStringLiteral("Příkaz vysledky má tvar: vysledky DB [--trida T]."));
    }
    if (command == QStringLiteral("opravneni")) {
        if (rest.size() == 2 || (rest.size() == 3 && rest.at(2) == QStringLiteral("--ucitel")))
            return opravneni(rest.at(0), rest.at(1), rest.size() == 3);
        return usage(QStringLiteral("Příkaz opravneni má tvar: opravneni DB ROLE [--ucitel]."));
    }
    if (command == QStringLiteral("dekodovat")) {
        if (rest.size() > 1)
            return usage(QStringLiteral("Příkaz dekodovat bere nejvýš jeden argument: SOUBOR."));
        return dekodovat(rest.value(0));
    }
    if (command == QStringLiteral("importovat")) {
        if (rest.isEmpty())
            return usage(QStringLiteral("Příkaz importovat má tvar: importovat DB [SOUBOR…]."));
        return importovat(rest.at(0), rest.mid(1));
    }
    return usage(QStringLiteral("Neznámý příkaz „%1“.").arg(printableText(command)));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvizmat-ucitel"));
    const int code = run(QCoreApplication::arguments().mid(1));
    out.flush();
    err.flush();
    return code;
}
