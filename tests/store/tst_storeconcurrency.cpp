#include "support/storefixture.h"

#include <memory>
#include <vector>

// Several classes finishing at once: more pupils' programs (separate processes) than the test server
// takes connections (100) append their runs and read their totals at the same moment.
class TestStoreConcurrency : public QObject {
    Q_OBJECT
private slots:
    void wholeSchool_data() { StoreFixture::addEngineRows(); }
    void wholeSchool()
    {
        STORE_DATABASE(db);
        constexpr int classes = 4, pupils = 30, writers = classes * pupils;
        // A whole school does not fit in this machine's two cores at once, so the test itself takes
        // all but a few of the server's connections: most writers are refused at first and must wait.
        std::vector<std::unique_ptr<DatabaseConnection>> held;
        for (bool full = db.kind == StoreFixture::Database::Kind::Sqlite; !full;) {
            held.push_back(std::make_unique<DatabaseConnection>(db.config));
            full = !held.back()->open();
        }
        held.resize(held.size() > 8 ? held.size() - 8 : 0);
        const QString startAt = QString::number(QDateTime::currentMSecsSinceEpoch() + 4000);
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < writers; ++i) {
            // Pupil j of a class (one surname per class) adds 2^j right examples, so a total shows
            // exactly which rows of the class it saw.
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(StoreFixture::buildDir + "/tests/kvizmat_store_writer",
                                    {QString("Souběžná %1").arg(i / pupils), "2B", QString::number(1 << (i % pupils)),
                                     "1", "--start-at", startAt});
        }
        QSet<int> rowsSeen;
        for (int i = 0; i < writers; ++i) {
            QProcess& p = *processes[std::size_t(i)];
            QVERIFY(p.waitForFinished(90000));
            const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            const QStringList totals = out.split(' ');
            const qint64 right = totals.value(1).toLongLong();
            QVERIFY2(totals[0] == "ok" && (right & (qint64(1) << (i % pupils))),
                     qPrintable(QStringLiteral("writer %1 failed or missed its own row: %2").arg(i).arg(out)));
            QCOMPARE(qPopulationCount(quint64(right)), totals.value(2).toUInt());
            if (i < pupils)
                rowsSeen.insert(totals.value(2).toInt());
        }
        // Every row once: each writer's (surname, count) pair is its own.
        QCOMPARE(db.first("SELECT COUNT(*), COUNT(DISTINCT \"Prijmeni\" || \"Spravne\") FROM \"Prehled\""),
                 QVariantList({writers, writers}));
        // SQLite writes one after another, so every writer of a class saw a different number of rows.
        if (db.kind == StoreFixture::Database::Kind::Sqlite)
            QCOMPARE(rowsSeen.size(), pupils);
    }
};

QTEST_GUILESS_MAIN(TestStoreConcurrency)
#include "tst_storeconcurrency.moc"
