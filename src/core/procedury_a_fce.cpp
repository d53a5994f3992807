#include "core/procedury_a_fce.h"

#include "core/cp1250.h"

#include <QFileInfo>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

namespace Procedury_a_fce {

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path);
}

QString Descramble(const QString& stored)
{
    QByteArray codes = Cp1250::encode(stored);
    for (char& c : codes)
        c = char(quint8(c) - 1);
    return Cp1250::decode(codes);
}

qint32 RoundToLong(float x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 2147483647.0f)
        return 2147483647;
    if (x <= -2147483648.0f)
        return -2147483647 - 1;
    const float t = std::trunc(x);
    const float f = x - t;
    if (-0.5f < f && f < 0.5f)
        return qint32(t);
    // A negative fraction of -0.5 or below rounds away from zero, mirroring the positive side.
    return f >= 0.5f ? qint32(t) + 1 : qint32(t) - 1;
}

double LeadingNumber(const QString& text)
{
    std::string number;
    number.reserve(32);
    enum class Stage { Sign, Mantissa, Fraction, ExponentSign, Exponent } stage = Stage::Sign;
    bool mantissaDigits = false;
    std::size_t beforeExponent = 0;

    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        const bool digit = c >= u'0' && c <= u'9';
        if (stage == Stage::Sign) {
            stage = Stage::Mantissa;
            if (c == u'+' || c == u'-') {
                number += char(c);
                continue;
            }
        }
        if (stage == Stage::Mantissa || stage == Stage::Fraction) {
            if (digit) {
                number += char(c);
                mantissaDigits = true;
                continue;
            }
            if (c == u'.' && stage == Stage::Mantissa) {
                number += '.';
                stage = Stage::Fraction;
                continue;
            }
            if ((c == u'E' || c == u'e' || c == u'D' || c == u'd') && mantissaDigits) {
                beforeExponent = number.size();
                number += 'e';
                stage = Stage::ExponentSign;
                continue;
            }
            break;
        }
        if (stage == Stage::ExponentSign) {
            stage = Stage::Exponent;
            if (c == u'+' || c == u'-') {
                number += char(c);
                continue;
            }
        }
        if (stage == Stage::Exponent && digit) {
            number += char(c);
            continue;
        }
        break;
    }

    if (!mantissaDigits)
        return 0;
    // An exponent mark without digits does not belong to the number.
    if (beforeExponent && !std::isdigit(static_cast<unsigned char>(number.back())))
        number.resize(beforeExponent);

    errno = 0;
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value))
        value = value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

} // namespace Procedury_a_fce
