#pragma once
// The members view of one favourite group: its caption ("Избранное: ...")
// above the members grid. The console fills it from each snapshot and
// carries out what it asks for (removing members, a rescan).

#include <QLabel>

#include <string>
#include <utility>
#include <vector>

#include "services/FavoritesSnapshot.h"
#include "ui/main/CChildFrame.h"

namespace ui {

class CGridFvItems;

class CStaticFvItemsCaption : public QLabel {
  Q_OBJECT

 public:
  explicit CStaticFvItemsCaption(QWidget* parent = nullptr);
  void SetGroupName(const std::string& name);
};

class CViewFvItems : public CChildView {
  Q_OBJECT

 public:
  explicit CViewFvItems(std::string groupName, QWidget* parent = nullptr);
  ~CViewFvItems() override;

  const std::string& GroupName() const { return MailServer(); }
  CGridFvItems* Grid() const { return grid_; }
  CStaticFvItemsCaption* Caption() const { return caption_; }

  void Show(const services::FavoriteGroupView& group, int64_t localNow);
  // The group was renamed: the view follows it, its layout goes under the new name.
  void RenameGroup(const std::string& name);

  // Command 32786: the group and its members are fetched again.
  void Rescan() override { emit rescanRequested(GroupName()); }
  // Command 32783 and the Delete key: the selected members leave the group.
  void RemoveSelected();

 signals:
  void rescanRequested(const std::string& groupName);
  void removeRequested(const std::string& groupName, const std::vector<std::pair<std::string, std::string>>& members);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SaveLayout() const;

  CStaticFvItemsCaption* caption_;
  CGridFvItems* grid_;
};

}  // namespace ui
