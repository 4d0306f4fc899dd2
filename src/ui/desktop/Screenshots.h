#pragma once
// `--screenshots DIR`: PNG pictures of the console's windows for review,
// taken after the start-up, the logon and the first poll, on whatever node
// the console is logged on to: every entry, level, disk or group pictured is
// one the node (or the configuration) has.
//
// The run never waits on a window: a box that comes up while a step runs is
// pictured as "<step>-box.png" and answered as its cancel would answer it,
// and a node that keeps a step waiting too long is not waited for again.
// Each step that could not be taken is told on standard error:
//   vtconsole: screenshot <step> not taken: <why>

#include <QString>
#include <QStringList>

namespace ui {

class DesktopConsole;

// Writes every picture it can into `folder`; the names of the files written.
QStringList WriteScreenshots(DesktopConsole& console, const QString& folder);

}  // namespace ui
