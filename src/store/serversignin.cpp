#include "store/serversignin.h"

#include "store/waitindicator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QRegularExpression>
#include <QUrl>

#include <libpq-fe.h>
#include <linux/tcp.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

// A real server's answers to a sign-in fit in a few kilobytes; one that sends more is not signing in.
constexpr quint64 largestSignIn = 1024 * 1024;
// What the kernel keeps for the client library between two reads, so that a chatty server cannot
// fill memory faster than it is counted.
constexpr int receiveBuffer = 64 * 1024;
// Between two looks at the socket the window is repainted.
constexpr int sliceMs = 50;
// A sign-in that takes longer than this shows the busy pointer.
constexpr int noticeableMs = 300;

void ignoreNotice(void*, const char*) {}

// Bytes the server has sent on this TCP connection so far (0 for a local socket).
quint64 bytesReceived(int socket)
{
    tcp_info info{};
    socklen_t size = sizeof info;
    if (socket < 0 || getsockopt(socket, IPPROTO_TCP, TCP_INFO, &info, &size) != 0 ||
        size < socklen_t(offsetof(tcp_info, tcpi_bytes_received) + sizeof info.tcpi_bytes_received))
        return 0;
    return info.tcpi_bytes_received;
}

bool demandsEncryption(const QString& sslMode)
{
    return sslMode == QLatin1String("require") || sslMode == QLatin1String("verify-ca") ||
           sslMode == QLatin1String("verify-full");
}

ServerVerdict fromState(const QString& state)
{
    using Seen = ServerVerdict::Seen;
    Seen seen = Seen::Refused;
    if (state == QLatin1String("53300"))
        seen = Seen::AllTaken;
    else if (state == QLatin1String("57P01") || state == QLatin1String("57P02") || state == QLatin1String("57P03"))
        seen = Seen::Starting;
    else if (state.startsWith(QLatin1String("08")))
        seen = Seen::NoAnswer; // the connection broke (or a pooler in front lost its server)
    else if (state == QLatin1String("28P01"))
        seen = Seen::WrongPassword;
    else if (state == QLatin1String("28000"))
        seen = Seen::NotAllowed;
    else if (state == QLatin1String("3D000"))
        seen = Seen::NoDatabase;
    return {seen, state};
}

// A host name that the resolver says does not exist is a definite answer; one it cannot look up now
// (no name server reachable) may pass.
bool unknownHost(const QString& host, bool& lookupFailed)
{
    lookupFailed = false;
    if (host.isEmpty() || host.startsWith(QLatin1Char('/')))
        return false;                    // a local socket folder
    QByteArray name = QUrl::toAce(host); // empty for an IPv6 address, which needs no conversion
    if (name.isEmpty())
        name = host.toLatin1();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int result = getaddrinfo(name.constData(), nullptr, &hints, &found);
    if (found)
        freeaddrinfo(found);
    if (result == EAI_NONAME
#ifdef EAI_NODATA
        || result == EAI_NODATA
#endif
    )
        return true;
    lookupFailed = result != 0;
    return false;
}

void letWindowBreathe()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

namespace ServerSignIn {

QString stateInMessage(const QByteArray& message)
{
    // "FATAL:  53300: …": the severity (in the server's language) is followed by two blanks, the code
    // and a colon.
    static const QRegularExpression code(QStringLiteral(":  ([0-9A-Z]{5}): "));
    return code.match(QString::fromUtf8(message)).captured(1);
}

ServerVerdict check(const StoreConfig& config, const QDeadlineTimer& deadline)
{
    using Seen = ServerVerdict::Seen;
    bool lookupFailed = false;
    if (unknownHost(config.host, lookupFailed))
        return {Seen::UnknownHost, {}};
    if (lookupFailed)
        return {Seen::NoAnswer, {}};

    const QByteArray host = config.host.toUtf8(), port = QByteArray::number(config.port), user = config.user.toUtf8(),
                     password = config.password.toUtf8(), database = config.databaseName.toUtf8(),
                     sslMode = config.sslMode.toUtf8();
    const char* keys[] = {"host", "port", "user", "password", "dbname", "application_name", "sslmode", nullptr};
    const char* values[] = {host.constData(),
                            port.constData(),
                            user.isEmpty() ? nullptr : user.constData(),
                            password.isEmpty() ? nullptr : password.constData(),
                            database.constData(),
                            "kvizmat",
                            sslMode.isEmpty() ? nullptr : sslMode.constData(),
                            nullptr};
    PGconn* conn = PQconnectStartParams(keys, values, 0);
    if (!conn)
        return {Seen::NoAnswer, {}};
    PQsetNoticeProcessor(conn, ignoreNotice, nullptr);
    PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);

    ServerVerdict verdict{Seen::NoAnswer, {}};
    WaitIndicator::Shown cursor;
    const QDeadlineTimer noticeable(noticeableMs);
    PostgresPollingStatusType polling = PGRES_POLLING_WRITING;
    ConnStatusType reached = PQstatus(conn);
    int bufferedSocket = -1;
    while (PQstatus(conn) != CONNECTION_BAD) {
        if (polling == PGRES_POLLING_OK) {
            verdict.seen = Seen::Admitted;
            break;
        }
        const int socket = PQsocket(conn);
        if (socket < 0 || deadline.hasExpired())
            break;
        if (socket != bufferedSocket) {
            setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
            bufferedSocket = socket;
        }
        if (bytesReceived(socket) > largestSignIn)
            break; // a server that keeps talking: no answer worth waiting for
        pollfd waiting{socket, short(polling == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        const int ready = poll(&waiting, 1, int(qBound<qint64>(0, deadline.remainingTime(), qint64(sliceMs))));
        letWindowBreathe();
        if (noticeable.hasExpired())
            cursor.show();
        if (ready == 0)
            continue;
        reached = PQstatus(conn);
        polling = PQconnectPoll(conn);
    }

    if (PQstatus(conn) == CONNECTION_BAD) {
        const QString state = stateInMessage(PQerrorMessage(conn));
        if (!state.isEmpty())
            verdict = fromState(state);
        else if (PQconnectionNeedsPassword(conn))
            verdict.seen = Seen::WrongPassword; // asked for a password and none was configured
        else if (reached == CONNECTION_SSL_STARTUP && demandsEncryption(config.sslMode) &&
                 bytesReceived(PQsocket(conn)) == 1)
            verdict.seen = Seen::NoEncryption; // the server's one-byte "no" to encryption
    }
    PQfinish(conn);
    return verdict;
}

} // namespace ServerSignIn
