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
    if (!ensureImportTable(connection) || !connection.exec(statements.constFirst())) {
        connection.rollback();
        return false;
    }
    return connection.commit();
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
