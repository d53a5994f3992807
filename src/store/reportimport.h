#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class DatabaseConnection;

// Recording runs that pupils e-mailed: each block is decoded, its report checked, and the run added
// to Prehled (Prihlasenjako "e-mail") together with the report's fingerprint, all or nothing per
// block, so that the same run is never recorded twice: not when its block comes again, not when
// the same report was encoded once more with another salt, not when another import of it runs at
// the same time.
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

// Blocks of runs in a transaction for every few hundred blocks, with a savepoint for each block: a
// block the database refuses is left out alone. One outcome per block, in the order given; the
// teacher's tool and the teacher's window both import through here. `connection` must be open.
QList<ImportOutcome> importReports(DatabaseConnection& connection, const QStringList& blockTexts);
ImportOutcome importReport(DatabaseConnection& connection, const QString& blockText);
