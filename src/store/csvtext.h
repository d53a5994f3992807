#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables as CSV files that a Czech spreadsheet opens directly: UTF-8 with a byte-order mark, ";"
// between fields, CR LF line ends, a field with ";", a quote or a line end in double quotes.
namespace CsvText {

// One field. A text that a spreadsheet would take for a formula (it starts with =, +, -, @, a tab or
// a carriage return, also after leading blanks or quotes) gets an apostrophe in front.
QString field(QString text);

QByteArray table(const QList<QStringList>& rows);

} // namespace CsvText
