#pragma once

#include "core/example.h"

#include <QString>
#include <QtGlobal>

// The encoding of the e-mail report: a marker, a random salt, then every character's
// Windows-1250 code XOR (key byte XOR salt), as lower-case hexadecimal groups, ten to a line.
namespace ReportCipher {

// Fills the key and the digits, then starts a block.
void InitCipher();
// Starts an empty block: the marker group 4b and a fresh salt group.
void StartBlock();
// Appends the groups of every character of the text; the key position and line count carry on.
void EncodeText(const QString& text);
QString ByteToHex(quint8 b);
QString GetEncodedBlock();

// Where the salt comes from (uniform in [0, 1)); the clock-seeded source unless replaced.
void setSaltSource(RandomSource source);

} // namespace ReportCipher
