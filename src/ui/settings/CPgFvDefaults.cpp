#include "ui/settings/CPgFvDefaults.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/favorites/CGridFavorites.h"

namespace ui {

CPgFvDefaults::CPgFvDefaults(const core::ProgramSettings& settings, ports::DialogPort* dialogs, QWidget* parent)
    : QWidget(parent), grid_(new CGridFavorites(dialogs, this)) {
  grid_->SetStructureEditable(false);
  grid_->SetGroups({settings.defaultGroup});
  grid_->expandAll();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Default settings for new group of favorites"), this));
  layout->addWidget(grid_, 1);
}

void CPgFvDefaults::ReadInto(core::ProgramSettings& settings) const { settings.defaultGroup = grid_->GroupAt(0); }

}  // namespace ui
