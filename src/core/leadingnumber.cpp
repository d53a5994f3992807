#include "core/leadingnumber.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <string>
#include <string_view>

namespace {

// For a number beyond the range of a double: true when it is too large rather than too close to 0.
// The decimal exponent of its first significant digit decides; the digits are known to be not all 0.
bool overflows(std::string_view number)
{
    long long exponent = 0;
    const std::size_t mark = number.find('e');
    if (mark != std::string_view::npos) {
        const std::string_view digits = number.substr(mark + 1);
        const bool minus = digits.front() == '-';
        for (const char c : digits.substr(digits.front() == '-' || digits.front() == '+' ? 1 : 0))
            exponent = std::min(exponent * 10 + (c - '0'), 1000000000LL); // far beyond any double
        if (minus)
            exponent = -exponent;
        number = number.substr(0, mark);
    }
    long long position = 0; // decimal exponent of the digit at hand
    const std::size_t point = number.find('.');
    position = (point == std::string_view::npos ? (long long)number.size() : (long long)point) - 1;
    for (const char c : number) {
        if (c == '.')
            continue;
        if (c != '0')
            return position + exponent >= 0;
        --position;
    }
    return false;
}

} // namespace

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

    // Read without the C library's locale, so that a Czech desktop (decimal comma) reads "3.5" as 3.5.
    const bool negative = number.front() == '-';
    const char* first = number.data() + (number.front() == '-' || number.front() == '+' ? 1 : 0);
    const char* last = number.data() + number.size();
    double value = 0;
    const std::from_chars_result read = std::from_chars(first, last, value, std::chars_format::general);
    if (read.ec == std::errc::result_out_of_range)
        value = overflows(std::string_view(first, std::size_t(last - first))) ? DBL_MAX : 0.0;
    return negative ? -value : value;
}
