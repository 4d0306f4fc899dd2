// Copying one installation set, diskette by diskette: each diskette's files
// are fetched into a fresh temporary folder, then placed in the folder the
// administrator chooses for that diskette.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "cfg/SafeReplace.h"
#include "core/net/NetworkServices.h"
#include "model/install/AbonentSettingsFile.h"
#include "model/install/InstallCalls.h"
#include "model/install/InstallDirectory.h"
#include "model/install/InstallTexts.h"
#include "model/install/Installations.h"
#include "model/install/TemporaryFolder.h"
#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "text/Strings.h"

namespace model {

namespace {

namespace fs = std::filesystem;

std::string InFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

enum class DisketteOutcome { Copied, Failed, Cancelled };

enum class WriteStep { Done, Create, Write };

// Writes `data` as `path` through a temporary name beside it, so that an
// interrupted copy never leaves a half file under the final name.
WriteStep WriteWhole(const std::string& path, const std::string& data) {
  bool writeFailed = false;
  const bool written = cfg::ReplaceFileAtomically(path, [&](std::FILE* file) {
    writeFailed = std::fwrite(data.data(), 1, data.size(), file) != data.size();
    return !writeFailed;
  });
  if (written) return WriteStep::Done;
  return writeFailed ? WriteStep::Write : WriteStep::Create;
}

bool ReadWhole(const std::string& path, std::string& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

class Copier {
 public:
  Copier(const InstallContext& context, core::__RpcClientDescription& computer, std::vector<char>& buffer)
      : context_(context), dialogs_(context.dialogs), computer_(computer), buffer_(buffer) {}

  DisketteOutcome Diskette(const std::string& setName, const std::string& serverDir, std::string& lastFolder) {
    const std::optional<InstallGuid> guid = NewInstallGuid();
    if (!guid) return Fail(installtext::GuidFailed());
    temp_ = InFolder(context_.workFolder, GuidFolderName(*guid));
    std::error_code ec;
    if (!fs::create_directory(temp_, ec) && !fs::is_directory(temp_)) {
      temp_.clear();
      return Fail(installtext::TempCreateFailed());
    }
    if (!EmptyFolder(temp_)) return Fail(installtext::TempPrepareFailed());

    std::optional<std::vector<std::string>> listed;
    context_.net.Binding().CallOn(computer_,
                                  [&](rpc::CallTarget& target) { listed = ListNames(target, serverDir + "*.*", 0); });
    if (!listed) return Fail(installtext::DisketteListFailed());
    // The server's search lists "." and ".." among the files too; they are no files.
    std::vector<std::string> refused;
    const std::vector<std::string> names = UsableNames(*listed, true, refused);
    TellRefused(dialogs_, installtext::BadFileName(), refused);

    std::vector<std::string> fetched;
    for (const auto& name : names) {
      if (!Fetch(serverDir + name, InFolder(temp_, name))) return Failed();
      fetched.push_back(name);
    }

    const std::optional<std::string> chosen =
        dialogs_.BrowseFolder(text::Format(installtext::BrowseTitle().c_str(), setName.c_str()), lastFolder);
    if (!chosen) {
      lastFolder.clear();
      RemoveTemporary();
      return DisketteOutcome::Cancelled;
    }
    for (const auto& name : fetched) Place(InFolder(temp_, name), InFolder(*chosen, name));
    lastFolder = *chosen;

    if (!EmptyFolder(temp_))
      dialogs_.Message(text::Format(installtext::TempEmptyFailed().c_str(), temp_.c_str()), installtext::ErrorCaption(),
                       ports::MsgIcon::Error);
    RemoveTemporary();
    return DisketteOutcome::Copied;
  }

  ~Copier() { RemoveTemporary(); }

 private:
  DisketteOutcome Fail(const std::string& message) {
    dialogs_.Message(message, installtext::ErrorCaption(), ports::MsgIcon::Error);
    return Failed();
  }
  DisketteOutcome Failed() {
    RemoveTemporary();
    return DisketteOutcome::Failed;
  }
  void RemoveTemporary() {
    if (temp_.empty()) return;
    std::error_code ec;
    fs::remove_all(temp_, ec);
    temp_.clear();
  }

  // One file into the temporary folder; false after its failure was shown.
  bool Fetch(const std::string& remote, const std::string& local) {
    FetchedFile file;
    const bool done = context_.net.Binding().CallOn(
        computer_, [&](rpc::CallTarget& target) { file = FetchFile(target, remote, buffer_); });
    if (!done) return Tell(installtext::FetchFailed());
    if (file.ServerFailed()) {
      const auto ret = static_cast<long>(file.returnValue), err = static_cast<long>(file.error);
      return Tell(text::Format(installtext::ServerFetchError().c_str(), ret, err,
                               static_cast<unsigned long>(static_cast<uint32_t>(file.returnValue)),
                               static_cast<unsigned long>(static_cast<uint32_t>(file.error)), remote.c_str(),
                               local.c_str()));
    }
    // A full buffer may hold only the start of a larger file: nothing is written for it.
    if (file.CutOff()) return Tell(installtext::FetchFailed());
    switch (WriteWhole(local, file.data)) {
      case WriteStep::Done:
        return true;
      case WriteStep::Create:
        return Tell(text::Format(installtext::CreateFailed().c_str(), local.c_str()));
      case WriteStep::Write:
        return Tell(text::Format(installtext::WriteFailed().c_str(), static_cast<unsigned long>(file.data.size()),
                                 local.c_str()));
    }
    return false;
  }

  // One fetched file into the chosen folder, asking again while the
  // administrator wants another try.
  void Place(const std::string& from, const std::string& to) {
    for (;;) {
      std::string data;
      if (ReadWhole(from, data) && WriteWhole(to, data) == WriteStep::Done) return;
      const ports::MsgAnswer answer =
          dialogs_.Message(text::Format(installtext::RetryWrite().c_str(), to.c_str()), installtext::ErrorCaption(),
                           ports::MsgIcon::Error, ports::MsgButtons::YesNo);
      if (answer != ports::MsgAnswer::Yes) return;
    }
  }

  bool Tell(const std::string& message) {
    dialogs_.Message(message, installtext::ErrorCaption(), ports::MsgIcon::Error);
    return false;
  }

  const InstallContext& context_;
  ports::DialogPort& dialogs_;
  core::__RpcClientDescription& computer_;
  std::vector<char>& buffer_;
  std::string temp_;
};

// Refuses the command with its reason, or returns false when it may run.
bool Refuse(ports::DialogPort& dialogs, const std::vector<InstallationRow>& rows, int selected, bool scanRunning) {
  std::string reason;
  if (rows.empty())
    reason = installtext::EmptyList();
  else if (selected < 0 || static_cast<size_t>(selected) >= rows.size())
    reason = installtext::NoSelection();
  else if (rows[static_cast<size_t>(selected)].diskettes == 0)
    reason = installtext::NoDiskettes();
  else if (scanRunning)
    reason = installtext::ScanRunning();
  if (reason.empty()) return false;
  dialogs.Message(reason, installtext::MessageCaption(), ports::MsgIcon::Information);
  return true;
}

}  // namespace

CopyOutcome CopyInstallation(const InstallContext& context, const std::vector<InstallationRow>& rows, int selected,
                             bool scanRunning, std::string& lastFolder) {
  ports::DialogPort& dialogs = context.dialogs;
  if (Refuse(dialogs, rows, selected, scanRunning)) return CopyOutcome::Refused;
  const InstallationRow& set = rows[static_cast<size_t>(selected)];
  auto error = [&](const std::string& message) {
    dialogs.Message(message, installtext::ErrorCaption(), ports::MsgIcon::Error);
    return CopyOutcome::Failed;
  };

  core::__RpcClientDescription* computer = InstallComputer(context);
  uint32_t bindStatus = 1;
  if (computer) {
    auto lock = context.net.Binding().Lock();
    bindStatus = context.net.Binding().Bind(*computer);
  }
  if (bindStatus != 0) {
    const std::string server = context.abonent ? context.abonent->mailServerName : std::string();
    return error(text::Format(installtext::BindFailed().c_str(), server.c_str()));
  }

  std::optional<std::string> dir;
  std::optional<std::vector<std::string>> diskettes;
  context.net.Binding().CallOn(*computer, [&](rpc::CallTarget& target) {
    dir = ReadInstallationDirectory(target);
    if (dir) diskettes = ListNames(target, *dir + set.name + "\\*.*", 1);
  });
  if (!dir) return error(installtext::NoInstallDirectory());
  if (!diskettes) return error(installtext::DiskettesFailed());
  std::vector<std::string> refused;
  const std::vector<std::string> usable = UsableNames(*diskettes, true, refused);
  TellRefused(dialogs, installtext::BadDisketteName(), refused);
  // The set lost its diskettes since the list was read.
  if (usable.empty() && refused.empty()) {
    dialogs.Message(installtext::NoDiskettes(), installtext::MessageCaption(), ports::MsgIcon::Information);
    return CopyOutcome::Refused;
  }

  std::vector<char> buffer;
  try {
    buffer.resize(static_cast<size_t>(kInstallFileCapacity) + 1);
  } catch (const std::bad_alloc&) {
    return error(installtext::NoMemory());
  }
  size_t copied = 0;
  for (const auto& diskette : usable) {
    Copier copier(context, *computer, buffer);
    switch (copier.Diskette(set.name, *dir + set.name + "\\" + diskette + "\\", lastFolder)) {
      case DisketteOutcome::Copied:
        ++copied;
        break;
      case DisketteOutcome::Failed:
        return CopyOutcome::Failed;
      // Closing the browser stops the whole copy: no settings file for a set half placed.
      case DisketteOutcome::Cancelled:
        return CopyOutcome::Cancelled;
    }
  }
  // Every diskette refused by its name: nothing was copied.
  if (copied == 0) return CopyOutcome::Failed;

  if (!lastFolder.empty() && !WriteAbonentSettingsFile(lastFolder, *context.abonent, computer->networkAddress, dialogs))
    return error(installtext::SettingsFailed());
  dialogs.Message(installtext::Copied(), installtext::MessageCaption(), ports::MsgIcon::Information);
  return CopyOutcome::Copied;
}

}  // namespace model
