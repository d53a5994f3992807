#pragma once

#include "store/storeconfig.h"

#include <QDeadlineTimer>
#include <QString>

// What a PostgreSQL server said when asked for a session with the configured user and password.
struct ServerVerdict {
    enum class Seen {
        Admitted,      // the session was let in
        NoAnswer,      // nothing answered in time, the connection was refused or cut before a decision
        AllTaken,      // every connection the user may have is taken (53300)
        Starting,      // the server is starting up or shutting down (57P01, 57P02, 57P03)
        WrongPassword, // a password the server refuses, or none where it asks for one (28P01)
        NotAllowed,    // no entry lets this user in from this computer (28000)
        NoDatabase,    // the database does not exist (3D000)
        NoEncryption,  // the address demands an encrypted connection the server does not offer
        UnknownHost,   // the host name does not resolve
        Refused,       // any other refusal the server gave a code for
    };
    Seen seen = Seen::NoAnswer;
    // The server's SQLSTATE, when it gave one.
    QString state;

    bool admitted() const { return seen == Seen::Admitted; }
    // Whether waiting may change the answer: busy, starting, silent or cut off servers.
    bool mayPass() const { return seen == Seen::NoAnswer || seen == Seen::AllTaken || seen == Seen::Starting; }
};

namespace ServerSignIn {

// Signs in to the server with the client library, without blocking past `deadline`, whatever the
// server sends: a server that keeps talking is cut off once it has sent far more than a sign-in takes.
// The session is closed again; the verdict says how the server answered.
ServerVerdict check(const StoreConfig& config, const QDeadlineTimer& deadline);

// The SQLSTATE in a message of the client library written with verbose error reporting, or empty.
QString stateInMessage(const QByteArray& message);

} // namespace ServerSignIn
