#pragma once
// Column widths that never cut a heading: each column gets the width asked
// for, or the width of its own heading when that is more.

class QHeaderView;

namespace ui {

void SetColumnWidthAtLeastHeading(QHeaderView& header, int column, int width);

}  // namespace ui
