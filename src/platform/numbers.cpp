#include "platform/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <string>

namespace zuv {
namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

bool isSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

// Past the ASCII digits from `s[i]`; `count` grows by their number.
qsizetype skipDigits(QStringView s, qsizetype i, qsizetype& count)
{
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++count;
    }
    return i;
}

// Length of the number that starts at `s[i]`, 0 when there is none.
qsizetype scanNumber(QStringView s, qsizetype i)
{
    const qsizetype start = i;
    if (i < s.size() && isSign(s[i]))
        ++i;
    qsizetype digits = 0;
    i = skipDigits(s, i, digits);
    if (i < s.size() && s[i] == QLatin1Char('.'))
        i = skipDigits(s, i + 1, digits);
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && isSign(s[j]))
            ++j;
        qsizetype expDigits = 0;
        j = skipDigits(s, j, expDigits);
        if (expDigits > 0)
            i = j;
    }
    return i - start;
}

// The power of ten of the first significant digit of a scanned number,
// saturated well past the double range; 0 when every digit is 0.
long long magnitude(const std::string& ascii)
{
    long long intDigits = 0;
    long long zerosAfterPoint = 0;
    bool seenPoint = false;
    bool significant = false;
    std::size_t i = 0;
    for (; i < ascii.size() && ascii[i] != 'e' && ascii[i] != 'E'; ++i) {
        const char c = ascii[i];
        if (c == '.') {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (!significant && c == '0') {
                if (seenPoint)
                    ++zerosAfterPoint;
                continue;
            }
            significant = true;
            if (!seenPoint)
                ++intDigits;
            else
                break;
        }
    }
    if (!significant)
        return 0;
    long long exponent = 0;
    i = ascii.find_first_of("eE");
    if (i != std::string::npos) {
        ++i;
        bool negative = false;
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
            negative = ascii[i++] == '-';
        for (; i < ascii.size() && exponent < 100000; ++i)
            exponent = exponent * 10 + (ascii[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    return (intDigits > 0 ? intDigits - 1 : -zerosAfterPoint - 1) + exponent;
}

// A number too large for a double is infinite, one too small is 0: the
// callers refuse the first and take the second as the nearest value.
double toDouble(QStringView s)
{
    const std::string ascii = s.toLatin1().toStdString();
    double v = 0;
    const char* first = ascii.data();
    const bool negative = *first == '-';
    if (*first == '+')
        ++first;
    const auto result = std::from_chars(first, ascii.data() + ascii.size(), v);
    if (result.ec == std::errc::result_out_of_range) {
        const double size = magnitude(ascii) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -size : size;
    }
    return v;
}

} // namespace

std::optional<double> parseDecimal(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype len = scanNumber(text, i);
    if (len == 0)
        return std::nullopt;
    qsizetype j = i + len;
    while (j < text.size() && isBlank(text[j]))
        ++j;
    if (j != text.size())
        return std::nullopt;
    const double v = toDouble(text.sliced(i, len));
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype len = scanNumber(text, i);
    if (len == 0)
        return 0;
    const double v = toDouble(text.sliced(i, len));
    return std::isfinite(v) ? v : 0;
}

double roundHalfEven(double v) { return std::nearbyint(v); }

double finiteOrLargest(double v)
{
    constexpr double most = std::numeric_limits<double>::max();
    return std::isnan(v) ? v : std::clamp(v, -most, most);
}

std::optional<qint64> parseWhole(QStringView text, qint64 lo, qint64 hi)
{
    const auto v = parseDecimal(text);
    if (!v)
        return std::nullopt;
    const double r = roundHalfEven(*v);
    if (r < static_cast<double>(lo) || r > static_cast<double>(hi))
        return std::nullopt;
    return static_cast<qint64>(r);
}

QString decimalText(double v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, res.ptr - buf);
}

} // namespace zuv
