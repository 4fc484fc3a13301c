#pragma once
// Colour values as the windowless code keeps them: 32 bits with red in the
// low byte (0x00BBGGRR); a value with the top bit set names a system colour
// by its index in the low byte (0x8000000F, the button face), which we take
// from the application's palette.

#include <QColor>
#include <QPalette>
#include <QtGlobal>

class QWidget;

namespace zuv {

QColor colorFromValue(quint32 value);
// The plain RGB value of a colour (never a system colour).
quint32 valueFromColor(const QColor& color);
// Paints the `role` of a widget in a colour value.
void setRoleColour(QWidget* w, QPalette::ColorRole role, quint32 value);

} // namespace zuv
