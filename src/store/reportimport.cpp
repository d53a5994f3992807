#include "store/reportimport.h"

#include "core/report.h"
#include "core/reportdecoder.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"

#include <QCryptographicHash>
#include <QSqlQuery>

namespace {

ImportOutcome refused(const QString& reason, bool databaseFailure = false)
{
    ImportOutcome outcome;
    outcome.reason = reason;
    outcome.databaseFailure = databaseFailure;
    return outcome;
}

// A unique key refused the fingerprint: another import of the same block committed first.
bool duplicateKey(const QSqlQuery& query, bool postgres)
{
    const QString code = query.lastError().nativeErrorCode();
    if (postgres)
        return code == QStringLiteral("23505");
    return (code.toInt() & 0xff) == 19; // SQLITE_CONSTRAINT
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

} // namespace

ImportOutcome importReport(DatabaseConnection& connection, const QString& blockText)
{
    const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(blockText);
    if (!decoded.ok)
        return refused(QStringLiteral("Blok nelze dekódovat: %1").arg(decoded.error));
    const ReportContents& report = decoded.report;
    const QString fingerprint =
        QString::fromLatin1(QCryptographicHash::hash(decoded.payload, QCryptographicHash::Sha256).toHex());

    ImportOutcome outcome;
    outcome.pupil = report.pupilName;
    outcome.className = report.pupilClass;
    outcome.right = report.examplesRight;
    outcome.wrong = report.examplesWrong;
    outcome.from = report.from;
    outcome.to = report.to;

    if (!SchoolSchema::ensureImportTable(connection) || !connection.beginWrite())
        return refused(QStringLiteral("Výsledky nelze zapsat: %1").arg(connection.failure()), true);
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
        racedAway = !ok && duplicateKey(remember, connection.isPostgres());
        // Ended while the refused statement still exists: PostgreSQL cannot free a statement inside a
        // failed transaction, and the driver would complain on the terminal.
        if (racedAway)
            connection.rollback();
        PrehledRow row;
        row.surname = report.pupilName;
        row.className = report.pupilClass;
        row.right = report.examplesRight;
        row.wrong = report.examplesWrong;
        row.start = report.from.time();
        row.end = report.to.time();
        row.date = report.to.date();
        row.signedInAs = QStringLiteral("e-mail");
        ok = ok && SchoolSchema::appendRun(connection, row);
    }
    if (racedAway) {
        when = importedAt(connection, fingerprint, ok);
    } else if (!ok || !connection.commit()) {
        const QString failure = connection.failure();
        connection.rollback();
        return refused(QStringLiteral("Výsledky nelze zapsat, nic jsem nezměnil: %1").arg(failure), true);
    }
    if (racedAway || !when.isEmpty()) {
        outcome.kind = ImportOutcome::Kind::AlreadyImported;
        outcome.reason = when;
        return outcome;
    }
    outcome.kind = ImportOutcome::Kind::Imported;
    return outcome;
}
