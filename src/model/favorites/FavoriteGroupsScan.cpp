// The periodic scan of the favourite groups and the alarm reactions.

#include <ctime>

#include "core/MessageImage.h"
#include "core/MessageLog.h"
#include "core/OperationGate.h"
#include "core/ProgramSettings.h"
#include "model/favorites/FavoriteGroups.h"
#include "model/favorites/ThresholdCheck.h"
#include "ports/AlertPort.h"
#include "ports/Clock.h"
#include "ports/ProgressPort.h"
#include "text/Cp1251.h"

namespace model {
namespace {

// Scan flag held for the length of one cycle, released on every way out.
class ScanFlag {
 public:
  explicit ScanFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScanFlag() { flag_ = false; }
  ScanFlag(const ScanFlag&) = delete;
  ScanFlag& operator=(const ScanFlag&) = delete;

 private:
  bool& flag_;
};

std::string FormatTime(const std::tm& tm, const char* format) {
  char buffer[256];
  const size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
  return std::string(buffer, length);
}

}  // namespace

int64_t FavoriteGroups::LocalNow() const {
  return LocalWallClockNow(*env_.clock);
}

void FavoriteGroups::CheckThresholds(_VxItem& item, const _VxGroup& group) const {
  model::CheckThresholds(item, group.settings, LocalNow());
}

bool FavoriteGroups::HasAlarm(const _VxGroup& group) const {
  for (const auto& reference : group.references) {
    const _VxItem* item = WatchedItem(reference);
    if (item && item->alertSevere) return true;
  }
  return false;
}

void FavoriteGroups::RunAlarmReactions(const _VxGroup& group) {
  if (!env_.alerts || !HasAlarm(group)) return;
  const auto& settings = group.settings;
  if (!settings.soundFile.empty()) {
    env_.alerts->StopSound();
    env_.alerts->PlaySound(settings.soundFile);
  }
  if (!settings.application.empty()) {
    const std::tm now = env_.clock->LocalTime();
    // The command line goes as it is, blanks and all; the start is not checked.
    const std::string title = "Started from Veltrane32 configuration program : " + std::to_string(now.tm_hour) + ":" +
                              std::to_string(now.tm_min) + ":" + std::to_string(now.tm_sec) + " - [" +
                              settings.application + "]";
    env_.alerts->StartProgram(settings.application, title);
  }
}

std::string FavoriteGroups::PopupText(const _VxGroup& group) const {
  const std::tm now = env_.clock->LocalTime();
  return FormatTime(now, "%H:%M:%S,%A,%d/%B/%Y") + text::Cp("\nГруппа избранных направлений/абонентов\n  \"") +
         group.settings.name + text::Cp("\"\nсодержит информацию об ошибках.");
}

void FavoriteGroups::Rescan(std::string_view groupName) {
  if (scanning_) return;
  const int index = FindGroup(groupName);
  if (index < 0) return;
  _VxGroup& group = groups_[static_cast<size_t>(index)];
  group.lastScanTime = 0;
  for (const auto& reference : group.references) {
    if (_VxItem* item = WatchedItem(reference)) item->lastScanTime = 0;
  }
  ScanFavorites();
}

void FavoriteGroups::ScanFavorites() {
  if (scanning_) return;
  core::OperationGate::Hold hold;
  if (env_.gate && !(hold = env_.gate->Enter(core::Operation::FavoritesScan))) return;
  const int64_t now = static_cast<int64_t>(env_.clock->Now());
  auto due = [&](const _VxGroup& group) {
    return now - static_cast<int64_t>(group.lastScanTime) > static_cast<int64_t>(group.settings.scanPeriod);
  };
  size_t members = 0;
  for (const auto& group : groups_) {
    if (due(group)) members += group.references.size();
  }
  if (members == 0) return;

  ports::ProgressPort* progress = env_.progress;
  auto step = [progress](size_t count) {
    if (progress && count) progress->Step(static_cast<int>(count));
  };
  if (progress) {
    progress->Begin("", static_cast<int>(2 * members + 1));
    progress->SetPosition(0);
  }
  bool popupShown = false;
  {
    ScanFlag flag(scanning_);
    for (auto& group : groups_) {
      if (!due(group)) continue;
      size_t refreshed = 0;
      size_t shared = 0;
      for (const auto& reference : group.references) {
        _VxItem* item = WatchedItem(reference);
        if (!item) continue;
        if (item->lastScanTime > group.lastScanTime &&
            now - static_cast<int64_t>(item->lastScanTime) < static_cast<int64_t>(group.settings.scanPeriod)) {
          // Fetched in this cycle for a group before this one.
          ++shared;
          step(1);
          continue;
        }
        // A failed fetch leaves the previous data, which the checks then use.
        const QueueCounters before = item->queueCounters;
        if (!env_.servers->Refresh(*item)) item->queueCounters = before;
        CheckThresholds(*item, group);
        item->lastScanTime = static_cast<int32_t>(now);
        ++refreshed;
        step(1);
      }
      bool viewRefreshed = false;
      if (refreshed && env_.views && env_.views->MembersOpen(group.settings.name)) {
        env_.views->ShowMembers(group);
        viewRefreshed = true;
      }
      // A group served wholly by another group's fetches is scanned too; it
      // would otherwise stay due and raise its alarm on every timer tick.
      if (refreshed || shared) group.lastScanTime = static_cast<int32_t>(now);
      if (!viewRefreshed) step(group.references.size());

      if (env_.views) env_.views->RefreshGrid();
      if (HasAlarm(group)) {
        RunAlarmReactions(group);
        if (env_.messages) {
          env_.messages->Add(PopupText(group), 0, core::image::kGroupAlarm);
          popupShown = true;
        }
      }
    }
  }
  if (progress) progress->End();
  if (popupShown && env_.messages && env_.messages->Popup().visible) {
    // Window timers take an int: a huge setting must not wrap.
    const uint64_t ms = uint64_t{env_.settings ? env_.settings->splashWindowTtl : 0} * 1000;
    env_.messages->Show(ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<uint32_t>(ms));
  }
}

}  // namespace model
