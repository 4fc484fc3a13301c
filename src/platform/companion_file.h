#pragma once
// The files that go with a data file share its name and differ in the
// three-letter extension.

#include <QString>

namespace zuv {

// `path` with its last three characters replaced by `ext` ("txt", "tim",
// "ses"); a shorter path is replaced whole.
QString companionFileName(const QString& path, const char* ext);

} // namespace zuv
