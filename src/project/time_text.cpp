#include "project/time_text.h"

#include <QStringList>

namespace zuv {
namespace {

// The whole number a time part starts with; 0 when it starts with no digit
// or its digits pass 64 bits.
qint64 leadingWhole(QStringView part)
{
    part = part.trimmed();
    qsizetype n = 0;
    while (n < part.size() && part[n] >= QLatin1Char('0') && part[n] <= QLatin1Char('9'))
        ++n;
    bool ok = false;
    const qint64 v = part.left(n).toLongLong(&ok);
    // Far beyond any session; the cap keeps the sums inside 64 bits.
    constexpr qint64 kMax = 999999999;
    return ok ? qMin(v, kMax) : 0;
}

QString twoDigits(qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString SommaTempi(const QString& a, const QString& b)
{
    const qint64 total = timeHundredths(a) + timeHundredths(b);
    const qint64 cc = total % 100;
    const qint64 s = total / 100;
    return twoDigits(s / 3600) + QLatin1Char(':') + twoDigits(s / 60 % 60) + QLatin1Char(':')
           + twoDigits(s % 60) + QLatin1Char('.') + twoDigits(cc);
}

QString DividiTempo(const QString& time, qint32 n)
{
    if (n < 1)
        return CentesimiInTempo(0);
    // The long division by units truncates exactly as one division of the
    // whole in hundredths does.
    return CentesimiInTempo(timeHundredths(time) / n);
}

qint64 timeHundredths(const QString& text)
{
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? QStringView(text) : QStringView(text).left(dot);
    qint64 cc = 0;
    if (dot >= 0) {
        QStringView frac = QStringView(text).sliced(dot + 1).trimmed().left(2);
        if (frac.size() == 2 && !frac[1].isDigit())
            frac.chop(1);
        cc = leadingWhole(frac);
        // One digit stands for tenths.
        if (frac.size() == 1)
            cc *= 10;
    }
    const QList<QStringView> parts = whole.split(QLatin1Char(':'));
    qint64 seconds = 0;
    // At most hours, minutes and seconds, taken from the right.
    for (qsizetype i = qMax<qsizetype>(0, parts.size() - 3); i < parts.size(); ++i)
        seconds = seconds * 60 + leadingWhole(parts[i]);
    return seconds * 100 + cc;
}

QString CentesimiInTempo(qint64 value)
{
    const qint64 h = value < 0 ? 0 : value;
    const qint64 s = h / 100;
    return twoDigits(s / 60) + QLatin1Char(':') + twoDigits(s % 60) + QLatin1Char('.')
           + twoDigits(h % 100);
}

QString VirgolaInPunto(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char(','), QLatin1Char('.'));
    return out;
}

QString FormattaDecimali(QString& text, int scale)
{
    int decimals = 0;
    switch (scale) {
    case 10: decimals = 1; break;
    case 100: decimals = 2; break;
    case 1000: decimals = 3; break;
    default: break;
    }
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const qsizetype p = dot < 0 ? text.size() : dot;
    if (decimals > 0) {
        if (dot < 0)
            text += QLatin1Char('.');
        const qsizetype have = text.size() - p - 1;
        if (have < decimals)
            text += QString(decimals - have, QLatin1Char('0'));
    }
    if (p == 0)
        text.prepend(QLatin1Char('0'));
    return text;
}

} // namespace zuv
