#include "core/net/MailServerRegistry.h"

#include <new>

#include "core/MessageImage.h"
#include "core/net/ComputerRegistry.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

MailServerRegistry::MailServerRegistry(const ComputerRegistry& computers) : computers_(computers) {}

MailServerRegistry::~MailServerRegistry() = default;

void MailServerRegistry::Log(const std::string& text, int code) const {
  if (log_) log_(text, code);
}

int MailServerRegistry::Register(const std::string& name, const std::string& value) {
  using text::Cp;
  if (name.empty() || value.empty()) return regcode::kOk;
  if (Find(name)) return regcode::kMailServerExists;
  Log(text::Format(Cp("Регистрация почтового сервера:\n  \"%s\"").c_str(), name.c_str()), image::kPlain);

  int slot = -1;
  for (int i = 0; i < kSlots && slot < 0; ++i)
    if (!slots_[static_cast<size_t>(i)]) slot = i;
  if (slot < 0) {
    Log("  FAILED !!!", image::kFailed);
    return regcode::kMailServersFull;
  }
  auto record = std::unique_ptr<__VtHostDescription>(new (std::nothrow) __VtHostDescription);
  if (!record) {
    Log("  FAILED !!!", image::kFailed);
    return regcode::kMailServerNotCreated;
  }
  record->name = name;
  record->index = slot;

  // Names are separated by ','; blanks around a name and empty names drop out.
  int result = regcode::kOk;
  size_t start = 0;
  while (start <= value.size() && result == regcode::kOk) {
    size_t end = value.find(',', start);
    if (end == std::string::npos) end = value.size();
    const std::string computerName = text::Trim(std::string_view(value).substr(start, end - start));
    start = end + 1;
    if (computerName.empty()) continue;
    Log(text::Format(Cp("  Интерфейс:\n    \"%s\"").c_str(), computerName.c_str()), image::kOk);
    if (const __RpcClientDescription* computer = computers_.Find(computerName)) {
      record->computers.push_back(computer->index);
      Log(Cp("    OK, добавлен."), image::kOk);
    } else {
      Log(Cp("    Не найден !!!"), image::kFailed);
      result = regcode::kUnknownComputer;
    }
  }
  if (result != regcode::kOk) {
    Log("  FAILED !!!", image::kFailed);
    return result;
  }
  slots_[static_cast<size_t>(slot)] = std::move(record);
  Log("  OK.", image::kOk);
  return regcode::kOk;
}

__VtHostDescription* MailServerRegistry::Find(const std::string& name) const {
  for (const auto& slot : slots_)
    if (slot && slot->name == name) return slot.get();
  return nullptr;
}

__VtHostDescription* MailServerRegistry::At(int index) const {
  if (index < 0 || index >= kSlots) return nullptr;
  return slots_[static_cast<size_t>(index)].get();
}

int MailServerRegistry::Count() const {
  int count = 0;
  for (const auto& slot : slots_) count += slot ? 1 : 0;
  return count;
}

void MailServerRegistry::Clear() {
  for (auto& slot : slots_) slot.reset();
}

}  // namespace core
