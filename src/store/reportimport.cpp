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

} // namespace

ImportOutcome importReport(DatabaseConnection& connection, const QString& blockText)
{
    const ReportDecoder::Result decoded = ReportDecoder::decodeBlock(blockText);
    if (!decoded.ok)
        return refused(QStringLiteral("Blok nelze dekódovat: %1").arg(decoded.error));
    ReportContents report;
    QString problem;
    if (!parseReport(decoded.text, report, &problem))
        return refused(QStringLiteral("Blok neobsahuje úplnou zprávu s výsledky: %1").arg(problem));
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
    QString importedAt;
    bool ok = false;
    bool raced = false;
    {
        QSqlQuery seen(connection.database());
        connection.prepare(seen,
                           QStringLiteral("SELECT \"Importovano\" FROM \"ImportovaneBloky\" WHERE \"Otisk\" = ?"));
        seen.addBindValue(fingerprint);
        ok = connection.exec(seen);
        if (ok && seen.next())
            importedAt = seen.value(0).toString();
        seen.finish();
        if (ok && importedAt.isEmpty()) {
            QSqlQuery insert(connection.database());
            connection.prepare(
                insert, QStringLiteral("INSERT INTO \"Prehled\" (\"Prijmeni\", \"Trida\", \"Spravne\", \"Chybne\", "
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
            QSqlQuery remember(connection.database());
            connection.prepare(
                remember,
                QStringLiteral("INSERT INTO \"ImportovaneBloky\" (\"Otisk\", \"Importovano\") VALUES (?, ?)"));
            remember.addBindValue(fingerprint);
            remember.addBindValue(QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm")));
            ok = connection.exec(insert) && connection.exec(remember);
            raced = !ok && duplicateKey(remember, connection.isPostgres());
        }
    }
    if (!ok || !connection.commit()) {
        const QString failure = connection.failure();
        connection.rollback();
        if (raced) {
            outcome.kind = ImportOutcome::Kind::AlreadyImported;
            return outcome;
        }
        return refused(QStringLiteral("Výsledky nelze zapsat, nic jsem nezměnil: %1").arg(failure), true);
    }
    if (!importedAt.isEmpty()) {
        outcome.kind = ImportOutcome::Kind::AlreadyImported;
        outcome.reason = importedAt;
        return outcome;
    }
    outcome.kind = ImportOutcome::Kind::Imported;
    return outcome;
}
