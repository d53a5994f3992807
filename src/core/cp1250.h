#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the single-byte code page of Czech text in the program's files and reports.
namespace Cp1250 {

// One byte per character; a character without a code in the page becomes "?".
QByteArray encode(const QString& text);

QString decode(const QByteArray& bytes);

} // namespace Cp1250
