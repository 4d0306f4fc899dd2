#include "ui/wizard/CWizMain.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

constexpr std::string_view kFolderTag = "#Folder=";
// Blanks, line ends, tabs and the quotes a pasted path may carry.
constexpr std::string_view kPathTrim = " \r\n\t\"";

QString Ru(const char* utf8) { return FromCp(text::Cp(utf8)); }

}  // namespace

CWizMain::CWizMain(WizContext& context, QWidget* parent)
    : CWizPage(Ru("Главные параметры"), context, parent) {
  auto* form = new QFormLayout;
  name_ = new QLineEdit(this);
  name_->setObjectName("mailboxName");
  name_->installEventFilter(this);
  form->addRow(QStringLiteral("Mail box name"), name_);
  Body()->addLayout(form);

  abonent_ = new QCheckBox(QStringLiteral("Abonent mode"), this);
  locked_ = new QCheckBox(QStringLiteral("Locked"), this);
  viaFolder_ = new QCheckBox(QStringLiteral("Connect through local folder"), this);
  Body()->addWidget(abonent_);
  Body()->addWidget(locked_);
  Body()->addWidget(viaFolder_);

  auto* pathForm = new QFormLayout;
  folderPath_ = new QLineEdit(this);
  folderPath_->setObjectName("localFolderPath");
  folderPath_->setEnabled(false);
  pathForm->addRow(QStringLiteral("Local folder path"), folderPath_);
  Body()->addLayout(pathForm);
  Body()->addStretch(1);

  connect(name_, &QLineEdit::textEdited, this, &CWizPage::changed);
  connect(folderPath_, &QLineEdit::textEdited, this, &CWizPage::changed);
  connect(locked_, &QCheckBox::toggled, this, &CWizPage::changed);
  connect(abonent_, &QCheckBox::toggled, this, &CWizMain::AbonentToggled);
  connect(viaFolder_, &QCheckBox::toggled, this, &CWizMain::FolderToggled);
}

std::string CWizMain::FolderFromLinkText(const std::string& linkParameters) {
  if (linkParameters.size() >= kFolderTag.size() &&
      text::EqualsNoCaseAscii(std::string_view(linkParameters).substr(0, kFolderTag.size()), kFolderTag)) {
    return linkParameters.substr(kFolderTag.size());
  }
  return linkParameters;
}

void CWizMain::ShowEntry(const model::_VxItemBase& entry) {
  const QSignalBlocker blockAbonent(abonent_);
  const QSignalBlocker blockLocked(locked_);
  const QSignalBlocker blockFolder(viaFolder_);
  storedAbonent_ = entry.kindOnServer == 1 && entry.isNew == 0;
  name_->setText(FromCp(entry.mailboxName));
  name_->setReadOnly(entry.isNew == 0);
  abonent_->setChecked(entry.kind != 0);
  locked_->setChecked(entry.active == 0);
  viaFolder_->setChecked(entry.viaLocalFolder != 0);
  folderPath_->setEnabled(entry.viaLocalFolder != 0);
  if (entry.viaLocalFolder != 0) {
    // The stored folder is shown as it is: proposing one here would write
    // it back with the next apply of any other field.
    folderPath_->setText(FromCp(FolderFromLinkText(entry.linkParameters)));
    if (folderPath_->text().trimmed().isEmpty()) FillFolderPath();
  } else {
    folderPath_->clear();
  }
}

void CWizMain::GatherInto(model::_VxItemBase& entry) {
  entry.mailboxName = text::ToUpperAscii(text::Trim(ToCp(name_->text())));
  entry.kind = abonent_->isChecked() ? 1 : 0;
  entry.active = locked_->isChecked() ? 0 : 1;
  entry.viaLocalFolder = viaFolder_->isChecked() ? 1 : 0;
  // The agent page appends its lines to what is left here.
  entry.linkParameters.clear();
  if (entry.viaLocalFolder != 0) {
    entry.linkParameters = std::string(kFolderTag) + text::Trim(ToCp(folderPath_->text()), kPathTrim);
  }
}

void CWizMain::AbonentToggled(bool abonent) {
  if (!abonent && storedAbonent_ && Context().dialogs != nullptr &&
      !Context().dialogs->AskYesNo(
          text::Cp("Преобразование абонента в направление приведет к удалению справочной информации (Ф.И.О., "
                   "телефон, адрес и т.п.) в базе данных сервера рассылки адресных книг. Продолжить?"),
          text::Cp("Сообщение"))) {
    const QSignalBlocker block(abonent_);
    abonent_->setChecked(true);
    return;
  }
  emit kindChanged(abonent);
  emit changed();
}

void CWizMain::FolderToggled(bool on) {
  folderPath_->setEnabled(on);
  if (on) FillFolderPath();
  emit changed();
}

void CWizMain::FillFolderPath() {
  const std::string& prefix = Context().localFolderPrefix;
  // Without the node's description there is no folder to propose.
  if (prefix.empty()) return;
  const std::string path = text::Trim(ToCp(folderPath_->text()), kPathTrim);
  const std::string upperPrefix = text::ToUpperAscii(prefix);
  if (!path.empty() && text::ToUpperAscii(path).starts_with(upperPrefix)) return;
  folderPath_->setText(FromCp(prefix + text::ToUpperAscii(text::Trim(ToCp(name_->text())))));
}

bool CWizMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == name_ && event->type() == QEvent::MouseButtonPress && name_->isReadOnly() &&
      Context().dialogs != nullptr) {
    Context().dialogs->Message(
        text::Cp("Для изменения имени абонента/направления сделать копию учетной записи (ВИД->Копировать), создать "
                 "нового абонента/направлене и скопировать в него схораненные данные. Старый ящик удалить."),
        text::Cp("Сообщение"), ports::MsgIcon::Information);
    return true;
  }
  return CWizPage::eventFilter(watched, event);
}

}  // namespace ui
