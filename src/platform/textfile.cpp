#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zuv {
namespace {

// 0x80-0x9F are where Windows-1252 differs from Latin-1; the five holes map
// to the C1 controls, as Windows itself does.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t decodeByte(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return kHigh[b - 0x80];
    return b;
}

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString fromCp1252(QByteArrayView bytes)
{
    QString out;
    out.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(decodeByte(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray toCp1252(QStringView text)
{
    QByteArray out;
    out.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = encodeChar(text[i].unicode());
    return out;
}

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.append(fromCp1252(bytes.sliced(start, stop - start)));
        if (last)
            break;
        start = end + 1;
    }
    return lines;
}

std::optional<QStringList> readTextLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(file.readAll());
}

QString writeAside(QSaveFile& f, const QByteArray& bytes)
{
    if (!f.open(QIODevice::WriteOnly))
        return f.errorString();
    // The explicit flush: commit() alone misses a failed write of buffered
    // bytes (a full disk) and would rename a cut-off file over the old one.
    // A write cut short that way leaves Qt with "Unknown error"; the
    // system's own reason is still in errno.
    errno = 0;
    bool ok = f.write(bytes) == bytes.size() && f.flush();
#ifdef Q_OS_UNIX
    // Some file systems tell of a full disk only when the data are synced.
    ok = ok && ::fsync(f.handle()) == 0;
#endif
    if (ok)
        return {};
    const int e = errno;
    return e != 0 ? QString::fromLocal8Bit(std::strerror(e)) : f.errorString();
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    QString reason = writeAside(file, bytes);
    if (reason.isNull() && !file.commit())
        reason = file.errorString();
    if (reason.isNull())
        return true;
    if (error)
        *error = reason;
    file.cancelWriting();
    return false;
}

bool writeTextLines(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes, error);
}

} // namespace zuv
