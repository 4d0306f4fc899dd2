#include "model/install/Installations.h"

#include "core/net/NetworkServices.h"
#include "model/host/HostServices.h"
#include "model/install/InstallCalls.h"
#include "model/install/InstallDirectory.h"
#include "model/install/InstallTexts.h"
#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "text/Strings.h"

namespace model {

core::__RpcClientDescription* InstallComputer(const InstallContext& context, int* missing) {
  auto fail = [&](int step) -> core::__RpcClientDescription* {
    if (missing) *missing = step;
    return nullptr;
  };
  if (!context.abonent) return fail(0);
  const std::string& server = context.abonent->mailServerName;
  if (!context.net.FindMailServer(server)) return fail(1);
  std::string name;
  if (core::__RpcClientDescription* carrier = context.net.FindTaskComputer(server, kQueueTask)) name = carrier->name;
  // The task lists may not have been read yet; the entry remembers the name it was loaded with.
  else if (context.abonent->queueTaskName != kNoData)
    name = context.abonent->queueTaskName;
  if (name.empty()) return fail(2);
  core::__RpcClientDescription* computer = context.net.FindComputer(name);
  return computer ? computer : fail(3);
}

std::vector<InstallationRow> RebuildInstallations(const InstallContext& context) {
  ports::DialogPort& dialogs = context.dialogs;
  int missing = 0;
  core::__RpcClientDescription* computer = InstallComputer(context, &missing);
  if (!computer) {
    dialogs.Message(text::Format(installtext::RebuildInternalError().c_str(), missing), installtext::ErrorCaption(),
                    ports::MsgIcon::Error);
    return {};
  }

  enum class Stage { Directory, Listing, Sets, Done };
  Stage stage = Stage::Directory;
  std::vector<InstallationRow> rows;
  std::vector<std::string> refusedSets, refusedDiskettes;
  std::vector<char> buffer;
  try {
    buffer.resize(static_cast<size_t>(kInstallFileCapacity) + 1);
  } catch (const std::bad_alloc&) {
    dialogs.Message(installtext::NoMemory(), installtext::ErrorCaption(), ports::MsgIcon::Error);
    return {};
  }
  context.net.Binding().CallOn(*computer, [&](rpc::CallTarget& target) {
    const std::optional<std::string> dir = ReadInstallationDirectory(target);
    if (!dir) return;
    stage = Stage::Listing;
    const auto sets = ListNames(target, *dir + "*.*", 1);
    if (!sets) return;
    stage = Stage::Sets;
    for (const auto& name : UsableNames(*sets, true, refusedSets)) {
      InstallationRow row;
      row.name = name;
      const std::string setDir = *dir + name + "\\";
      const FetchedFile info = FetchFile(target, setDir + "info.txt", buffer);
      if (!info.ServerFailed()) row.description = info.data.substr(0, info.data.find('\0'));
      // A set whose diskettes cannot be listed shows none and cannot be copied.
      if (const auto diskettes = ListNames(target, setDir + "*.*", 1))
        row.diskettes = static_cast<uint32_t>(UsableNames(*diskettes, true, refusedDiskettes).size());
      rows.push_back(std::move(row));
    }
    stage = Stage::Done;
  });

  TellRefused(dialogs, installtext::BadInstallationName(), refusedSets);
  TellRefused(dialogs, installtext::BadDisketteName(), refusedDiskettes);
  if (stage == Stage::Directory)
    dialogs.Message(installtext::NoInstallDirectory(), installtext::ErrorCaption(), ports::MsgIcon::Error);
  else if (stage != Stage::Done)
    dialogs.Message(installtext::ListFailed(), installtext::ErrorCaption(), ports::MsgIcon::Error);
  return rows;
}

}  // namespace model
