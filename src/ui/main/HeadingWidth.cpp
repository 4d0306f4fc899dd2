#include "ui/main/HeadingWidth.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

namespace ui {

void SetColumnWidthAtLeastHeading(QHeaderView& header, int column, int width) {
  const QString heading = header.model()->headerData(column, header.orientation()).toString();
  // The margins and the sort mark beside the text.
  const int needed = QFontMetrics(header.font()).horizontalAdvance(heading) + 24;
  header.resizeSection(column, std::max(width, needed));
}

}  // namespace ui
