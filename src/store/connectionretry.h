#pragma once

#include "store/storeconfig.h"

#include <QString>

#include <functional>

class DatabaseConnection;

// How the pupils' program waits out a busy school database: one budget for everything.
namespace ConnectionRetry {

// Runs attempt on a new connection, opened first, until it succeeds. A failure that may pass by
// itself (DatabaseConnection::transient()) is tried again after a pause that grows and is drawn at
// random, so that a whole class does not come back in step; the sign-ins, statements, tries and
// pauses all come out of DatabaseConnection::busyTimeout() in all, with the window repainted under a
// busy pointer meanwhile. Any other failure, or the last one when the time is spent, ends it: false
// with *failure set (and *spent telling which of the two it was).
bool retrying(const StoreConfig& config, const std::function<bool(DatabaseConnection&)>& attempt, QString* failure,
              bool* spent = nullptr);

// How many tries of this process met a failure that passes (for tests and benchmarks that must know
// they really met a full server).
int passingFailuresMet();

} // namespace ConnectionRetry
