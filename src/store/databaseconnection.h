#pragma once

#include "store/serversignin.h"
#include "store/storeconfig.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QTime>
#include <QVariant>

#include <atomic>
#include <functional>

class QSqlQuery;

// One short-lived connection to the school database, SQLite file or PostgreSQL server, through
// Qt SQL. Closed and removed when the object goes; failures come as Czech messages that never
// carry a password. A server is first asked for a session by the client library itself, so that a
// refusal is known by its code and a server that never decides cannot hold the program.
class DatabaseConnection {
public:
    enum class Mode {
        Existing, // the file must be there already
        Create,   // the teacher's tool makes a new file
    };

    // For tests: asked after every commit the database confirmed; true makes the confirmation look
    // lost on its way back (as when the network fails at that moment), so the caller believes the
    // commit failed although it took place.
    static inline std::function<bool()> confirmationLost;

    // How long the program keeps trying in all when the database is only busy, unless changed.
    static constexpr int defaultBusyTimeoutMs = 15000;

    explicit DatabaseConnection(StoreConfig config);
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    // False with failure() set when the database cannot be reached.
    bool open(Mode mode = Mode::Existing);
    QSqlDatabase& database() { return db; }
    const StoreConfig& config() const { return cfg; }
    bool isPostgres() const { return cfg.isPostgres(); }

    // A write transaction (on SQLite it takes the write lock at once, waiting within the busy
    // timeout) and its end.
    bool beginWrite();
    bool commit();
    void rollback();

    // Prepares a statement written with "quoted" identifiers (as PostgreSQL needs them). SQLite
    // gets them in brackets instead, where a misspelt name is an error rather than a text literal.
    bool prepare(QSqlQuery& query, const QString& statement);
    QString engineSql(const QString& statement) const;

    // Runs a prepared query; false with failure() set, also when the preparing failed.
    bool exec(QSqlQuery& query);
    // Runs a statement without values; false with failure() set.
    bool exec(const QString& statement);
    // Prepares a statement, binds the values in their order and runs it, forward only; false with
    // failure() set.
    bool run(QSqlQuery& query, const QString& statement, const QVariantList& values = {});

    // Time of day and date in the engine's own form: SQL time/date on a server, ISO text in SQLite.
    QVariant timeValue(const QTime& time) const;
    QVariant dateValue(const QDate& date) const;

    // The cause of the last failure, in Czech.
    QString failure() const { return lastFailure; }
    // Whether the last failure may pass by itself when tried again a little later: a locked SQLite
    // file; a PostgreSQL server with all its connections taken, starting up or shutting down, a
    // transaction that lost a conflict with another one, or a connection lost on the way.
    bool transient() const { return lastTransient; }
    // Turns a driver error into a Czech cause naming the database.
    QString describe(const QSqlError& error) const;

    // Records a cause found by the caller; always false, for `return connection.setFailure(...)`.
    bool setFailure(const QString& cause, bool mayPass = false);

    // How long a busy database is waited for (milliseconds), in all from the opening of the connection
    // on, or from the first try of retrying(); the window is repainted meanwhile under a busy pointer.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();

    // A flag another thread may raise to stop waiting for a locked database: the statement that waits
    // then fails, and its transaction is rolled back whole.
    void setCancelFlag(const std::atomic<bool>* flag) { cancelFlag = flag; }

    // What the server said at the last sign-in (Admitted also when the failure came later, or from a file).
    ServerVerdict::Seen signInSeen() const { return lastSeen; }

    // Counts the waiting time from this deadline, shared by several tries (see ConnectionRetry).
    void shareDeadline(const QDeadlineTimer& deadline);
    // How long the waiting time has run so far.
    qint64 waitedMs() const;

private:
    bool failWith(const QSqlError& error);
    bool openServer();
    bool openServerSession();
    // Runs attempt until it succeeds; on SQLite tries again while another program holds the lock and
    // the deadline allows. False with failure() set from error().
    bool tryWhileLocked(const std::function<bool()>& attempt, const std::function<QSqlError()>& error);

    StoreConfig cfg;
    QString connectionName;
    QSqlDatabase db;
    QString lastFailure;
    bool lastTransient = false;
    ServerVerdict::Seen lastSeen = ServerVerdict::Seen::Admitted;
    QDeadlineTimer lockDeadline;
    bool deadlineGiven = false;
    int lockWaitMs = 0;
    const std::atomic<bool>* cancelFlag = nullptr;
};
