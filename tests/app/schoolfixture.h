#pragma once

// A school database and its configuration file in a temporary folder (header only: several test
// programs use it). Zaci and Prehled are made with the field names alone, as another program of the
// family may have made them.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariantList>
#include <QtTest>

class SchoolFixture {
public:
    SchoolFixture()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("user/kvizmat"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("user"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.filePath(QStringLiteral("system"))));
    }

    QString databasePath() const { return m_dir.filePath(QStringLiteral("skola.db")); }

    // Points the program at the database file, which need not exist.
    void configure() const
    {
        QFile conf(m_dir.filePath(QStringLiteral("user/kvizmat/kvizmat.conf")));
        if (conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
            conf.write("[database]\npath=" + QFile::encodeName(databasePath()) + "\n");
    }

    void createDatabase(const QList<QPair<QString, QString>>& pupils) const
    {
        configure();
        QFile::remove(databasePath());
        exec({"CREATE TABLE Zaci (Prijmeni TEXT, Trida TEXT)",
              "CREATE TABLE Prehled (Prijmeni TEXT, Trida TEXT, Spravne INTEGER, Chybne INTEGER, CasStrt, "
              "CasEnd, "
              "Datum, Prihlasenjako TEXT, TypZkous INTEGER)"});
        for (const auto& [surname, className] : pupils)
            exec({"INSERT INTO Zaci VALUES (?, ?)"}, {surname, className});
    }

    void addEarlierRun(const QString& surname, int right, int wrong, int program = 3) const
    {
        exec({"INSERT INTO Prehled (Prijmeni, Trida, Spravne, Chybne, TypZkous) VALUES (?, '1A', ?, ?, ?)"},
             {surname, right, wrong, program});
    }

    // A file that exists but is no database.
    void createGarbage() const
    {
        configure();
        QFile f(databasePath());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(QByteArray(4096, 'x'));
    }

    // Surname, class, right, wrong, user name and program number of every row of Prehled.
    QList<QVariantList> runs() const
    {
        QList<QVariantList> rows;
        exec({"SELECT Prijmeni, Trida, Spravne, Chybne, Prihlasenjako, TypZkous FROM Prehled ORDER BY rowid"}, {},
             [&rows](QSqlQuery& q) {
                 while (q.next())
                     rows << QVariantList{q.value(0), q.value(1), q.value(2), q.value(3), q.value(4), q.value(5)};
             });
        return rows;
    }

private:
    void exec(const QList<const char*>& statements, const QVariantList& values = {},
              std::function<void(QSqlQuery&)> read = {}) const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(databasePath());
            db.open();
            for (const char* statement : statements) {
                QSqlQuery q(db);
                q.prepare(QString::fromUtf8(statement));
                for (const QVariant& v : values)
                    q.addBindValue(v);
                if (!q.exec())
                    qWarning("fixture: %s", statement);
                if (read)
                    read(q);
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }

    QTemporaryDir m_dir;
};
