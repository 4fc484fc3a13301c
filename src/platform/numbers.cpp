#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace zuv {
namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Length of the number that starts at `s[i]`, 0 when there is none.
qsizetype scanNumber(QStringView s, qsizetype i)
{
    const qsizetype start = i;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        qsizetype expDigits = 0;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - start;
}

double toDouble(QStringView s)
{
    const std::string ascii = s.toLatin1().toStdString();
    double v = 0;
    const char* first = ascii.data();
    if (*first == '+')
        ++first;
    std::from_chars(first, ascii.data() + ascii.size(), v);
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
