#include "core/net/SessionService.h"

#include <vector>

#include "core/MachineIdentity.h"
#include "core/MessageImage.h"
#include "core/net/ComputerRegistry.h"
#include "core/net/ProcessBinding.h"
#include "ports/DialogPort.h"
#include "rpc/iface/SessionCalls.h"
#include "rpc/iface/SessionTexts.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

// User names and passwords travel in 512-byte arrays with their NUL.
constexpr size_t kTextMax = 511;
constexpr int32_t kAdminTextCapacity = 511;

std::string Cut(const std::string& text, size_t max) { return text.size() > max ? text.substr(0, max) : text; }

// The received text up to its NUL, trimmed.
std::string Received(const std::vector<char>& buffer) { return text::Trim(std::string(buffer.data())); }

ports::RichParagraph Paragraph(std::string text) { return {ports::RichRun{std::move(text)}}; }

// The computer's last call failed for want of a channel: nobody answered or
// the answer stopped; or the wait was given up on a computer that had not
// answered before either. A computer that was answering when a stop cut its
// call short is still dialled for its logoff.
bool NoChannel(const __RpcClientDescription& computer) {
  if (computer.online) return false;
  const uint32_t status = computer.lastException;
  if (status == rpc::status::kCallCancelled) return !computer.previousOnline;
  return status == rpc::status::kServerUnavailable || status == rpc::status::kCallFailed;
}

}  // namespace

SessionService::SessionService(ComputerRegistry& computers, ProcessBinding& binding, LogonState& state)
    : computers_(computers), binding_(binding), state_(state) {}

void SessionService::Log(const std::string& text, int code) const {
  if (log_) log_(text, code);
}

std::string SessionService::Identity() const {
  return Cut(identity_ ? identity_() : MachineIdentity(), kMachineIdentityMax);
}

int SessionService::Logon(bool interactive) {
  using text::Cp;
  if (state_.logonComputer.empty()) return 0;
  if (state_.connectionNotUsed) {
    Log(Cp("Соединение не использовано"), image::kFailed);
    state_.accessLevel = access::kNoConnection;
    return 1;
  }
  state_.accessLevel = access::kUnset;
  state_.adminUser.clear();
  state_.adminConnection.clear();
  state_.quitRequest = false;
  __RpcClientDescription* computer = computers_.Find(state_.logonComputer);
  if (!computer) return 0;
  computer->online = false;
  computer->previousOnline = false;

  const std::string identity = Identity();
  const std::string user = Cut(state_.userName, kTextMax);
  const std::string password = Cut(state_.password, kTextMax);
  bool completed = false;
  {
    auto lock = binding_.Lock();
    if (binding_.Bind(*computer) == 0) {
      binding_.BeginCall();
      try {
        rpc::CallTarget& target = binding_.Target();
        Log(text::Format(Cp("Соединение с: \"%s\"\nПользователь: \"%s\"\n...").c_str(), computer->name.c_str(),
                         user.c_str()),
            image::kConnect);
        int32_t level = access::kUnset;
        rpc::LogonWithTexts(target, identity, user, password, &level);
        state_.accessLevel = level;

        std::vector<char> connection(kAdminTextCapacity + 1, '\0');
        std::vector<char> adminUser(kAdminTextCapacity + 1, '\0');
        int32_t connectionLength = 0, adminUserLength = 0, unused = 0;
        rpc::GetCurrentAdmin(target, kAdminTextCapacity, &connectionLength, connection.data(), kAdminTextCapacity,
                             &adminUserLength, adminUser.data(), &unused);
        if (connectionLength >= 2 && adminUserLength >= 2) {
          state_.adminConnection = Received(connection);
          state_.adminUser = Received(adminUser);
          Log(text::Format(Cp("Текущий администратор: \"%s\"\nСоединение:\n").c_str(), state_.adminUser.c_str()) +
                  "  " + text::ReplaceAll(state_.adminConnection, ";", "\n  "),
              image::kOk);
        } else {
          Log(Cp("Администратор отсутствует."), image::kOk);
        }
        binding_.EndCall(true);
        binding_.NotifyStateChange();
        completed = true;
      } catch (const rpc::RpcException& e) {
        binding_.Failed(e.Code(), e.Cause());
      }
    }
  }

  if (!completed) {
    // A logon whose calls did not all complete gave no rights, even when the
    // server had answered Logon before the channel broke.
    state_.accessLevel = access::kUnset;
    if (interactive && dialogs_)
      dialogs_->Message(Cp("Не удается установить канал связи!"), Cp("Ошибка"), ports::MsgIcon::Error);
    Log(Cp("Не удается установить канал связи!"), image::kFailed);
    return 0;
  }

  switch (state_.accessLevel) {
    case access::kUser: Log(Cp("Права доступа:\n  Пользователь."), image::kConfigLoaded); break;
    case access::kAdministrator: Log(Cp("Права доступа:\n  Администратор."), image::kConfigLoaded); break;
    case access::kAdministratorShared:
      if (!state_.adminUser.empty()) {
        Log(Cp("Права доступа:\n  Администратор как пользователь."), image::kConfigLoaded);
        if (!AskRightsConflict()) state_.quitRequest = true;
        state_.accessLevel = access::kUser;
      } else {
        // Nobody else holds the rights: this console is the administrator.
        Log(Cp("Права доступа:\n  Администратор."), image::kConfigLoaded);
        state_.accessLevel = access::kAdministrator;
      }
      break;
    default:
      Log(Cp("Права доступа:\n  Отказано в доступе."), image::kFailed);
      if (interactive && dialogs_)
        dialogs_->Message(Cp("Не удается подключиться к серверу Veltrane 32!\n\nПроверьте имя пользователя и пароль!\n"),
                          Cp("Сообщение"), ports::MsgIcon::Exclamation);
      Log(Cp("Проверьте имя пользователя и пароль!"), image::kFailed);
      return 0;
  }
  return 1;
}

bool SessionService::AskRightsConflict() {
  using text::Cp;
  if (!dialogs_) return true;
  ports::QuestionRequest question;
  // No caption is given for this box; it is a question.
  question.caption = Cp("Вопрос");
  question.icon = ports::MsgIcon::Question;
  question.buttons = {Cp("Продолжить"), Cp("Завершить работу")};
  auto& body = question.body.paragraphs;
  body.push_back(Paragraph(Cp("В системе удаленной адинистрации почтовых узлов Veltrane32 может работать множество "
                              "пользователей с правами наблюдения и только один администратор.")));
  body.push_back({});
  body.push_back(Paragraph(Cp("Пользователю: ") + state_.userName));
  body.push_back(Paragraph(Identity()));
  body.push_back(Paragraph(Cp("отказано в правах адимнистратора.")));
  body.push_back({});
  body.push_back(Paragraph(Cp("Текущий администратор: ") + state_.adminUser));
  body.push_back(Paragraph(state_.adminConnection));
  body.push_back({});
  body.push_back(Paragraph(text::Format(Cp("Породолжить инициализацию программы с правами наблюдателя для компьютера %s ?").c_str(),
                                        state_.logonComputer.c_str())));
  // Only the second button ends the program; a box closed without a choice goes on.
  return dialogs_->Ask(question) != 1;
}

void SessionService::SetLogonData(__RpcClientDescription& computer, const std::string& user,
                                  const std::string& password, bool administrator, bool connectionNotUsed) {
  computer.user = Cut(user, kTextMax);
  computer.password = Cut(password, kTextMax);
  computer.connectionNotUsed = connectionNotUsed;
  if (connectionNotUsed) return;
  computer.flags |= clientflag::kSessionOpen;
  if (administrator)
    computer.flags |= clientflag::kAdministrator;
  else
    computer.flags &= ~clientflag::kAdministrator;
}

LogoffOutcome SessionService::Logoff(__RpcClientDescription& computer) {
  if (!computer.SessionOpen()) return LogoffOutcome::NotUsed;
  if (computer.user.empty() || computer.connectionNotUsed) return LogoffOutcome::Failed;
  if (skipUnreachable_ && NoChannel(computer))
    return LogoffOutcome::Failed;
  const std::string identity = Identity();
  int32_t result = 0;
  const bool sent = binding_.CallOn(computer, [&](rpc::CallTarget& target) {
    rpc::Logoff(target, static_cast<int32_t>(identity.size() + 1), identity.c_str(),
                static_cast<int32_t>(computer.user.size() + 1), computer.user.c_str(), &result);
  });
  if (!sent) return LogoffOutcome::Failed;
  computer.logoffResult = result;
  computer.flags &= ~clientflag::kSessionOpen;
  return LogoffOutcome::Done;
}

}  // namespace core
