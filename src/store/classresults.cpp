#include "store/classresults.h"

#include "store/databaseconnection.h"

#include <QCollator>
#include <QSet>
#include <QSqlQuery>

namespace ClassResults {

namespace {

// PostgreSQL gives a date; SQLite the ISO text the programs write.
QDate dateOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

bool run(DatabaseConnection& connection, QSqlQuery& query, const QString& statement, const QVariantList& values = {})
{
    query.setForwardOnly(true);
    if (!connection.prepare(query, statement))
        return false;
    for (const QVariant& v : values)
        query.addBindValue(v);
    return connection.exec(query);
}

bool indexExists(DatabaseConnection& connection, const QString& name)
{
    QSqlQuery query(connection.database());
    const QString statement = connection.isPostgres()
                                  ? QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND "
                                                   "indexname = ?")
                                  : QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?");
    // Unknown counts as present: nothing is attempted on a database that cannot even be asked.
    return !run(connection, query, statement, {name}) || query.next();
}

} // namespace

QStringList indexStatements()
{
    return {
        QStringLiteral("CREATE INDEX \"%1\" ON \"Prehled\" (\"TypZkous\", \"Trida\", \"Prijmeni\", \"Datum\", "
                       "\"Spravne\", \"Chybne\")")
            .arg(QLatin1String(pupilsIndex)),
        QStringLiteral("CREATE INDEX \"%1\" ON \"Prehled\" (\"TypZkous\", \"Trida\", \"Datum\", \"Spravne\", "
                       "\"Chybne\")")
            .arg(QLatin1String(daysIndex)),
    };
}

void ensureIndexes(DatabaseConnection& connection)
{
    const QString failure = connection.failure();
    const QStringList statements = indexStatements();
    const char* const names[] = {pupilsIndex, daysIndex};
    for (int i = 0; i < 2; ++i)
        if (!indexExists(connection, QLatin1String(names[i])))
            connection.exec(statements.at(i));
    connection.setFailure(failure);
}

bool loadPupils(DatabaseConnection& connection, QList<Pupil>& out)
{
    QList<Pupil> read;
    QSet<QPair<QString, QString>> known;
    {
        QSqlQuery totals(connection.database());
        if (!run(connection, totals,
                 QStringLiteral("SELECT \"Trida\", \"Prijmeni\", COUNT(*), SUM(COALESCE(\"Spravne\", 0)), "
                                "SUM(COALESCE(\"Chybne\", 0)), MAX(\"Datum\") FROM \"Prehled\" WHERE \"TypZkous\" = 3 "
                                "GROUP BY \"Trida\", \"Prijmeni\"")))
            return false;
        while (totals.next()) {
            Pupil p;
            p.className = totals.value(0).toString();
            p.surname = totals.value(1).toString();
            p.runs = totals.value(2).toLongLong();
            p.right = totals.value(3).toLongLong();
            p.wrong = totals.value(4).toLongLong();
            p.lastRun = dateOf(totals.value(5));
            known.insert({p.className, p.surname});
            read << p;
        }
    }
    {
        QSqlQuery pupils(connection.database());
        if (!run(connection, pupils, QStringLiteral("SELECT DISTINCT \"Trida\", \"Prijmeni\" FROM \"Zaci\"")))
            return false;
        while (pupils.next()) {
            Pupil p;
            p.className = pupils.value(0).toString();
            p.surname = pupils.value(1).toString();
            if (!known.contains({p.className, p.surname}))
                read << p;
        }
    }
    QCollator czech{QLocale(QLocale::Czech)};
    czech.setNumericMode(true);
    std::sort(read.begin(), read.end(), [&czech](const Pupil& a, const Pupil& b) {
        const int byClass = czech.compare(a.className, b.className);
        return byClass != 0 ? byClass < 0 : czech.compare(a.surname, b.surname) < 0;
    });
    out = read;
    return true;
}

bool loadDays(DatabaseConnection& connection, const QString& className, QList<Day>& out)
{
    QSqlQuery days(connection.database());
    if (!run(
            connection, days,
            QStringLiteral("SELECT \"Datum\", SUM(COALESCE(\"Spravne\", 0) + COALESCE(\"Chybne\", 0)) FROM \"Prehled\" "
                           "WHERE \"TypZkous\" = 3 AND \"Trida\" = ? GROUP BY \"Datum\" ORDER BY \"Datum\""),
            {className}))
        return false;
    QList<Day> read;
    while (days.next()) {
        const QDate day = dateOf(days.value(0));
        if (day.isValid())
            read << Day{day, days.value(1).toLongLong()};
    }
    out = read;
    return true;
}

} // namespace ClassResults
