#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class DatabaseConnection;

// A pupil list from a CSV file ("surname;class" a line, fields may be in double quotes, an optional
// header line, blank lines ignored) written into Zaci all or nothing. The file is UTF-8 (with or
// without a byte-order mark) or, when it is not valid UTF-8 and has no mark, Windows-1250. A surname or class
// holding a control character (NUL, tab …) makes a bad line.
namespace PupilImport {

struct Pupil {
    QString surname;
    QString className;
};

struct Parsed {
    QList<Pupil> pupils;
    // One Czech line per bad input line, with its number.
    QStringList badLines;
    // "UTF-8" or "Windows-1250": how the file was read.
    QString encoding;
};

Parsed parse(const QByteArray& content);

struct Outcome {
    bool ok = false;
    int added = 0;
    // Pupils already in Zaci, skipped.
    int known = 0;
    // Set when the file is refused (nothing written).
    QStringList badLines;
    // The database's failure, in Czech (nothing written).
    QString failure;
};

// Parses and, when every line is good, writes the new pupils in one transaction. `connection`
// must be open.
Outcome importCsv(DatabaseConnection& connection, const QByteArray& content);

// Writes the pupils not yet in Zaci in one transaction. `connection` must be open.
Outcome write(DatabaseConnection& connection, const QList<Pupil>& pupils);

// The first `shown` bad lines, one a line, then "a dalších N" for the rest.
QString badLinesSummary(const QStringList& badLines, int shown = 8);

// "Zapsáno žáků: 3 (1 už v databázi byli, ty jsem vynechal)." for a written list.
QString summary(const Outcome& outcome);

} // namespace PupilImport
