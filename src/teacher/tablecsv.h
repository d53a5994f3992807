#pragma once

#include <QByteArray>

class QAbstractItemModel;

// A table as a CSV file that a Czech spreadsheet opens directly: UTF-8 with a byte-order mark,
// ";" between fields, CR LF line ends, a field with ";", a quote or a line end in double quotes.
// Cells are taken in the given role (numbers with a decimal comma, no digit grouping); a text
// that a spreadsheet would take for a formula gets an apostrophe in front.
QByteArray tableCsv(const QAbstractItemModel& model, int role);
