#include "ui/monitor/CCnViewFolders.h"

#include <QApplication>
#include <QHeaderView>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QVBoxLayout>

#include "services/ConsoleSnapshot.h"
#include "services/MonitorRows.h"
#include "ui/icons/Icons.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/GridLayoutKey.h"
#include "ui/main/HeadingWidth.h"
#include "ui/monitor/AlarmFrame.h"
#include "ui/monitor/CCnGridDisks.h"
#include "ui/monitor/FirstAlarmRow.h"
#include "ui/monitor/HistoryChart.h"
#include "ui/text/QtText.h"

namespace ui {

namespace col = services::folder_column;

CCnGridFolders::CCnGridFolders(QWidget* parent) : QTableWidget(parent) {
  setObjectName("CCnGridFolders");
  QStringList titles;
  for (const std::string& title : services::FolderColumnTitles()) titles << FromCp(title);
  setColumnCount(titles.size());
  setHorizontalHeaderLabels(titles);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  verticalHeader()->hide();
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setStretchLastSection(true);
  const int widths[] = {60, 240, 90, 260};
  for (int column = 0; column < col::kCount; ++column) SetColumnWidthAtLeastHeading(*horizontalHeader(), column, widths[column]);
  setItemDelegate(new NoFocusFrameDelegate(this));
}

void CCnGridFolders::Show(const std::vector<core::CSI_folder>& folders) {
  setRowCount(static_cast<int>(folders.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const core::CSI_folder& folder = folders[static_cast<size_t>(row)];
    const std::vector<std::string> texts = services::FolderRowTexts(folder);
    for (int column = 0; column < col::kCount; ++column) {
      auto* cell = new QTableWidgetItem(FromCp(texts[static_cast<size_t>(column)]));
      if (column == col::kFiles) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (folder.alarm) cell->setBackground(AlarmRowColor());
      if (column == col::kIcon) {
        cell->setIcon(folder.alarm ? AlertIcon() : QApplication::style()->standardIcon(QStyle::SP_DirIcon));
        cell->setData(kAlarmRole, folder.alarm);
      }
      setItem(row, column, cell);
    }
  }
  MakeFirstAlarmRowCurrent(*this, col::kIcon, [this](int row) { return RowAlarm(row); });
}

bool CCnGridFolders::RowAlarm(int row) const {
  const QTableWidgetItem* first = item(row, col::kIcon);
  return first != nullptr && first->data(kAlarmRole).toBool();
}

QString CCnGridFolders::LayoutKey(const std::string& mailServer, const std::string& computer) {
  return GridLayoutKey("__FOLDERS_", mailServer + "_" + computer);
}

void CCnGridFolders::RestoreLayout(QSettings& profile, const std::string& mailServer, const std::string& computer) {
  const QByteArray state = profile.value(LayoutKey(mailServer, computer)).toByteArray();
  if (!state.isEmpty()) horizontalHeader()->restoreState(state);
}

void CCnGridFolders::SaveLayout(QSettings& profile, const std::string& mailServer,
                                const std::string& computer) const {
  profile.setValue(LayoutKey(mailServer, computer), horizontalHeader()->saveState());
}

CCnViewFolders::CCnViewFolders(std::string mailServer, std::string computer, QWidget* parent)
    : CMonitorView(DataKind::Folders, std::move(mailServer), std::move(computer), parent) {
  setObjectName("CCnViewFolders");
  caption_ = new QLabel(QStringLiteral("Scanned folders of computer \"%1\"").arg(FromCp(Computer())), this);
  caption_->setObjectName("caption");
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  grid_ = new CCnGridFolders(splitter);
  chart_ = new HistoryChart(splitter);
  Content()->addWidget(caption_);
  Content()->addWidget(splitter, 1);
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  grid_->RestoreLayout(profile, MailServer(), Computer());
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { ShowChart(); });
}

CCnViewFolders::~CCnViewFolders() {
  QSettings profile(CMainFrame::kProfileName, CMainFrame::kProfileName);
  grid_->SaveLayout(profile, MailServer(), Computer());
}

void CCnViewFolders::Show(const services::ComputerSnapshot* computer, const services::ScanHistory& history) {
  static const std::vector<core::CSI_folder> kNone;
  const std::vector<core::CSI_folder>& folders = computer ? computer->folders : kNone;
  names_.clear();
  history_.clear();
  bool alarm = false;
  for (const core::CSI_folder& folder : folders) {
    names_.push_back(folder.firstText);
    history_.push_back(history.Folder(Computer(), folder.firstText));
    alarm = alarm || folder.alarm;
  }
  grid_->Show(folders);
  Frame()->SetAlarm(alarm);
  ShowChart();
}

void CCnViewFolders::ShowChart() {
  const int row = grid_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= history_.size()) {
    chart_->Clear();
    return;
  }
  chart_->Show(history_[static_cast<size_t>(row)],
               QString::fromUtf8("Количество файлов: %1").arg(FromCp(names_[static_cast<size_t>(row)])), false);
}

}  // namespace ui
