#pragma once

#include <QDateTime>
#include <QString>

class DatabaseConnection;

// Recording a run that a pupil e-mailed: the block is decoded, its report checked, and the run
// added to Prehled (Prihlasenjako "e-mail") together with the block's fingerprint, in one
// transaction, so that the same block is never recorded twice.
struct ImportOutcome {
    enum class Kind { Imported, AlreadyImported, Refused };

    Kind kind = Kind::Refused;
    // Czech: why it was refused; for an earlier import, when that was.
    QString reason;
    // True when the database failed rather than the block (trying again later may work).
    bool databaseFailure = false;
    // What the report says (filled for Imported and AlreadyImported).
    QString pupil;
    QString className;
    qint32 right = 0;
    qint32 wrong = 0;
    QDateTime from;
    QDateTime to;
};

// `connection` must be open.
ImportOutcome importReport(DatabaseConnection& connection, const QString& blockText);
