#include "storefixture.h"

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
        const qint64 startAt = QDateTime::currentMSecsSinceEpoch() + 2000;
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < writers; ++i) {
            auto p = std::make_unique<QProcess>();
            // Writer i adds 2^i right examples, so the total shows exactly which rows it saw.
            p->start(StoreFixture::writerPath(), {QStringLiteral("store"), QStringLiteral("Souběžná"),
                                                  QStringLiteral("2B"), QString::number(1 << i), QStringLiteral("1"),
                                                  QStringLiteral("--start-at"), QString::number(startAt)});
            processes.push_back(std::move(p));
        }
        QSet<int> rowsSeen;
        for (int i = 0; i < writers; ++i) {
            QProcess& p = *processes[std::size_t(i)];
            QVERIFY(p.waitForFinished(60000));
            const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            QVERIFY2(p.exitCode() == 0 && out.startsWith(QStringLiteral("ok ")), qPrintable(out));
            const QStringList totals = out.split(QLatin1Char(' '));
            const qint64 right = totals.value(1).toLongLong();
            const int wrong = totals.value(2).toInt();
            QVERIFY2(right & (qint64(1) << i),
                     qPrintable(QStringLiteral("writer %1 missed its own row: %2").arg(i).arg(out)));
            QCOMPARE(qPopulationCount(quint64(right)), uint(wrong));
            rowsSeen.insert(wrong);
        }
        QCOMPARE(db.count(QStringLiteral("\"Prijmeni\" = 'Souběžná' AND \"TypZkous\" = 3")), writers);
        QCOMPARE(db.first(QStringLiteral("SELECT SUM(\"Spravne\") FROM \"Prehled\"")).value(0).toLongLong(),
                 (qint64(1) << writers) - 1);
        // SQLite writes one after another, so every writer saw a different number of rows.
        if (db.kind == StoreFixture::Database::Kind::Sqlite)
            QCOMPARE(rowsSeen.size(), writers);
    }
};

QTEST_GUILESS_MAIN(TestStoreConcurrency)
#include "tst_results_storeconcurrency.moc"
