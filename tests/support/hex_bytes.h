#pragma once
// Frames written as hex in the tests.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zuv::test {

// "48 14 00*48 35 43": hex bytes, "XX*n" repeats a byte n times.
QByteArray bytes(const char* text);
// Upper-case hex bytes with a blank between them, for readable failures.
QString hex(QByteArrayView b);

} // namespace zuv::test
