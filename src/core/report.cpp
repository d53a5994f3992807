#include "core/report.h"

#include "core/numberformat.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <limits>

namespace {

const QString datePattern = QStringLiteral("dd.MM.yyyy hh:mm");
const QString crlf = QStringLiteral("\r\n");
const QDate dayCountEpoch(1899, 12, 30);
constexpr double msPerDay = 86400000.0;

QString percent(qint64 part, qint64 whole, const QLocale& locale)
{
    const double value = whole == 0 ? 0.0 : double(part) / double(whole) * 100.0;
    return NumberFormat::pattern(value, QStringLiteral("0.00"), locale);
}

QString countLine(const QString& title, qint32 count, qint64 whole, const QLocale& locale)
{
    return title + QString::number(count) + QStringLiteral(" (") + percent(count, whole, locale) +
           QStringLiteral("%)") + crlf;
}

// A count as the program writes it: decimal digits, no sign, no leading zero, within 32 bits.
bool readCount(const QString& digits, qint32& out)
{
    static const QRegularExpression form(QStringLiteral("^(0|[1-9][0-9]{0,9})$"));
    if (!form.match(digits).hasMatch())
        return false;
    const qint64 value = digits.toLongLong();
    if (value > std::numeric_limits<qint32>::max())
        return false;
    out = qint32(value);
    return true;
}

// "dd.mm.yyyy hh:mm" read as the wall-clock text it is: no time zone can make it invalid.
bool readDate(const QString& text, QDateTime& out)
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9]{2})\\.([0-9]{2})\\.([0-9]{4}) ([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt());
    out = QDateTime(date, time, Qt::UTC);
    return date.isValid() && time.isValid();
}

} // namespace

QString buildReport(const RunState& run, const QDateTime& end, const QLocale& locale)
{
    const qint64 examples = qint64(run.examplesRight) + run.examplesWrong;
    const qint64 dialogs = qint64(run.dialogsRight) + run.dialogsWrong;
    QString text;
    text += QStringLiteral("Student: ") + run.pupilName + crlf;
    text += QStringLiteral("Třída: ") + run.pupilClass + crlf;
    text += QStringLiteral("Kvizmat: 3 - Komplexní čísla") + crlf;
    text += QStringLiteral("Od: ") + fromDayCount(run.signInDateTime).toString(datePattern) + crlf;
    text += QStringLiteral("Do: ") + end.toString(datePattern) + crlf;
    text += QStringLiteral("Celkem odpovědí: ") + QString::number(examples) + crlf;
    if (run.examplesRight >= 1 || run.examplesWrong >= 1) {
        text += countLine(QStringLiteral("Z toho dobře: "), run.examplesRight, examples, locale);
        text += countLine(QStringLiteral("špatně: "), run.examplesWrong, examples, locale);
        text += countLine(QStringLiteral("dílčích úkolů dobře: "), run.dialogsRight, dialogs, locale);
        text += countLine(QStringLiteral("dílčích úkolů špatně: "), run.dialogsWrong, dialogs, locale);
    }
    return text;
}

ReportReading readReport(const QString& text, const QDate& today)
{
    ReportReading reading;
    auto refuse = [&reading](const QString& reason) {
        reading.problem = reason;
        return reading;
    };
    if (!text.endsWith(crlf))
        return refuse(QStringLiteral("Zpráva je neúplná: nekončí koncem řádku."));
    QStringList lines = text.split(crlf);
    lines.removeLast();
    if (lines.size() != 6 && lines.size() != 10)
        return refuse(
            QStringLiteral("Zpráva má %1 řádků místo 6 nebo 10; je neúplná nebo poškozená.").arg(lines.size()));

    ReportContents& r = reading.report;
    const QString student = QStringLiteral("Student: ");
    const QString trida = QStringLiteral("Třída: ");
    if (!lines[0].startsWith(student))
        return refuse(QStringLiteral("První řádek nezačíná „Student: “."));
    r.pupilName = lines[0].mid(student.size());
    if (!lines[1].startsWith(trida))
        return refuse(QStringLiteral("Druhý řádek nezačíná „Třída: “."));
    r.pupilClass = lines[1].mid(trida.size());
    if (lines[2] != QStringLiteral("Kvizmat: 3 - Komplexní čísla"))
        return refuse(QStringLiteral("Zpráva nepochází z programu Kvizmat 3 (třetí řádek je „%1“).")
                          .arg(printableText(lines[2].left(40))));
    if (r.pupilName.size() > maxPupilNameLength)
        return refuse(QStringLiteral("Jméno má %1 znaků; program jich zapíše nejvýš %2.")
                          .arg(r.pupilName.size())
                          .arg(maxPupilNameLength));
    if (r.pupilClass.size() > maxPupilClassLength)
        return refuse(QStringLiteral("Třída má %1 znaků; program jich zapíše nejvýš %2.")
                          .arg(r.pupilClass.size())
                          .arg(maxPupilClassLength));
    if (r.pupilName.contains(QChar(0)) || r.pupilClass.contains(QChar(0)))
        return refuse(QStringLiteral("Jméno nebo třída obsahuje znak NUL, který program nikdy nezapíše."));

    const QString od = QStringLiteral("Od: ");
    const QString doTitle = QStringLiteral("Do: ");
    if (!lines[3].startsWith(od) || !readDate(lines[3].mid(od.size()), r.from))
        return refuse(QStringLiteral("Čtvrtý řádek nemá tvar „Od: dd.mm.rrrr hh:mm“ s platným datem a časem."));
    if (!lines[4].startsWith(doTitle) || !readDate(lines[4].mid(doTitle.size()), r.to))
        return refuse(QStringLiteral("Pátý řádek nemá tvar „Do: dd.mm.rrrr hh:mm“ s platným datem a časem."));
    const QDateTime earliest(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    // A pupil a time zone to the east may already be a day ahead.
    const QDateTime latest(today.addDays(2), QTime(0, 0), Qt::UTC);
    if (r.from < earliest || r.to >= latest)
        return refuse(QStringLiteral("Datum běhu (%1 – %2) leží mimo rozumný rozsah (od roku 2000 do zítřka).")
                          .arg(lines[3].mid(od.size()), lines[4].mid(doTitle.size())));
    // When the clocks go back, a run may end up to an hour "before" its start on the wall clock.
    if (r.from > r.to.addSecs(3600))
        return refuse(QStringLiteral("Začátek běhu (%1) je až po jeho konci (%2).")
                          .arg(lines[3].mid(od.size()), lines[4].mid(doTitle.size())));

    qint32 total = 0;
    const QString celkem = QStringLiteral("Celkem odpovědí: ");
    if (!lines[5].startsWith(celkem) || !readCount(lines[5].mid(celkem.size()), total))
        return refuse(QStringLiteral("Šestý řádek nemá tvar „Celkem odpovědí: počet“."));
    if (lines.size() == 6) {
        if (total != 0)
            return refuse(QStringLiteral("Zpráva s %1 odpověďmi nemá řádky s počty dobře a špatně.").arg(total));
        reading.ok = true;
        return reading;
    }
    if (total == 0)
        return refuse(QStringLiteral("Zpráva bez odpovědí nemá mít řádky s počty dobře a špatně."));

    const QString titles[4] = {QStringLiteral("Z toho dobře: "), QStringLiteral("špatně: "),
                               QStringLiteral("dílčích úkolů dobře: "), QStringLiteral("dílčích úkolů špatně: ")};
    qint32* counts[4] = {&r.examplesRight, &r.examplesWrong, &r.dialogsRight, &r.dialogsWrong};
    QString shares[4];
    static const QRegularExpression countForm(QStringLiteral("^([0-9]+) \\(([0-9]+[.,][0-9]{2})%\\)$"));
    for (int k = 0; k < 4; ++k) {
        const QString& line = lines[6 + k];
        const QRegularExpressionMatch m =
            line.startsWith(titles[k]) ? countForm.match(line.mid(titles[k].size())) : QRegularExpressionMatch();
        if (!m.hasMatch() || !readCount(m.captured(1), *counts[k]))
            return refuse(QStringLiteral("Řádek %1 nemá tvar „%2počet (procenta%)“.").arg(7 + k).arg(titles[k]));
        shares[k] = m.captured(2);
    }
    const qint64 examples = qint64(r.examplesRight) + r.examplesWrong;
    const qint64 dialogs = qint64(r.dialogsRight) + r.dialogsWrong;
    if (examples != total)
        return refuse(QStringLiteral("Počty dobře (%1) a špatně (%2) nedávají dohromady celkový počet odpovědí (%3).")
                          .arg(r.examplesRight)
                          .arg(r.examplesWrong)
                          .arg(total));
    // Every example has three dialogs; a wrong example has one to three wrong ones.
    if (dialogs != 3 * examples || r.dialogsWrong < r.examplesWrong || r.dialogsWrong > 3 * qint64(r.examplesWrong))
        return refuse(QStringLiteral("Počty dílčích úkolů (%1 dobře, %2 špatně) neodpovídají počtům příkladů.")
                          .arg(r.dialogsRight)
                          .arg(r.dialogsWrong));
    const QChar separator = shares[0].at(shares[0].size() - 3);
    for (int k = 0; k < 4; ++k) {
        const qint64 whole = k < 2 ? examples : dialogs;
        const QString expected = percent(*counts[k], whole, QLocale::c());
        QString share = shares[k];
        if (share.at(share.size() - 3) != separator || share.replace(separator, QLatin1Char('.')) != expected)
            return refuse(QStringLiteral("Na řádku %1 neodpovídají procenta (%2 %) počtům.").arg(7 + k).arg(shares[k]));
    }
    reading.ok = true;
    return reading;
}

QString printableText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u <= 0x9f)) {
            shown += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        } else if (u == u'\\') {
            shown += QStringLiteral("\\\\");
        } else if (pair) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            // Format characters beyond the first plane (language tags) hide text too.
            if (QChar::category(code) == QChar::Other_Format)
                shown += QStringLiteral("\\U%1").arg(uint(code), 8, 16, QLatin1Char('0'));
            else
                shown += QStringView(text).mid(i, 2);
            ++i;
        } else if (c.isSurrogate() || c.category() == QChar::Other_Format || c.category() == QChar::Separator_Line ||
                   c.category() == QChar::Separator_Paragraph) {
            // Direction marks and overrides (U+202E turns the rest of a line around), invisible
            // characters and line separators, and a half of a character that lost its other half.
            shown += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

double toDayCount(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0;
    const double days = double(dayCountEpoch.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / msPerDay;
    // Before the epoch the day count is negative while the time of day still counts forward.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromDayCount(double dayCount)
{
    // Beyond these bounds the day count leaves the years 100 to 9999, the calendar the program keeps.
    if (!std::isfinite(dayCount) || dayCount < -657435.0 || dayCount >= 2958466.0)
        return QDateTime();
    double days = std::trunc(dayCount);
    qint64 ms = std::llround(std::fabs(dayCount - days) * msPerDay);
    if (ms >= qint64(msPerDay)) {
        ms -= qint64(msPerDay);
        days += dayCount < 0 ? -1 : 1;
    }
    return QDateTime(dayCountEpoch.addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}
