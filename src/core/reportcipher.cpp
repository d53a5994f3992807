#include "core/reportcipher.h"

#include "core/cipherkey.h"
#include "core/cp1250.h"

namespace ReportCipher {

quint8 saltByteFrom(float r)
{
    const int salt = int(r * 256.0f);
    return quint8(qBound(0, salt, 255));
}

QString EncodeText(const QString& text, quint8 saltByte)
{
    QString block;
    const QByteArray codes = Cp1250::encode(text);
    block.reserve(3 * (codes.size() + 2) + 2 * (codes.size() / 10 + 1));
    auto appendGroup = [&block](quint8 b) {
        block += ByteToHex(b);
        block += QLatin1Char(' ');
    };
    appendGroup(CipherKey::marker);
    appendGroup(saltByte);
    quint8 lineByteCount = 2;
    quint8 keyIndex = 0;
    for (const char code : codes) {
        const quint8 c = quint8(code);
        appendGroup(quint8(c ^ (CipherKey::bytes[keyIndex] ^ saltByte)));
        ++lineByteCount;
        if (lineByteCount >= 10) {
            block += QLatin1String("\r\n");
            lineByteCount = 0;
        }
        ++keyIndex;
        if (keyIndex > 31)
            keyIndex = 0;
    }
    return block;
}

QString ByteToHex(quint8 b)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    return QString(QLatin1Char(hexDigits[b / 16])) + QLatin1Char(hexDigits[b % 16]);
}

} // namespace ReportCipher
