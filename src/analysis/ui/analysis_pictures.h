#pragma once
// The analysis window's own pictures, drawn at any size: its eleven toolbar
// keys and the two playback buttons ("ScorriSX", "ScorriDX").

#include <QIcon>
#include <QString>

namespace zuv {

// An empty icon for a key it does not know.
QIcon analysisIcon(const QString& key);

} // namespace zuv
