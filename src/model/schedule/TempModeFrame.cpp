#include "model/schedule/TempModeFrame.h"

#include <algorithm>

#include "text/Cp1251.h"

namespace model {
namespace {

void PutWord(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetWord(const uint8_t* in) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}

}  // namespace

std::string GetModeName(uint32_t mode) {
  switch (mode) {
    case callmode::kOnMail:
      return text::Cp("Вызов по появлению корреспонденции");
    case callmode::kBlocked:
      return text::Cp("Заблокировано");
    case callmode::kIncomingOnly:
      return text::Cp("Только по входящим звонкам");
    case callmode::kInterval:
      return text::Cp("Вызов с интервалом");
    case callmode::kIntervalOrMail:
      // This list has always spelt it so; the schedule rows spell it right.
      return text::Cp("Вызов с интервалом или по появлению копрреспонденции");
    default:
      return text::Cp("Ошибка БД");
  }
}

std::string CTempModeFrame::GetModeName() const { return model::GetModeName(mode); }

std::string CTempModeFrame::GetPeriodName() const { return from.GetPeriodName(); }

bool CTempModeFrame::IsActiveAt(std::time_t moment, int* kind) const {
  const int k = from.GetPeriodKind();
  if (kind) *kind = k;
  std::tm local{};
  localtime_r(&moment, &local);
  // A yearly point is placed in the year of the moment tested.
  const uint32_t p = CTempModePoint::FromTm(local).GetPhaseAs(k, false, local.tm_year);
  const uint32_t a = from.GetPhase(false, local.tm_year);
  const uint32_t b = to.GetPhase(false, local.tm_year);
  const uint32_t lo = std::min(a, b);
  const uint32_t hi = std::max(a, b);
  const bool inside = lo < p && p < hi;
  return a > b ? !inside : inside;
}

std::array<uint8_t, CTempModeFrame::kBinarySize> CTempModeFrame::ToBinary() const {
  std::array<uint8_t, kBinarySize> out{};
  uint8_t* at = out.data();
  for (const uint32_t word : {mode, interval, reserved1, reserved2}) {
    PutWord(at, word);
    at += 4;
  }
  for (const CTempModePoint* point : {&from, &to}) {
    for (size_t i = 0; i < CTempModePoint::kFieldCount; ++i) {
      PutWord(at, static_cast<uint32_t>(point->Field(i)));
      at += 4;
    }
  }
  return out;
}

CTempModeFrame CTempModeFrame::FromBinary(std::span<const uint8_t, kBinarySize> bytes) {
  CTempModeFrame frame;
  const uint8_t* at = bytes.data();
  for (uint32_t* word : {&frame.mode, &frame.interval, &frame.reserved1, &frame.reserved2}) {
    *word = GetWord(at);
    at += 4;
  }
  for (CTempModePoint* point : {&frame.from, &frame.to}) {
    for (size_t i = 0; i < CTempModePoint::kFieldCount; ++i) {
      point->Field(i) = static_cast<int32_t>(GetWord(at));
      at += 4;
    }
  }
  return frame;
}

bool SortsBefore(const CTempModeFrame& a, const CTempModeFrame& b) {
  const int rankA = SortRank(a.from.GetPeriodKind());
  const int rankB = SortRank(b.from.GetPeriodKind());
  if (rankA != rankB) return rankA < rankB;
  return a.mode < b.mode;
}

void SortFrames(std::vector<CTempModeFrame>& frames) {
  std::stable_sort(frames.begin(), frames.end(), SortsBefore);
}

std::vector<uint8_t> FramesToBinary(const std::vector<CTempModeFrame>& frames) {
  std::vector<uint8_t> out;
  out.reserve(frames.size() * CTempModeFrame::kBinarySize);
  for (const auto& frame : frames) {
    const auto image = frame.ToBinary();
    out.insert(out.end(), image.begin(), image.end());
  }
  return out;
}

std::vector<CTempModeFrame> FramesFromBinary(std::span<const uint8_t> bytes) {
  return FramesFromBinary(bytes, bytes.size() / CTempModeFrame::kBinarySize);
}

std::vector<CTempModeFrame> FramesFromBinary(std::span<const uint8_t> bytes, size_t announced) {
  std::vector<CTempModeFrame> frames;
  const size_t count = std::min(announced, bytes.size() / CTempModeFrame::kBinarySize);
  frames.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    frames.push_back(CTempModeFrame::FromBinary(
        bytes.subspan(i * CTempModeFrame::kBinarySize).first<CTempModeFrame::kBinarySize>()));
  }
  return frames;
}

}  // namespace model
