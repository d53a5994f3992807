#include "core/reportcipher.h"

#include "core/cipherkey.h"
#include "core/cp1250.h"

namespace ReportCipher {

namespace {

std::array<quint8, 32> cipherKey{};
QString hexDigits;
QString encodedBlock;
quint8 keyIndex = 0;
quint8 saltByte = 0;
quint8 lineByteCount = 0;
RandomSource saltSource;

void appendGroup(quint8 b)
{
    encodedBlock += ByteToHex(b);
    encodedBlock += QLatin1Char(' ');
}

} // namespace

void InitCipher()
{
    for (std::size_t i = 0; i < cipherKey.size(); ++i)
        cipherKey[i] = CipherKey::bytes[i];
    hexDigits = QStringLiteral("0123456789abcdef");
    StartBlock();
}

void StartBlock()
{
    // Encoding may start without the sign-in having prepared it (a failed school store falls back
    // to the e-mail report), so the key is filled here if it is not yet.
    if (hexDigits.isEmpty()) {
        InitCipher();
        return;
    }
    encodedBlock.clear();
    keyIndex = 0;
    if (!saltSource)
        saltSource = clockSeededSource();
    const float r = saltSource();
    // A source that strays outside [0, 1) must still give a byte.
    const int salt = int(r * 256.0f);
    saltByte = quint8(qBound(0, salt, 255));
    appendGroup(CipherKey::marker);
    appendGroup(saltByte);
    lineByteCount = 2;
}

void EncodeText(const QString& text)
{
    if (hexDigits.isEmpty())
        InitCipher();
    const QByteArray codes = Cp1250::encode(text);
    for (const char code : codes) {
        const quint8 c = quint8(code);
        appendGroup(quint8(c ^ (cipherKey[keyIndex] ^ saltByte)));
        ++lineByteCount;
        if (lineByteCount >= 10) {
            encodedBlock += QLatin1String("\r\n");
            lineByteCount = 0;
        }
        ++keyIndex;
        if (keyIndex > 31)
            keyIndex = 0;
    }
}

QString ByteToHex(quint8 b)
{
    static const QString digits = QStringLiteral("0123456789abcdef");
    const QString& d = hexDigits.isEmpty() ? digits : hexDigits;
    return QString(d.at(b / 16)) + d.at(b % 16);
}

QString GetEncodedBlock()
{
    return encodedBlock;
}

void setSaltSource(RandomSource source)
{
    saltSource = std::move(source);
}

} // namespace ReportCipher
