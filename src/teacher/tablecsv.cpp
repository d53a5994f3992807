#include "teacher/tablecsv.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace {

QString field(QString text)
{
    // A name a pupil typed as "=…" must stay a text, not become a formula of the spreadsheet.
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.at(0)) && !(text.size() > 1 && text.at(1).isDigit()))
        text.prepend(QLatin1Char('\''));
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray tableCsv(const QAbstractItemModel& model, int role)
{
    QString text;
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c)
        cells << field(model.headerData(c, Qt::Horizontal, role).toString());
    text += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    for (int r = 0; r < model.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < model.columnCount(); ++c)
            cells << field(model.index(r, c).data(role).toString());
        text += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
