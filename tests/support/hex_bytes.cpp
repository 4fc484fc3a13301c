#include "support/hex_bytes.h"

#include <QStringList>

namespace zuv::test {

QByteArray bytes(const char* text)
{
    QByteArray out;
    for (const QString& tok : QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = tok.split(QLatin1Char('*'));
        const int n = parts.size() > 1 ? parts[1].toInt() : 1;
        out += QByteArray(n, char(parts[0].toInt(nullptr, 16)));
    }
    return out;
}

QString hex(QByteArrayView b) { return QString::fromLatin1(b.toByteArray().toHex(' ').toUpper()); }

} // namespace zuv::test
