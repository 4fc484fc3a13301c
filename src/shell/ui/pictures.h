#pragma once
// The program's own pictures, drawn at any size: toolbar commands, the
// status panels' lamps and link state, the splash and the language flags.

#include "platform/mainsurface.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zuv {

// The picture of a toolbar key ("New", "Open", ... "Language"); an empty
// icon for any other key.
QIcon commandIcon(const QString& key);

// Panel pictures; PanelPicture::None gives an empty pixmap.
QPixmap panelPixmap(PanelPicture picture, int size = 16);

QPixmap splashPixmap(const QSize& size);

// 0 Italiano, 1 English.
QPixmap flagPixmap(int language, const QSize& size);

// The window icon of the program.
QIcon programIcon();

} // namespace zuv
