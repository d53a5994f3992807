#include "store/classresults.h"

#include "store/csvtext.h"
#include "store/databaseconnection.h"

#include <QCollator>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

namespace ClassResults {

namespace {

// PostgreSQL gives a date; SQLite the ISO text the programs write.
QDate dateOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

// A time of day: SQL time on a server, "hh:mm:ss" text (or a date-time text) in SQLite.
QTime timeOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QTime)
        return value.toTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time();
    QString text = value.toString();
    const qsizetype cut = qMax(text.indexOf(QLatin1Char('T')), text.indexOf(QLatin1Char(' ')));
    if (cut >= 0)
        text = text.mid(cut + 1);
    return QTime::fromString(text.left(8), Qt::ISODate);
}

// The period as a condition on Datum, with its values; the day after the last one is the bound, so
// that a date stored with a time of day still counts for its day.
QString periodCondition(DatabaseConnection& connection, const Period& period, QVariantList& values)
{
    if (!period.limited())
        return QString();
    values << connection.dateValue(period.from) << connection.dateValue(period.to.addDays(1));
    return QStringLiteral(" AND \"Datum\" >= ? AND \"Datum\" < ?");
}

bool indexExists(DatabaseConnection& connection, const QString& name)
{
    QSqlQuery query(connection.database());
    const QString statement = connection.isPostgres()
                                  ? QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND "
                                                   "indexname = ?")
                                  : QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?");
    // Unknown counts as present: nothing is attempted on a database that cannot even be asked.
    return !connection.run(query, statement, {name}) || query.next();
}

QString shownDate(const QDate& day)
{
    return day.toString(QStringLiteral("d. M. yyyy"));
}

QString plainNumber(qint64 value)
{
    return QString::number(value);
}

QString plainPercent(bool has, double value)
{
    if (!has)
        return QString();
    QLocale czech(QLocale::Czech);
    czech.setNumberOptions(QLocale::OmitGroupSeparator);
    return czech.toString(value, 'f', 2);
}

} // namespace

QString Period::name() const
{
    const QString days = limited() ? QStringLiteral(" (%1 – %2)").arg(shownDate(from), shownDate(to)) : QString();
    switch (kind) {
    case Kind::All:
        return QStringLiteral("celé období");
    case Kind::Week:
        return QStringLiteral("tento týden") + days;
    case Kind::Month:
        return QStringLiteral("tento měsíc") + days;
    case Kind::HalfYear:
        return QStringLiteral("pololetí") + days;
    case Kind::SchoolYear:
        return QStringLiteral("školní rok") + days;
    case Kind::Chosen:
        break;
    }
    if (from <= earliest())
        return QStringLiteral("do %1").arg(shownDate(to));
    if (to >= latest())
        return QStringLiteral("od %1").arg(shownDate(from));
    return QStringLiteral("%1 – %2").arg(shownDate(from), shownDate(to));
}

Period Period::of(Kind kind, const QDate& today, const QDate& from, const QDate& to)
{
    Period p;
    p.kind = kind;
    const int y = today.year();
    const int m = today.month();
    switch (kind) {
    case Kind::All:
        break;
    case Kind::Week:
        p.from = today.addDays(1 - today.dayOfWeek());
        p.to = p.from.addDays(6);
        break;
    case Kind::Month:
        p.from = QDate(y, m, 1);
        p.to = QDate(y, m, p.from.daysInMonth());
        break;
    case Kind::HalfYear:
        if (m >= 9 || m == 1) {
            p.from = QDate(m >= 9 ? y : y - 1, 9, 1);
            p.to = QDate(p.from.year() + 1, 1, 31);
        } else {
            p.from = QDate(y, 2, 1);
            p.to = QDate(y, 6, 30);
        }
        break;
    case Kind::SchoolYear:
        p.from = QDate(m >= 9 ? y : y - 1, 9, 1);
        p.to = QDate(p.from.year() + 1, 8, 31);
        break;
    case Kind::Chosen:
        if (!from.isValid() || !to.isValid())
            return Period();
        p.from = qMin(from, to);
        p.to = qMax(from, to);
        break;
    }
    return p;
}

QDate parseDate(const QString& text)
{
    const QString t = text.trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    static const QRegularExpression czech(QStringLiteral("^(\\d{1,2})\\.\\s*(\\d{1,2})\\.\\s*(\\d{4})$"));
    if (const QRegularExpressionMatch m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (const QRegularExpressionMatch m = czech.match(t); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    return QDate();
}

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

bool indexesMissing(DatabaseConnection& connection)
{
    const QString failure = connection.failure();
    const bool missing =
        !indexExists(connection, QLatin1String(pupilsIndex)) || !indexExists(connection, QLatin1String(daysIndex));
    connection.setFailure(failure);
    return missing;
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

bool loadPupils(DatabaseConnection& connection, QList<Pupil>& out, const Period& period,
                const std::optional<QString>& className)
{
    QList<Pupil> read;
    QSet<QPair<QString, QString>> listed;
    {
        QSqlQuery pupils(connection.database());
        QVariantList values;
        QString statement = QStringLiteral("SELECT DISTINCT \"Trida\", \"Prijmeni\" FROM \"Zaci\"");
        if (className) {
            statement += QStringLiteral(" WHERE \"Trida\" = ?");
            values << *className;
        }
        if (!connection.run(pupils, statement, values))
            return false;
        while (pupils.next())
            listed.insert({pupils.value(0).toString(), pupils.value(1).toString()});
    }
    QSet<QPair<QString, QString>> withRuns;
    {
        QSqlQuery totals(connection.database());
        QVariantList values;
        QString statement = QStringLiteral(
            "SELECT \"Trida\", \"Prijmeni\", COUNT(*), SUM(COALESCE(\"Spravne\", 0)), SUM(COALESCE(\"Chybne\", 0)), "
            "MAX(\"Datum\") FROM \"Prehled\" WHERE \"TypZkous\" = 3");
        if (className) {
            statement += QStringLiteral(" AND \"Trida\" = ?");
            values << *className;
        }
        statement += periodCondition(connection, period, values) + QStringLiteral(" GROUP BY \"Trida\", \"Prijmeni\"");
        if (!connection.run(totals, statement, values))
            return false;
        while (totals.next()) {
            Pupil p;
            p.className = totals.value(0).toString();
            p.surname = totals.value(1).toString();
            p.runs = totals.value(2).toLongLong();
            p.right = totals.value(3).toLongLong();
            p.wrong = totals.value(4).toLongLong();
            p.lastRun = dateOf(totals.value(5));
            p.listed = listed.contains({p.className, p.surname});
            withRuns.insert({p.className, p.surname});
            read << p;
        }
    }
    for (const QPair<QString, QString>& pupil : std::as_const(listed))
        if (!withRuns.contains(pupil)) {
            Pupil p;
            p.className = pupil.first;
            p.surname = pupil.second;
            read << p;
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

bool loadDays(DatabaseConnection& connection, const QString& className, QList<Day>& out, const Period& period)
{
    QSqlQuery days(connection.database());
    QVariantList values{className};
    const QString condition = periodCondition(connection, period, values);
    if (!connection.run(
            days,
            QStringLiteral("SELECT \"Datum\", SUM(COALESCE(\"Spravne\", 0) + COALESCE(\"Chybne\", 0)) FROM \"Prehled\" "
                           "WHERE \"TypZkous\" = 3 AND \"Trida\" = ?%1 GROUP BY \"Datum\" ORDER BY \"Datum\"")
                .arg(condition),
            values))
        return false;
    QList<Day> read;
    while (days.next()) {
        const QDate day = dateOf(days.value(0));
        if (!day.isValid())
            continue;
        // Dates stored with a time of day come as several groups of one day.
        if (!read.isEmpty() && read.last().day == day)
            read.last().examples += days.value(1).toLongLong();
        else
            read << Day{day, days.value(1).toLongLong()};
    }
    out = read;
    return true;
}

bool loadHistory(DatabaseConnection& connection, const QString& surname, const QString& className, QList<Run>& out,
                 const Period& period)
{
    QSqlQuery runs(connection.database());
    QVariantList values{className, surname};
    const QString condition = periodCondition(connection, period, values);
    if (!connection.run(
            runs,
            QStringLiteral("SELECT \"Datum\", \"CasStrt\", \"CasEnd\", \"Spravne\", \"Chybne\", \"Prihlasenjako\" "
                           "FROM \"Prehled\" WHERE \"TypZkous\" = 3 AND \"Trida\" = ? AND \"Prijmeni\" = ?%1")
                .arg(condition),
            values))
        return false;
    QList<Run> read;
    while (runs.next()) {
        Run r;
        r.date = dateOf(runs.value(0));
        r.start = timeOf(runs.value(1));
        r.end = timeOf(runs.value(2));
        r.right = runs.value(3).toLongLong();
        r.wrong = runs.value(4).toLongLong();
        r.signedInAs = runs.value(5).toString();
        read << r;
    }
    std::stable_sort(read.begin(), read.end(),
                     [](const Run& a, const Run& b) { return a.date != b.date ? a.date < b.date : a.start < b.start; });
    out = read;
    return true;
}

bool isListed(DatabaseConnection& connection, const QString& surname, const QString& className, bool& listed)
{
    QSqlQuery query(connection.database());
    if (!connection.run(query, QStringLiteral("SELECT 1 FROM \"Zaci\" WHERE \"Prijmeni\" = ? AND \"Trida\" = ?"),
                        {surname, className}))
        return false;
    listed = query.next();
    return true;
}

QString notListedText()
{
    return QStringLiteral("není v seznamu třídy");
}

QString shownClass(const QString& className)
{
    return className.isEmpty() ? QStringLiteral("(neuvedena)") : className;
}

QByteArray pupilsCsv(const QList<Pupil>& pupils, const Period& period)
{
    QList<QStringList> rows;
    if (period.limited())
        rows << QStringList{QStringLiteral("Období: ") + period.name()};
    rows << QStringList{
        QStringLiteral("Třída"),          QStringLiteral("Příjmení"),        QStringLiteral("Běhů"),
        QStringLiteral("Příklady dobře"), QStringLiteral("Příklady špatně"), QStringLiteral("Úspěšnost (%)"),
        QStringLiteral("Poslední běh"),   QStringLiteral("Poznámka")};
    for (const Pupil& p : pupils)
        rows << QStringList{p.className,
                            p.surname,
                            plainNumber(p.runs),
                            plainNumber(p.right),
                            plainNumber(p.wrong),
                            plainPercent(p.hasSuccess(), p.success()),
                            p.lastRun.isValid() ? p.lastRun.toString(QStringLiteral("dd.MM.yyyy")) : QString(),
                            p.listed ? QString() : notListedText()};
    return CsvText::table(rows);
}

QByteArray historyCsv(const QString& surname, const QString& className, const QList<Run>& runs, const Period& period)
{
    QList<QStringList> rows;
    rows << QStringList{QStringLiteral("Žák: %1, třída %2, %3").arg(surname, shownClass(className), period.name())};
    rows << QStringList{
        QStringLiteral("Datum"),          QStringLiteral("Začátek"),         QStringLiteral("Konec"),
        QStringLiteral("Příklady dobře"), QStringLiteral("Příklady špatně"), QStringLiteral("Úspěšnost (%)"),
        QStringLiteral("Odkud")};
    for (const Run& r : runs)
        rows << QStringList{r.date.isValid() ? r.date.toString(QStringLiteral("dd.MM.yyyy")) : QString(),
                            r.start.toString(QStringLiteral("hh:mm")),
                            r.end.toString(QStringLiteral("hh:mm")),
                            plainNumber(r.right),
                            plainNumber(r.wrong),
                            plainPercent(r.hasSuccess(), r.success()),
                            r.byMail() ? QStringLiteral("e-mailem") : QStringLiteral("ve škole")};
    return CsvText::table(rows);
}

} // namespace ClassResults
