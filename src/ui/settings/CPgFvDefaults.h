#pragma once
// The page of the defaults for a new favourite group: the group grid holding
// that one group, which can be edited but not added to or deleted.

#include <QWidget>

#include "core/ProgramSettings.h"

namespace ports {
class DialogPort;
}

namespace ui {

class CGridFavorites;

class CPgFvDefaults : public QWidget {
  Q_OBJECT

 public:
  CPgFvDefaults(const core::ProgramSettings& settings, ports::DialogPort* dialogs, QWidget* parent = nullptr);

  // FV_DEFAULT_SETINGS: the grid's one group.
  void ReadInto(core::ProgramSettings& settings) const;

  CGridFavorites* Grid() const { return grid_; }

 private:
  CGridFavorites* grid_;
};

}  // namespace ui
