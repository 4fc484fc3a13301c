#include "emulator/words.h"

namespace zuv::emu {

void putWord(QByteArray& bytes, int pos, qint32 v)
{
    if (bytes.size() < pos + 1)
        bytes.resize(pos + 1, '\0');
    bytes[pos - 1] = char((v >> 8) & 0xFF);
    bytes[pos] = char(v & 0xFF);
}

void putLong(QByteArray& bytes, int pos, qint32 v)
{
    putWord(bytes, pos, qint32(quint32(v) >> 16));
    putWord(bytes, pos + 2, v & 0xFFFF);
}

} // namespace zuv::emu
