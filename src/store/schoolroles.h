#pragma once

#include <QString>

class DatabaseConnection;

// Rights of a database role on a school server: what the pupils' program needs and nothing more, or
// what the teacher's window and tool need. The role itself is made by the administrator, with its
// password, so no password ever passes through here.
namespace SchoolRoles {

enum class Kind {
    Pupils,  // read Zaci; add rows to Prehled and ZapsaneBehy; a pupil's totals only through the function
    Teacher, // read every table; add pupils, runs and imported blocks
};

// Takes away whatever the role had on the school's tables and gives it exactly the rights of `kind`, in
// one transaction; makes the totals function (and for a teacher the table of imported blocks and the
// class indexes) where an older database lacks them. False with failure() set: an SQLite file (its
// permissions are the operating system's), a role that does not exist, or a database failure.
// `granted` lists the rights given, one line each, for the administrator.
bool grant(DatabaseConnection& connection, const QString& role, Kind kind, QStringList* granted = nullptr);

} // namespace SchoolRoles
