#pragma once

// A listener on the loopback address that behaves as a broken or hostile database server would, for
// the store's fault tests. It answers at most 30 s and stops when the object goes.

#include <QtEndian>

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

class FakeServer {
public:
    enum class Behaviour {
        Silent,      // takes the connection and never says a word
        CloseAtOnce, // closes every connection as soon as it comes
        Notices,     // lets the client in, then sends notices without end
        EndlessError // lets the client in, then one error message that never ends
    };

    explicit FakeServer(Behaviour behaviour) : behaviour(behaviour)
    {
        listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(listener, reinterpret_cast<sockaddr*>(&address), size);
        listen(listener, 64);
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
        if (behaviour != Behaviour::Silent)
            worker = std::thread([this] { serve(); });
    }
    ~FakeServer()
    {
        stop = true;
        if (worker.joinable())
            worker.join();
        close(listener);
    }

    int port = 0;
    // Clients that went away while the server was still talking to them.
    std::atomic<int> clientsLeft = 0;

private:
    static bool readExactly(int fd, char* into, int size)
    {
        for (int got = 0; got < size;) {
            pollfd waiting{fd, POLLIN, 0};
            if (poll(&waiting, 1, 5000) != 1)
                return false;
            const ssize_t n = recv(fd, into + got, size_t(size - got), 0);
            if (n <= 0)
                return false;
            got += int(n);
        }
        return true;
    }
    // The client's start-up message, after refusing encryption if it asks for it first.
    static bool readStartup(int fd)
    {
        for (int round = 0; round < 2; ++round) {
            char head[8];
            if (!readExactly(fd, head, 8))
                return false;
            const quint32 length = qFromBigEndian<quint32>(head);
            if (qFromBigEndian<quint32>(head + 4) == 80877103u) { // a request for encryption
                send(fd, "N", 1, MSG_NOSIGNAL);
                continue;
            }
            QByteArray rest(int(qBound<quint32>(8, length, 10000) - 8), '\0');
            return readExactly(fd, rest.data(), int(rest.size()));
        }
        return false;
    }
    static QByteArray message(char type, const QByteArray& body, quint32 length = 0)
    {
        QByteArray m(5, type);
        qToBigEndian<quint32>(length ? length : quint32(body.size() + 4), m.data() + 1);
        return m + body;
    }

    void talk(int fd)
    {
        if (behaviour == Behaviour::CloseAtOnce || !readStartup(fd))
            return;
        const QByteArray admitted = message('R', QByteArray(4, '\0'));
        QByteArray chunk;
        if (behaviour == Behaviour::Notices) {
            chunk = admitted;
            for (int i = 0; i < 100; ++i)
                chunk += message('N', QByteArray("SNOTICE\0C00000\0Mjeste chvili\0\0", 31));
        } else {
            chunk = admitted + message('E', "SFATAL", 0x7ffffff0u);
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!stop && std::chrono::steady_clock::now() < until) {
            if (send(fd, chunk.constData(), size_t(chunk.size()), MSG_NOSIGNAL) < 0) {
                ++clientsLeft;
                return;
            }
            if (behaviour == Behaviour::EndlessError)
                chunk = QByteArray(64 * 1024, 'x');
        }
    }

    void serve()
    {
        while (!stop) {
            pollfd waiting{listener, POLLIN, 0};
            if (poll(&waiting, 1, 100) != 1)
                continue;
            const int fd = accept(listener, nullptr, nullptr);
            if (fd < 0)
                continue;
            talk(fd);
            close(fd);
        }
    }

    Behaviour behaviour;
    int listener = -1;
    std::atomic<bool> stop = false;
    std::thread worker;
};
