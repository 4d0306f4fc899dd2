#pragma once
// The data windows: a frame (`CChildFrame`, a sub-window of the main
// window's client area) around a view (`CChildView`) that knows its kind,
// its mail server and its computer, by which an open window is found again.
// The views of directions, routing, disks, folders and replication arrive
// with their own windows; until then a placeholder view carries the title.

#include <QMdiSubWindow>
#include <QWidget>

#include <string>

namespace ui {

// FavoriteMembers: the members view of a favourite group; the group's name
// stands in the place of the mail server's. Entry: the view of one direction
// or abonent; its mailbox name stands in the place of the computer's (a new
// entry's window has a key of its own until it is stored).
enum class DataKind {
  DirectionsShortcuts,
  DirectionsTable,
  Routing,
  MailingLists,
  Replication,
  Disks,
  Folders,
  FavoriteMembers,
  Entry
};

// The window title of a data window of that kind (UTF-8 → QString).
QString DataWindowTitle(DataKind kind, const std::string& mailServer, const std::string& computer);

class CChildView : public QWidget {
  Q_OBJECT

 public:
  CChildView(DataKind kind, std::string mailServer, std::string computer, QWidget* parent = nullptr);

  DataKind Kind() const { return kind_; }
  const std::string& MailServer() const { return mailServer_; }
  const std::string& Computer() const { return computer_; }
  bool Shows(DataKind kind, const std::string& mailServer, const std::string& computer) const;

  // Command 32786: the view reads its data again. Placeholders have none.
  virtual void Rescan() {}

 protected:
  // The object the view shows was renamed (a favourite group).
  void Rename(std::string mailServer);
  // The key by which the window is found again, in the computer's place.
  void SetComputerKey(std::string computer) { computer_ = std::move(computer); }

 private:
  DataKind kind_;
  std::string mailServer_;  // CP1251, as the registry holds them
  std::string computer_;
};

// Until a kind's own view lands: its title and a line that says so.
class CPlaceholderView : public CChildView {
  Q_OBJECT

 public:
  CPlaceholderView(DataKind kind, std::string mailServer, std::string computer, QWidget* parent = nullptr);
};

// The mailing lists window: a command column 60 pixels wide on the left,
// two stacked list panes 150 pixels high on the right.
class CMailingListsView : public CChildView {
  Q_OBJECT

 public:
  CMailingListsView(std::string mailServer, QWidget* parent = nullptr);
  static constexpr int kCommandColumnWidth = 60;
  static constexpr int kListPaneHeight = 150;
};

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit CChildFrame(CChildView* view, QWidget* parent = nullptr);
  CChildView* View() const { return view_; }

 private:
  CChildView* view_;
};

// The view for a kind: its own where it exists, else the placeholder.
CChildView* CreateDataView(DataKind kind, const std::string& mailServer, const std::string& computer);

}  // namespace ui
