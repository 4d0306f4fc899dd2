#pragma once
// The shortcut list's icons: the entry icon of an abonent or a direction as
// the table draws it, and for an entry the queue manager has blocked the same
// picture greyed under a red bar.

#include <QIcon>

namespace ui {

QIcon ShortcutIcon(bool abonent, bool active);

}  // namespace ui
