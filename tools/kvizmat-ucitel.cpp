// kvizmat-ucitel: the teacher's side of Kvizmat. Creates a school database, fills in the pupils,
// prints the results, and decodes or imports the blocks pupils send by e-mail.

#include "core/report.h"
#include "core/reportdecoder.h"
#include "pupilcsv.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"
#include "store/storeconfig.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTextStream>

#include <cstdio>

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
  kvizmat-ucitel importovat DB [SOUBOR]      dekóduje blok a zapíše výsledky do databáze (jen jednou)
  kvizmat-ucitel napoveda                    vypíše tuto nápovědu

DB je cesta k souboru SQLite, nebo adresa serveru PostgreSQL
postgresql://uživatel:heslo@počítač:port/databáze.

Návratový kód: 0 úspěch, 1 chyba (vypíše se důvod), 2 chybné použití.
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

// Larger than any pupil list or e-mailed block; keeps an endless input (a device, a wrong file)
// from filling the memory.
constexpr qint64 maxInputBytes = 4 * 1024 * 1024;

// The input as UTF-8 text. Notepad saves "Unicode" files as UTF-16, with or without the byte
// order mark; such a file is read too.
bool toUtf8(QByteArray& content, const QString& shown, QString& problem)
{
    const bool markLE = content.startsWith("\xFF\xFE");
    const bool markBE = content.startsWith("\xFE\xFF");
    const bool bareLE = !markLE && !markBE && content.size() >= 2 && content.at(0) != 0 && content.at(1) == 0;
    const bool bareBE = !markLE && !markBE && content.size() >= 2 && content.at(0) == 0 && content.at(1) != 0;
    if (!markLE && !markBE && !bareLE && !bareBE)
        return true;
    QStringDecoder decoder(markLE || bareLE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(markLE || markBE ? content.mid(2) : content);
    if (decoder.hasError() || content.size() % 2 != 0) {
        problem =
            QStringLiteral("%1 je v kódování UTF-16, ale je poškozený; uložte ho znovu jako text UTF-8.").arg(shown);
        return false;
    }
    content = text.toUtf8();
    return true;
}

bool readInput(const QString& file, QByteArray& content, QString& problem)
{
    QFile input;
    const bool fromStdin = file.isEmpty() || file == QStringLiteral("-");
    const QString shown =
        fromStdin ? QStringLiteral("Standardní vstup") : QStringLiteral("Soubor „%1“").arg(printableText(file));
    if (fromStdin) {
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            problem = QStringLiteral("Standardní vstup nelze číst.");
            return false;
        }
    } else {
        input.setFileName(file);
        if (!input.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("%1 nelze otevřít: %2").arg(shown, input.errorString());
            return false;
        }
    }
    content.clear();
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = input.read(chunk.data(), chunk.size());
        if (n < 0) {
            problem = QStringLiteral("%1 nelze přečíst: %2").arg(shown, input.errorString());
            return false;
        }
        if (n == 0)
            break;
        content.append(chunk.constData(), n);
        if (content.size() > maxInputBytes) {
            problem = QStringLiteral("%1 je větší než %2 MB; tak velký seznam žáků ani blok s výsledky není, "
                                     "nic jsem nezpracoval.")
                          .arg(shown)
                          .arg(maxInputBytes / (1024 * 1024));
            return false;
        }
    }
    return toUtf8(content, shown, problem);
}

bool decodeInput(const QString& file, ReportDecoder::Result& decoded, QString& problem)
{
    QByteArray content;
    if (!readInput(file, content, problem))
        return false;
    decoded = ReportDecoder::decodeBlock(QString::fromUtf8(content));
    if (!decoded.ok) {
        problem = QStringLiteral("Blok nelze dekódovat: %1").arg(decoded.error);
        return false;
    }
    return true;
}

// The unique-key violation of a racing import that stored the same block first.
bool isDuplicateKey(const QSqlError& error, bool postgres)
{
    constexpr int sqliteConstraint = 19;
    const QString code = error.nativeErrorCode();
    return postgres ? code == QStringLiteral("23505") : (code.toInt() & 0xff) == sqliteConstraint;
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
        for (QString f = folder; !QFileInfo::exists(f); f = QFileInfo(f).absolutePath())
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
    if (!readInput(csvFile, content, problem))
        return failed(problem);
    const PupilCsv csv = PupilCsv::parse(content);
    if (!csv.badLines.isEmpty()) {
        err << QStringLiteral("Soubor „%1“ má chybné řádky:\n").arg(csvFile);
        for (const QString& line : csv.badLines)
            err << "  " << line << "\n";
        err << "Nic jsem nezapsal; opravte soubor a spusťte příkaz znovu.\n";
        return Failed;
    }

    DatabaseConnection connection(config);
    if (!connection.open())
        return failed(QStringLiteral("Žáky nelze zapsat: %1").arg(connection.failure()));
    int added = 0;
    int known = 0;
    {
        if (!connection.beginWrite())
            return failed(QStringLiteral("Žáky nelze zapsat: %1").arg(connection.failure()));
        QSet<QPair<QString, QString>> present;
        QSqlQuery existing(connection.database());
        connection.prepare(existing, QStringLiteral("SELECT \"Prijmeni\", \"Trida\" FROM \"Zaci\""));
        bool ok = connection.exec(existing);
        while (ok && existing.next())
            present.insert({existing.value(0).toString(), existing.value(1).toString()});
        existing.finish();
        QSqlQuery insert(connection.database());
        connection.prepare(insert, QStringLiteral("INSERT INTO \"Zaci\" (\"Prijmeni\", \"Trida\") VALUES (?, ?)"));
        for (const PupilCsv::Pupil& pupil : csv.pupils) {
            if (!ok)
                break;
            if (present.contains({pupil.surname, pupil.className})) {
                ++known;
                continue;
            }
            insert.bindValue(0, pupil.surname);
            insert.bindValue(1, pupil.className);
            ok = connection.exec(insert);
            present.insert({pupil.surname, pupil.className});
            ++added;
        }
        if (!ok || !connection.commit()) {
            const QString failure = connection.failure();
            connection.rollback();
            return failed(QStringLiteral("Žáky nelze zapsat, nic jsem nezměnil: %1").arg(failure));
        }
    }
    out << QStringLiteral("Zapsáno žáků: %1").arg(added);
    if (known > 0)
        out << QStringLiteral(" (%1 už v databázi byli, ty jsem vynechal)").arg(known);
    out << ".\n";
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

// When the block was imported, or an empty text when it was not (yet).
QString importedAt(DatabaseConnection& connection, const QString& fingerprint, bool& ok)
{
    QSqlQuery seen(connection.database());
    connection.prepare(seen, QStringLiteral("SELECT \"Importovano\" FROM \"ImportovaneBloky\" WHERE \"Otisk\" = ?"));
    seen.addBindValue(fingerprint);
    ok = connection.exec(seen);
    return ok && seen.next() ? seen.value(0).toString() : QString();
}

int importovat(const QString& argument, const QString& file)
{
    QString problem;
    const StoreConfig config = databaseArgument(argument, problem);
    if (!problem.isEmpty())
        return failed(problem);
    ReportDecoder::Result decoded;
    if (!decodeInput(file, decoded, problem))
        return failed(problem);
    const ReportContents& report = decoded.report;
    const QString fingerprint =
        QString::fromLatin1(QCryptographicHash::hash(decoded.payload, QCryptographicHash::Sha256).toHex());

    DatabaseConnection connection(config);
    if (!connection.open() || !SchoolSchema::ensureImportTable(connection) || !connection.beginWrite())
        return failed(QStringLiteral("Výsledky nelze zapsat: %1").arg(connection.failure()));
    bool ok = false;
    bool racedAway = false;
    QString when = importedAt(connection, fingerprint, ok);
    if (ok && when.isEmpty()) {
        // The fingerprint first: an import of the same block running at the same time stops at its key.
        QSqlQuery remember(connection.database());
        connection.prepare(
            remember, QStringLiteral("INSERT INTO \"ImportovaneBloky\" (\"Otisk\", \"Importovano\") VALUES (?, ?)"));
        remember.addBindValue(fingerprint);
        remember.addBindValue(QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm")));
        ok = connection.exec(remember);
        racedAway = !ok && isDuplicateKey(remember.lastError(), connection.isPostgres());
        QSqlQuery insert(connection.database());
        connection.prepare(insert,
                           QStringLiteral("INSERT INTO \"Prehled\" (\"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", "
                                          "\"CasStrt\", \"CasEnd\", \"Datum\", \"Prihlasenjako\", \"TypZkous\") "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.addBindValue(report.pupilName);
        insert.addBindValue(report.pupilClass);
        insert.addBindValue(report.examplesRight);
        insert.addBindValue(report.examplesWrong);
        insert.addBindValue(connection.timeValue(report.from.time()));
        insert.addBindValue(connection.timeValue(report.to.time()));
        insert.addBindValue(connection.dateValue(report.to.date()));
        insert.addBindValue(QStringLiteral("e-mail"));
        insert.addBindValue(3);
        ok = ok && connection.exec(insert);
    }
    if (racedAway) {
        connection.rollback();
        when = importedAt(connection, fingerprint, ok);
    } else if (!ok || !connection.commit()) {
        const QString failure = connection.failure();
        connection.rollback();
        return failed(QStringLiteral("Výsledky nelze zapsat, nic jsem nezměnil: %1").arg(failure));
    }
    if (racedAway || !when.isEmpty()) {
        out << QStringLiteral("Tento blok už byl importován (%1); podruhé ho nezapisuji.\n")
                   .arg(when.isEmpty() ? QStringLiteral("právě teď") : when);
        return Ok;
    }
    out << QStringLiteral("Zapsáno: %1, třída %2, dobře %3, špatně %4 (%5 – %6).\n")
               .arg(printableText(report.pupilName), printableText(report.pupilClass))
               .arg(report.examplesRight)
               .arg(report.examplesWrong)
               .arg(report.from.toString(QStringLiteral("dd.MM.yyyy hh:mm")),
                    report.to.toString(QStringLiteral("hh:mm")));
    return Ok;
}

int run(const QStringList& args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("Chybí příkaz."));
    const QString command = args.first();
    const QStringList rest = args.mid(1);
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
    if (command == QStringLiteral("dekodovat")) {
        if (rest.size() > 1)
            return usage(QStringLiteral("Příkaz dekodovat bere nejvýš jeden argument: SOUBOR."));
        return dekodovat(rest.value(0));
    }
    if (command == QStringLiteral("importovat")) {
        if (rest.isEmpty() || rest.size() > 2)
            return usage(QStringLiteral("Příkaz importovat má tvar: importovat DB [SOUBOR]."));
        return importovat(rest.at(0), rest.value(1));
    }
    return usage(QStringLiteral("Neznámý příkaz „%1“.").arg(command));
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
