#pragma once
// Ends the in-place editor open on a grid's current cell as if the user had
// left it: the editor's text is committed, then the editor closes. A page
// (or a grid) calls it before it reads the cells, so the value being typed is not lost.

class QAbstractItemView;

namespace ui {

void EndGridEdit(QAbstractItemView& view);

}  // namespace ui
