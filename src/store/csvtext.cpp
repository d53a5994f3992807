#include "store/csvtext.h"

namespace CsvText {

QString field(QString text)
{
    qsizetype first = 0;
    while (first < text.size() && (text.at(first) == QLatin1Char(' ') || text.at(first) == QLatin1Char('"') ||
                                   text.at(first) == QLatin1Char('\'') || text.at(first) == QChar(0x00A0)))
        ++first;
    if (first < text.size() && QStringLiteral("=+-@\t\r").contains(text.at(first)))
        text.prepend(QLatin1Char('\''));
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QByteArray table(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row)
            cells << field(cell);
        text += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace CsvText
