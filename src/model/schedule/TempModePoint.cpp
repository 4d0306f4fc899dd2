#include "model/schedule/TempModePoint.h"

#include <array>

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Воскресенье", "Понедельник", "Вторник", "Среда",
                                                  "Четверг",     "Пятница",     "Суббота"};

constexpr uint32_t kMinuteSeconds = 60;
constexpr uint32_t kHourSeconds = 3600;
constexpr uint32_t kDaySeconds = 86400;

bool Set(int32_t field) { return field != kAny; }

// Fields are taken as unsigned 32-bit, so that values from the wire that lie
// outside their range wrap instead of overflowing.
uint32_t U(int32_t field) { return static_cast<uint32_t>(field); }

uint32_t DailyPhase(const CTempModePoint& p) {
  return U(p.second) + kMinuteSeconds * U(p.minute) + kHourSeconds * U(p.hour);
}

uint32_t CalendarTime(const CTempModePoint& p) {
  std::tm tm = p.ToTm();
  return static_cast<uint32_t>(std::mktime(&tm));
}

int CurrentLocalYear() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return tm.tm_year;
}

}  // namespace

int32_t& CTempModePoint::Field(size_t index) {
  switch (index) {
    case 0:
      return second;
    case 1:
      return minute;
    case 2:
      return hour;
    case 3:
      return weekday;
    case 4:
      return day;
    case 5:
      return month;
    default:
      return year;
  }
}

int32_t CTempModePoint::Field(size_t index) const { return const_cast<CTempModePoint*>(this)->Field(index); }

std::tm CTempModePoint::ToTm() const {
  std::tm tm{};
  tm.tm_sec = second;
  tm.tm_min = minute;
  tm.tm_hour = hour;
  tm.tm_mday = day;
  tm.tm_mon = month;
  tm.tm_year = year;
  tm.tm_wday = weekday;
  tm.tm_isdst = 0;
  return tm;
}

CTempModePoint CTempModePoint::FromTm(const std::tm& tm) {
  return {tm.tm_sec, tm.tm_min, tm.tm_hour, tm.tm_wday, tm.tm_mday, tm.tm_mon, tm.tm_year};
}

int CTempModePoint::GetPeriodKind() const {
  const bool s = Set(second), m = Set(minute), h = Set(hour), w = Set(weekday), d = Set(day),
             mo = Set(month), y = Set(year);
  if (s && !m && !h && !w && !d && !mo && !y) return period::kMinute;
  if (s && m && !h && !w && !d && !mo && !y) return period::kHour;
  if (s && m && h && !w && !d && !mo && !y) return period::kDay;
  if (s && m && h && w && !d && !mo && !y) return period::kWeek;
  if (s && m && h && !w && d && !mo && !y) return period::kMonth;
  if (s && m && h && !w && d && mo && !y) return period::kYear;
  return period::kStatic;
}

std::string CTempModePoint::GetPeriodName() const { return model::GetPeriodName(GetPeriodKind()); }

uint32_t CTempModePoint::GetPhase(bool next, std::optional<int> yearSince1900) const {
  return GetPhaseAs(GetPeriodKind(), next, yearSince1900);
}

uint32_t CTempModePoint::GetPhaseAs(int kind, bool next, std::optional<int> yearSince1900) const {
  uint32_t phase = 0;
  switch (kind) {
    case period::kMinute:
      phase = U(second);
      break;
    case period::kHour:
      phase = U(second) + kMinuteSeconds * U(minute);
      break;
    case period::kDay:
      phase = DailyPhase(*this);
      break;
    case period::kWeek:
      phase = DailyPhase(*this) + kDaySeconds * U(weekday);
      break;
    case period::kMonth:
      phase = DailyPhase(*this) + kDaySeconds * U(day);
      break;
    case period::kYear: {
      CTempModePoint inYear = *this;
      inYear.year = yearSince1900 ? *yearSince1900 : CurrentLocalYear();
      phase = CalendarTime(inYear);
      break;
    }
    default:
      phase = CalendarTime(*this);
      break;
  }
  return next ? phase + PeriodLength(kind) : phase;
}

bool CTempModePoint::FormatDisplay(std::string& out) const {
  const unsigned h = U(hour), m = U(minute), s = U(second), d = U(day), mo = U(month) + 1u;
  switch (GetPeriodKind()) {
    case period::kMinute:
      out = text::Format("  :  :%02u", s);
      return true;
    case period::kHour:
      out = text::Format("  :%02u:%02u", m, s);
      return true;
    case period::kDay:
      out = text::Format("%02u:%02u:%02u", h, m, s);
      return true;
    case period::kWeek:
      out = text::Format("%02u:%02u:%02u %11s", h, m, s, WeekdayName(weekday).c_str());
      return true;
    case period::kMonth:
      out = text::Format("%02u:%02u:%02u %11s %02u", h, m, s, "", d);
      return true;
    case period::kYear:
      out = text::Format("%02u:%02u:%02u %11s %02u.%02u", h, m, s, "", d, mo);
      return true;
    default:
      break;
  }
  const bool fullDate = Set(second) && Set(minute) && Set(hour) && Set(day) && Set(month) && Set(year) &&
                        !Set(weekday);
  if (!fullDate) return false;
  out = text::Format("%02u:%02u:%02u %11s %02u.%02u.%04u", h, m, s, "", d, mo, U(year) + 1900u);
  return true;
}

std::string GetPeriodName(int kind) {
  switch (kind) {
    case period::kMinute:
      return text::Cp("каждую минуту");
    case period::kHour:
      return text::Cp("каждый час");
    case period::kDay:
      return text::Cp("каждый день");
    case period::kWeek:
      return text::Cp("каждую неделю");
    case period::kMonth:
      return text::Cp("каждый месяц");
    case period::kYear:
      return text::Cp("каждый год");
    default:
      return text::Cp("статически (один раз)");
  }
}

uint32_t PeriodLength(int kind) {
  switch (kind) {
    case period::kMinute:
      return 60;
    case period::kHour:
      return 3600;
    case period::kDay:
      return 86400;
    case period::kWeek:
      return 604800;
    case period::kMonth:
      return 2678400;  // 31 days
    case period::kYear:
      return 31622400;  // 366 days
    default:
      return 0;
  }
}

int SortRank(int kind) {
  switch (kind) {
    case period::kMinute:
      return 0;
    case period::kHour:
      return 5;
    case period::kDay:
      return 4;
    case period::kWeek:
      return 3;
    case period::kMonth:
      return 2;
    case period::kYear:
      return 1;
    default:
      return 100;
  }
}

uint32_t GetPhase(std::time_t moment, int kind, bool next) {
  std::tm tm{};
  localtime_r(&moment, &tm);
  // Reduced through the same point form as the frame's points, so that both
  // sides of a comparison are made the same way.
  return CTempModePoint::FromTm(tm).GetPhaseAs(kind, next, tm.tm_year);
}

std::string WeekdayName(int32_t weekday) {
  // A weekday outside 0..6 (possible in a frame from the wire) has no name.
  if (weekday < 0 || weekday >= static_cast<int32_t>(kWeekdays.size())) return {};
  return text::Cp(kWeekdays[static_cast<size_t>(weekday)]);
}

int32_t WeekdayFromName(const std::string& name) {
  for (size_t i = 0; i < kWeekdays.size(); ++i) {
    if (name == text::Cp(kWeekdays[i])) return static_cast<int32_t>(i);
  }
  return kAny;
}

std::string DisplayHeader() { return text::Cp("Ч  М  С  День недели Д  М  Г   "); }

}  // namespace model
