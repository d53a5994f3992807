#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

class QIODevice;

// Finding the report blocks in what a teacher drops on the window: a plain text file, a saved
// e-mail (.eml, MIME parts, quoted-printable or base64, any charset) or a whole mailbox (mbox).
// Reads line by line and keeps at most `maxMessageBytes` of one message, so a large mailbox costs
// time in proportion to its size but little memory; the blocks may be handed on as they are found.
namespace MailReport {

// Files above this size are refused whole; of a pipe no more than this is read.
inline constexpr qint64 maxFileBytes = qint64(512) << 20;
// Of one message (or a paragraph of a plain file) only this much is looked at: more than the
// largest mail that mail servers pass on (25 MB), attachments included.
inline constexpr qint64 maxMessageBytes = qint64(32) << 20;

struct Block {
    // Which message and which block it is, in Czech ("zpráva 3 od Jan Novák, předmět „Výsledky“").
    QString label;
    // The hexadecimal groups, one blank between them: what the report decoder reads.
    QString text;
};

struct Result {
    // The blocks, unless they were handed to a sink.
    QList<Block> blocks;
    qsizetype blockCount = 0;
    // Messages looked at (1 for a plain file or a saved e-mail) and those without any block.
    int messages = 0;
    int messagesWithoutBlock = 0;
    // A Czech reason when nothing in the file could be taken (not a mail, no block, too large).
    QString problem;
    // A Czech remark on what was not looked at (a message cut off, parts nested too deep, the rest
    // of an oversized input), message by message; empty when everything was looked at.
    QString remark;
    bool incomplete = false;
};

// Takes each block as soon as it is found, in the order of the input.
using BlockSink = std::function<void(const Block&)>;

// Reads the whole device. `cancel`, when given and set from another thread, stops the reading.
Result extract(QIODevice& input, const std::atomic<bool>* cancel = nullptr, const BlockSink& sink = {});
Result extract(const QByteArray& content);
// Opens and reads a file; an unreadable or oversized file gives a problem.
Result extractFile(const QString& path, const std::atomic<bool>* cancel = nullptr, const BlockSink& sink = {});

} // namespace MailReport
