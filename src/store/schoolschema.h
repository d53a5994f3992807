#pragma once

#include <QString>

class DatabaseConnection;

// The tables of a school database as the teacher's tool creates them: Zaci (pupils), Prehled
// (one row per run of any program of the family) with the index that makes a pupil's totals
// fast, and the list of e-mailed blocks already imported.
namespace SchoolSchema {

// Name of the index on Prehled (Prijmeni, TypZkous).
inline constexpr const char* totalsIndex = "Prehled_Prijmeni_TypZkous";

// Creates the tables in one transaction; refuses (false, failure() set) when Zaci or Prehled
// exists already, so that nothing is ever overwritten.
bool create(DatabaseConnection& connection, bool withTotalsIndex = true);

// The table of imported block fingerprints, created when missing.
bool ensureImportTable(DatabaseConnection& connection);

// True when the table exists; false also when it cannot be checked (failure() set then).
bool tableExists(DatabaseConnection& connection, const QString& table, bool* checked = nullptr);

} // namespace SchoolSchema
