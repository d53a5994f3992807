#pragma once

#include <QString>

// Where the school database is: an SQLite file or a PostgreSQL server. Read from the optional
// kvizmat/kvizmat.conf in the standard configuration folders (the user's first, then the
// system-wide ones); without one, the built-in default file. The file names its database with
// exactly one key, database/path or database/url; both at once are refused.
class StoreConfig {
public:
    enum class Engine { Sqlite, Postgres };

    Engine engine = Engine::Sqlite;
    QString sqlitePath;
    QString host;
    int port = 5432;
    QString user;
    QString password;
    QString databaseName;
    QString sslMode;
    // The configuration file the settings came from; empty for the built-in default.
    QString sourceFile;
    // A Czech message naming the file and the key when the configuration is broken.
    QString problem;

    bool isValid() const { return problem.isEmpty(); }
    bool isPostgres() const { return engine == Engine::Postgres; }
    // The database as the user may see it in a message: the file, or the server and database
    // name (never the password).
    QString describe() const;

    // The configuration in force for this user.
    static StoreConfig load();
    static StoreConfig fromFile(const QString& file);
    static StoreConfig fromPath(const QString& path);
    // A postgresql:// address; a malformed one gives a config with `problem` set to `*reason`.
    static StoreConfig fromUrl(const QString& url, QString* reason = nullptr);
    // The DB argument of the teacher's tool: a postgresql:// address or a file path.
    static StoreConfig fromArgument(const QString& argument);
    // Whether a text is meant as a server address: it starts with "postgres" (in any case). Such a
    // text is never taken as a file name, since a mistyped address would show its password.
    static bool isAddress(const QString& text);
};
