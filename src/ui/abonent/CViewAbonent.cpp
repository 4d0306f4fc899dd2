#include "ui/abonent/CViewAbonent.h"

#include <QAction>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <atomic>

#include "services/DirectionRows.h"
#include "ui/dialogs/CDlgOperationNote.h"
#include "ui/text/QtText.h"

namespace ui {

CViewAbonent::CViewAbonent(std::shared_ptr<model::_VxItemBase> entry, WizContext context, QWidget* parent)
    : CChildView(DataKind::Entry, entry->mailServerName, KeyOf(*entry), parent),
      entry_(std::move(entry)),
      context_(std::move(context)) {
  setObjectName("CViewAbonent");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tools_ = new QToolBar(this);
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  struct Tool {
    const char* text;
    void (CViewAbonent::*signal)();
  };
  const Tool tools[] = {{"Применить", &CViewAbonent::applyRequested},
                        {"Обновить", &CViewAbonent::rescanRequested},
                        {"Копировать", &CViewAbonent::copyRequested},
                        {"Вставить", &CViewAbonent::pasteRequested}};
  for (const Tool& tool : tools) {
    QAction* action = tools_->addAction(QString::fromUtf8(tool.text));
    auto signal = tool.signal;
    connect(action, &QAction::triggered, this, [this, signal] { emit(this->*signal)(); });
  }
  layout->addWidget(tools_);

  stack_ = new QStackedWidget(this);
  auto* split = new QSplitter(Qt::Vertical, stack_);
  tabs_ = new QTabWidget(split);
  tabs_->setObjectName("entryPages");
  applyPane_ = new CDlgApplySettings(split);
  split->addWidget(tabs_);
  split->addWidget(applyPane_);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 0);
  split->setCollapsible(0, false);
  caution_ = new CDlgOpCation(stack_);
  stack_->addWidget(split);
  stack_->addWidget(caution_);
  layout->addWidget(stack_, 1);

  pages_ = CreateEntryPages(context_, tabs_, [this](bool abonent, bool viaLocalFolder) {
    LayOut(abonent, viaLocalFolder);
  });
  for (CWizPage* page : pages_.pages) {
    tabs_->addTab(page, page->Caption());
    connect(page, &CWizPage::changed, this, [this] {
      if (!showing_) SetPending(true);
    });
  }

  connect(applyPane_, &CDlgOperationNote::applyRequested, this, &CViewAbonent::applyRequested);
  connect(applyPane_, &CDlgOperationNote::rescanRequested, this, &CViewAbonent::rescanRequested);
  connect(applyPane_, &CDlgOperationNote::closeRequested, this, [this] {
    if (parentWidget()) parentWidget()->close();
  });
  connect(applyPane_, &CDlgOperationNote::moreRequested, this, [this] {
    if (!applyPane_->DataShown() || busy_) return;
    QStringList lines;
    for (const std::string& line : services::DirectionPreviewLines(Gathered())) lines << FromCp(line);
    applyPane_->SetData(lines.join('\n'));
  });
  connect(caution_, &CDlgOperationNote::rescanRequested, this, &CViewAbonent::rescanRequested);
  connect(caution_, &CDlgOperationNote::closeRequested, this, [this] {
    if (parentWidget()) parentWidget()->close();
  });
  connect(caution_, &CDlgOperationNote::moreRequested, this, [this] { stack_->setCurrentIndex(0); });

  Redisplay();
}

CViewAbonent::~CViewAbonent() = default;

QString CViewAbonent::TitleOf(const model::_VxItemBase& entry) {
  const QString node = FromCp(entry.mailServerName);
  if (entry.isNew)
    return entry.kind ? QString::fromUtf8("Узел \"%1\" - новый абонент").arg(node)
                      : QString::fromUtf8("Узел \"%1\" - новое направление").arg(node);
  return QString::fromUtf8("Узел \"%1\" - %2 \"%3\"")
      .arg(node, QString::fromUtf8(entry.kindOnServer ? "абонент" : "направление"), FromCp(entry.mailboxName));
}

std::string CViewAbonent::KeyOf(const model::_VxItemBase& entry) {
  if (!entry.isNew) return entry.mailboxName;
  // Never a mailbox name: those are printable.
  static std::atomic<unsigned> newEntries{0};
  return "\x01new" + std::to_string(++newEntries);
}

void CViewAbonent::Redisplay() {
  const model::_VxItemBase& entry = *entry_;
  setWindowTitle(TitleOf(entry));
  if (!entry.isNew) SetComputerKey(entry.mailboxName);
  ShowOnPages(entry);
  SetPending(false);
  ShowCautionIfStale();
}

void CViewAbonent::ShowOnPages(const model::_VxItemBase& entry) {
  showing_ = true;
  LayOut(entry.kind != 0, entry.viaLocalFolder != 0);
  for (CWizPage* page : pages_.pages) page->ShowEntry(entry);
  showing_ = false;
}

void CViewAbonent::ShowOnPages(const model::_VxItemBase& entry, const std::array<bool, 6>& chosen) {
  showing_ = true;
  for (size_t index = 0; index < chosen.size() && index < pages_.pages.size(); ++index)
    if (chosen[index]) pages_.pages[index]->ShowEntry(entry);
  showing_ = false;
  // The main page may have brought another kind or link.
  const model::_VxItemBase now = Gathered();
  LayOut(now.kind != 0, now.viaLocalFolder != 0);
  SetPending(true);
}

model::_VxItemBase CViewAbonent::Gathered() {
  for (CWizPage* page : pages_.pages) page->TakePendingInput();
  model::_VxItemBase work(*entry_);
  for (CWizPage* page : pages_.pages) page->GatherInto(work);
  return work;
}

std::function<bool(bool)> CViewAbonent::AddressCheck(const model::_VxItemBase& gathered) const {
  return pages_.addressCheck ? pages_.addressCheck(gathered) : std::function<bool(bool)>();
}

void CViewAbonent::ShowRoutingPage() {
  stack_->setCurrentIndex(0);
  if (pages_.routingPage < tabs_->count()) tabs_->setCurrentIndex(pages_.routingPage);
}

void CViewAbonent::SetBusy(bool busy) {
  busy_ = busy;
  stack_->setEnabled(!busy);
  tools_->setEnabled(!busy);
}

CWizPage* CViewAbonent::VisiblePage(int index) const {
  if (index < 0 || index >= tabs_->count() || !tabs_->isTabVisible(index)) return nullptr;
  return pages_.pages[static_cast<size_t>(index)];
}

void CViewAbonent::LayOut(bool abonent, bool viaLocalFolder) {
  for (size_t index = 0; index < pages_.pages.size(); ++index)
    tabs_->setTabVisible(static_cast<int>(index), pages_.pages[index]->ShownFor(abonent));
  if (pages_.layFor) pages_.layFor(abonent, viaLocalFolder);
}

void CViewAbonent::SetPending(bool pending) {
  pending_ = pending;
  if (pages_.setPending) pages_.setPending(pending);
}

void CViewAbonent::ShowCautionIfStale() {
  const bool stale = !entry_->isNew && entry_->lastRefreshFailed;
  stack_->setCurrentIndex(stale ? 1 : 0);
}

}  // namespace ui
