#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

class DatabaseConnection;

// The teacher's overview of a school database, for the teacher's window and the teacher's tool alike:
// one line per pupil of this program (TypZkous 3), the examples a class worked per day and the runs
// of one pupil, all within a period and summed by the database.
namespace ClassResults {

// Days from `from` to `to`, both included; without dates every run counts.
struct Period {
    enum class Kind { All, Week, Month, HalfYear, SchoolYear, Chosen };

    Kind kind = Kind::All;
    QDate from;
    QDate to;

    bool limited() const { return from.isValid() && to.isValid(); }
    bool contains(const QDate& day) const { return !limited() || (day >= from && day <= to); }
    // "celé období", "toto pololetí (1. 9. 2026 – 31. 1. 2027)".
    QString name() const;

    // The week from Monday to Sunday, the month, the half-year (1 September – 31 January, then
    // 1 February – 30 June; in the holidays the half-year just ended), the school year (1 September –
    // 31 August) around `today`; or the days chosen (in either order).
    // The bounds of a period open at one end.
    static QDate earliest() { return QDate(1900, 1, 1); }
    static QDate latest() { return QDate(9999, 12, 30); }
    static Period of(Kind kind, const QDate& today, const QDate& from = QDate(), const QDate& to = QDate());
};

// A date given by the teacher: RRRR-MM-DD or D.M.RRRR (blanks after the dots allowed); invalid otherwise.
QDate parseDate(const QString& text);

struct Pupil {
    QString className;
    QString surname;
    qint64 runs = 0;
    qint64 right = 0;
    qint64 wrong = 0;
    // Invalid for a pupil without a run (or with dates the database holds in another form).
    QDate lastRun;
    // False for runs under a surname and class that the class list (Zaci) does not have.
    bool listed = true;

    // Success in per cent; no value without a finished example.
    bool hasSuccess() const { return right + wrong > 0; }
    double success() const { return hasSuccess() ? double(right) / double(right + wrong) * 100.0 : 0.0; }
};

struct Day {
    QDate day;
    qint64 examples = 0;
};

// One run of a pupil.
struct Run {
    QDate date;
    QTime start;
    QTime end;
    qint64 right = 0;
    qint64 wrong = 0;
    // Prihlasenjako: the computer's user at school, or "e-mail" for a run imported from a report.
    QString signedInAs;

    bool byMail() const { return signedInAs == QStringLiteral("e-mail"); }
    bool hasSuccess() const { return right + wrong > 0; }
    double success() const { return hasSuccess() ? double(right) / double(right + wrong) * 100.0 : 0.0; }
};

// Names of the covering indexes that let the queries read an index instead of the table.
inline constexpr const char* pupilsIndex = "Prehled_TypZkous_Trida_Prijmeni";
inline constexpr const char* daysIndex = "Prehled_TypZkous_Trida_Datum";

// The statements creating the two indexes; a new school database gets them at once.
QStringList indexStatements();

// Whether an index is missing (then ensureIndexes takes a while on a large table).
bool indexesMissing(DatabaseConnection& connection);

// Creates the two indexes when they are missing (the first time on a large table this takes a
// few seconds). Best effort: without the right to create them the queries only take longer.
void ensureIndexes(DatabaseConnection& connection);

// Pupils with results in the period, and pupils of Zaci without any, by class and surname in Czech
// order; only one class when given. False with connection.failure() set when the tables cannot be read.
bool loadPupils(DatabaseConnection& connection, QList<Pupil>& out, const Period& period = Period(),
                const std::optional<QString>& className = std::nullopt);

// The examples (right and wrong) of one class per day of the period, in order of the days.
bool loadDays(DatabaseConnection& connection, const QString& className, QList<Day>& out,
              const Period& period = Period());

// The runs of one pupil in the period, oldest first.
bool loadHistory(DatabaseConnection& connection, const QString& surname, const QString& className, QList<Run>& out,
                 const Period& period = Period());

// Whether the class list holds this pupil.
bool isListed(DatabaseConnection& connection, const QString& surname, const QString& className, bool& listed);

// "není v seznamu třídy": how the table and the import name a pupil missing from Zaci.
QString notListedText();

// The class table and a pupil's history as the spreadsheet gets them (the period named on the first
// line when it is limited), for the window's export and the tool's --csv alike.
QByteArray pupilsCsv(const QList<Pupil>& pupils, const Period& period);
QByteArray historyCsv(const QString& surname, const QString& className, const QList<Run>& runs, const Period& period);

// "(neuvedena)" for an empty class.
QString shownClass(const QString& className);

} // namespace ClassResults
