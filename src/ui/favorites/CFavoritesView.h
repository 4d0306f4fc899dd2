#pragma once
// The favourites pane: the group grid, filling the pane.

#include <QWidget>

namespace ports {
class DialogPort;
}

namespace ui {

class CGridFavorites;

class CFavoritesView : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` chooses the sound file and the application; may be null.
  explicit CFavoritesView(ports::DialogPort* dialogs, QWidget* parent = nullptr);
  CGridFavorites* Grid() const { return grid_; }

 private:
  CGridFavorites* grid_;
};

}  // namespace ui
