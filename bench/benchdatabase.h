#pragma once

#include "store/databaseconnection.h"
#include "store/storeconfig.h"

#include <QRandomGenerator>
#include <QString>
#include <QUrl>

#include <cstdio>

// The PostgreSQL server of a benchmark: its first argument, else the test server's address; empty
// (with a line saying so) when there is none.
inline QString benchServerUrl(int argc, char* argv[])
{
    const QString url = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("KVIZMAT_TEST_PG_URL");
    if (url.isEmpty())
        std::printf("PostgreSQL: no address (argument or KVIZMAT_TEST_PG_URL); skipped\n");
    return url;
}

// A database of its own on the PostgreSQL server at `serverUrl` for one measurement, dropped again
// when the object goes. `address` is empty (and the failure printed) when it could not be made.
class BenchDatabase {
public:
    explicit BenchDatabase(const QString& serverUrl)
        : server(StoreConfig::fromUrl(serverUrl)),
          name(QStringLiteral("kvizmat_bench_%1").arg(QRandomGenerator::global()->generate(), 0, 16))
    {
        DatabaseConnection admin(server);
        if (!admin.open() || !admin.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name))) {
            std::printf("PostgreSQL: %s\n", qPrintable(admin.failure()));
            return;
        }
        QUrl url(serverUrl);
        url.setPath(QLatin1Char('/') + name);
        address = url.toString();
    }
    ~BenchDatabase()
    {
        DatabaseConnection admin(server);
        if (!address.isEmpty() && admin.open())
            admin.exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(name));
    }
    BenchDatabase(const BenchDatabase&) = delete;
    BenchDatabase& operator=(const BenchDatabase&) = delete;

    QString address;

private:
    StoreConfig server;
    QString name;
};
