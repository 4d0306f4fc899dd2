#include "model/install/InstallCalls.h"

#include "model/install/InstallTexts.h"
#include "model/install/Installations.h"
#include "model/install/ServerName.h"
#include "ports/DialogPort.h"
#include "rpc/iface/HostCalls.h"
#include "text/Strings.h"

namespace model {

std::optional<std::vector<std::string>> ListNames(rpc::CallTarget& target, const std::string& path, int32_t kind) {
  std::vector<char> listing(static_cast<size_t>(kInstallListingCapacity) + 1, 0);
  int32_t length = 0, error = 0;
  const int32_t result =
      rpc::ListDir(target, path.c_str(), kind, kInstallListingCapacity, &length, listing.data(), &error);
  if (result != 0 || error != 0 || length < 0) return std::nullopt;
  // An empty folder answers with no text at all: no names, not a failure.
  std::string_view text(listing.data(), static_cast<size_t>(length));
  // A NUL that ends the text is its terminator, not part of the last name.
  while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  return ListingLines(text);
}

bool FetchedFile::CutOff() const { return data.size() >= static_cast<size_t>(kInstallFileCapacity); }

FetchedFile FetchFile(rpc::CallTarget& target, const std::string& path, std::vector<char>& buffer) {
  FetchedFile out;
  int32_t length = 0, unused[5] = {};
  out.returnValue = rpc::GetFile(target, path.c_str(), 0, kInstallFileCapacity, &length, buffer.data(), &unused[0],
                                 &unused[1], &unused[2], &unused[3], &unused[4], &out.error);
  if (length > 0) out.data.assign(buffer.data(), static_cast<size_t>(length));
  return out;
}

std::vector<std::string> UsableNames(const std::vector<std::string>& names, bool skipDots,
                                     std::vector<std::string>& refused) {
  std::vector<std::string> usable;
  for (const auto& name : names) {
    if (skipDots && (name == "." || name == "..")) continue;
    if (IsSafeLocalName(name))
      usable.push_back(name);
    else
      refused.push_back(name);
  }
  return usable;
}

void TellRefused(ports::DialogPort& dialogs, const std::string& pattern, const std::vector<std::string>& refused) {
  for (const auto& name : refused)
    dialogs.Message(text::Format(pattern.c_str(), ShownName(name).c_str()), installtext::ErrorCaption(),
                    ports::MsgIcon::Exclamation);
}

}  // namespace model
