#include "model/apply/Validate.h"

#include <string>

#include "model/apply/PasswordHash.h"
#include "model/item/VxItemBase.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {

namespace {

constexpr std::string_view kFolderPrefix = "#Folder=";

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// The kind in the genitive, as the questions name it.
std::string KindGenitive(const _VxItemBase& item) {
  return text::Cp(item.kind ? "абонента" : "направления");
}

void Error(ports::DialogPort& window, const char* utf8) {
  window.Message(text::Cp(utf8), text::Cp("Ошибка"), ports::MsgIcon::Error);
}

bool HasRoutingAddress(const _VxItemBase& item) {
  for (const auto& list : item.routingAddresses)
    if (!list.empty()) return true;
  return false;
}

// The name as the server will keep it.
std::string ServerName(const std::string& name) { return text::ToUpperAscii(text::TrimView(name)); }

ports::RichParagraph Bullet(std::string line) {
  return {ports::RichRun{text::Cp("• ")}, ports::RichRun{std::move(line)}};
}

// A local folder is given as "#Folder=path"; without a path there is nowhere to work.
bool FolderPathMissing(const std::string& linkParameters) {
  const std::string_view trimmed = text::TrimView(linkParameters);
  if (trimmed.size() < kFolderPrefix.size()) return false;
  if (!text::EqualsNoCaseAscii(trimmed.substr(0, kFolderPrefix.size()), kFolderPrefix)) return false;
  return text::TrimView(trimmed.substr(kFolderPrefix.size())).empty();
}

}  // namespace

ports::QuestionRequest RoutingQuestion(const _VxItemBase& work) {
  const std::string kind = KindGenitive(work);
  const std::string name = Quoted(work.mailboxName);
  ports::QuestionRequest q;
  q.caption = text::Cp("Параметры маршрутизации для ") + kind + " " + name + " ...";
  q.buttons = {text::Cp("Продолжить"), "C", "ADMD", "PRMD", "ORG", "OU", "PN", text::Cp("Отмена")};
  q.defaultButton = routingbutton::kContinue;
  q.cancelButton = routingbutton::kCancel;
  q.icon = ports::MsgIcon::Question;
  auto& p = q.body.paragraphs;
  p.push_back({ports::RichRun{text::Cp("Для ") + kind + " " + name + text::Cp(" не заданы параметры маршрутизации!"),
                              0x000000, true}});
  p.push_back({ports::RichRun{text::Cp("Справка:")}});
  p.push_back(Bullet(text::Cp("Настоятельно рекомендуется задать как мининмум один адрес в маршрутных таблицах или "
                              "закладке \"Параметры машрутизации\" свойств ") +
                     kind + " " + name + ";"));
  p.push_back(Bullet(text::Cp("Без указания параметров маршрутизации (команда Продолжить) не возможно сохранить "
                              "стандартные параметры абонента для адресной книги;")));
  p.push_back({ports::RichRun{text::Cp("Команды :")}});
  p.push_back(Bullet(text::Cp("Продолжить - продолжить без изменений;")));
  p.push_back(Bullet(text::Cp("<C>, <ADMD>, <PRMD>, <ORG>, <OU> и <PN> - задать адрес ") + name + text::Cp(" для ") +
                     kind + " " + name + text::Cp(" на соответствующем уровне;")));
  p.push_back(Bullet(text::Cp("Отмена - отменить операцию;")));
  return q;
}

int Validate(_VxItemBase& work, ports::DialogPort& window) {
  // 1. A name of blanks only would reach the server empty: it counts as empty.
  if (text::TrimView(work.mailboxName).empty()) {
    Error(window, "Имя почтового ящика не должно быть пустым!");
    return 0;
  }

  // 2. The password hash; a direction keeps "none computed".
  work.passwordHash = _VxItemBase::kNoPasswordHash;
  if (work.kind && work.passwordSet) {
    if (work.password.empty() && work.passwordConfirm.empty()) {
      // Nothing typed: the hash stays as it is.
    } else if (work.password != work.passwordConfirm) {
      Error(window, "Пароль и подтверждение пароля не совпадают!");
      return 0;
    } else {
      // Hashed with the name the server keeps, which is the one the mailbox logs on with.
      work.passwordHash = HashPassword(PasswordHashText(text::TrimView(work.mailboxName), work.password));
    }
  }

  // 3. Without any routing address mail cannot reach the entry.
  if (!HasRoutingAddress(work)) {
    const int answer =
        work.isNew ? routingbutton::kFirstLevel + kLevelCount - 1 : window.Ask(RoutingQuestion(work));
    if (answer < routingbutton::kContinue || answer >= routingbutton::kCancel) return 0;
    if (answer >= routingbutton::kFirstLevel) {
      const auto level = static_cast<size_t>(answer - routingbutton::kFirstLevel);
      work.routingAddresses[level].push_back(ServerName(work.mailboxName));
    }
  }

  // 4. The mailbox address.
  if (!work.ComputeMailboxAddress()) {
    if (work.kind) {
      Error(window, "Для абонента не удалось вычислить адрес почтового ящика!");
      return 0;
    }
    const auto answer = window.Message(text::Cp("Для направления не удалось вычислить адрес почтового ящика!\n"
                                                 "Продолжить?"),
                                       text::Cp("Сообщение"), ports::MsgIcon::Question, ports::MsgButtons::YesNo);
    if (answer != ports::MsgAnswer::Yes) return 0;
  }

  // 5. An abonent's identity and its address-book record.
  if (work.kind) {
    std::string userId;
    if (!work.GetParameter("#USERID", userId) || text::TrimView(userId).empty()) {
      window.Message(text::Cp("Для абонента не задано поле \"Идентификатор\"!"), text::Cp("Критическая ошибка"),
                     ports::MsgIcon::Error);
      return 0;
    }
    if (work.hideFromAddressBook == 0) {
      std::string fullName;
      work.GetParameter("#FULLNAME", fullName);
      if (text::TrimView(fullName).empty()) {
        bool fill = work.isNew != 0;
        if (!fill) {
          const std::string question =
              text::Cp("В параметрах абонента не задано поле \"Полное имя\"!\nУстановить значение этого поля в \"") +
              work.mailboxName + text::Cp("\" (имя почтового ящика)?");
          fill = window.Message(question, text::Cp("Вопрос"), ports::MsgIcon::Question, ports::MsgButtons::YesNo) ==
                 ports::MsgAnswer::Yes;
        }
        // Changes an existing parameter only.
        if (fill) work.SetParameter("#FULLNAME", work.mailboxName);
      }
      work.addressBookRecord.clear();
      if (!work.ComputeMailboxAddress() || !work.BuildAddressBookRecord()) {
        Error(window, "Для абонента не удалось сформировать данные для обновления в адресной книге узла!");
        return 0;
      }
    }
  }

  // 6. An abonent's link text means something only for a local folder.
  if (work.kind && !work.viaLocalFolder) work.linkParameters.clear();

  // 7. A local folder needs its path.
  if (work.viaLocalFolder && FolderPathMissing(work.linkParameters)) {
    Error(window,
          "Для направления/абонента работающего через локальную папку необходимо указать путь к папаке!");
    return 0;
  }
  return 1;
}

}  // namespace model
