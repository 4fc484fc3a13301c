#include "project/time_text.h"

#include <QStringList>

namespace zuv {
namespace {

qint64 wholeNumber(QStringView s)
{
    bool ok = false;
    const qint64 v = s.trimmed().toLongLong(&ok);
    // Far beyond any session; the cap keeps the sums inside 64 bits.
    constexpr qint64 kMax = 999999999;
    return ok && v > 0 ? qMin(v, kMax) : 0;
}

// "h:m:s.cc", "m:s.cc" or "s.cc" as hundredths.
qint64 hundredths(const QString& text)
{
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? QStringView(text) : QStringView(text).left(dot);
    qint64 cc = 0;
    if (dot >= 0) {
        // Two digits of hundredths; a single one stands for tenths.
        QStringView frac = QStringView(text).sliced(dot + 1).trimmed();
        if (frac.size() > 2)
            frac = frac.left(2);
        cc = wholeNumber(frac);
        if (frac.size() == 1)
            cc *= 10;
    }
    const QList<QStringView> parts = whole.split(QLatin1Char(':'));
    qint64 seconds = 0;
    // At most hours, minutes and seconds, taken from the right.
    const qsizetype first = parts.size() > 3 ? parts.size() - 3 : 0;
    for (qsizetype i = first; i < parts.size(); ++i)
        seconds = seconds * 60 + wholeNumber(parts[i]);
    return seconds * 100 + cc;
}

QString twoDigits(qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString SommaTempi(const QString& a, const QString& b)
{
    const qint64 total = hundredths(a) + hundredths(b);
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
    return CentesimiInTempo(hundredths(time) / n);
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
