#pragma once
// The two remote operations of the installation page as the page uses them,
// and the sorting of the names a listing brings. RPC failures pass through
// as RpcException.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ports {
class DialogPort;
}
namespace rpc {
class CallTarget;
}

namespace model {

// ListDir of `path` ("...\*.*"); `kind` 1 lists folders, 0 files. Empty
// unless the server answered 0, error 0 and a nonzero length.
std::optional<std::vector<std::string>> ListNames(rpc::CallTarget& target, const std::string& path, int32_t kind);

struct FetchedFile {
  int32_t returnValue = 0;
  int32_t error = 0;
  std::string data;
  bool ServerFailed() const { return returnValue < 1 || error != 0; }
  // An answer that fills the whole capacity may have been cut off.
  bool CutOff() const;
};

// GetFile of `path` at offset 0 into `buffer` (at least kInstallFileCapacity
// + 1 bytes, allocated once by the caller).
FetchedFile FetchFile(rpc::CallTarget& target, const std::string& path, std::vector<char>& buffer);

// The names of a listing the console may use. With `skipDots` the "." and
// ".." every folder listing carries are passed over; every other unusable
// name goes to `refused`.
std::vector<std::string> UsableNames(const std::vector<std::string>& names, bool skipDots,
                                     std::vector<std::string>& refused);

// One box per refused name, `pattern` holding one "%s".
void TellRefused(ports::DialogPort& dialogs, const std::string& pattern, const std::vector<std::string>& refused);

}  // namespace model
