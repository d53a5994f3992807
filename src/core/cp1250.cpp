#include "core/cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Cp1250 {

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    QStringEncoder encoder("windows-1250", QStringConverter::Flag::Stateless);
    // Character by character: the converter marks a missing code with 0x1A, which must read "?".
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView one = QStringView(text).mid(i, len);
        i += len;
        const QByteArray bytes = encoder.encode(one);
        if (encoder.hasError() || bytes.size() != 1 || (bytes.at(0) == 0x1A && one != u"\x1A")) {
            encoder = QStringEncoder("windows-1250", QStringConverter::Flag::Stateless);
            out += '?';
        } else {
            out += bytes;
        }
    }
    return out;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace Cp1250
