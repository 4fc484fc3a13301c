#pragma once
// Colours as the analysis keeps them and hands them to its windows:
// 0x00BBGGRR, red in the low byte; a value with the top bit set names a
// system colour by its index.

#include <QtGlobal>

namespace zuv {

inline constexpr quint32 kColourBlack = 0x000000;
inline constexpr quint32 kColourWhite = 0xFFFFFF;
inline constexpr quint32 kColourRed = 0x0000FF;
inline constexpr quint32 kColourGreen = 0x00FF00;
inline constexpr quint32 kColourBlue = 0xFF0000;
inline constexpr quint32 kColourYellow = 0x00FFFF;
// The button face, and the inactive border.
inline constexpr quint32 kColourButtonFace = 0x8000000F;
inline constexpr quint32 kColourInactiveBorder = 0x8000000B;

} // namespace zuv
