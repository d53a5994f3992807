#pragma once

#include "store/serversignin.h"
#include "store/storeconfig.h"

#include <QSqlError>
#include <QString>

// What a failure of the school database is, told by codes (SQLite's result codes, the server's
// SQLSTATE), and how it is said in Czech. No message ever carries a password.
namespace StoreFailure {

// A locked SQLite file: busy or locked.
bool sqliteLocked(const QSqlError& error);

// Whether a failure may pass by itself when tried again a little later: a locked SQLite file; a
// server with all its connections taken, starting up or shutting down, a transaction that lost a
// conflict with another one or waited too long, another writer of the same key, a lost connection.
bool mayPass(const StoreConfig& config, const QSqlError& error);

// A driver error as a Czech cause naming the database; `waitedMs` is how long the program had been
// waiting for it (a wait is claimed only when there was one).
QString describe(const StoreConfig& config, const QSqlError& error, qint64 waitedMs);

// A server that did not let the session in, as the pupil or the teacher is told.
QString signInFailed(const StoreConfig& config, const ServerVerdict& verdict, qint64 waitedMs);

// The text with the configured password blotted out, on one line.
QString withoutSecrets(const StoreConfig& config, QString text);

} // namespace StoreFailure
