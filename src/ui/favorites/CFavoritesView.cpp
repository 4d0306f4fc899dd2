#include "ui/favorites/CFavoritesView.h"

#include <QVBoxLayout>

#include "ui/favorites/CGridFavorites.h"

namespace ui {

CFavoritesView::CFavoritesView(ports::DialogPort* dialogs, QWidget* parent)
    : QWidget(parent), grid_(new CGridFavorites(dialogs, this)) {
  setObjectName("CFavoritesView");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);
}

}  // namespace ui
