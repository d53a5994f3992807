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

bool run(DatabaseConnection& connection, QSqlQuery& query, const QString& statement)
{
    query.setForwardOnly(true);
    return connection.prepare(query, statement) && connection.exec(query);
}

} // namespace

bool load(DatabaseConnection& connection, Overview& out)
{
    Overview read;
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
            read.pupils << p;
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
                read.pupils << p;
        }
    }
    {
        QSqlQuery days(connection.database());
        if (!run(connection, days,
                 QStringLiteral("SELECT \"Trida\", \"Datum\", SUM(COALESCE(\"Spravne\", 0) + COALESCE(\"Chybne\", 0)) "
                                "FROM \"Prehled\" WHERE \"TypZkous\" = 3 GROUP BY \"Trida\", \"Datum\" "
                                "ORDER BY \"Trida\", \"Datum\"")))
            return false;
        while (days.next()) {
            const QDate day = dateOf(days.value(1));
            if (day.isValid())
                read.days << Day{days.value(0).toString(), day, days.value(2).toLongLong()};
        }
    }
    QCollator czech{QLocale(QLocale::Czech)};
    czech.setNumericMode(true);
    std::sort(read.pupils.begin(), read.pupils.end(), [&czech](const Pupil& a, const Pupil& b) {
        const int byClass = czech.compare(a.className, b.className);
        return byClass != 0 ? byClass < 0 : czech.compare(a.surname, b.surname) < 0;
    });
    out = read;
    return true;
}

} // namespace ClassResults
