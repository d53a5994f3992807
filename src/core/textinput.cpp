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
    if (decoder.hasError() || content.size() % 2 != 0) {
        problem =
            QStringLiteral("%1 je v kódování UTF-16, ale je poškozený; uložte ho znovu jako text UTF-8.").arg(shown);
        return false;
    }
    content = text.toUtf8();
    return true;
}

bool read(const QString& file, QByteArray& content, QString& problem, qint64 maxBytes)
{
    QFile input;
    const bool fromStdin = file.isEmpty() || file == QStringLiteral("-");
    const QString shown =
        fromStdin ? QStringLiteral("Standardní vstup") : QStringLiteral("Soubor „%1“").arg(printableText(file));
    if (fromStdin) {
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            problem = QStringLiteral("Standardní vstup nelze číst.");
            return false;
        }
    } else {
        input.setFileName(file);
        if (!input.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("%1 nelze otevřít: %2").arg(shown, input.errorString());
            return false;
        }
    }
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

} // namespace TextInput
