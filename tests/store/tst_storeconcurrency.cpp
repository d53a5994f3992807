#include "support/storefixture.h"

#include <memory>
#include <vector>

// Several classes finishing at once, as a school's pupils' programs do: each has signed in before,
// then all end their runs at the same moment. On the server they sign in with the pupils' own role,
// directly to a server whose connections for that role the test holds, or through PgBouncer.
class TestStoreConcurrency : public QObject {
    Q_OBJECT
private slots:
    void wholeSchool_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<bool>("pooled");
        QTest::newRow("sqlite") << int(StoreFixture::Database::Kind::Sqlite) << false;
        QTest::newRow("postgresql, pupils' role, server full") << int(StoreFixture::Database::Kind::Postgres) << false;
        QTest::newRow("postgresql through pgbouncer") << int(StoreFixture::Database::Kind::Postgres) << true;
    }
    void wholeSchool()
    {
        QFETCH(bool, pooled);
        STORE_DATABASE(db);
        const bool pg = db.kind == StoreFixture::Database::Kind::Postgres;
        const QString pupilsUrl = pg ? db.usePupilsRole(pooled) : QString();
        if (pg && pupilsUrl.isEmpty())
            QSKIP("the test server has no pupils' role or PgBouncer (scripts/test-services.sh makes them)");
        constexpr int classes = 4, pupils = 30, writers = classes * pupils;
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < writers; ++i) {
            // Pupil j of a class (one surname per class) adds 2^j right examples, so a total shows
            // exactly which rows of the class it saw.
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(StoreFixture::buildDir + "/tests/kvizmat_store_writer",
                                    {QString("Souběžná %1").arg(i / pupils), "2B", QString::number(1 << (i % pupils)),
                                     "1", "--end-on-line"});
        }
        for (const auto& p : processes) {
            while (!p->canReadLine())
                QVERIFY2(p->waitForReadyRead(120000), qPrintable(p->errorString() + p->readAllStandardError()));
            QCOMPARE(p->readLine().trimmed(), QByteArray("signed-in"));
        }
        // Directly, the test holds every connection the pupils' role may have when the runs end, so
        // the writers are refused after their password, as at a school whose server is full; the
        // connections are freed once a writer says it is waiting.
        const QString role = qEnvironmentVariable("KVIZMAT_TEST_PG_PASSWORD_ROLE");
        const bool full = pg && !pooled;
        constexpr int roleLimit = 30;
        if (full)
            QVERIFY(db.exec({"ALTER ROLE " + role + QString(" CONNECTION LIMIT %1").arg(roleLimit)}));
        const auto unlimited = qScopeGuard([&] {
            if (full)
                db.exec({"ALTER ROLE " + role + " CONNECTION LIMIT -1"});
        });
        std::vector<std::unique_ptr<DatabaseConnection>> held;
        for (int i = 0; full && i < roleLimit; ++i) {
            held.push_back(std::make_unique<DatabaseConnection>(StoreConfig::fromUrl(pupilsUrl)));
            QVERIFY2(held.back()->open(), qPrintable(held.back()->failure()));
        }
        for (const auto& p : processes)
            p->write("end\n");
        for (const auto& p : processes)
            p->waitForBytesWritten(-1);
        if (full) {
            const auto told = [&processes](const char* what) {
                return std::any_of(processes.begin(), processes.end(),
                                   [what](const auto& p) { return p->peek(1 << 16).contains(what); });
            };
            // A writer's last line ("ok …", "fail …") has spaces; its other lines have none.
            QTRY_VERIFY_WITH_TIMEOUT(told("waiting") || told(" "), 120000);
            QVERIFY2(told("waiting"), "a writer ended before any met the full server");
            held.clear();
        }
        QSet<int> rowsSeen;
        int passing = 0, spent = 0;
        for (int i = 0; i < writers; ++i) {
            QProcess& p = *processes[std::size_t(i)];
            QVERIFY(p.waitForFinished(120000));
            const QStringList out =
                QString::fromUtf8(p.readAllStandardOutput()).trimmed().split('\n').constLast().split(' ');
            passing += out.value(1).toInt();
            // A busy database whose waiting time ran out is this machine's limit; any other failure is a fault.
            if (out[0] == "spent") {
                qWarning("writer %d waited its whole time out: %s", i, qPrintable(out.mid(2).join(' ')));
                ++spent;
                continue;
            }
            const qint64 right = out.value(2).toLongLong();
            QVERIFY2(
                out[0] == "ok" && (right & (qint64(1) << (i % pupils))),
                qPrintable(QStringLiteral("writer %1 failed or missed its own row: %2").arg(i).arg(out.join(' '))));
            QCOMPARE(qPopulationCount(quint64(right)), out.value(3).toUInt());
            if (i < pupils)
                rowsSeen.insert(out.value(3).toInt());
        }
        qInfo("%d tries met a busy database, %d writers ran out of waiting time", passing, spent);
        QVERIFY2(spent == 0, qPrintable(QString("%1 writers ran out of waiting time on this machine").arg(spent)));
        // Every row once: each writer's (surname, count) pair is its own.
        QCOMPARE(db.first("SELECT COUNT(*), COUNT(DISTINCT \"Prijmeni\" || \"Spravne\") FROM \"Prehled\""),
                 QVariantList({writers, writers}));
        // The server really turned writers away: they waited for it.
        if (full)
            QVERIFY2(passing > 0, "no writer met a full server");
        // SQLite writes one after another, so every writer of a class saw a different number of rows.
        if (!pg)
            QCOMPARE(rowsSeen.size(), pupils);
    }
};

QTEST_GUILESS_MAIN(TestStoreConcurrency)
#include "tst_storeconcurrency.moc"
