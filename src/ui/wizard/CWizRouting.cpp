#include "ui/wizard/CWizRouting.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

#include "core/OperationGate.h"
#include "core/net/NetworkServices.h"
#include "model/host/HostServices.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/dialogs/CDlgRequestAddrFields.h"
#include "ui/routing/CGridRtEntries.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

QString Ru(const char* utf8) { return FromCp(text::Cp(utf8)); }

}  // namespace

CWizRouting::CWizRouting(WizContext& context, QWidget* parent)
    : CWizPage(Ru("Параметры маршрутизации"), context, parent) {
  Body()->addWidget(new QLabel(Ru("Адреса направления"), this));
  grid_ = new CGridRtEntries(this);
  grid_->installEventFilter(this);
  Body()->addWidget(grid_, 1);

  auto* commands = new QHBoxLayout;
  auto* insert = new QPushButton(QStringLiteral("Insert"), this);
  auto* edit = new QPushButton(QStringLiteral("Edit"), this);
  auto* remove = new QPushButton(QStringLiteral("Delete"), this);
  commands->addWidget(insert);
  commands->addWidget(edit);
  commands->addWidget(remove);
  commands->addStretch(1);
  Body()->addLayout(commands);
  connect(insert, &QPushButton::clicked, this, [this] { InsertRowAndEdit(); });
  connect(edit, &QPushButton::clicked, this, [this] { EditSelectedRow(); });
  connect(remove, &QPushButton::clicked, this, [this] { DeleteSelectedRows(); });
  connect(grid_, &CGridRtEntries::addressesChanged, this, &CWizPage::changed);

  book_ = new QWidget(this);
  auto* bookLayout = new QVBoxLayout(book_);
  bookLayout->setContentsMargins(0, 0, 0, 0);
  auto* addressRow = new QHBoxLayout;
  addressRow->addWidget(new QLabel(QStringLiteral("X400 address"), book_));
  address_ = new QLineEdit(book_);
  address_->setObjectName("absAddress");
  addressRow->addWidget(address_, 1);
  fieldsButton_ = new QToolButton(book_);
  fieldsButton_->setText(QStringLiteral("..."));
  addressRow->addWidget(fieldsButton_);
  bookLayout->addLayout(addressRow);
  auto* checkRow = new QHBoxLayout;
  complete_ = new QCheckBox(QStringLiteral("Complete X400 specification for address book"), book_);
  verify_ = new QPushButton(QStringLiteral("Verify"), book_);
  checkRow->addWidget(complete_);
  checkRow->addStretch(1);
  checkRow->addWidget(verify_);
  bookLayout->addLayout(checkRow);
  Body()->addWidget(book_);
  book_->setVisible(false);

  connect(address_, &QLineEdit::textEdited, this, &CWizPage::changed);
  connect(fieldsButton_, &QToolButton::clicked, this, &CWizRouting::RequestAddressFields);
  connect(verify_, &QPushButton::clicked, this, &CWizRouting::VerifyWithNode);
}

void CWizRouting::SetAbonentMode(bool abonent) {
  abonent_ = abonent;
  book_->setVisible(abonent);
  grid_->SetAbonentEntry(abonent);
}

void CWizRouting::AddRow(const std::string& address, const std::string& levelName) { grid_->AddRow(address, levelName); }

void CWizRouting::ShowEntry(const model::_VxItemBase& entry) {
  grid_->SetAddresses(entry.routingAddresses);
  address_->setText(FromCp(entry.absAddress));
  complete_->setChecked(false);
  SetAbonentMode(entry.kind != 0);
}

model::RoutingLists CWizRouting::Routing() const { return grid_->Addresses(); }

void CWizRouting::GatherInto(model::_VxItemBase& entry) {
  entry.routingAddresses = Routing();
  entry.absAddress = abonent_ ? text::Trim(ToCp(address_->text())) : std::string();
}

void CWizRouting::TakePendingInput() { grid_->TakePendingInput(); }

bool CWizRouting::InsertRowAndEdit() {
  grid_->InsertRowAndEdit();
  return true;
}

bool CWizRouting::EditSelectedRow() {
  const std::vector<int> rows = grid_->SelectedRows();
  if (rows.size() != 1) {
    ReportSelectionNeeded();
    return false;
  }
  grid_->EditRow(rows.front());
  return true;
}

bool CWizRouting::DeleteSelectedRows() {
  if (grid_->SelectedRows().empty()) {
    ReportSelectionNeeded();
    return false;
  }
  return grid_->DeleteSelected(Context().dialogs);
}

void CWizRouting::ReportSelectionNeeded() {
  if (Context().dialogs == nullptr) return;
  Context().dialogs->Message(text::Cp("Необходимо выбрать один элемент в параметрах маршрутизации!"),
                             text::Cp("Сообщение"), ports::MsgIcon::Exclamation);
}

bool CWizRouting::CompleteAsked() const { return abonent_ && complete_->isChecked(); }

void CWizRouting::VerifyWithNode() {
  WizContext& context = Context();
  if (!context.runOnWorker || context.hosts == nullptr || context.net == nullptr) {
    CheckAddressField(true);
    return;
  }
  // The check is made against the node as it is now: its own address and
  // its routing tables are read first, and a failure to read them is said.
  const std::string server = context.mailServer;
  model::HostServices* hosts = context.hosts;
  core::NetworkServices* net = context.net;
  ports::DialogPort* dialogs = context.dialogs;
  QPointer<CWizRouting> self(this);
  const bool queued = context.runOnWorker(
      [server, hosts, net, dialogs] {
        core::__VtHostDescription* host = net->FindMailServer(server);
        const auto tell = [&](const char* format) {
          if (dialogs)
            dialogs->Message(text::Cp(format) + server + "\"!", text::Cp("Сообщение"), ports::MsgIcon::Exclamation);
        };
        if (host == nullptr || !hosts->EnsureLoaded(*host, false)) {
          tell("Не удалось получить X400 адрес для почтового узла \"");
          return;
        }
        if (!hosts->LoadRoutingData(*host, true, false, nullptr)) tell("Не удалось получить маршрутные таблицы для почтового узла \"");
      },
      [self] {
        if (self) self->CheckAddressField(true);
      });
  if (!queued && context.dialogs)
    context.dialogs->Message(core::ChannelBusyText(), text::Cp("Сообщение"), ports::MsgIcon::Information);
}

bool CWizRouting::CheckAddressField(bool withMessage) {
  return ReportBookAddressCheck(model::CheckBookAddress(CompleteAsked(), ToCp(address_->text()), Routing()),
                                withMessage ? Context().dialogs : nullptr);
}

bool ReportBookAddressCheck(model::BookAddressCheck result, ports::DialogPort* dialogs) {
  const bool passed = result == model::BookAddressCheck::kNotAsked || result == model::BookAddressCheck::kCorrect;
  if (dialogs != nullptr && result != model::BookAddressCheck::kNotAsked) {
    const ports::MsgIcon icon = result == model::BookAddressCheck::kEmpty ? ports::MsgIcon::Error
                                : passed                                   ? ports::MsgIcon::Information
                                                                           : ports::MsgIcon::Exclamation;
    dialogs->Message(model::BookAddressCheckText(result), model::BookAddressCheckTitle(result), icon);
  }
  return passed;
}

void CWizRouting::RequestAddressFields() {
  CDlgRequestAddrFields dialog(Context().dialogs, this);
  dialog.SetAddress(ToCp(address_->text()));
  if (dialog.exec() != QDialog::Accepted) return;
  address_->setText(FromCp(dialog.Address()));
  emit changed();
}

bool CWizRouting::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress && grid_->indexWidget(grid_->currentIndex()) == nullptr) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Insert:
        InsertRowAndEdit();
        return true;
      case Qt::Key_Delete:
        DeleteSelectedRows();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        EditSelectedRow();
        return true;
      default:
        break;
    }
  }
  return CWizPage::eventFilter(watched, event);
}

}  // namespace ui
