#include "ui/desktop/FavoritesController.h"

#include <QDockWidget>
#include <QMdiArea>

#include "cfg/C_CFG_File.h"
#include "core/OperationGate.h"
#include "model/favorites/FavoritesTexts.h"
#include "model/favorites/ThresholdCheck.h"
#include "ports/Clock.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/directions/CViewDirections.h"
#include "ui/favorites/CGridFavorites.h"
#include "ui/favorites/CViewFvItems.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/runtime/ServiceRunner.h"

namespace ui {

namespace {

using text::Cp;
using Kind = ServiceRunner::Kind;

std::vector<core::GroupRecord> Records(const std::vector<services::FavoriteGroupView>& groups) {
  std::vector<core::GroupRecord> records;
  for (const auto& group : groups) records.push_back(group.settings);
  return records;
}

std::string SaveFailureText(const C_CFG_File& file) {
  return Cp("Ошибка записи групп избранных направлений в конфигурационный файл.\n") + file.LastSaveError();
}

}  // namespace

FavoritesController::FavoritesController(DesktopConsole& console) : console_(console) {}

// --- the worker's side ---------------------------------------------------

void FavoritesController::CloseMembers(const std::string& groupName) {
  QMetaObject::invokeMethod(
      this,
      [this, groupName] {
        if (frame_)
          if (CChildFrame* window = frame_->FindDataWindow(DataKind::FavoriteMembers, groupName, "")) window->close();
      },
      Qt::QueuedConnection);
}

bool FavoritesController::MembersOpen(const std::string& groupName) const {
  std::lock_guard<std::mutex> lock(openMutex_);
  return open_.count(groupName) > 0;
}

void FavoritesController::RecountOpen() {
  std::multiset<std::string> open;
  if (frame_)
    for (CChildFrame* window : frame_->DataWindows())
      if (auto* view = qobject_cast<CViewFvItems*>(window->View())) open.insert(view->GroupName());
  std::lock_guard<std::mutex> lock(openMutex_);
  open_ = std::move(open);
}

// --- windows --------------------------------------------------------------

void FavoritesController::Attach(CMainFrame* frame) {
  frame_ = frame;
  CGridFavorites* grid = Grid();
  if (grid == nullptr) return;
  connect(grid, &CGridFavorites::groupEdited, this, &FavoritesController::OnGroupEdited);
  connect(grid, &CGridFavorites::insertRequested, this, [this] { HandleCommand(cmd::kCreateGroup); });
  connect(grid, &CGridFavorites::deleteRequested, this, &FavoritesController::OnDeleteGroup);
  connect(grid, &CGridFavorites::openMembersRequested, this, [this](int index) {
    if (index >= 0 && index < static_cast<int>(groups_.size()))
      OpenMembers(groups_[static_cast<size_t>(index)].settings.name);
  });
}

CGridFavorites* FavoritesController::Grid() const { return frame_ ? frame_->FavoritesGrid() : nullptr; }

void FavoritesController::Redraw(const std::vector<services::FavoriteGroupView>& groups) {
  groups_ = groups;
  if (CGridFavorites* grid = Grid()) {
    // A cell being edited, or a new group row still without its name, is
    // left alone: the next redraw catches up.
    if (!grid->Busy()) {
      std::vector<core::GroupRecord> records = Records(groups);
      if (records != drawn_ || grid->GroupCount() != static_cast<int>(records.size())) {
        grid->SetGroups(records);
        drawn_ = std::move(records);
      }
      for (size_t i = 0; i < groups.size(); ++i) grid->SetAlarm(static_cast<int>(i), groups[i].alarm);
    }
  }
  if (!frame_) return;
  const ports::SystemClock clock;
  const int64_t localNow = model::LocalWallClockNow(clock);
  for (CChildFrame* window : frame_->DataWindows())
    if (auto* view = qobject_cast<CViewFvItems*>(window->View()))
      if (const services::FavoriteGroupView* group = services::FindFavoriteGroup(groups_, view->GroupName()))
        view->Show(*group, localNow);
}

CViewFvItems* FavoritesController::FindMembers(const std::string& groupName) const {
  if (!frame_) return nullptr;
  CChildFrame* window = frame_->FindDataWindow(DataKind::FavoriteMembers, groupName, "");
  return window ? qobject_cast<CViewFvItems*>(window->View()) : nullptr;
}

CViewFvItems* FavoritesController::OpenMembers(const std::string& groupName) {
  if (!frame_ || groupName.empty()) return nullptr;
  CChildFrame* window = frame_->OpenDataWindow(DataKind::FavoriteMembers, groupName, "");
  auto* view = window ? qobject_cast<CViewFvItems*>(window->View()) : nullptr;
  if (view == nullptr) return nullptr;
  if (!view->property("fvConnected").toBool()) {
    view->setProperty("fvConnected", true);
    connect(view, &CViewFvItems::removeRequested, this, &FavoritesController::OnRemoveMembers);
    connect(view, &CViewFvItems::rescanRequested, this, &FavoritesController::OnRescan);
    // Counted again once the view is gone.
    connect(view, &QObject::destroyed, this, [this] { QMetaObject::invokeMethod(this, [this] { RecountOpen(); }, Qt::QueuedConnection); });
  }
  RecountOpen();
  if (const services::FavoriteGroupView* group = services::FindFavoriteGroup(groups_, groupName)) {
    const ports::SystemClock clock;
    view->Show(*group, model::LocalWallClockNow(clock));
  }
  return view;
}

// --- commands -------------------------------------------------------------

bool FavoritesController::Refused() const {
  QtDialogPort& dialogs = console_.Dialogs();
  if (scanQueued_) {
    dialogs.Message(model::favorites_text::BusyScanning(), model::favorites_text::MessageCaption(),
                    ports::MsgIcon::Information);
    return true;
  }
  if (console_.Runner().HasUserJob()) {
    dialogs.Message(core::ChannelBusyText(), Cp("Сообщение"), ports::MsgIcon::Information);
    return true;
  }
  return false;
}

bool FavoritesController::HandleCommand(int id) {
  CGridFavorites* grid = Grid();
  switch (id) {
    case cmd::kCreateGroup:
      if (grid == nullptr || Refused()) return true;
      if (QWidget* dock = frame_->Dock(cmd::kFavoritesBar)) dock->show();
      grid->InsertGroupRow(frame_->Snapshot().settings.defaultGroup);
      return true;
    case cmd::kRemoveGroup:
      if (grid) OnDeleteGroup(grid->CurrentGroup());
      return true;
    case cmd::kEditGroup:
      if (grid == nullptr || grid->CurrentGroup() < 0 || Refused()) return true;
      grid->EditCurrentGroup();
      return true;
    case cmd::kOpenGroupView:
      if (grid && grid->CurrentGroup() >= 0) OpenMembers(grid->GroupAt(grid->CurrentGroup()).name);
      return true;
    case cmd::kAddDirections:
      AddSelectedDirections();
      return true;
    case cmd::kRemoveDirections:
      if (auto* view = frame_ ? qobject_cast<CViewFvItems*>(frame_->ActiveView()) : nullptr) view->RemoveSelected();
      return true;
    default: return false;
  }
}

void FavoritesController::AddSelectedDirections() {
  auto* view = frame_ ? qobject_cast<CViewDirections*>(frame_->ActiveView()) : nullptr;
  if (view == nullptr) return;
  const std::vector<std::string> names = view->SelectedNames();
  if (names.empty()) return;
  CGridFavorites* grid = Grid();
  const int index = grid ? grid->CurrentGroup() : -1;
  if (index < 0 || index >= static_cast<int>(groups_.size())) {
    // The group is the one chosen in the favourites pane.
    console_.Dialogs().Message(Cp("Выберите группу избранных направлений в панели \"Избранное\"."), Cp("Сообщение"),
                               ports::MsgIcon::Information);
    return;
  }
  if (Refused()) return;
  const std::string group = groups_[static_cast<size_t>(index)].settings.name;
  const std::string question =
      text::Format(Cp("Добавить выделенные направления в группу избранных направлений \"%s\"?").c_str(), group.c_str());
  if (!console_.Dialogs().AskYesNo(question, Cp("Вопрос")))
    return;
  const std::string node = view->MailServer();
  PostChange([group, node, names](services::ConsoleServices& services) -> std::string {
    for (const std::string& name : names) services.Favorites().AddReference(group, node, name, true);
    return {};
  });
}

void FavoritesController::PostChange(std::function<std::string(services::ConsoleServices&)> change,
                                     std::function<void()> after) {
  auto error = std::make_shared<std::string>();
  console_.Runner().Post(
      Kind::User,
      [this, change, error] {
        services::ConsoleServices& services = console_.Services();
        *error = change(services);
        if (!error->empty()) return;
        C_CFG_File* file = services.App().SettingsFile();
        if (file != nullptr && !services.Favorites().SaveFavorites(*file)) *error = SaveFailureText(*file);
      },
      [this, error, after] {
        if (!error->empty()) console_.Dialogs().Message(*error, Cp("Ошибка"), ports::MsgIcon::Error);
        if (after) after();
        drawn_.clear();  // the grid is drawn again from what the groups now hold
        console_.RefreshWindows();
      },
      this);
}

void FavoritesController::OnGroupEdited(int index, const std::string& oldName, const core::GroupRecord& values) {
  (void)index;
  // Only adding and renaming change which groups there are, which a scan
  // must not meet. A value edit is queued behind the scan (or the job) under
  // way and applied after it, not thrown away.
  const bool valuesOnly = !oldName.empty() && values.name == oldName;
  if (!valuesOnly && Refused()) {
    // The grid goes back to what the groups hold once its editor has closed.
    QMetaObject::invokeMethod(
        this,
        [this] {
          drawn_.clear();
          Redraw(groups_);
        },
        Qt::QueuedConnection);
    return;
  }
  const std::string exists =
      text::Format(Cp("Группа избранных направлений/абонентов \"%s\" уже существует.").c_str(), values.name.c_str());
  if (oldName.empty()) {
    PostChange([values, exists](services::ConsoleServices& services) -> std::string {
      model::FavoriteGroups& groups = services.Favorites();
      if (groups.FindGroup(values.name) >= 0) return exists;
      const int created = groups.AddGroup(values.name);
      if (created < 0) return model::favorites_text::BusyScanning();
      core::GroupRecord& settings = groups.GroupAt(created).settings;
      const std::string name = settings.name;  // as the list stores it, trimmed
      settings = values;
      settings.name = name;
      return {};
    });
    return;
  }
  PostChange(
      [oldName, values, exists](services::ConsoleServices& services) -> std::string {
        model::FavoriteGroups& groups = services.Favorites();
        const int at = groups.FindGroup(oldName);
        if (at < 0) return {};
        if (values.name != oldName && groups.FindGroup(values.name) >= 0) return exists;
        model::_VxGroup& group = groups.GroupAt(at);
        group.settings = values;
        if (groups.HasAlarm(group)) groups.RunAlarmReactions(group);
        return {};
      },
      [this, oldName, name = values.name] {
        if (name == oldName) return;
        if (CViewFvItems* view = FindMembers(oldName)) view->RenameGroup(name);
        RecountOpen();
      });
}

void FavoritesController::OnDeleteGroup(int index) {
  CGridFavorites* grid = Grid();
  if (grid == nullptr || index < 0 || index >= grid->GroupCount()) return;
  if (index >= static_cast<int>(groups_.size())) {  // a new row that never got its name
    grid->RemoveGroupRow(index);
    return;
  }
  if (Refused()) return;
  const std::string name = groups_[static_cast<size_t>(index)].settings.name;
  const std::string question =
      text::Format(Cp("Удалить группу избранных направлений/абонентов \"%s\"?").c_str(), name.c_str());
  if (!console_.Dialogs().AskYesNo(question, Cp("Вопрос")))
    return;
  PostChange([name](services::ConsoleServices& services) -> std::string {
    services.Favorites().RemoveGroup(name, true);
    return {};
  });
}

void FavoritesController::OnRemoveMembers(const std::string& groupName,
                                          const std::vector<std::pair<std::string, std::string>>& members) {
  if (members.empty() || Refused()) return;
  const std::string question = text::Format(
      Cp("Удалить выделенные направления из группы избранных направлений \"%s\"?").c_str(), groupName.c_str());
  if (!console_.Dialogs().AskYesNo(question, Cp("Вопрос")))
    return;
  PostChange([groupName, members](services::ConsoleServices& services) -> std::string {
    for (const auto& [server, item] : members) services.Favorites().RemoveReference(groupName, server, item, true);
    return {};
  });
}

void FavoritesController::OnRescan(const std::string& groupName) {
  if (Refused()) return;
  scanQueued_ = true;
  console_.Runner().Post(
      Kind::User, [this, groupName] { console_.Services().Favorites().Rescan(groupName); },
      [this] {
        scanQueued_ = false;
        console_.RefreshWindows();
      },
      this);
}

}  // namespace ui
