#include "ui/main/CChildFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/directions/CViewDirections.h"
#include "ui/favorites/CViewFvItems.h"
#include "ui/monitor/CCnViewDisks.h"
#include "ui/monitor/CCnViewFolders.h"
#include "ui/monitor/CViewReplication.h"
#include "ui/routing/CViewRouting.h"
#include "ui/text/QtText.h"

namespace ui {

QString DataWindowTitle(DataKind kind, const std::string& mailServer, const std::string& computer) {
  const QString server = FromCp(mailServer);
  const QString host = FromCp(computer);
  switch (kind) {
    case DataKind::DirectionsShortcuts:
      return QString::fromUtf8("Узел \"%1\" - направления/абоненты (ссылки)").arg(server);
    case DataKind::DirectionsTable:
      return QString::fromUtf8("Узел \"%1\" - направления/абоненты (таблица)").arg(server);
    case DataKind::Routing: return QString::fromUtf8("Узел \"%1\" - маршрутные таблицы").arg(server);
    case DataKind::MailingLists: return QString::fromUtf8("Узел \"%1\" - списки рассылки").arg(server);
    case DataKind::Replication:
      return QString::fromUtf8("Узел \"%1\" -  Подсистема репликации состояния почтового узла").arg(server);
    case DataKind::Disks:
      return QString::fromUtf8("Узел \"%1\" - компьютер \"%2\" - Отслеживаемые диски").arg(server, host);
    case DataKind::Folders:
      return QString::fromUtf8("Узел \"%1\" - компьютер \"%2\" - Отслеживаемые папки").arg(server, host);
    case DataKind::FavoriteMembers: return QString::fromUtf8("Избранное: \"%1\"").arg(server);
    case DataKind::Entry: return QString::fromUtf8("Узел \"%1\" - \"%2\"").arg(server, host);
  }
  return {};
}

CChildView::CChildView(DataKind kind, std::string mailServer, std::string computer, QWidget* parent)
    : QWidget(parent), kind_(kind), mailServer_(std::move(mailServer)), computer_(std::move(computer)) {
  setWindowTitle(DataWindowTitle(kind_, mailServer_, computer_));
}

void CChildView::Rename(std::string mailServer) {
  mailServer_ = std::move(mailServer);
  setWindowTitle(DataWindowTitle(kind_, mailServer_, computer_));
}

bool CChildView::Shows(DataKind kind, const std::string& mailServer, const std::string& computer) const {
  // Windows of a mail server as a whole do not depend on the computer row
  // they were opened from.
  const bool perComputer = kind == DataKind::Disks || kind == DataKind::Folders || kind == DataKind::Entry;
  return kind_ == kind && mailServer_ == mailServer && (!perComputer || computer_ == computer);
}

CPlaceholderView::CPlaceholderView(DataKind kind, std::string mailServer, std::string computer, QWidget* parent)
    : CChildView(kind, std::move(mailServer), std::move(computer), parent) {
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(windowTitle(), this);
  title->setObjectName("placeholderTitle");
  QFont font = title->font();
  font.setBold(true);
  title->setFont(font);
  auto* note = new QLabel(QString::fromUtf8("Окно этого вида появится в следующей версии программы."), this);
  layout->addWidget(title);
  layout->addWidget(note);
  layout->addStretch(1);
}

CMailingListsView::CMailingListsView(std::string mailServer, QWidget* parent)
    : CChildView(DataKind::MailingLists, std::move(mailServer), std::string(), parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* commands = new QWidget(this);
  commands->setObjectName("commandColumn");
  commands->setFixedWidth(kCommandColumnWidth);
  auto* commandLayout = new QVBoxLayout(commands);
  commandLayout->addStretch(1);
  layout->addWidget(commands);

  auto* panes = new QWidget(this);
  auto* paneLayout = new QVBoxLayout(panes);
  paneLayout->setContentsMargins(0, 0, 0, 0);
  for (const char* name : {"upperList", "lowerList"}) {
    auto* list = new QListWidget(panes);
    list->setObjectName(name);
    list->setFixedHeight(kListPaneHeight);
    paneLayout->addWidget(list);
  }
  paneLayout->addStretch(1);
  layout->addWidget(panes, 1);
}

CChildFrame::CChildFrame(CChildView* view, QWidget* parent) : QMdiSubWindow(parent), view_(view) {
  setWidget(view);
  setWindowTitle(view->windowTitle());
  // Views whose object is renamed (a group, a stored new entry) retitle themselves.
  connect(view, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
  setAttribute(Qt::WA_DeleteOnClose);
}

CChildView* CreateDataView(DataKind kind, const std::string& mailServer, const std::string& computer) {
  if (kind == DataKind::MailingLists) return new CMailingListsView(mailServer);
  if (kind == DataKind::FavoriteMembers) return new CViewFvItems(mailServer);
  if (kind == DataKind::Routing) return new CViewRouting(mailServer);
  if (kind == DataKind::DirectionsTable || kind == DataKind::DirectionsShortcuts)
    return new CViewDirections(kind, mailServer);
  if (kind == DataKind::Disks) return new CCnViewDisks(mailServer, computer);
  if (kind == DataKind::Folders) return new CCnViewFolders(mailServer, computer);
  if (kind == DataKind::Replication) return new CViewReplication(mailServer);
  return new CPlaceholderView(kind, mailServer, computer);
}

}  // namespace ui
