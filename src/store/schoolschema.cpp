#include "store/schoolschema.h"

#include "store/classresults.h"
#include "store/databaseconnection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace SchoolSchema {

bool tableExists(DatabaseConnection& connection, const QString& table, bool* checked)
{
    QSqlQuery query(connection.database());
    if (connection.isPostgres())
        connection.prepare(query, QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = "
                                                 "current_schema() AND table_name = ?"));
    else
        connection.prepare(query, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.addBindValue(table);
    const bool ran = connection.exec(query);
    if (checked)
        *checked = ran;
    return ran && query.next();
}

bool create(DatabaseConnection& connection, bool withTotalsIndex)
{
    for (const QString& table : {QStringLiteral("Zaci"), QStringLiteral("Prehled")}) {
        bool checked = false;
        const bool exists = tableExists(connection, table, &checked);
        if (!checked)
            return false;
        if (exists)
            return connection.setFailure(QStringLiteral("Databáze %1 už obsahuje tabulku „%2“; nic neměním.")
                                             .arg(connection.config().describe(), table));
    }
    const bool pg = connection.isPostgres();
    const QString text = pg ? QStringLiteral("text") : QStringLiteral("TEXT");
    const QString time = pg ? QStringLiteral("time(0)") : QStringLiteral("TEXT");
    const QString date = pg ? QStringLiteral("date") : QStringLiteral("TEXT");
    const QString int32 = pg ? QStringLiteral("integer") : QStringLiteral("INTEGER");
    const QString int16 = pg ? QStringLiteral("smallint") : QStringLiteral("INTEGER");
    QStringList statements = {
        QStringLiteral("CREATE TABLE \"Zaci\" (\"Prijmeni\" %1, \"Trida\" %1)").arg(text),
        QStringLiteral("CREATE TABLE \"Prehled\" (\"Prijmeni\" %1, \"Trida\" %1, \"Spravne\" %2, \"Chybne\" %2, "
                       "\"CasStrt\" %3, \"CasEnd\" %3, \"Datum\" %4, \"Prihlasenjako\" %1, \"TypZkous\" %5)")
            .arg(text, int32, time, date, int16),
    };
    if (withTotalsIndex)
        statements << QStringLiteral("CREATE INDEX \"%1\" ON \"Prehled\" (\"Prijmeni\", \"TypZkous\")")
                          .arg(QLatin1String(totalsIndex));
    statements << ClassResults::indexStatements();
    if (!connection.beginWrite())
        return false;
    for (const QString& statement : statements) {
        if (!connection.exec(statement)) {
            connection.rollback();
            return false;
        }
    }
    // One fingerprint per stored run (drawn by the pupil's program), so that a run is stored once
    // even when the confirmation of its commit was lost and the program tries again.
    statements.clear();
    statements
        << QStringLiteral("CREATE TABLE \"ZapsaneBehy\" (\"Otisk\" %1 PRIMARY KEY, \"Datum\" %2)").arg(text, date);
    if (!ensureImportTable(connection) || !connection.exec(statements.constFirst()) ||
        !ensureTotalsFunction(connection)) {
        connection.rollback();
        return false;
    }
    return connection.commit();
}

namespace {

// The current schema as a quoted identifier, quoted by the server itself.
bool quotedSchema(DatabaseConnection& connection, QString& schema)
{
    QSqlQuery query(connection.database());
    connection.prepare(query, QStringLiteral("SELECT quote_ident(current_schema())"));
    if (!connection.exec(query))
        return false;
    if (!query.next() || query.value(0).isNull())
        return connection.setFailure(QStringLiteral("Databáze %1 nemá v cestě hledání (search_path) žádné schéma.")
                                         .arg(connection.config().describe()));
    schema = query.value(0).toString();
    return true;
}

} // namespace

bool findTotalsFunction(DatabaseConnection& connection, bool& exists)
{
    exists = false;
    if (!connection.isPostgres())
        return true;
    // A role granted rights before the function existed reads Prehled as it did then.
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    connection.prepare(query, QStringLiteral("SELECT has_function_privilege(p.oid, 'EXECUTE') FROM pg_proc p JOIN "
                                             "pg_namespace n ON n.oid = p.pronamespace WHERE n.nspname = "
                                             "current_schema() AND p.proname = ?"));
    query.addBindValue(QString::fromLatin1(totalsFunction));
    if (!connection.exec(query))
        return false;
    exists = query.next() && query.value(0).toBool();
    return true;
}

bool ensureTotalsFunction(DatabaseConnection& connection)
{
    if (!connection.isPostgres())
        return true;
    QSqlQuery query(connection.database());
    connection.prepare(query, QStringLiteral("SELECT 1 FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
                                             "WHERE n.nspname = current_schema() AND p.proname = ?"));
    query.addBindValue(QString::fromLatin1(totalsFunction));
    if (!connection.exec(query))
        return false;
    if (query.next())
        return true;
    QString schema;
    if (!quotedSchema(connection, schema))
        return false;
    // Runs with its owner's rights on a fixed search path, so that a caller can neither read more
    // than these two sums nor slip in tables of its own.
    const QString function = QStringLiteral("%1.\"%2\"").arg(schema, QLatin1String(totalsFunction));
    return connection.exec(
               QStringLiteral(
                   "CREATE FUNCTION %1(prijmeni text) RETURNS TABLE (spravne bigint, chybne bigint) LANGUAGE sql "
                   "STABLE SECURITY DEFINER SET search_path = %2, pg_temp AS $kvizmat$ "
                   "SELECT COALESCE(SUM(COALESCE(\"Spravne\", 0)), 0)::bigint, "
                   "COALESCE(SUM(COALESCE(\"Chybne\", 0)), 0)::bigint FROM %2.\"Prehled\" "
                   "WHERE \"Prijmeni\" = %3.prijmeni AND \"TypZkous\" = %4 $kvizmat$")
                   .arg(function, schema, QLatin1String(totalsFunction), QString::number(complexNumbersTest))) &&
           connection.exec(QStringLiteral("REVOKE ALL ON FUNCTION %1(text) FROM PUBLIC").arg(function));
}

bool readTotals(DatabaseConnection& connection, const QString& surname, bool throughFunction, qint64& right,
                qint64& wrong)
{
    QSqlQuery totals(connection.database());
    totals.setForwardOnly(true);
    if (throughFunction) {
        connection.prepare(totals,
                           QStringLiteral("SELECT spravne, chybne FROM \"%1\"(?)").arg(QLatin1String(totalsFunction)));
        totals.addBindValue(surname);
    } else {
        connection.prepare(totals, QStringLiteral("SELECT COALESCE(SUM(COALESCE(\"Spravne\", 0)), 0), "
                                                  "COALESCE(SUM(COALESCE(\"Chybne\", 0)), 0) FROM \"Prehled\" "
                                                  "WHERE \"Prijmeni\" = ? AND \"TypZkous\" = ?"));
        totals.addBindValue(surname);
        totals.addBindValue(complexNumbersTest);
    }
    if (!connection.exec(totals))
        return false;
    if (!totals.next())
        return connection.setFailure(connection.describe(totals.lastError()));
    right = totals.value(0).toLongLong();
    wrong = totals.value(1).toLongLong();
    totals.finish();
    return true;
}

bool findStoredRun(DatabaseConnection& connection, const QString& fingerprint, bool& kept, bool& found)
{
    kept = found = false;
    // Outside the transaction: on PostgreSQL a missing table would spoil it.
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    connection.prepare(query, QStringLiteral("SELECT 1 FROM \"ZapsaneBehy\" WHERE \"Otisk\" = ?"));
    query.addBindValue(fingerprint);
    if (connection.exec(query)) {
        kept = true;
        found = query.next();
        return true;
    }
    const QString code = query.lastError().nativeErrorCode();
    if (connection.isPostgres() ? code == QStringLiteral("42P01") || code == QStringLiteral("42501")
                                : (code.toInt() & 0xff) == 1) // no such table
        return true;
    return false;
}

bool rememberStoredRun(DatabaseConnection& connection, const QString& fingerprint, const QDate& date)
{
    QSqlQuery insert(connection.database());
    connection.prepare(insert, QStringLiteral("INSERT INTO \"ZapsaneBehy\" (\"Otisk\", \"Datum\") VALUES (?, ?)"));
    insert.addBindValue(fingerprint);
    insert.addBindValue(connection.dateValue(date));
    return connection.exec(insert);
}

bool prepareAppendRun(DatabaseConnection& connection, QSqlQuery& insert)
{
    return connection.prepare(
        insert, QStringLiteral("INSERT INTO \"Prehled\" (\"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", "
                               "\"CasStrt\", \"CasEnd\", \"Datum\", \"Prihlasenjako\", \"TypZkous\") "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
}

bool appendRun(DatabaseConnection& connection, QSqlQuery& insert, const PrehledRow& row)
{
    insert.bindValue(0, row.surname);
    insert.bindValue(1, row.className);
    insert.bindValue(2, row.right);
    insert.bindValue(3, row.wrong);
    insert.bindValue(4, connection.timeValue(row.start));
    insert.bindValue(5, connection.timeValue(row.end));
    insert.bindValue(6, connection.dateValue(row.date));
    insert.bindValue(7, row.signedInAs);
    insert.bindValue(8, complexNumbersTest);
    return connection.exec(insert);
}

bool appendRun(DatabaseConnection& connection, const PrehledRow& row)
{
    QSqlQuery insert(connection.database());
    prepareAppendRun(connection, insert);
    return appendRun(connection, insert, row);
}

bool ensureImportTable(DatabaseConnection& connection)
{
    // Looked up first: PostgreSQL answers CREATE TABLE IF NOT EXISTS with a notice on every import.
    const QString table = QStringLiteral("ImportovaneBloky");
    bool checked = false;
    if (tableExists(connection, table, &checked))
        return true;
    if (!checked)
        return false;
    if (connection.exec(
            QStringLiteral("CREATE TABLE \"ImportovaneBloky\" (\"Otisk\" %1 PRIMARY KEY, \"Importovano\" %1)")
                .arg(connection.isPostgres() ? QStringLiteral("text") : QStringLiteral("TEXT"))))
        return true;
    // An import running at the same time may have created it in between.
    return tableExists(connection, table);
}

} // namespace SchoolSchema
