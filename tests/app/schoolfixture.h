#pragma once

// A school database and its configuration in a temporary folder, for the tests of the sign-in,
// the summary and whole runs. Header only: included by several test programs.

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariantList>
#include <QtTest>

class SchoolFixture {
public:
    SchoolFixture() {
        QDir(m_dir.path()).mkpath(QStringLiteral("user/kvizmat"));
        QDir(m_dir.path()).mkpath(QStringLiteral("system"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/user")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.path() + QStringLiteral("/system")));
    }

    QString databasePath() const { return m_dir.path() + QStringLiteral("/skola.db"); }

    // Points the program at the database file (which need not exist).
    void configure() const {
        QFile conf(m_dir.path() + QStringLiteral("/user/kvizmat/kvizmat.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        conf.write("[database]\npath=" + QFile::encodeName(databasePath()) + "\n");
    }

    // Zaci and Prehled with the field names alone, as another program of the family may have made them.
    void createDatabase(const QList<QPair<QString, QString>>& pupils) const {
        configure();
        withDatabase([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(QStringLiteral("CREATE TABLE Zaci (Prijmeni TEXT, Trida TEXT)")),
                     qPrintable(q.lastError().text()));
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE Prehled (Prijmeni TEXT, Trida TEXT, Spravne INTEGER, "
                                          "Chybne INTEGER, CasStrt, CasEnd, Datum, Prihlasenjako TEXT, "
                                          "TypZkous INTEGER)")));
            for (const auto& [surname, className] : pupils) {
                q.prepare(QStringLiteral("INSERT INTO Zaci (Prijmeni, Trida) VALUES (?, ?)"));
                q.addBindValue(surname);
                q.addBindValue(className);
                QVERIFY(q.exec());
            }
        });
    }

    void addEarlierRun(const QString& surname, int right, int wrong, int program = 3) const {
        withDatabase([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO Prehled (Prijmeni, Trida, Spravne, Chybne, TypZkous) "
                                     "VALUES (?, '1A', ?, ?, ?)"));
            q.addBindValue(surname);
            q.addBindValue(right);
            q.addBindValue(wrong);
            q.addBindValue(program);
            QVERIFY(q.exec());
        });
    }

    // The rows of Prehled: surname, class, right, wrong, user name, program number.
    QList<QVariantList> runs() const {
        QList<QVariantList> rows;
        withDatabase([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT Prijmeni, Trida, Spravne, Chybne, Prihlasenjako, TypZkous, "
                                          "CasStrt, CasEnd, Datum FROM Prehled ORDER BY rowid")));
            while (q.next()) {
                QVariantList row;
                for (int i = 0; i < 9; ++i)
                    row << q.value(i);
                rows << row;
            }
        });
        return rows;
    }

    // A file that exists but is no database.
    void createGarbage() const {
        configure();
        QFile f(databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }

    void removeDatabase() const { QFile::remove(databasePath()); }

private:
    template <class F> void withDatabase(F action) const {
        const QString name = QStringLiteral("fixture");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(databasePath());
            QVERIFY(db.open());
            action(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    QTemporaryDir m_dir;
};
