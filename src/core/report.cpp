#include "core/report.h"

#include "core/numberformat.h"

#include <QStringList>

#include <cmath>

namespace {

const QString datePattern = QStringLiteral("dd.MM.yyyy hh:mm");
const QString crlf = QStringLiteral("\r\n");
const QDate oleEpoch(1899, 12, 30);
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

bool readCount(const QString& line, const QString& title, qint32& out)
{
    if (!line.startsWith(title))
        return false;
    QString rest = line.mid(title.size());
    const qsizetype paren = rest.indexOf(QStringLiteral(" ("));
    if (paren >= 0)
        rest.truncate(paren);
    bool ok = false;
    const int value = rest.toInt(&ok);
    if (!ok || value < 0)
        return false;
    out = value;
    return true;
}

bool readDate(const QString& line, const QString& title, QDateTime& out)
{
    if (!line.startsWith(title))
        return false;
    out = QDateTime::fromString(line.mid(title.size()), datePattern);
    return out.isValid();
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
    text += QStringLiteral("Od: ") + fromOleDate(run.signInDateTime).toString(datePattern) + crlf;
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

bool parseReport(const QString& text, ReportContents& out, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!text.endsWith(crlf))
        return fail(QStringLiteral("Zpráva nekončí koncem řádku."));
    QStringList lines = text.split(crlf);
    lines.removeLast();
    if (lines.size() != 6 && lines.size() != 10)
        return fail(QStringLiteral("Zpráva má %1 řádků místo 6 nebo 10.").arg(lines.size()));

    ReportContents r;
    const QString student = QStringLiteral("Student: ");
    const QString trida = QStringLiteral("Třída: ");
    if (!lines[0].startsWith(student))
        return fail(QStringLiteral("První řádek nezačíná „Student: “."));
    r.pupilName = lines[0].mid(student.size());
    if (!lines[1].startsWith(trida))
        return fail(QStringLiteral("Druhý řádek nezačíná „Třída: “."));
    r.pupilClass = lines[1].mid(trida.size());
    if (lines[2] != QStringLiteral("Kvizmat: 3 - Komplexní čísla"))
        return fail(QStringLiteral("Zpráva nepochází z programu Kvizmat 3 (třetí řádek je „%1“).").arg(lines[2]));
    if (!readDate(lines[3], QStringLiteral("Od: "), r.from))
        return fail(QStringLiteral("Čtvrtý řádek nemá tvar „Od: dd.mm.rrrr hh:mm“."));
    if (!readDate(lines[4], QStringLiteral("Do: "), r.to))
        return fail(QStringLiteral("Pátý řádek nemá tvar „Do: dd.mm.rrrr hh:mm“."));
    qint32 total = 0;
    if (!readCount(lines[5], QStringLiteral("Celkem odpovědí: "), total))
        return fail(QStringLiteral("Šestý řádek nemá tvar „Celkem odpovědí: počet“."));
    if (lines.size() == 10) {
        if (!readCount(lines[6], QStringLiteral("Z toho dobře: "), r.examplesRight) ||
            !readCount(lines[7], QStringLiteral("špatně: "), r.examplesWrong) ||
            !readCount(lines[8], QStringLiteral("dílčích úkolů dobře: "), r.dialogsRight) ||
            !readCount(lines[9], QStringLiteral("dílčích úkolů špatně: "), r.dialogsWrong))
            return fail(QStringLiteral("Řádky s počty dobře a špatně nemají očekávaný tvar."));
        if (qint64(r.examplesRight) + r.examplesWrong != total)
            return fail(QStringLiteral("Počty dobře a špatně nedávají dohromady celkový počet odpovědí."));
    } else if (total != 0) {
        return fail(QStringLiteral("Zpráva s %1 odpověďmi nemá řádky s počty dobře a špatně.").arg(total));
    }
    out = r;
    return true;
}

double toOleDate(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0;
    const double days = double(oleEpoch.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / msPerDay;
    // Before the epoch the day count is negative while the time of day still counts forward.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromOleDate(double oleDate)
{
    // Beyond these bounds no calendar date exists in the OLE range (years 100 to 9999).
    if (!std::isfinite(oleDate) || oleDate < -657435.0 || oleDate >= 2958466.0)
        return QDateTime();
    double days = std::trunc(oleDate);
    qint64 ms = std::llround(std::fabs(oleDate - days) * msPerDay);
    if (ms >= qint64(msPerDay)) {
        ms -= qint64(msPerDay);
        days += oleDate < 0 ? -1 : 1;
    }
    return QDateTime(oleEpoch.addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}
