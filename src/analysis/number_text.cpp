#include "analysis/number_text.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <cstdio>

namespace zuv {
namespace {

QString userPoint() { return QLocale().decimalPoint(); }

// "0.5" -> ".5", "-0.5" -> "-.5"; anything else as it stands.
QString withoutLeadingZero(QString s)
{
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

} // namespace

QString numberText(double v, QStringView point, bool leadingZero)
{
    if (!std::isfinite(v))
        return QString();
    if (v == 0)
        return QStringLiteral("0"); // also for -0
    char buf[40];
    // %G switches to the exponent below 1E-4 and from 1E+15 on, with two
    // exponent digits at least: the form the users know.
    std::snprintf(buf, sizeof buf, "%.15G", v);
    QString s = QString::fromLatin1(buf);
    // The C library follows the user's locale once Qt has started.
    const char sysPoint = *std::localeconv()->decimal_point;
    if (sysPoint != '.')
        s.replace(QLatin1Char(sysPoint), QLatin1Char('.'));
    if (!leadingZero)
        s = withoutLeadingZero(s);
    if (point != QLatin1String("."))
        s.replace(QLatin1Char('.'), point.toString());
    return s;
}

QString readoutText(double v) { return numberText(v, u".", false); }

QString valueText(double v) { return numberText(v, userPoint(), true); }

QString speedText(double v)
{
    if (!std::isfinite(v))
        return QString();
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(QLatin1Char('0')) && s.indexOf(QLatin1Char('.')) < s.size() - 2)
        s.chop(1);
    s = withoutLeadingZero(s);
    if (s == QLatin1String("-.0"))
        s = QStringLiteral(".0");
    return s.replace(QLatin1Char('.'), userPoint());
}

} // namespace zuv
