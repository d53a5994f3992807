#include "store/reportimport.h"

#include "core/report.h"
#include "core/reportdecoder.h"
#include "store/databaseconnection.h"
#include "store/schoolschema.h"

#include <QCryptographicHash>
#include <QSqlQuery>

namespace {

// Long enough to make ten thousand blocks quick, short enough not to hold pupils' programs back
// from the database for long.
constexpr qsizetype blocksPerTransaction = 500;

ImportOutcome refused(ImportOutcome outcome, const QString& reason, bool databaseFailure)
{
    outcome.kind = ImportOutcome::Kind::Refused;
    outcome.reason = reason;
    outcome.databaseFailure = databaseFailure;
    return outcome;
}

QString sha256(const QByteArray& data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

struct Decoded {
    qsizetype index = 0;
    // Of the report's text: the same run however often and with whatever salt it was encoded.
    QString fingerprint;
    // Of the block's bytes, as imports kept it before: a block imported then is not taken again.
    QString blockFingerprint;
    ReportContents report;
};

// Writes a part of the blocks in one transaction; a block's outcome is Imported only once the
// transaction is committed. Without savepoints (two statements a block instead of four, which a
// server's round trips make count) the first refusal ends the transaction, and false asks for the
// same blocks again with a savepoint each.
bool writeBatch(DatabaseConnection& connection, const QList<Decoded>& batch, QList<ImportOutcome>& outcomes,
                bool savepoints)
{
    QList<qsizetype> written;
    // Ends the transaction; blocks not settled yet take the failure.
    auto fail = [&] {
        const QString failure = connection.failure();
        connection.rollback();
        for (const Decoded& d : batch)
            if (outcomes[d.index].kind != ImportOutcome::Kind::AlreadyImported)
                outcomes[d.index] =
                    refused(outcomes[d.index],
                            QStringLiteral("Výsledky nelze zapsat, nic jsem nezměnil: %1").arg(failure), true);
        return true;
    };
    auto savepoint = [&](const QString& statement) { return !savepoints || connection.exec(statement); };
    if (!connection.beginWrite())
        return fail();
    {
        // The fingerprint first: an import of the same run at the same time waits at its key and
        // then finds it there.
        QSqlQuery remember(connection.database());
        QSqlQuery append(connection.database());
        QSqlQuery when(connection.database());
        // Prepared again after a refusal: a statement keeps its last error.
        auto prepareWriting = [&] {
            return connection.prepare(
                       remember, QStringLiteral("INSERT INTO \"ImportovaneBloky\" (\"Otisk\", \"Importovano\") "
                                                "SELECT CAST(? AS TEXT), CAST(? AS TEXT) WHERE NOT EXISTS (SELECT 1 "
                                                "FROM \"ImportovaneBloky\" WHERE \"Otisk\" = ?) ON CONFLICT DO "
                                                "NOTHING")) &&
                   SchoolSchema::prepareAppendRun(connection, append);
        };
        if (!prepareWriting() ||
            !connection.prepare(when, QStringLiteral("SELECT \"Importovano\" FROM \"ImportovaneBloky\" WHERE "
                                                     "\"Otisk\" = ? OR \"Otisk\" = ?")))
            return fail();
        const QString now = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
        for (const Decoded& d : batch) {
            if (!savepoint(QStringLiteral("SAVEPOINT blok")))
                return fail();
            remember.bindValue(0, d.fingerprint);
            remember.bindValue(1, now);
            remember.bindValue(2, d.blockFingerprint);
            bool ok = connection.exec(remember);
            if (ok && remember.numRowsAffected() == 0) {
                when.bindValue(0, d.fingerprint);
                when.bindValue(1, d.blockFingerprint);
                ok = connection.exec(when);
                ImportOutcome& o = outcomes[d.index];
                o.kind = ImportOutcome::Kind::AlreadyImported;
                o.reason = ok && when.next() ? when.value(0).toString() : QString();
                when.finish();
                if (!ok || !savepoint(QStringLiteral("RELEASE SAVEPOINT blok")))
                    return fail();
                continue;
            }
            if (ok) {
                PrehledRow row;
                row.surname = d.report.pupilName;
                row.className = d.report.pupilClass;
                row.right = d.report.examplesRight;
                row.wrong = d.report.examplesWrong;
                row.start = d.report.from.time();
                row.end = d.report.to.time();
                row.date = d.report.to.date();
                row.signedInAs = QStringLiteral("e-mail");
                ok = SchoolSchema::appendRun(connection, append, row);
            }
            if (!ok && !savepoints) {
                connection.rollback();
                return false;
            }
            if (!ok) {
                // This block alone is left out: the table refused its values.
                const QString cause = connection.failure();
                if (!connection.exec(QStringLiteral("ROLLBACK TO SAVEPOINT blok")) || !prepareWriting())
                    return fail();
                outcomes[d.index] =
                    refused(outcomes[d.index], QStringLiteral("Výsledky nelze zapsat: %1").arg(cause), true);
            } else {
                written << d.index;
            }
            if (!savepoint(QStringLiteral("RELEASE SAVEPOINT blok")))
                return fail();
        }
    }
    if (!connection.commit())
        return fail();
    for (const qsizetype i : written)
        outcomes[i].kind = ImportOutcome::Kind::Imported;
    return true;
}

} // namespace

QList<ImportOutcome> importReports(DatabaseConnection& connection, const QStringList& blockTexts)
{
    QList<ImportOutcome> outcomes(blockTexts.size());
    QList<Decoded> decoded;
    for (qsizetype i = 0; i < blockTexts.size(); ++i) {
        const ReportDecoder::Result r = ReportDecoder::decodeBlock(blockTexts.at(i));
        ImportOutcome& o = outcomes[i];
        if (!r.ok) {
            o = refused(o, QStringLiteral("Blok nelze dekódovat: %1").arg(r.error), false);
            continue;
        }
        o.pupil = r.report.pupilName;
        o.className = r.report.pupilClass;
        o.right = r.report.examplesRight;
        o.wrong = r.report.examplesWrong;
        o.from = r.report.from;
        o.to = r.report.to;
        decoded << Decoded{i, sha256(r.text.toUtf8()), sha256(r.payload), r.report};
    }
    if (decoded.isEmpty())
        return outcomes;
    if (!SchoolSchema::ensureImportTable(connection)) {
        for (const Decoded& d : decoded)
            outcomes[d.index] =
                refused(outcomes[d.index], QStringLiteral("Výsledky nelze zapsat: %1").arg(connection.failure()), true);
        return outcomes;
    }
    for (qsizetype start = 0; start < decoded.size(); start += blocksPerTransaction) {
        const QList<Decoded> batch = decoded.mid(start, blocksPerTransaction);
        if (writeBatch(connection, batch, outcomes, false))
            continue;
        for (const Decoded& d : batch)
            outcomes[d.index].kind = ImportOutcome::Kind::Refused;
        writeBatch(connection, batch, outcomes, true);
    }
    return outcomes;
}

ImportOutcome importReport(DatabaseConnection& connection, const QString& blockText)
{
    return importReports(connection, {blockText}).constFirst();
}
