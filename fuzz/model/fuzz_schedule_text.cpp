// Schedule texts, frame images and row cells from outside: nothing may read or
// write out of bounds, a decoded frame must round-trip through its text, and
// an unedited row form must give the frame images back unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "model/schedule/ScheduleRow.h"
#include "model/schedule/TempModeFrame.h"
#include "model/schedule/TempModeText.h"

namespace {

void CheckText(std::string_view input) {
  int32_t value = 0;
  (void)model::ReadNumberField(input, ',', value);

  model::CTempModeFrame frame;
  if (!model::ParseText(input, frame)) return;
  if (frame.mode > 6) std::abort();
  model::CTempModeFrame again;
  if (!model::ParseText(model::FormatText(frame), again) || !(again == frame)) std::abort();
  std::string shown;
  (void)frame.from.FormatDisplay(shown);
  (void)frame.to.FormatDisplay(shown);
  (void)frame.IsActiveAt(1710325230);
}

void CheckImages(const uint8_t* data, size_t size) {
  const std::vector<model::CTempModeFrame> frames = model::FramesFromBinary({data, size});
  const size_t whole = frames.size() * model::CTempModeFrame::kBinarySize;
  const std::vector<uint8_t> back = model::FramesToBinary(model::RowsToFrames(model::FramesToRows(frames)));
  if (back.size() != whole || !std::equal(back.begin(), back.end(), data)) std::abort();
  for (const auto& frame : frames) {
    std::string shown;
    (void)frame.from.FormatDisplay(shown);
    (void)frame.GetModeName();
    (void)model::FormatText(frame);
  }
}

// The input's lines as the seven cells of a row the user typed.
void CheckRowCells(std::string_view input) {
  model::ScheduleRow row;
  size_t column = 0;
  size_t start = 0;
  while (column + 1 < model::ScheduleRow::kColumns && start <= input.size()) {
    const size_t end = std::min(input.find('\n', start), input.size());
    row.Cell(column++) = std::string(input.substr(start, end - start));
    start = end + 1;
  }
  const model::CTempModeFrame frame = model::RowToFrame(row);
  if (frame.interval > model::CTempModeFrame::kMaxInterval) std::abort();
  (void)model::FrameToRow(frame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckText(input);
  CheckImages(data, size);
  CheckRowCells(input);
  return 0;
}
