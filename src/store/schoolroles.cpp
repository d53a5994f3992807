#include "store/schoolroles.h"

#include "store/classresults.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"

#include <QSqlQuery>
#include <QStringList>

namespace SchoolRoles {

namespace {

// One value of a query with bound values; an empty variant when no row came.
bool ask(DatabaseConnection& connection, const QString& statement, const QVariantList& values, QVariant& answer)
{
    QSqlQuery query(connection.database());
    if (!connection.run(query, statement, values))
        return false;
    answer = query.next() ? query.value(0) : QVariant();
    return true;
}

} // namespace

bool grant(DatabaseConnection& connection, const QString& role, Kind kind, QStringList* granted)
{
    if (!connection.isPostgres())
        return connection.setFailure(
            QStringLiteral("Oprávnění rolí zná jen databázový server PostgreSQL. K souboru SQLite „%1“ pouští žáky i "
                           "učitele práva souboru a jeho složky v operačním systému. Nic jsem nezměnil.")
                .arg(connection.config().describe()));
    // Names are quoted by the server itself; the role's name never enters a statement as it was typed.
    QVariant quotedRole;
    if (!ask(connection, QStringLiteral("SELECT quote_ident(rolname) FROM pg_roles WHERE rolname = ?"), {role},
             quotedRole))
        return false;
    if (quotedRole.isNull())
        return connection.setFailure(QStringLiteral("Role „%1“ na serveru neexistuje; založte ji nejdřív s jejím "
                                                    "heslem (CREATE ROLE … LOGIN PASSWORD …). Nic jsem nezměnil.")
                                         .arg(role));
    QVariant superuser;
    if (!ask(connection, QStringLiteral("SELECT rolsuper FROM pg_roles WHERE rolname = ?"), {role}, superuser))
        return false;
    if (kind == Kind::Pupils && superuser.toBool())
        return connection.setFailure(QStringLiteral("Role „%1“ je superuživatel a přečte každou tabulku; programu "
                                                    "žáků dejte roli bez těchto práv. Nic jsem nezměnil.")
                                         .arg(role));
    QVariant owner;
    if (!ask(connection,
             QStringLiteral("SELECT 1 FROM pg_tables WHERE schemaname = current_schema() AND tablename = 'Prehled' "
                            "AND tableowner = ?"),
             {role}, owner))
        return false;
    if (owner.isValid())
        return connection.setFailure(QStringLiteral("Role „%1“ tabulky školní databáze vlastní a smí s nimi všechno; "
                                                    "oprávnění dávám jen jiným rolím. Nic jsem nezměnil.")
                                         .arg(role));
    QVariant schemaValue;
    if (!ask(connection, QStringLiteral("SELECT quote_ident(current_schema())"), {}, schemaValue))
        return false;
    const QString who = quotedRole.toString();
    const QString schema = schemaValue.toString();
    const QString function = QStringLiteral("%1.\"%2\"(text)").arg(schema, QLatin1String(SchoolSchema::totalsFunction));

    if (!connection.beginWrite())
        return false;
    QStringList statements;
    QStringList said;
    bool ok = SchoolSchema::ensureTotalsFunction(connection) &&
              (kind == Kind::Pupils || SchoolSchema::ensureImportTable(connection));
    QVariant usage;
    ok = ok &&
         ask(connection, QStringLiteral("SELECT has_schema_privilege(?, current_schema(), 'USAGE')"), {role}, usage);
    if (ok && !usage.toBool())
        statements << QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, who);
    const QStringList tables = {QStringLiteral("Zaci"), QStringLiteral("Prehled"), QStringLiteral("ZapsaneBehy"),
                                QStringLiteral("ImportovaneBloky")};
    for (const QString& table : tables) {
        bool checked = false;
        const bool exists = ok && SchoolSchema::tableExists(connection, table, &checked);
        ok = ok && checked;
        if (!exists)
            continue;
        const QString name = QStringLiteral("%1.\"%2\"").arg(schema, table);
        statements << QStringLiteral("REVOKE ALL ON %1 FROM %2").arg(name, who);
        QString rights;
        if (kind == Kind::Teacher)
            rights = QStringLiteral("SELECT, INSERT");
        else if (table == QStringLiteral("Zaci"))
            rights = QStringLiteral("SELECT");
        else if (table == QStringLiteral("Prehled"))
            rights = QStringLiteral("INSERT");
        else if (table == QStringLiteral("ZapsaneBehy")) // a run's random fingerprint, looked up by itself
            rights = QStringLiteral("SELECT (\"Otisk\"), INSERT");
        if (rights.isEmpty())
            continue;
        statements << QStringLiteral("GRANT %1 ON %2 TO %3").arg(rights, name, who);
        said << QStringLiteral("%1: %2").arg(table, rights);
    }
    statements << QStringLiteral("GRANT EXECUTE ON FUNCTION %1 TO %2").arg(function, who);
    said << QStringLiteral("%1(prijmeni): EXECUTE").arg(QLatin1String(SchoolSchema::totalsFunction));
    for (const QString& statement : statements)
        ok = ok && connection.exec(statement);
    if (!ok || !connection.commit()) {
        const QString failed = connection.failure();
        connection.rollback();
        return connection.setFailure(failed);
    }
    // The teacher's window would make these on first opening, but only the tables' owner may.
    if (kind == Kind::Teacher)
        ClassResults::ensureIndexes(connection);
    if (granted)
        *granted = said;
    return true;
}

} // namespace SchoolRoles
