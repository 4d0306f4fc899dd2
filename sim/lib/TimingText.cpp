#include "sim/lib/TimingText.h"

#include <cstdlib>
#include <vector>

#include "sim/lib/SimText.h"
#include "text/Strings.h"

namespace sim {

namespace {
constexpr size_t kFrameSize = 72;
constexpr int kWords = 18;
}  // namespace

std::string FrameText(std::string_view frame) {
  std::string out;
  for (int i = 0; i < kWords; ++i) {
    const uint32_t word = WordAt(frame, static_cast<size_t>(i) * 4);
    if (i < 4)
      out += std::to_string(word);
    else
      out += std::to_string(static_cast<int32_t>(word));
    out += (i == 3 || i == 10 || i == 17) ? '&' : ',';
  }
  return out;
}

std::string TimingsText(std::string_view frames) {
  std::string out = "[";
  size_t pos = 0;
  for (; pos + kFrameSize <= frames.size(); pos += kFrameSize) {
    if (pos) out += ' ';
    out += FrameText(frames.substr(pos, kFrameSize));
  }
  if (pos < frames.size()) out += (pos ? " +" : "+") + std::to_string(frames.size() - pos) + " bytes";
  return out + "]";
}

std::optional<std::string> ParseFrameText(std::string_view text) {
  std::string frame;
  size_t pos = 0;
  for (int i = 0; i < kWords; ++i) {
    const char separator = (i == 3 || i == 10 || i == 17) ? '&' : ',';
    const size_t end = text.find(separator, pos);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string field = text::Trim(text.substr(pos, end - pos));
    if (field.empty()) return std::nullopt;
    char* stop = nullptr;
    const long long value = std::strtoll(field.c_str(), &stop, 10);
    if (*stop != '\0' || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    PutWord(frame, frame.size(), static_cast<uint32_t>(value));
    pos = end + 1;
  }
  if (!text::Trim(text.substr(pos)).empty()) return std::nullopt;
  return frame;
}

}  // namespace sim
