#include "ui/dialogs/CDlgRequestAddrFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/item/BookAddressCheck.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/text/QtText.h"

namespace ui {

CDlgRequestAddrFields::CDlgRequestAddrFields(ports::DialogPort* dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("Send request for address books to another mail server"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (int level = 0; level < model::kLevelCount; ++level) {
    auto* field = new QLineEdit(this);
    const QString name = FromCp(model::LevelName(level));
    field->setObjectName(name);
    form->addRow(name, field);
    fields_[static_cast<size_t>(level)] = field;
  }
  layout->addLayout(form);
  auto* buttons = new QHBoxLayout;
  send_ = new QPushButton(QStringLiteral("Send"), this);
  send_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  verify_ = new QPushButton(QStringLiteral("Verify address"), this);
  buttons->addWidget(verify_);
  buttons->addStretch(1);
  buttons->addWidget(send_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(send_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(verify_, &QPushButton::clicked, this, [this] { VerifyAddress(); });
}

void CDlgRequestAddrFields::SetAddress(const std::string& cp1251) {
  model::LevelValues values;
  // An address that leaves levels out (most mailbox addresses do) is read
  // by its level names, so that it is not shown as empty.
  if (model::ParseOrAddress(cp1251, false, values) == 0) model::SplitNamedOrAddress(cp1251, values);
  for (int level = 0; level < model::kLevelCount; ++level) {
    fields_[static_cast<size_t>(level)]->setText(FromCp(values[static_cast<size_t>(level)]));
  }
}

model::LevelValues CDlgRequestAddrFields::Values() const {
  model::LevelValues values;
  for (int level = 0; level < model::kLevelCount; ++level) {
    values[static_cast<size_t>(level)] = text::ToUpperAscii(text::Trim(ToCp(fields_[static_cast<size_t>(level)]->text())));
  }
  return values;
}

std::string CDlgRequestAddrFields::Address() const { return model::BuildRequestAddress(Values()); }

bool CDlgRequestAddrFields::VerifyAddress() {
  const bool complete = model::IsCompleteOrAddress(Address());
  if (dialogs_ != nullptr) {
    if (complete) {
      dialogs_->Message(text::Cp("Адрес для сервера рассылки адресных книг и глобальной адресной книги задан корректно."),
                        text::Cp("Сообщение"), ports::MsgIcon::Information);
    } else {
      dialogs_->Message(text::Cp("Задайте корректный адрес абонента для сервера рассылки адресных книг!"),
                        text::Cp("Сообщение"), ports::MsgIcon::Exclamation);
    }
  }
  return complete;
}

}  // namespace ui
