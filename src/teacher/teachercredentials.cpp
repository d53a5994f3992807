#include "teacher/teachercredentials.h"

#include <qt6keychain/keychain.h>

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace TeacherCredentials {

namespace {

const QString keyringService = QStringLiteral("kvizmat-vysledky");

QString keyringKey(const StoreConfig& server)
{
    return QStringLiteral("%1@%2:%3/%4").arg(server.user, server.host).arg(server.port).arg(server.databaseName);
}

// Runs a keyring job to its end; the window is repainted meanwhile but takes no input.
bool finish(QKeychain::Job& job)
{
    bool done = false;
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&done, &loop] {
        done = true;
        loop.quit();
    });
    job.setAutoDelete(false);
    job.start();
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error() == QKeychain::NoError;
}

// The teacher's last database from the teacher's own file; `found` false without one.
StoreConfig fromOwnFile(bool& found)
{
    found = false;
    const QString file = configFile();
    if (!QFileInfo(file).isFile())
        return {};
    QSettings settings(file, QSettings::IniFormat);
    StoreConfig config;
    const QString path = settings.value(QStringLiteral("database/path")).toString();
    if (!path.isEmpty()) {
        config = StoreConfig::fromPath(path);
    } else {
        config.engine = StoreConfig::Engine::Postgres;
        config.host = settings.value(QStringLiteral("server/host")).toString();
        config.port = settings.value(QStringLiteral("server/port"), 5432).toInt();
        config.databaseName = settings.value(QStringLiteral("server/database")).toString();
        config.user = settings.value(QStringLiteral("server/user")).toString();
        config.sslMode = settings.value(QStringLiteral("server/sslmode")).toString();
        if (config.host.isEmpty() || config.databaseName.isEmpty() || config.user.isEmpty() || config.port < 1 ||
            config.port > 65535)
            return {};
    }
    config.sourceFile = file;
    found = true;
    return config;
}

} // namespace

QString configFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kvizmat/kvizmat-vysledky.conf"));
}

StoreConfig startDatabase()
{
    bool found = false;
    const StoreConfig own = fromOwnFile(found);
    if (found)
        return own;
    StoreConfig pupils = StoreConfig::load();
    if (pupils.isValid() && pupils.isPostgres()) {
        StoreConfig refused;
        refused.problem = QStringLiteral("Adresa serveru v „%1“ patří programu žáků; okno učitele se k serveru "
                                         "přihlašuje vlastní rolí učitele. Zvolte „Adresa serveru…“.")
                              .arg(QDir::toNativeSeparators(pupils.sourceFile));
        return refused;
    }
    return pupils;
}

StoreConfig proposedServer(const StoreConfig& current)
{
    if (current.isValid() && current.isPostgres() && !current.host.isEmpty()) {
        StoreConfig server = current;
        server.password.clear();
        return server;
    }
    bool found = false;
    const StoreConfig own = fromOwnFile(found);
    if (found && own.isPostgres())
        return own;
    const StoreConfig pupils = StoreConfig::load();
    StoreConfig server;
    server.engine = StoreConfig::Engine::Postgres;
    if (pupils.isValid() && pupils.isPostgres()) {
        server.host = pupils.host;
        server.port = pupils.port;
        server.databaseName = pupils.databaseName;
        server.sslMode = pupils.sslMode;
    }
    return server;
}

void remember(const StoreConfig& config)
{
    const QString file = configFile();
    QDir().mkpath(QFileInfo(file).path());
    QSettings settings(file, QSettings::IniFormat);
    settings.clear();
    if (config.isPostgres()) {
        settings.setValue(QStringLiteral("server/host"), config.host);
        settings.setValue(QStringLiteral("server/port"), config.port);
        settings.setValue(QStringLiteral("server/database"), config.databaseName);
        settings.setValue(QStringLiteral("server/user"), config.user);
        if (!config.sslMode.isEmpty())
            settings.setValue(QStringLiteral("server/sslmode"), config.sslMode);
    } else {
        settings.setValue(QStringLiteral("database/path"), config.sqlitePath);
    }
    settings.sync();
}

QString rememberedPassword(const StoreConfig& server)
{
    QKeychain::ReadPasswordJob job(keyringService);
    job.setKey(keyringKey(server));
    return finish(job) ? job.textData() : QString();
}

bool keepPassword(const StoreConfig& server)
{
    QKeychain::WritePasswordJob job(keyringService);
    job.setKey(keyringKey(server));
    job.setTextData(server.password);
    return finish(job);
}

} // namespace TeacherCredentials
