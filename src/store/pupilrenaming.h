#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class DatabaseConnection;

// One pupil under one name: this program's runs (TypZkous 3) and the class list's entries moved from
// one surname and class to another, or a whole class renamed. Where the target is there already the
// two become one (merged). Every change is one transaction, written with the rows it moved into the
// tables Zmeny and ZmenyRadky (made on first use), and can be undone: exactly the rows it moved go back,
// runs stored meanwhile stay where they were stored.
namespace PupilRenaming {

struct Name {
    QString surname;
    QString className;
    bool operator==(const Name&) const = default;
};

struct Change {
    qint64 number = 0;
    QDateTime when;
    QString description;
    bool undone = false;
};

struct Outcome {
    bool ok = false;
    qint64 number = 0; // of the change made or undone
    int runs = 0;      // runs moved
    bool merged = false;
    bool listedMoved = false; // a class-list entry moved or merged
    QString description;
};

// False with connection.failure() set; nothing is changed then. `connection` must be open.
Outcome renamePupil(DatabaseConnection& connection, const Name& from, const Name& to);
Outcome renameClass(DatabaseConnection& connection, const QString& from, const QString& to);

// Undoes a change (the last one not undone yet when `number` is 0). Refused, with nothing changed, when
// a row it moved has changed since.
Outcome undo(DatabaseConnection& connection, qint64 number = 0);

// The changes made so far, the newest first; none without the log tables.
bool changes(DatabaseConnection& connection, QList<Change>& out);

} // namespace PupilRenaming
