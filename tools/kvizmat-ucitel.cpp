// kvizmat-ucitel: the teacher's side of Kvizmat. Creates a school database, fills in the pupils,
// prints the results, and decodes or imports the blocks pupils send by e-mail.

#include "core/mailreport.h"
#include "core/report.h"
#include "core/reportdecoder.h"
#include "core/textinput.h"
#include "store/classresults.h"
#include "store/databaseconnection.h"
#include "store/pupilimport.h"
#include "store/pupilrenaming.h"
#include "store/reportimport.h"
#include "store/schoolroles.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

#include <memory>
#include <optional>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

enum Exit { Ok = 0, Failed = 1, Usage = 2 };

const char* const helpText =
    R"(kvizmat-ucitel – nástroj učitele k programu Kvizmat 3: Komplexní čísla

Použití:
  kvizmat-ucitel zalozit DB                  založí novou školní databázi (tabulky Zaci a Prehled)
  kvizmat-ucitel zaci DB SOUBOR.csv          zapíše žáky ze souboru CSV (řádky příjmení;třída,
                                             UTF-8 nebo Windows-1250)
  kvizmat-ucitel vysledky DB [--trida T] [--od DATUM] [--do DATUM] [--csv]
                                             vypíše součty výsledků žáků po třídách (za období;
                                             --csv jako export okna výsledků)
  kvizmat-ucitel historie DB PRIJMENI TRIDA [--od DATUM] [--do DATUM] [--csv]
                                             vypíše jednotlivé běhy žáka
  kvizmat-ucitel prejmenovat DB PRIJMENI TRIDA NOVE_PRIJMENI NOVA_TRIDA
                                             přesune běhy a zápis žáka pod nové jméno nebo třídu
                                             (existuje-li cíl, žáky sloučí); změna se zapíše
  kvizmat-ucitel vratit DB [ČÍSLO_ZMĚNY]      vrátí poslední (nebo danou) změnu jména
  kvizmat-ucitel dekodovat [SOUBOR]          dekóduje blok z e-mailu (ze souboru nebo ze vstupu)
  kvizmat-ucitel importovat DB [SOUBOR…]     zapíše do databáze výsledky z bloků, uložených e-mailů
                                             (.eml) a schránek (mbox); každý blok jen jednou
  kvizmat-ucitel opravneni DB ROLE [--ucitel]
                                             dá existující roli serveru PostgreSQL právě ta práva,
                                             která potřebuje program žáků (s --ucitel: okno
                                             a nástroj učitele); co měla dřív, jí odebere
  kvizmat-ucitel napoveda (-h, --help)       vypíše tuto nápovědu

DB je cesta k souboru SQLite, nebo adresa serveru PostgreSQL
postgresql://uživatel:heslo@počítač:port/databáze. DATUM je RRRR-MM-DD nebo D.M.RRRR.

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

// The options after DB (and the pupil for historie): --trida T, --od DATUM, --do DATUM, --csv.
struct ResultOptions {
    std::optional<QString> className;
    ClassResults::Period period;
    bool csv = false;
};

bool parseResultOptions(const QStringList& args, bool classAllowed, ResultOptions& options, QString& problem)
{
    QDate from, to;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QStringLiteral("--csv")) {
            options.csv = true;
            continue;
        }
        const bool takesValue = (a == QStringLiteral("--trida") && classAllowed) || a == QStringLiteral("--od") ||
                                a == QStringLiteral("--do");
        if (!takesValue || i + 1 >= args.size()) {
            problem = takesValue ? QStringLiteral("Volbě %1 chybí hodnota.").arg(a)
                                 : QStringLiteral("Neznámá volba „%1“.").arg(printableText(a));
            return false;
        }
        const QString value = args.at(++i);
        if (a == QStringLiteral("--trida")) {
            options.className = value;
            continue;
        }
        const QDate day = ClassResults::parseDate(value);
        if (!day.isValid()) {
            problem =
                QStringLiteral("Datum „%1“ není platné; pište RRRR-MM-DD nebo D.M.RRRR.").arg(printableText(value));
            return false;
        }
        (a == QStringLiteral("--od") ? from : to) = day;
    }
    if (from.isValid() || to.isValid())
        options.period = ClassResults::Period::of(ClassResults::Period::Kind::Chosen, QDate(),
                                                  from.isValid() ? from : ClassResults::Period::earliest(),
                                                  to.isValid() ? to : ClassResults::Period::latest());
    return true;
}

// The CSV goes out as bytes, exactly as the teacher's window saves it.
void writeBytes(const QByteArray& bytes)
{
    out.flush();
    QFile file;
    if (file.open(stdout, QIODevice::WriteOnly))
        file.write(bytes);
}

QString percent(bool has, double value)
{
    return has ? QLocale().toString(value, 'f', 2) + QStringLiteral(" %") : QStringLiteral("–");
}

int vysledky(const QString& argument, const ResultOptions& options)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    DatabaseConnection connection(config);
    QList<ClassResults::Pupil> pupils;
    if (!connection.open() || !ClassResults::loadPupils(connection, pupils, options.period, options.className))
        return failed(QStringLiteral("Výsledky nelze přečíst: %1").arg(connection.failure()));
    if (options.csv) {
        writeBytes(ClassResults::pupilsCsv(pupils, options.period));
        return Ok;
    }
    if (pupils.isEmpty()) {
        out << (options.className ? QStringLiteral("Třída „%1“ nemá v databázi žádné žáky ani výsledky.\n")
                                        .arg(printableText(*options.className))
                                  : QStringLiteral("V databázi nejsou žádní žáci ani výsledky.\n"));
        return Ok;
    }
    if (options.period.limited())
        out << QStringLiteral("Období: %1\n\n").arg(options.period.name());
    for (qsizetype i = 0; i < pupils.size();) {
        const QString className = pupils.at(i).className;
        qsizetype end = i;
        int width = QStringLiteral("Příjmení").size();
        while (end < pupils.size() && pupils.at(end).className == className)
            width = qMax(width, int(printableText(pupils.at(end++).surname).size()));
        if (i > 0)
            out << "\n";
        out << QStringLiteral("Třída %1\n").arg(printableText(ClassResults::shownClass(className)));
        out << "  " << QStringLiteral("Příjmení").leftJustified(width)
            << QStringLiteral("  Běhů   Dobře  Špatně  Úspěšnost\n");
        for (; i < end; ++i) {
            const ClassResults::Pupil& p = pupils.at(i);
            out << "  " << printableText(p.surname).leftJustified(width)
                << QStringLiteral("  %1  %2  %3  %4")
                       .arg(p.runs, 4)
                       .arg(p.right, 6)
                       .arg(p.wrong, 6)
                       .arg(percent(p.hasSuccess(), p.success()), 9)
                << (p.listed ? QString() : QStringLiteral("  ") + ClassResults::notListedText()) << "\n";
        }
    }
    return Ok;
}

int historie(const QString& argument, const QString& surname, const QString& className, const ResultOptions& options)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    DatabaseConnection connection(config);
    QList<ClassResults::Run> runs;
    if (!connection.open() || !ClassResults::loadHistory(connection, surname, className, runs, options.period))
        return failed(QStringLiteral("Historii nelze přečíst: %1").arg(connection.failure()));
    if (options.csv) {
        writeBytes(ClassResults::historyCsv(surname, className, runs, options.period));
        return Ok;
    }
    out << QStringLiteral("%1, třída %2, %3: běhů %4\n")
               .arg(printableText(surname), printableText(ClassResults::shownClass(className)), options.period.name())
               .arg(runs.size());
    for (const ClassResults::Run& r : runs)
        out << QStringLiteral("  %1  %2–%3  dobře %4  špatně %5  %6  %7\n")
                   .arg(r.date.toString(QStringLiteral("dd.MM.yyyy")), r.start.toString(QStringLiteral("hh:mm")),
                        r.end.toString(QStringLiteral("hh:mm")))
                   .arg(r.right, 3)
                   .arg(r.wrong, 3)
                   .arg(percent(r.hasSuccess(), r.success()), 9)
                   .arg(r.byMail() ? QStringLiteral("e-mailem") : QStringLiteral("ve škole"));
    return Ok;
}

// One pupil under one name: the runs and the class list's entry moved, merged when the target exists.
int prejmenovat(const QStringList& args)
{
    QString problem;
    const StoreConfig config = databaseArgument(args.at(0), problem);
    if (!problem.isEmpty())
        return failed(problem);
    DatabaseConnection connection(config);
    if (!connection.open())
        return failed(QStringLiteral("Nelze přejmenovat: %1").arg(connection.failure()));
    const PupilRenaming::Outcome o =
        PupilRenaming::renamePupil(connection, {args.at(1), args.at(2)}, {args.at(3), args.at(4)});
    if (!o.ok)
        return failed(QStringLiteral("Nelze přejmenovat: %1").arg(connection.failure()));
    out << QStringLiteral("Změna č. %1: %2; přesunuto běhů: %3. Vrátit ji lze příkazem vratit.\n")
               .arg(o.number)
               .arg(printableText(o.description))
               .arg(o.runs);
    return Ok;
}

int vratit(const QString& argument, qint64 number)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    DatabaseConnection connection(config);
    if (!connection.open())
        return failed(QStringLiteral("Změnu nelze vrátit: %1").arg(connection.failure()));
    const PupilRenaming::Outcome o = PupilRenaming::undo(connection, number);
    if (!o.ok)
        return failed(QStringLiteral("Změnu nelze vrátit: %1").arg(connection.failure()));
    out << QStringLiteral("Vrácena změna č. %1: %2; vráceno běhů: %3.\n")
               .arg(o.number)
               .arg(printableText(o.description))
               .arg(o.runs);
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
    if (command == QStringLiteral("vysledky") || command == QStringLiteral("historie")) {
        const bool history = command == QStringLiteral("historie");
        const qsizetype fixed = history ? 3 : 1;
        const QString form = history ? QStringLiteral("historie DB PRIJMENI TRIDA [--od DATUM] [--do DATUM] [--csv]")
                                     : QStringLiteral("vysledky DB [--trida T] [--od DATUM] [--do DATUM] [--csv]");
        ResultOptions options;
        QString problem;
        if (rest.size() < fixed || rest.at(0).startsWith(QStringLiteral("--")))
            return usage(QStringLiteral("Příkaz %1 má tvar: %2.").arg(command, form));
        if (!parseResultOptions(rest.mid(fixed), !history, options, problem))
            return usage(problem + QStringLiteral(" Příkaz %1 má tvar: %2.").arg(command, form));
        return history ? historie(rest.at(0), rest.at(1), rest.at(2), options) : vysledky(rest.at(0), options);
    }
    if (command == QStringLiteral("prejmenovat")) {
        if (rest.size() != 5)
            return usage(QStringLiteral("Příkaz prejmenovat má tvar: prejmenovat DB PRIJMENI TRIDA NOVE_PRIJMENI "
                                        "NOVA_TRIDA."));
        return prejmenovat(rest);
    }
    if (command == QStringLiteral("vratit")) {
        bool isNumber = rest.size() == 2;
        const qint64 number = isNumber ? rest.at(1).toLongLong(&isNumber) : 0;
        if (rest.isEmpty() || rest.size() > 2 || (rest.size() == 2 && (!isNumber || number <= 0)))
            return usage(QStringLiteral("Příkaz vratit má tvar: vratit DB [ČÍSLO_ZMĚNY]."));
        return vratit(rest.at(0), number);
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
