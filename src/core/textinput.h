#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

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

// Opens a file, or the standard input for an empty name or "-"; false with a Czech problem.
bool open(const QString& file, QFile& input, QString& problem);

// A device read in large pieces and handed out line by line, the same way from a file, a pipe or
// memory: reading costs time in proportion to the bytes, not to the lines, and only the piece in
// hand is held.
class LineReader {
public:
    // A line longer than `longest` bytes comes in pieces of that size.
    explicit LineReader(QIODevice& device, qsizetype longest = 1 << 20);

    // The next `n` bytes (fewer at the end), left unread.
    QByteArray peek(qsizetype n);
    // Up to `n` bytes.
    QByteArray read(qsizetype n);
    // The next line with its line end, or a piece of a longer line; false at the end.
    bool readLine(QByteArray& line);
    bool atEnd();
    // True when the device reported a read error.
    bool failed() const { return error; }
    // Bytes handed out so far.
    qint64 consumed() const { return handedOut; }

private:
    // Reads until `want` bytes are in hand or the device ends.
    void fill(qsizetype want);

    QIODevice& device;
    const qsizetype longest;
    QByteArray buffer;
    qsizetype pos = 0;
    bool ended = false;
    bool error = false;
    qint64 handedOut = 0;
};

} // namespace TextInput
