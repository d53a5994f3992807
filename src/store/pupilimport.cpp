#include "store/pupilimport.h"

#include "store/databaseconnection.h"

#include <QSet>
#include <QSqlQuery>
#include <QStringDecoder>

#include <algorithm>

namespace PupilImport {

namespace {

// Splits one line at ";" outside double quotes; "" inside quotes is one quote. False when a quote
// is left open.
bool splitFields(const QString& line, QStringList& fields)
{
    fields.clear();
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty() && !wasQuoted) {
            field.clear();
            quoted = true;
            wasQuoted = true;
        } else if (c == QLatin1Char(';')) {
            fields << (wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
        } else if (wasQuoted && !c.isSpace()) {
            return false;
        } else {
            field += c;
        }
    }
    if (quoted)
        return false;
    fields << (wasQuoted ? field : field.trimmed());
    return true;
}

bool isHeader(const QStringList& fields)
{
    if (fields.size() != 2)
        return false;
    const QString first = fields.at(0).toLower();
    const QString second = fields.at(1).toLower();
    return (first == QStringLiteral("prijmeni") || first == QStringLiteral("příjmení")) &&
           (second == QStringLiteral("trida") || second == QStringLiteral("třída"));
}

} // namespace

Parsed parse(const QByteArray& content)
{
    Parsed result;
    QByteArray data = content;
    // With a byte-order mark the file says it is UTF-8; without one, a file that is not valid UTF-8
    // throughout comes from a Czech spreadsheet's plain "CSV", in Windows-1250.
    const bool marked = data.startsWith("\xEF\xBB\xBF");
    if (marked)
        data.remove(0, 3);
    bool windows1250 = false;
    if (!marked) {
        QStringDecoder whole(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = whole.decode(data);
        windows1250 = whole.hasError();
    }
    result.encoding = windows1250 ? QStringLiteral("Windows-1250") : QStringLiteral("UTF-8");
    const QList<QByteArray> lines = data.split('\n');
    bool firstContentLine = true;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray raw = lines.at(n);
        if (raw.endsWith('\r'))
            raw.chop(1);
        const int number = int(n + 1);
        QStringDecoder decoder = windows1250
                                     ? QStringDecoder("windows-1250", QStringConverter::Flag::Stateless)
                                     : QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString line = decoder.decode(raw);
        if (decoder.hasError() || (windows1250 && line.contains(QChar::ReplacementCharacter))) {
            result.badLines << (windows1250 ? QStringLiteral("řádek %1: obsahuje bajt, který v kódování Windows-1250 "
                                                             "není znakem")
                                                  .arg(number)
                                            : QStringLiteral("řádek %1: není v kódování UTF-8 (uložte soubor jako "
                                                             "CSV UTF-8)")
                                                  .arg(number));
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        QStringList fields;
        if (!splitFields(line, fields)) {
            result.badLines << QStringLiteral("řádek %1: neuzavřené nebo špatně umístěné uvozovky").arg(number);
            continue;
        }
        const bool header = firstContentLine && isHeader(fields);
        firstContentLine = false;
        if (header)
            continue;
        if (fields.size() < 2) {
            result.badLines << QStringLiteral("řádek %1: chybí středník mezi příjmením a třídou").arg(number);
            continue;
        }
        if (fields.size() > 2) {
            result.badLines << QStringLiteral("řádek %1: víc než dvě pole (příjmení se středníkem dejte do "
                                              "uvozovek)")
                                   .arg(number);
            continue;
        }
        const auto isControl = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; };
        if (std::any_of(fields.at(0).cbegin(), fields.at(0).cend(), isControl) ||
            std::any_of(fields.at(1).cbegin(), fields.at(1).cend(), isControl)) {
            // A NUL cannot be stored on a server at all; no other control belongs in a name either.
            result.badLines
                << QStringLiteral("řádek %1: obsahuje řídicí znak (například NUL nebo tabulátor) v příjmení nebo třídě")
                       .arg(number);
            continue;
        }
        if (fields.at(0).isEmpty()) {
            result.badLines << QStringLiteral("řádek %1: chybí příjmení").arg(number);
            continue;
        }
        if (fields.at(1).isEmpty()) {
            result.badLines << QStringLiteral("řádek %1: chybí třída").arg(number);
            continue;
        }
        result.pupils.append({fields.at(0), fields.at(1)});
    }
    return result;
}

Outcome importCsv(DatabaseConnection& connection, const QByteArray& content)
{
    const Parsed csv = parse(content);
    if (!csv.badLines.isEmpty()) {
        Outcome outcome;
        outcome.badLines = csv.badLines;
        return outcome;
    }
    return write(connection, csv.pupils);
}

Outcome write(DatabaseConnection& connection, const QList<Pupil>& pupils)
{
    Outcome outcome;
    if (!connection.beginWrite()) {
        outcome.failure = connection.failure();
        return outcome;
    }
    bool ok = false;
    {
        QSet<QPair<QString, QString>> present;
        QSqlQuery existing(connection.database());
        connection.prepare(existing, QStringLiteral("SELECT \"Prijmeni\", \"Trida\" FROM \"Zaci\""));
        ok = connection.exec(existing);
        while (ok && existing.next())
            present.insert({existing.value(0).toString(), existing.value(1).toString()});
        existing.finish();
        QSqlQuery insert(connection.database());
        connection.prepare(insert, QStringLiteral("INSERT INTO \"Zaci\" (\"Prijmeni\", \"Trida\") VALUES (?, ?)"));
        for (const Pupil& pupil : pupils) {
            if (!ok)
                break;
            if (present.contains({pupil.surname, pupil.className})) {
                ++outcome.known;
                continue;
            }
            insert.bindValue(0, pupil.surname);
            insert.bindValue(1, pupil.className);
            ok = connection.exec(insert);
            present.insert({pupil.surname, pupil.className});
            ++outcome.added;
        }
    }
    if (!ok || !connection.commit()) {
        outcome.failure = connection.failure();
        outcome.added = outcome.known = 0;
        connection.rollback();
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

QString badLinesSummary(const QStringList& badLines, int shown)
{
    QStringList text = badLines.mid(0, shown);
    if (badLines.size() > shown)
        text << QStringLiteral("a dalších %1").arg(badLines.size() - shown);
    return text.join(QLatin1Char('\n'));
}

QString summary(const Outcome& outcome)
{
    QString text = QStringLiteral("Zapsáno žáků: %1").arg(outcome.added);
    if (outcome.known > 0)
        text += QStringLiteral(" (%1 už v databázi byli, ty jsem vynechal)").arg(outcome.known);
    return text + QLatin1Char('.');
}

} // namespace PupilImport
