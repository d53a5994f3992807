#include "store/pupilrenaming.h"

#include "store/databaseconnection.h"
#include "store/schoolschema.h"

#include <QSet>
#include <QSqlQuery>

namespace PupilRenaming {

namespace {

// The fields of a run that tell it from the others of the same pupil.
const QString runFields =
    QStringLiteral("\"Spravne\", \"Chybne\", \"CasStrt\", \"CasEnd\", \"Datum\", \"Prihlasenjako\"");
constexpr int runFieldCount = 6;

bool ensureLog(DatabaseConnection& connection)
{
    const bool pg = connection.isPostgres();
    const QString text = pg ? QStringLiteral("text") : QStringLiteral("TEXT");
    const QString integer = pg ? QStringLiteral("bigint") : QStringLiteral("INTEGER");
    const QStringList statements = {
        QStringLiteral("CREATE TABLE \"Zmeny\" (\"Cislo\" %1 PRIMARY KEY, \"Kdy\" %2, \"Popis\" %2, \"Vracena\" %1)")
            .arg(integer, text),
        QStringLiteral("CREATE TABLE \"ZmenyRadky\" (\"Cislo\" %1, \"Tabulka\" %2, \"Prijmeni\" %2, \"Trida\" %2, "
                       "\"NovePrijmeni\" %2, \"NovaTrida\" %2, \"Spravne\" %3, \"Chybne\" %3, \"CasStrt\" %4, "
                       "\"CasEnd\" %4, \"Datum\" %5, \"Prihlasenjako\" %2)")
            .arg(integer, text, pg ? QStringLiteral("integer") : QStringLiteral("INTEGER"),
                 pg ? QStringLiteral("time(0)") : QStringLiteral("TEXT"),
                 pg ? QStringLiteral("date") : QStringLiteral("TEXT")),
    };
    const QStringList tables = {QStringLiteral("Zmeny"), QStringLiteral("ZmenyRadky")};
    for (int i = 0; i < 2; ++i) {
        bool checked = false;
        if (SchoolSchema::tableExists(connection, tables.at(i), &checked))
            continue;
        if (!checked || !connection.exec(statements.at(i)))
            return connection.setFailure(QStringLiteral("Záznam změn (tabulky Zmeny a ZmenyRadky) nelze založit, "
                                                        "proto nic neměním: %1")
                                             .arg(connection.failure()));
    }
    return true;
}

QString describe(const Name& n)
{
    return QStringLiteral("%1, třída %2")
        .arg(n.surname, n.className.isEmpty() ? QStringLiteral("(neuvedena)") : n.className);
}

// Moves one pupil inside the caller's transaction and logs every row moved under `number`.
bool movePupil(DatabaseConnection& connection, qint64 number, const Name& from, const Name& to, Outcome& outcome)
{
    QSqlQuery targetRuns(connection.database());
    if (!connection.run(
            targetRuns,
            QStringLiteral(
                "SELECT COUNT(*) FROM \"Prehled\" WHERE \"TypZkous\" = 3 AND \"Prijmeni\" = ? AND \"Trida\" = ?"),
            {to.surname, to.className}) ||
        !targetRuns.next())
        return false;
    outcome.merged = outcome.merged || targetRuns.value(0).toLongLong() > 0;
    targetRuns.finish();
    QSqlQuery moved(connection.database());
    if (!connection.run(
            moved,
            QStringLiteral("UPDATE \"Prehled\" SET \"Prijmeni\" = ?, \"Trida\" = ? WHERE \"TypZkous\" = 3 AND "
                           "\"Prijmeni\" = ? AND \"Trida\" = ? RETURNING %1")
                .arg(runFields),
            {to.surname, to.className, from.surname, from.className}))
        return false;
    QList<QVariantList> rows;
    while (moved.next()) {
        QVariantList row;
        for (int i = 0; i < runFieldCount; ++i)
            row << moved.value(i);
        rows << row;
    }
    moved.finish();
    QSqlQuery log(connection.database());
    if (!connection.prepare(log, QStringLiteral("INSERT INTO \"ZmenyRadky\" (\"Cislo\", \"Tabulka\", \"Prijmeni\", "
                                                "\"Trida\", \"NovePrijmeni\", \"NovaTrida\", %1) VALUES (?, 'Prehled', "
                                                "?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                     .arg(runFields)))
        return false;
    for (const QVariantList& row : std::as_const(rows)) {
        QVariantList values{number, from.surname, from.className, to.surname, to.className};
        values << row;
        for (int i = 0; i < values.size(); ++i)
            log.bindValue(i, values.at(i));
        if (!connection.exec(log))
            return false;
    }
    outcome.runs += int(rows.size());

    // The class list: the old entry goes when the new one is there (merged), else it is renamed.
    QSqlQuery target(connection.database());
    if (!connection.run(target,
                        QStringLiteral("SELECT COUNT(*) FROM \"Zaci\" WHERE \"Prijmeni\" = ? AND \"Trida\" = ?"),
                        {to.surname, to.className}) ||
        !target.next())
        return false;
    const bool targetListed = target.value(0).toLongLong() > 0;
    target.finish();
    QSqlQuery source(connection.database());
    if (!connection.run(source,
                        QStringLiteral("SELECT COUNT(*) FROM \"Zaci\" WHERE \"Prijmeni\" = ? AND \"Trida\" = ?"),
                        {from.surname, from.className}) ||
        !source.next())
        return false;
    const qint64 entries = source.value(0).toLongLong();
    source.finish();
    outcome.merged = outcome.merged || targetListed;
    outcome.listedMoved = outcome.listedMoved || entries > 0;
    if (entries > 0) {
        QSqlQuery change(connection.database());
        const bool ok =
            targetListed
                ? connection.run(change,
                                 QStringLiteral("DELETE FROM \"Zaci\" WHERE \"Prijmeni\" = ? AND \"Trida\" = ?"),
                                 {from.surname, from.className})
                : connection.run(
                      change,
                      QStringLiteral("UPDATE \"Zaci\" SET \"Prijmeni\" = ?, \"Trida\" = ? WHERE \"Prijmeni\" = ? "
                                     "AND \"Trida\" = ?"),
                      {to.surname, to.className, from.surname, from.className});
        if (!ok)
            return false;
        QSqlQuery entry(connection.database());
        // A removed entry keeps no new name.
        const QVariant newSurname = targetListed ? QVariant(QMetaType(QMetaType::QString)) : QVariant(to.surname);
        const QVariant newClass = targetListed ? QVariant(QMetaType(QMetaType::QString)) : QVariant(to.className);
        for (qint64 i = 0; i < entries; ++i)
            if (!connection.run(
                    entry,
                    QStringLiteral("INSERT INTO \"ZmenyRadky\" (\"Cislo\", \"Tabulka\", \"Prijmeni\", \"Trida\", "
                                   "\"NovePrijmeni\", \"NovaTrida\") VALUES (?, 'Zaci', ?, ?, ?, ?)"),
                    {number, from.surname, from.className, newSurname, newClass}))
                return false;
    }
    return true;
}

// Opens the change: the log tables, a write transaction and the next number.
bool begin(DatabaseConnection& connection, qint64& number)
{
    if (!ensureLog(connection) || !connection.beginWrite())
        return false;
    QSqlQuery next(connection.database());
    if (!connection.run(next, QStringLiteral("SELECT COALESCE(MAX(\"Cislo\"), 0) + 1 FROM \"Zmeny\"")) ||
        !next.next()) {
        connection.rollback();
        return false;
    }
    number = next.value(0).toLongLong();
    return true;
}

// Ends the change's transaction: committed when every step went well, else rolled back with the first
// failure kept.
Outcome committed(DatabaseConnection& connection, bool ok, qint64 number, Outcome outcome)
{
    if (!ok || !connection.commit()) {
        const QString failure = connection.failure();
        connection.rollback();
        connection.setFailure(failure);
        return Outcome();
    }
    outcome.ok = true;
    outcome.number = number;
    return outcome;
}

Outcome finish(DatabaseConnection& connection, bool ok, qint64 number, Outcome outcome)
{
    QSqlQuery entry(connection.database());
    if (ok)
        ok = connection.run(
            entry,
            QStringLiteral("INSERT INTO \"Zmeny\" (\"Cislo\", \"Kdy\", \"Popis\", \"Vracena\") VALUES (?, ?, ?, 0)"),
            {number, QDateTime::currentDateTime().toString(Qt::ISODate), outcome.description});
    entry.finish();
    return committed(connection, ok, number, outcome);
}

} // namespace

Outcome renamePupil(DatabaseConnection& connection, const Name& from, const Name& to)
{
    if (to.surname.trimmed().isEmpty()) {
        connection.setFailure(QStringLiteral("Nové příjmení je prázdné; nic neměním."));
        return Outcome();
    }
    if (from == to) {
        connection.setFailure(QStringLiteral("Nové jméno je stejné jako dosavadní; nic neměním."));
        return Outcome();
    }
    qint64 number = 0;
    if (!begin(connection, number))
        return Outcome();
    Outcome outcome;
    bool ok = movePupil(connection, number, from, to, outcome);
    if (ok && outcome.runs == 0 && !outcome.listedMoved)
        ok = connection.setFailure(
            QStringLiteral("Žák %1 nemá v databázi žádné běhy ani zápis v seznamu třídy; nic neměním.")
                .arg(describe(from)));
    outcome.description =
        QStringLiteral("%1 → %2%3")
            .arg(describe(from), describe(to), outcome.merged ? QStringLiteral(" (sloučeno)") : QString());
    return finish(connection, ok, number, outcome);
}

Outcome renameClass(DatabaseConnection& connection, const QString& from, const QString& to)
{
    if (from == to || to.trimmed().isEmpty()) {
        connection.setFailure(QStringLiteral("Nový název třídy je prázdný nebo stejný; nic neměním."));
        return Outcome();
    }
    qint64 number = 0;
    if (!begin(connection, number))
        return Outcome();
    QStringList surnames;
    bool ok = true;
    for (const QString& statement :
         {QStringLiteral("SELECT DISTINCT \"Prijmeni\" FROM \"Prehled\" WHERE \"TypZkous\" = 3 AND \"Trida\" = ?"),
          QStringLiteral("SELECT DISTINCT \"Prijmeni\" FROM \"Zaci\" WHERE \"Trida\" = ?")}) {
        QSqlQuery query(connection.database());
        ok = ok && connection.run(query, statement, {from});
        while (ok && query.next())
            if (!surnames.contains(query.value(0).toString()))
                surnames << query.value(0).toString();
    }
    Outcome outcome;
    if (ok && surnames.isEmpty())
        ok = connection.setFailure(
            QStringLiteral("Třída %1 nemá v databázi žádné žáky ani běhy; nic neměním.").arg(from));
    for (const QString& surname : std::as_const(surnames))
        ok = ok && movePupil(connection, number, {surname, from}, {surname, to}, outcome);
    outcome.description =
        QStringLiteral("třída %1 → %2%3").arg(from, to, outcome.merged ? QStringLiteral(" (sloučeno)") : QString());
    return finish(connection, ok, number, outcome);
}

Outcome undo(DatabaseConnection& connection, qint64 number)
{
    bool checked = false;
    if (!SchoolSchema::tableExists(connection, QStringLiteral("Zmeny"), &checked)) {
        if (checked)
            connection.setFailure(QStringLiteral("V databázi není žádná změna, kterou by šlo vrátit."));
        return Outcome();
    }
    if (!connection.beginWrite())
        return Outcome();
    Outcome outcome;
    bool ok = true;
    {
        QSqlQuery change(connection.database());
        ok = number > 0
                 ? connection.run(
                       change,
                       QStringLiteral("SELECT \"Cislo\", \"Popis\", \"Vracena\" FROM \"Zmeny\" WHERE \"Cislo\" = ?"),
                       {number})
                 : connection.run(
                       change,
                       QStringLiteral("SELECT \"Cislo\", \"Popis\", \"Vracena\" FROM \"Zmeny\" WHERE \"Vracena\" = 0 "
                                      "ORDER BY \"Cislo\" DESC LIMIT 1"));
        if (ok && !change.next())
            ok = connection.setFailure(number > 0 ? QStringLiteral("Změna č. %1 neexistuje.").arg(number)
                                                  : QStringLiteral("Žádná změna k vrácení není."));
        else if (ok && change.value(2).toLongLong() != 0)
            ok = connection.setFailure(QStringLiteral("Změna č. %1 už byla vrácena.").arg(number));
        if (ok) {
            number = change.value(0).toLongLong();
            outcome.description = change.value(1).toString();
        }
    }
    QList<QVariantList> rows;
    if (ok) {
        QSqlQuery logged(connection.database());
        ok = connection.run(
            logged,
            QStringLiteral("SELECT \"Tabulka\", \"Prijmeni\", \"Trida\", \"NovePrijmeni\", \"NovaTrida\", %1 FROM "
                           "\"ZmenyRadky\" WHERE \"Cislo\" = ?")
                .arg(runFields),
            {number});
        while (ok && logged.next()) {
            QVariantList row;
            for (int i = 0; i < 5 + runFieldCount; ++i)
                row << logged.value(i);
            rows << row;
        }
    }
    const QString rowKey = connection.isPostgres() ? QStringLiteral("ctid") : QStringLiteral("rowid");
    for (const QVariantList& row : std::as_const(rows)) {
        if (!ok)
            break;
        QSqlQuery back(connection.database());
        const QString table = row.at(0).toString();
        if (table == QStringLiteral("Prehled")) {
            QVariantList values{row.at(1), row.at(2), row.at(3), row.at(4)};
            values << row.mid(5);
            ok = connection.run(
                back,
                QStringLiteral("UPDATE \"Prehled\" SET \"Prijmeni\" = ?, \"Trida\" = ? WHERE %1 = (SELECT %1 FROM "
                               "\"Prehled\" WHERE \"TypZkous\" = 3 AND \"Prijmeni\" = ? AND \"Trida\" = ? AND "
                               "\"Spravne\" IS NOT DISTINCT FROM ? AND \"Chybne\" IS NOT DISTINCT FROM ? AND "
                               "\"CasStrt\" IS NOT DISTINCT FROM ? AND \"CasEnd\" IS NOT DISTINCT FROM ? AND "
                               "\"Datum\" IS NOT DISTINCT FROM ? AND \"Prihlasenjako\" IS NOT DISTINCT FROM ? LIMIT 1)")
                    .arg(rowKey),
                values);
            ++outcome.runs;
        } else if (row.at(3).isNull()) {
            ok = connection.run(back, QStringLiteral("INSERT INTO \"Zaci\" (\"Prijmeni\", \"Trida\") VALUES (?, ?)"),
                                {row.at(1), row.at(2)});
        } else {
            ok = connection.run(
                back,
                QStringLiteral("UPDATE \"Zaci\" SET \"Prijmeni\" = ?, \"Trida\" = ? WHERE %1 = (SELECT %1 FROM "
                               "\"Zaci\" WHERE \"Prijmeni\" = ? AND \"Trida\" = ? LIMIT 1)")
                    .arg(rowKey),
                {row.at(1), row.at(2), row.at(3), row.at(4)});
        }
        if (ok && back.numRowsAffected() != 1 && !(table == QStringLiteral("Zaci") && row.at(3).isNull()))
            ok = connection.setFailure(QStringLiteral("Změnu č. %1 už nelze vrátit: některý z jejích řádků se mezitím "
                                                      "změnil. Nic jsem nezměnil.")
                                           .arg(number));
    }
    QSqlQuery mark(connection.database());
    if (ok)
        ok = connection.run(mark, QStringLiteral("UPDATE \"Zmeny\" SET \"Vracena\" = 1 WHERE \"Cislo\" = ?"), {number});
    mark.finish();
    return committed(connection, ok, number, outcome);
}

bool changes(DatabaseConnection& connection, QList<Change>& out)
{
    out.clear();
    bool checked = false;
    if (!SchoolSchema::tableExists(connection, QStringLiteral("Zmeny"), &checked))
        return checked;
    QSqlQuery query(connection.database());
    if (!connection.run(
            query,
            QStringLiteral("SELECT \"Cislo\", \"Kdy\", \"Popis\", \"Vracena\" FROM \"Zmeny\" ORDER BY \"Cislo\" DESC")))
        return false;
    while (query.next())
        out << Change{query.value(0).toLongLong(), QDateTime::fromString(query.value(1).toString(), Qt::ISODate),
                      query.value(2).toString(), query.value(3).toLongLong() != 0};
    return true;
}

} // namespace PupilRenaming
