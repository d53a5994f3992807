#pragma once

// A school database and its configuration file in a temporary folder, for the test programs that sign
// in or end a run. Zaci and Prehled are made with the field names alone, as another program of the
// family may have made them.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class SchoolFixture {
public:
    SchoolFixture()
    {
        QDir(m_dir.path()).mkpath("user/kvizmat");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("user")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.filePath("system")));
    }

    // Points the program at the database file, which need not exist.
    void configure() const
    {
        QFile conf(m_dir.filePath("user/kvizmat/kvizmat.conf"));
        if (conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
            conf.write("[database]\npath=" + QFile::encodeName(path()) + "\n");
    }
    // A file that exists but is no database.
    void createGarbage() const
    {
        configure();
        QFile f(path());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(QByteArray(4096, 'x'));
    }
    void createDatabase(const QList<QPair<QString, QString>>& pupils) const
    {
        configure();
        QFile::remove(path());
        exec("CREATE TABLE Zaci (Prijmeni TEXT, Trida TEXT)");
        exec("CREATE TABLE Prehled (Prijmeni TEXT, Trida TEXT, Spravne INTEGER, Chybne INTEGER, CasStrt, CasEnd, "
             "Datum, Prihlasenjako TEXT, TypZkous INTEGER)");
        exec("CREATE TABLE ZapsaneBehy (Otisk TEXT PRIMARY KEY, Datum TEXT)");
        for (const auto& [surname, className] : pupils)
            exec("INSERT INTO Zaci VALUES (?, ?)", {surname, className});
    }
    void addEarlierRun(const QString& surname, int right, int wrong, int program = 3) const
    {
        exec("INSERT INTO Prehled (Prijmeni, Trida, Spravne, Chybne, TypZkous) VALUES (?, '1A', ?, ?, ?)",
             {surname, right, wrong, program});
    }
    // Surname, class, right, wrong, user name and program number of every row of Prehled.
    QList<QVariantList> runs() const
    {
        return exec("SELECT Prijmeni, Trida, Spravne, Chybne, Prihlasenjako, TypZkous FROM Prehled ORDER BY rowid");
    }

private:
    QString path() const { return m_dir.filePath("skola.db"); }
    QList<QVariantList> exec(const QString& statement, const QVariantList& values = {}) const
    {
        QList<QVariantList> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
            db.setDatabaseName(path());
            db.open();
            QSqlQuery q(db);
            q.prepare(statement);
            for (const QVariant& v : values)
                q.addBindValue(v);
            if (!q.exec())
                qWarning("fixture: %s", qPrintable(statement));
            while (q.next())
                rows << QVariantList{q.value(0), q.value(1), q.value(2), q.value(3), q.value(4), q.value(5)};
        }
        QSqlDatabase::removeDatabase("fixture");
        return rows;
    }
    QTemporaryDir m_dir;
};
