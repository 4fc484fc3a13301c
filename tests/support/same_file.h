#pragma once
// Comparing a written file with its golden copy.

#include <QByteArray>
#include <gtest/gtest.h>

namespace zuv::test {

// Byte for byte; a failure names the first line that differs.
::testing::AssertionResult sameFile(const QByteArray& got, const QByteArray& want);

} // namespace zuv::test
