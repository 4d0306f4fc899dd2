#include "ui/wizard/CWizAbonent.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <vector>

#include "model/item/NewUserId.h"
#include "model/item/VxItemBase.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/abonent/CGridAbonentParms.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

constexpr const char* kUserId = "#USERID";

// Required: the full name is what the address book shows and the identity
// is what ties the abonent's site to it.
bool Required(const char* key) { return text::EqualsNoCaseAscii(key, "#FULLNAME") || text::EqualsNoCaseAscii(key, kUserId); }

QLabel* Heading(const char* utf8, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(utf8), parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

const std::array<StandardParameter, CWizAbonent::kStandardCount>& CWizAbonent::StandardParameters() {
  static const std::array<StandardParameter, kStandardCount> parameters = {{
      {"#FULLNAME", "Полное имя"},
      {"#COMMENT", "Комментарий"},
      {"#PHONE", "Телефон"},
      {"#FirstName", "Фамилия"},
      {"#SurName", "Имя"},
      {"#Country", "Страна"},
      {"#Region", "Регион"},
      {"#City", "Город"},
      {"#Job", "Должность"},
      {"#Organization", "Организация"},
      {"#Departament", "Отдел"},
      {"#Room", "Комната"},
      {"#PostIndex", "Почтовый индекс"},
      {"#PostAddress", "Почтовый адрес"},
      {"#Helper", "Помощник"},
      {kUserId, "Идентификатор"},
  }};
  return parameters;
}

CWizAbonent::CWizAbonent(WizContext& context, QWidget* parent)
    : CWizPage(QString::fromUtf8("Параметры абонента"), context, parent),
      passwordSet_(new QCheckBox(QStringLiteral("Set password when abonent will perform first connection"), this)),
      password_(new QLineEdit(this)),
      retype_(new QLineEdit(this)),
      hidden_(new QCheckBox(QStringLiteral("Do not include this abonent into address book"), this)),
      standard_(new CGridAbonentParms(CGridAbonentParms::Kind::Standard, context.dialogs, this)),
      additional_(new CGridAbonentParms(CGridAbonentParms::Kind::Additional, context.dialogs, this)) {
  setObjectName("CWizAbonent");
  password_->setEchoMode(QLineEdit::Password);
  retype_->setEchoMode(QLineEdit::Password);
  auto* form = new QFormLayout;
  form->addRow(passwordSet_);
  form->addRow(QStringLiteral("Password"), password_);
  form->addRow(QStringLiteral("Retype password"), retype_);
  form->addRow(hidden_);
  Body()->addLayout(form);
  Body()->addWidget(Heading("Основные параметры абонента", this));
  Body()->addWidget(standard_, 4);
  Body()->addWidget(Heading("Дополнительные параметры абонента", this));
  Body()->addWidget(additional_, 1);

  const auto userChange = [this] {
    if (!showing_) emit changed();
  };
  connect(passwordSet_, &QCheckBox::toggled, this, [this, userChange] {
    UpdatePasswordFields();
    userChange();
  });
  connect(password_, &QLineEdit::textEdited, this, userChange);
  connect(retype_, &QLineEdit::textEdited, this, userChange);
  connect(hidden_, &QCheckBox::toggled, this, userChange);
  connect(standard_, &CGridAbonentParms::changed, this, &CWizPage::changed);
  connect(additional_, &CGridAbonentParms::changed, this, &CWizPage::changed);
  UpdatePasswordFields();
}

void CWizAbonent::UpdatePasswordFields() {
  password_->setEnabled(passwordSet_->isChecked());
  retype_->setEnabled(passwordSet_->isChecked());
}

void CWizAbonent::ShowEntry(const model::_VxItemBase& entry) {
  showing_ = true;
  passwordSet_->setChecked(entry.passwordSet != 0);
  password_->setText(FromCp(entry.password));
  retype_->setText(FromCp(entry.passwordConfirm));
  hidden_->setChecked(entry.hideFromAddressBook != 0);
  UpdatePasswordFields();

  // The first parameter of a standard key (any case) fills its row; every
  // other one, a second of the same key included, is an additional one.
  std::vector<bool> used(entry.parameters.size(), false);
  std::vector<AbonentParmRow> standardRows;
  for (const StandardParameter& standard : StandardParameters()) {
    AbonentParmRow row{standard.key, {}, Required(standard.key), text::Cp(standard.label), false};
    for (size_t i = 0; i < entry.parameters.size(); ++i) {
      if (used[i] || !text::EqualsNoCaseAscii(entry.parameters[i].name, standard.key)) continue;
      row.value = entry.parameters[i].value;
      used[i] = true;
      break;
    }
    if (text::EqualsNoCaseAscii(standard.key, kUserId)) {
      row.valueLocked = true;
      // A new entry, and a direction that may yet become an abonent, get an
      // identity of their own: without one an abonent cannot be applied.
      if ((entry.isNew || entry.kindOnServer == 0) && text::Trim(row.value).empty()) {
        if (newUserId_.empty()) newUserId_ = model::NewUserId();
        row.value = newUserId_;
      }
    }
    standardRows.push_back(std::move(row));
  }
  std::vector<AbonentParmRow> additionalRows;
  for (size_t i = 0; i < entry.parameters.size(); ++i)
    if (!used[i]) additionalRows.push_back({entry.parameters[i].name, entry.parameters[i].value, false, {}, false});
  standard_->SetRows(standardRows);
  additional_->SetRows(additionalRows);
  showing_ = false;
}

void CWizAbonent::TakePendingInput() {
  standard_->EndEditing();
  additional_->EndEditing();
}

void CWizAbonent::GatherInto(model::_VxItemBase& entry) {
  entry.passwordSet = passwordSet_->isChecked() ? 1 : 0;
  entry.password = ToCp(password_->text());
  entry.passwordConfirm = ToCp(retype_->text());
  entry.hideFromAddressBook = hidden_->isChecked() ? 1 : 0;

  // Empty standard values are written too: the apply's check fills an
  // existing but empty "#FULLNAME" from the mailbox name.
  std::vector<model::_VxItemBase::CAbonentParameter> parameters;
  const std::vector<AbonentParmRow> standardRows = standard_->Rows();
  for (size_t i = 0; i < StandardParameters().size() && i < standardRows.size(); ++i)
    parameters.push_back({StandardParameters()[i].key, standardRows[i].value});
  for (const AbonentParmRow& row : additional_->Rows()) {
    const std::string name = text::Trim(row.name);
    if (!name.empty()) parameters.push_back({name, row.value});
  }
  entry.parameters = std::move(parameters);
}

}  // namespace ui
