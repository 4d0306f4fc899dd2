#include "core/net/ComputerRegistry.h"

#include <new>

#include "core/MessageImage.h"
#include "core/net/LocalMachine.h"
#include "core/net/RemoteAddress.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

std::string AddressLine(const RemoteAddress& parsed, const char* outcome) {
  return text::Format(
      (text::Cp("Инициализация сетевого интерфейса:\n   адрес = \"%s\"\n   порт  = %lu = 0x%lX -  ") + outcome).c_str(),
      parsed.address.c_str(), static_cast<unsigned long>(parsed.port), static_cast<unsigned long>(parsed.port));
}

}  // namespace

ComputerRegistry::ComputerRegistry() : localTest_(IsLocalMachine) {}

ComputerRegistry::~ComputerRegistry() = default;

void ComputerRegistry::Log(const std::string& text, int code) const {
  if (log_) log_(text, code);
}

int ComputerRegistry::Register(const std::string& name, const std::string& value) {
  if (name.empty() || value.empty()) return regcode::kOk;
  const RemoteAddress parsed = ParseRemoteAddress(value);

  int slot = -1;
  for (int i = 0; i < kSlots && slot < 0; ++i)
    if (!slots_[static_cast<size_t>(i)]) slot = i;
  if (slot < 0) {
    Log(AddressLine(parsed, "FAILED !!!"), image::kFailed);
    return regcode::kComputersFull;
  }

  auto record = std::unique_ptr<__RpcClientDescription>(new (std::nothrow) __RpcClientDescription);
  if (!record) {
    Log(AddressLine(parsed, "FAILED !!!"), image::kFailed);
    return regcode::kComputerNotCreated;
  }
  record->index = slot;
  record->name = name;
  record->networkAddress = parsed.address;
  record->endpoint = std::to_string(parsed.port);
  __RpcClientDescription& computer = *record;
  slots_[static_cast<size_t>(slot)] = std::move(record);

  // The log names the local endpoint of the queue manager, as the servers'
  // own logs do; the binding itself goes to kLocalEndpoint.
  if (IsLocal(computer))
    Log(text::Cp("Инициализация сетевого интерфейса:\n   протокол = ncalrpc\n   порт  = local_rpc_mqueue -  OK."),
        image::kSockets);
  else
    Log(AddressLine(parsed, "OK."), image::kSockets);
  return regcode::kOk;
}

bool ComputerRegistry::IsLocal(__RpcClientDescription& computer) const {
  if (computer.isLocal) return true;
  computer.isLocal = localTest_ && localTest_(computer.networkAddress);
  return computer.isLocal;
}

__RpcClientDescription* ComputerRegistry::Find(const std::string& name) const {
  for (const auto& slot : slots_)
    if (slot && slot->name == name) return slot.get();
  return nullptr;
}

__RpcClientDescription* ComputerRegistry::At(int index) const {
  if (index < 0 || index >= kSlots) return nullptr;
  return slots_[static_cast<size_t>(index)].get();
}

int ComputerRegistry::Count() const {
  int count = 0;
  for (const auto& slot : slots_) count += slot ? 1 : 0;
  return count;
}

void ComputerRegistry::Clear() {
  for (auto& slot : slots_) slot.reset();
}

}  // namespace core
