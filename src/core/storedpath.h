#pragma once

#include <QString>

// The school database's path as the program keeps it, scrambled, and the test whether a path exists.
namespace StoredPath {

// Path of the school database file, kept scrambled (each character's code raised by 1).
// Plain form: /var/lib/kvizmat/skola.db
inline constexpr const char* schoolDatabasePath = "0wbs0mjc0lwj{nbu0tlpmb/ec";

// Turns a scrambled text back: every character's Windows-1250 code lowered by 1.
QString Descramble(const QString& stored);

// True when a file or a folder exists at the path; an empty or unreadable path gives false.
bool FileExists(const QString& path);

} // namespace StoredPath
