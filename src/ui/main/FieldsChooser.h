#pragma once
// The fields chooser of the grids (Ctrl+F): one check box per column, OK and
// Cancel. Works on any item view's columns through the two callbacks, so a
// table and a tree share it.
//
//   ChooseFields(this, titles, [&](int c) { return !isColumnHidden(c); },
//                [&](int c, bool shown) { setColumnHidden(c, !shown); });

#include <QStringList>

#include <functional>

class QTreeWidget;
class QWidget;

namespace ui {

// Shows the chooser; on OK sets every column's visibility. False when cancelled.
bool ChooseFields(QWidget* parent, const QStringList& titles, const std::function<bool(int)>& shown,
                  const std::function<void(int, bool)>& setShown);
// The same for a tree's columns, titled by its header; the dialog sits on the tree.
bool ChooseFields(QTreeWidget* tree);

}  // namespace ui
