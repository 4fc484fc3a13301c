#include "platform/ui/colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <iterator>

namespace zuv {

namespace {

struct SystemEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The Windows system colour indexes 0..24 on the nearest palette role.
constexpr SystemEntry kSystem[] = {
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Button},          // active border
    {QPalette::Active, QPalette::Button},          // inactive border
    {QPalette::Active, QPalette::Dark},            // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlighted text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::Text},          // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3D light
    {QPalette::Active, QPalette::ToolTipText},     // tool tip text
    {QPalette::Active, QPalette::ToolTipBase},     // tool tip background
};

} // namespace

QColor colorFromValue(quint32 value)
{
    if (value & 0x80000000u) {
        const quint32 index = value & 0xFFu;
        const SystemEntry entry = index < std::size(kSystem) ? kSystem[index] : kSystem[15];
        return QGuiApplication::palette().color(entry.group, entry.role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 valueFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

void setRoleColour(QWidget* w, QPalette::ColorRole role, quint32 value)
{
    QPalette pal = w->palette();
    pal.setColor(role, colorFromValue(value));
    w->setPalette(pal);
}

} // namespace zuv
