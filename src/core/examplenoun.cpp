#include "core/examplenoun.h"

#include <limits>

namespace SummaryText {

QString ExampleNoun(qint32 count)
{
    if (count == 1)
        return QStringLiteral(" příklad");
    if (count >= 2 && count <= 4)
        return QStringLiteral(" příklady");
    return QStringLiteral(" příkladů");
}

QString countCaption(qint32 count)
{
    const QString number = QString::number(count);
    return (count < 0 ? number : QLatin1Char(' ') + number) + ExampleNoun(count);
}

qint32 saturatingSum(qint32 a, qint32 b)
{
    const qint64 sum = qint64(a) + qint64(b);
    if (sum > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (sum < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(sum);
}

} // namespace SummaryText
