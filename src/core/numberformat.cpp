#include "core/numberformat.h"

#include <cmath>

namespace NumberFormat {

static QString generalDigits(double magnitude, int digits, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(magnitude, 'g', digits);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0)
        text[e] = QLatin1Char('E');
    return text;
}

static QString withoutLeadingZero(QString digits, const QLocale& locale)
{
    const QString zeroPoint = QLatin1Char('0') + locale.decimalPoint();
    if (digits.startsWith(zeroPoint))
        digits.remove(0, 1);
    return digits;
}

QString printForm(double value, int digits, const QLocale& locale)
{
    const QString body = withoutLeadingZero(generalDigits(std::fabs(value), digits, locale), locale);
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + body + QLatin1Char(' ');
}

QString decimalText(float value)
{
    const QLocale c = QLocale::c();
    const QString body = withoutLeadingZero(generalDigits(std::fabs(double(value)), SingleDigits, c), c);
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + body;
}

QString plainText(float value)
{
    return decimalText(value).trimmed();
}

QString regional(double value, int digits, const QLocale& locale)
{
    const QString body = generalDigits(std::fabs(value), digits, locale);
    return value < 0 ? QLatin1Char('-') + body : body;
}

QString pattern(double value, const QString& pattern, const QLocale& locale)
{
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    QLocale loc = locale;
    loc.setNumberOptions(pattern.contains(QLatin1Char(',')) ? QLocale::DefaultNumberOptions
                                                            : QLocale::OmitGroupSeparator);
    QString text = loc.toString(value, 'f', decimals);
    // A value that rounds to zero is shown without a minus sign.
    const QString zero = loc.toString(0.0, 'f', decimals);
    if (text == QLatin1Char('-') + zero)
        text = zero;
    return text;
}

} // namespace NumberFormat
