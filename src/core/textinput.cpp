#include "core/textinput.h"

#include "core/report.h"

#include <QFile>
#include <QStringDecoder>

namespace TextInput {

namespace {

enum class Utf16 { No, MarkLE, MarkBE, BareLE, BareBE };

Utf16 utf16Form(const QByteArray& start)
{
    if (start.startsWith("\xFF\xFE"))
        return Utf16::MarkLE;
    if (start.startsWith("\xFE\xFF"))
        return Utf16::MarkBE;
    if (start.size() >= 2 && start.at(0) != 0 && start.at(1) == 0)
        return Utf16::BareLE;
    if (start.size() >= 2 && start.at(0) == 0 && start.at(1) != 0)
        return Utf16::BareBE;
    return Utf16::No;
}

} // namespace

bool looksLikeUtf16(const QByteArray& start)
{
    return utf16Form(start) != Utf16::No;
}

bool toUtf8(QByteArray& content, const QString& shown, QString& problem)
{
    const Utf16 form = utf16Form(content);
    if (form == Utf16::No)
        return true;
    const bool littleEndian = form == Utf16::MarkLE || form == Utf16::BareLE;
    const bool mark = form == Utf16::MarkLE || form == Utf16::MarkBE;
    QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(mark ? content.mid(2) : content);
    // Half of a character (a lone surrogate) is damage too: read on, it would stand for some other text.
    bool lone = false;
    for (qsizetype i = 0; i < text.size() && !lone; ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else
            lone = text.at(i).isSurrogate();
    }
    if (decoder.hasError() || lone || content.size() % 2 != 0) {
        problem =
            QStringLiteral("%1 je v kódování UTF-16, ale je poškozený; uložte ho znovu jako text UTF-8.").arg(shown);
        return false;
    }
    content = text.toUtf8();
    return true;
}

bool open(const QString& file, QFile& input, QString& problem)
{
    if (file.isEmpty() || file == QStringLiteral("-")) {
        if (input.open(stdin, QIODevice::ReadOnly))
            return true;
        problem = QStringLiteral("Standardní vstup nelze číst.");
        return false;
    }
    input.setFileName(file);
    if (input.open(QIODevice::ReadOnly))
        return true;
    problem = QStringLiteral("Soubor „%1“ nelze otevřít: %2").arg(printableText(file), input.errorString());
    return false;
}

bool read(const QString& file, QByteArray& content, QString& problem, qint64 maxBytes)
{
    QFile input;
    const bool fromStdin = file.isEmpty() || file == QStringLiteral("-");
    const QString shown =
        fromStdin ? QStringLiteral("Standardní vstup") : QStringLiteral("Soubor „%1“").arg(printableText(file));
    if (!open(file, input, problem))
        return false;
    content.clear();
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = input.read(chunk.data(), chunk.size());
        if (n < 0) {
            problem = QStringLiteral("%1 nelze přečíst: %2").arg(shown, input.errorString());
            return false;
        }
        if (n == 0)
            break;
        content.append(chunk.constData(), n);
        if (content.size() > maxBytes) {
            problem = QStringLiteral("%1 je větší než %2 MB; tak velký seznam žáků ani blok s výsledky není, "
                                     "nic jsem nezpracoval.")
                          .arg(shown)
                          .arg(maxBytes / (1024 * 1024));
            return false;
        }
    }
    return toUtf8(content, shown, problem);
}

LineReader::LineReader(QIODevice& device, qsizetype longest) : device(device), longest(longest) {}

void LineReader::fill(qsizetype want)
{
    constexpr qsizetype piece = 256 * 1024;
    while (!ended && buffer.size() - pos < want) {
        if (pos > 0 && pos >= buffer.size() / 2) {
            buffer.remove(0, pos);
            pos = 0;
        }
        const qsizetype had = buffer.size();
        buffer.resize(had + piece);
        const qint64 n = device.read(buffer.data() + had, piece);
        buffer.resize(had + qMax<qint64>(n, 0));
        if (n < 0)
            error = true;
        if (n <= 0)
            ended = true;
    }
}

QByteArray LineReader::peek(qsizetype n)
{
    fill(n);
    return buffer.mid(pos, n);
}

QByteArray LineReader::read(qsizetype n)
{
    QByteArray out;
    while (out.size() < n) {
        fill(qMin<qsizetype>(n - out.size(), longest));
        const qsizetype take = qMin(n - out.size(), buffer.size() - pos);
        if (take <= 0)
            break;
        out.append(buffer.constData() + pos, take);
        pos += take;
        handedOut += take;
    }
    return out;
}

bool LineReader::readLine(QByteArray& line)
{
    qsizetype searched = pos;
    for (;;) {
        const qsizetype end = buffer.indexOf('\n', searched);
        if (end >= 0 && end - pos < longest) {
            line = buffer.mid(pos, end + 1 - pos);
            break;
        }
        if (ended || buffer.size() - pos >= longest) {
            line = buffer.mid(pos, longest);
            if (line.isEmpty())
                return false;
            break;
        }
        searched = buffer.size();
        const qsizetype offset = pos;
        fill(buffer.size() - pos + 1);
        searched -= offset - pos;
    }
    pos += line.size();
    handedOut += line.size();
    return true;
}

bool LineReader::atEnd()
{
    fill(1);
    return pos >= buffer.size();
}

} // namespace TextInput
