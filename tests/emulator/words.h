#pragma once
// Numbers into the instrument's replies and records, big-endian.

#include <QByteArray>
#include <QtGlobal>

namespace zuv::emu {

// Writes `v` big-endian into `bytes` at 1-based position `pos`.
void putWord(QByteArray& bytes, int pos, qint32 v);
void putLong(QByteArray& bytes, int pos, qint32 v);

} // namespace zuv::emu
