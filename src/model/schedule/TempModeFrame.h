#pragma once
// One entry of a direction's call schedule: in which window of time the link
// is worked in which call mode. Eighteen 32-bit words: mode, interval, two
// reserved words (carried unchanged through every form), the from point and
// the to point.

#include <array>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <vector>

#include "model/schedule/TempModePoint.h"

namespace model {

namespace callmode {
inline constexpr uint32_t kOnMail = 0;       // call when mail appears
inline constexpr uint32_t kBlocked = 1;
inline constexpr uint32_t kIncomingOnly = 2;
inline constexpr uint32_t kInterval = 3;     // call at a fixed interval
inline constexpr uint32_t kIntervalOrMail = 4;
}  // namespace callmode

struct CTempModeFrame {
  static constexpr size_t kBinarySize = 72;
  static constexpr uint32_t kMaxInterval = 86400;

  // A new frame: mode 2, interval 0, every point field 0 (not "any").
  uint32_t mode = callmode::kIncomingOnly;
  uint32_t interval = 0;  // seconds between calls for modes 3 and 4
  uint32_t reserved1 = 0;
  uint32_t reserved2 = 0;
  CTempModePoint from;
  CTempModePoint to;

  bool operator==(const CTempModeFrame&) const = default;

  std::string GetModeName() const;    // CP1251
  std::string GetPeriodName() const;  // the from point's kind, CP1251

  // Whether the window holds `moment` (seconds since 1970, read in local time);
  // `kind`, when given, receives the from point's kind. A window whose from
  // phase lies above its to phase wraps round the period end and holds both
  // ends; otherwise both ends are outside, and an empty window holds nothing.
  bool IsActiveAt(std::time_t moment, int* kind = nullptr) const;

  // The 72-byte image: the eighteen words in order, little-endian.
  std::array<uint8_t, kBinarySize> ToBinary() const;
  static CTempModeFrame FromBinary(std::span<const uint8_t, kBinarySize> bytes);
};

// Frame ordering: by the sort rank of the from point's kind, then by mode.
bool SortsBefore(const CTempModeFrame& a, const CTempModeFrame& b);
// Sorts a list by that order; frames that compare equal keep their order.
void SortFrames(std::vector<CTempModeFrame>& frames);

// The call mode's name (CP1251); "Ошибка БД" for a mode outside 0..4.
std::string GetModeName(uint32_t mode);

// A list as the remote interface and the archive carry it: frames back to back.
std::vector<uint8_t> FramesToBinary(const std::vector<CTempModeFrame>& frames);
// Whole frames only: a trailing part shorter than 72 bytes is not a frame.
std::vector<CTempModeFrame> FramesFromBinary(std::span<const uint8_t> bytes);
// At most `count` frames (the count a server announced), never more than the bytes hold.
std::vector<CTempModeFrame> FramesFromBinary(std::span<const uint8_t> bytes, size_t count);

}  // namespace model
