#pragma once

#include <QByteArray>
#include <QString>

// Reading what a teacher hands over as text: a pupil list, an e-mailed block, a saved mail. The
// size is bounded, so that an endless input (a device, a wrong file) cannot fill the memory, and a
// file that Notepad saved as "Unicode" (UTF-16, with or without the byte order mark) is read too.
namespace TextInput {

// Larger than any pupil list or e-mailed block.
inline constexpr qint64 maxTextBytes = 4 * 1024 * 1024;

// True when the bytes begin like UTF-16 text: a byte order mark, or a Latin letter next to a zero.
bool looksLikeUtf16(const QByteArray& start);

// Turns UTF-16 content into UTF-8 and leaves anything else as it is. False, with a Czech problem
// naming `shown` ("Soubor „x“"), when the UTF-16 is damaged.
bool toUtf8(QByteArray& content, const QString& shown, QString& problem);

// Reads a file, or the standard input for an empty name or "-", as UTF-8. False with a Czech
// problem when it cannot be read or is larger than `maxBytes`.
bool read(const QString& file, QByteArray& content, QString& problem, qint64 maxBytes = maxTextBytes);

} // namespace TextInput
