#pragma once
// The program's pictures, drawn with QPainter so that nothing is loaded from
// files: the program and alert icons, the navigation tree's icons, the message
// list's line images and the toolbar buttons.

#include <QIcon>
#include <QPixmap>

#include <string_view>

namespace ui {

// A blue envelope on a server tower: the main window, the tray's normal phase.
QIcon AppIcon();
// The same envelope under a red warning badge: the tray's alert phase.
QIcon AlertIcon();
// ROUTER, MQUEUE, MSERVER, TCPVELT and ZMODEM each have a picture of their
// own (exact, upper-case names); any other task a generic gear.
QIcon TaskIcon(std::string_view taskName);
QIcon ComputerIcon();
QIcon ServerIcon();
// A directory entry: an abonent (a person with a letter) or a direction
// (a letter on its way).
QIcon EntryIcon(bool abonent);

// 16 x 16, the cell a message list line shows for its code (core/MessageImage.h);
// a code without a picture gives a transparent cell.
QPixmap MessageImage(int code);

// 16 x 15 toolbar button of a command of the main window; a null icon for a
// command without a picture (its button then shows its text).
QIcon CommandIcon(int commandId);
QPixmap CommandPixmap(int commandId);

}  // namespace ui
