#pragma once
// `--screenshots DIR`: PNG pictures of the console's windows for review,
// taken after the start-up, the logon and the first poll.

#include <QString>
#include <QStringList>

namespace ui {

class DesktopConsole;

// Writes every picture into `folder`; the names of the files written.
QStringList WriteScreenshots(DesktopConsole& console, const QString& folder);

}  // namespace ui
