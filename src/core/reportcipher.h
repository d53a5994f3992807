#pragma once

#include <QString>
#include <QtGlobal>

// The encoding of the e-mail report: a marker, a random salt, then every character's
// Windows-1250 code XOR (key byte XOR salt), as lower-case hexadecimal groups, ten to a line.
namespace ReportCipher {

// The salt byte of a block from a random value in [0, 1): its integer part of r * 256. A value that
// strays outside [0, 1) still gives a byte.
quint8 saltByteFrom(float r);

// The whole block of a text: the marker group 4b, the salt group, then the groups of every character,
// the key position running on through the text and a line ending after every tenth group.
QString EncodeText(const QString& text, quint8 saltByte);

QString ByteToHex(quint8 b);

} // namespace ReportCipher
