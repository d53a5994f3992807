#include "support/storefixture.h"

#include <memory>
#include <vector>

// Several classes finishing at once, as a school's pupils' programs do: each has signed in before,
// then all end their runs at the same moment. On the server they sign in with the pupils' own role,
// directly to a server whose connections the test has nearly all taken, or through PgBouncer.
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
        if (pg && db.usePupilsRole(pooled).isEmpty())
            QSKIP("the test server has no pupils' role or PgBouncer (scripts/test-services.sh makes them)");
        constexpr int classes = 4, pupils = 30, writers = classes * pupils;
        // A whole school does not fit in this machine's two cores at once, so the pupils' role may
        // have only a few connections at a time here: most writers are refused after their password
        // and must wait, as at a school whose server is full.
        const QString role = qEnvironmentVariable("KVIZMAT_TEST_PG_PASSWORD_ROLE");
        const bool limited = pg && !pooled;
        if (limited)
            QVERIFY(db.exec({"ALTER ROLE " + role + " CONNECTION LIMIT 30"}));
        const auto unlimited = qScopeGuard([&] {
            if (limited)
                db.exec({"ALTER ROLE " + role + " CONNECTION LIMIT -1"});
        });
        std::vector<std::unique_ptr<QProcess>> processes;
        const QString endAt = QString::number(QDateTime::currentMSecsSinceEpoch() + 6000);
        for (int i = 0; i < writers; ++i) {
            // Pupil j of a class (one surname per class) adds 2^j right examples, so a total shows
            // exactly which rows of the class it saw.
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(StoreFixture::buildDir + "/tests/kvizmat_store_writer",
                                    {QString("Souběžná %1").arg(i / pupils), "2B", QString::number(1 << (i % pupils)),
                                     "1", "--start-at", endAt});
        }
        QSet<int> rowsSeen;
        int passing = 0, spent = 0;
        for (int i = 0; i < writers; ++i) {
            QProcess& p = *processes[std::size_t(i)];
            QVERIFY(p.waitForFinished(120000));
            const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(' ');
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
        if (pg && !pooled)
            QVERIFY2(passing > 0, "no writer met a full server");
        // SQLite writes one after another, so every writer of a class saw a different number of rows.
        if (!pg)
            QCOMPARE(rowsSeen.size(), pupils);
    }
};

QTEST_GUILESS_MAIN(TestStoreConcurrency)
#include "tst_storeconcurrency.moc"
