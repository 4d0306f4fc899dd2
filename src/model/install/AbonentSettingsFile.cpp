#include "model/install/AbonentSettingsFile.h"

#include <cerrno>
#include <cstdio>

#include "cfg/SafeReplace.h"
#include "model/install/InstallTexts.h"
#include "model/install/ServerName.h"
#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "text/Strings.h"

namespace model {

namespace {

std::string Parameter(const _VxItemBase& abonent, const char* name) {
  std::string value;
  return abonent.GetParameter(name, value) ? value : std::string();
}

}  // namespace

std::string AbonentSettingsText(const _VxItemBase& abonent, const std::string& serverAddress) {
  const std::string& mailbox = abonent.mailboxName;
  std::string out;
  auto line = [&](const std::string& text) { out += text + '\n'; };
  line("[" + mailbox + "]");
  line("#OnLine=1");
  line("#Name=" + mailbox);
  line("#FullName=" + Parameter(abonent, "#FullName"));
  line("#Comment=" + Parameter(abonent, "#Comment"));
  line("#Port=10000");
  line("#Protocol=TCPVelt");
  line("#X500Addr=" + abonent.mailboxAddress);
  line("#ServerName=" + serverAddress);
  line("#HOST_NAME=" + abonent.mailServerName);
  line("#USERID=" + Parameter(abonent, "#USERID"));
  return out;
}

std::string AbonentSettingsPath(const std::string& folder, const std::string& mailbox) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "vt$" + mailbox + "$.inf";
}

bool WriteAbonentSettingsFile(const std::string& folder, const _VxItemBase& abonent, const std::string& serverAddress,
                              ports::DialogPort& dialogs) {
  if (!IsSafeLocalName(abonent.mailboxName)) {
    dialogs.Message(text::Format(installtext::BadMailboxName().c_str(), ShownName(abonent.mailboxName).c_str()),
                    installtext::ErrorCaption(), ports::MsgIcon::Error);
    return false;
  }
  const std::string path = AbonentSettingsPath(folder, abonent.mailboxName);
  const std::string body = AbonentSettingsText(abonent, serverAddress);
  bool writeFailed = false;
  const bool written = cfg::ReplaceFileAtomically(path, [&](std::FILE* file) {
    writeFailed = std::fwrite(body.data(), 1, body.size(), file) != body.size();
    return !writeFailed;
  });
  if (written) return true;
  const std::string pattern = writeFailed ? installtext::SettingsWriteFailed() : installtext::SettingsCreateFailed();
  dialogs.Message(text::Format(pattern.c_str(), path.c_str()), installtext::ErrorCaption(), ports::MsgIcon::Error);
  return false;
}

}  // namespace model
