#include "support/storefixture.h"

#include <memory>
#include <vector>

// A whole class finishing at once: 30 pupils' programs (separate processes) append their runs and
// read their totals at the same moment.
class TestStoreConcurrency : public QObject {
    Q_OBJECT
private slots:
    void thirtyWriters_data() { StoreFixture::addEngineRows(); }
    void thirtyWriters()
    {
        STORE_DATABASE(db);
        constexpr int writers = 30;
        const QString startAt = QString::number(QDateTime::currentMSecsSinceEpoch() + 2000);
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < writers; ++i) {
            // Writer i adds 2^i right examples, so a total shows exactly which rows it saw.
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(StoreFixture::writerPath(),
                                    {"store", "Souběžná", "2B", QString::number(1 << i), "1", "--start-at", startAt});
        }
        QSet<int> rowsSeen;
        for (int i = 0; i < writers; ++i) {
            QProcess& p = *processes[std::size_t(i)];
            QVERIFY(p.waitForFinished(60000));
            const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            const QStringList totals = out.split(' ');
            QVERIFY2(p.exitCode() == 0 && totals[0] == "ok", qPrintable(out));
            const qint64 right = totals.value(1).toLongLong();
            QVERIFY2(right & (qint64(1) << i),
                     qPrintable(QStringLiteral("writer %1 missed its own row: %2").arg(i).arg(out)));
            QCOMPARE(qPopulationCount(quint64(right)), totals.value(2).toUInt());
            rowsSeen.insert(totals.value(2).toInt());
        }
        QCOMPARE(db.count("\"Prijmeni\" = 'Souběžná' AND \"TypZkous\" = 3"), writers);
        QCOMPARE(db.first("SELECT SUM(\"Spravne\") FROM \"Prehled\"").value(0).toLongLong(),
                 (qint64(1) << writers) - 1);
        // SQLite writes one after another, so every writer saw a different number of rows.
        if (db.kind == StoreFixture::Database::Kind::Sqlite)
            QCOMPARE(rowsSeen.size(), writers);
    }
};

QTEST_GUILESS_MAIN(TestStoreConcurrency)
#include "tst_storeconcurrency.moc"
