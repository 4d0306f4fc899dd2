#include "rpc/iface/Interface.h"

#include <cstdio>

#include "text/Cp1251.h"

namespace rpc {

std::array<uint8_t, 16> Uuid::LittleEndianBytes() const {
  std::array<uint8_t, 16> out{};
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(timeLow >> (8 * i));
  for (int i = 0; i < 2; ++i) out[4 + i] = static_cast<uint8_t>(timeMid >> (8 * i));
  for (int i = 0; i < 2; ++i) out[6 + i] = static_cast<uint8_t>(timeHiAndVersion >> (8 * i));
  for (int i = 0; i < 8; ++i) out[8 + i] = clockSeqAndNode[i];
  return out;
}

std::string Uuid::Text() const {
  const auto& n = clockSeqAndNode;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", timeLow, timeMid,
                timeHiAndVersion, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]);
  return buf;
}

std::string_view LevelName(int32_t level) {
  static constexpr std::string_view kNames[] = {"C", "ADMD", "PRMD", "ORG", "OU", "PN"};
  if (level < 0 || level >= level::kCount) return {};
  return kNames[level];
}

int32_t DeleteLevel(int32_t level) {
  if (level >= 0 && level < level::kCount) return level::kDeleteBit | level;
  return level;
}

std::string TaskStateText(int32_t code) {
  switch (code) {
    case taskstate::kUnplannedStop: return text::Cp("Внеплановый останов");
    case taskstate::kStopped: return text::Cp("Останов");
    case taskstate::kRunning: return text::Cp("Работает");
    case taskstate::kStarting: return text::Cp("Стартует");
    case taskstate::kStopping: return text::Cp("Останавливается");
    case taskstate::kStopTimeout: return text::Cp("Таймаут останова");
    case taskstate::kNoTask: return text::Cp("Нет задачи");
    default: return {};
  }
}

namespace {
constexpr std::string_view kCommandWords[] = {"Запустить", "Остановить", "Прервать",
                                              "Перезапустить", "Показать", "Спрятать"};
}  // namespace

int32_t TaskCommandCode(std::string_view word) {
  for (int32_t i = 0; i < 6; ++i) {
    if (word == text::Cp(kCommandWords[i])) return i + 1;
  }
  return taskcmd::kNone;
}

std::string TaskCommandWord(int32_t code) {
  if (code < taskcmd::kStart || code > taskcmd::kHide) return {};
  return text::Cp(kCommandWords[code - 1]);
}

}  // namespace rpc
