#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>

class QIODevice;

// Finding the report blocks in what a teacher drops on the window: a plain text file, a saved
// e-mail (.eml, MIME parts, quoted-printable or base64, any charset) or a whole mailbox (mbox).
// Reads line by line and keeps at most `maxMessageBytes` of one message, so a large mailbox costs
// time in proportion to its size but little memory.
namespace MailReport {

// Files above this size are refused whole.
inline constexpr qint64 maxFileBytes = qint64(512) << 20;
// Of one message (or a plain file) only this much is looked at; report blocks are a few kB.
inline constexpr qint64 maxMessageBytes = qint64(4) << 20;
// No more blocks than this are taken from one file.
inline constexpr int maxBlocks = 10000;

struct Block {
    // Which message and which block it is, in Czech ("zpráva 3 od Jan Novák, předmět „Výsledky“").
    QString label;
    // The hexadecimal groups, one blank between them: what the report decoder reads.
    QString text;
};

struct Result {
    QList<Block> blocks;
    // Messages looked at (1 for a plain file or a saved e-mail) and those without any block.
    int messages = 0;
    int messagesWithoutBlock = 0;
    // A Czech reason when nothing in the file could be taken (not a mail, no block, too large).
    QString problem;
    // A Czech remark on what was left out (a message cut off, too many blocks); empty otherwise.
    QString remark;
};

// Reads the whole device. `cancel`, when given and set from another thread, stops the reading.
Result extract(QIODevice& input, const std::atomic<bool>* cancel = nullptr);
Result extract(const QByteArray& content);
// Opens and reads a file; an unreadable or oversized file gives a problem.
Result extractFile(const QString& path, const std::atomic<bool>* cancel = nullptr);

} // namespace MailReport
