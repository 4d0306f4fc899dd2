#include "SoakChecks.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace soak {

namespace {

std::string Format(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string Seconds(double t) { return Format("%.1f s", t); }

// The end of the busy spell under way at `t`; `t` itself when the worker was idle.
double SpellEnd(const std::vector<Spell>& spells, double t) {
  for (const Spell& spell : spells)
    if (spell.begin <= t && t <= spell.end) return spell.end;
  return t;
}

bool AnyIn(const std::vector<double>& times, double after, double until) {
  return std::any_of(times.begin(), times.end(), [&](double s) { return s > after && s <= until; });
}

const char* FoundText(TickFound found) {
  switch (found) {
    case TickFound::Idle: return "the worker was idle";
    case TickFound::Poll: return "a poll was under way";
    case TickFound::FavoritesScan: return "a favourites scan was under way";
    case TickFound::UserAction: return "a user action was under way";
    case TickFound::OtherJob: return "another job was under way";
  }
  return "";
}

}  // namespace

std::string Operation(const std::string& line) { return line.substr(0, line.find(' ')); }

std::vector<double> PollStarts(const std::vector<StampedLine>& lines) {
  std::vector<double> starts;
  for (const StampedLine& stamped : lines)
    if (Operation(stamped.line) == "GetStateFlag") starts.push_back(stamped.t);
  return starts;
}

std::vector<double> ScanStarts(const std::vector<StampedLine>& lines, const std::vector<std::string>& members) {
  std::vector<double> starts;
  double last = -1e9;
  for (const StampedLine& stamped : lines) {
    if (stamped.line.rfind("QMX_", 0) != 0) continue;
    const bool member = std::any_of(members.begin(), members.end(), [&](const std::string& name) {
      return stamped.line.find("=\"" + name + "\"") != std::string::npos;
    });
    if (!member) continue;
    if (stamped.t - last > 2.0) starts.push_back(stamped.t);
    last = stamped.t;
  }
  return starts;
}

// Each period between two ticks of timer 666 has a poll of its own, unless
// the tick found the previous poll still waiting on a silent computer: the
// timer never overlaps itself.
CheckRow CheckPolls(const SoakRecord& record, const SoakLimits& limits) {
  CheckRow row{"every poll period had its poll", "", "", true, {}};
  const std::vector<double> polls = PollStarts(record.live);
  int polled = 0, underWay = 0, missed = 0;
  std::map<TickFound, int> why;
  const auto& ticks = record.pollTicks;
  for (size_t k = 0; k + 1 < ticks.size(); ++k) {
    if (AnyIn(polls, ticks[k].t, ticks[k + 1].t)) {
      ++polled;
    } else if (ticks[k].found == TickFound::Poll) {
      ++underWay;
    } else {
      ++missed;
      ++why[ticks[k].found];
      if (why[ticks[k].found] <= 3)
        row.notes.push_back("no poll in the period from " + Seconds(ticks[k].t) + ": " + FoundText(ticks[k].found));
    }
  }
  for (const auto& [found, count] : why)
    if (count > 3) row.notes.push_back(std::to_string(count) + " periods in all where " + FoundText(found));
  const size_t periods = ticks.empty() ? 0 : ticks.size() - 1;
  row.figure = std::to_string(polled) + " polled, " + std::to_string(underWay) + " inside a longer poll, " +
               std::to_string(missed) + " missed of " + std::to_string(periods);
  row.limit = "0 missed";
  // A run whose timer never fired checks nothing.
  const double span = record.endedAt - record.startedAt;
  const size_t expected = span > 0 ? static_cast<size_t>(span / limits.pollPeriod) : 0;
  if (periods + 2 < expected) {
    row.notes.push_back("timer 666 fired " + std::to_string(ticks.size()) + " times, about " +
                        std::to_string(expected) + " expected");
    row.ok = false;
  }
  row.ok = row.ok && missed == 0 && periods > 0;
  return row;
}

// A tick of timer 667 that finds the group due must scan it: at once when
// the worker is idle, else right after the job under way.
CheckRow CheckFavorites(const SoakRecord& record, const SoakLimits& limits) {
  CheckRow row{"every due favourites scan happened", "", "", true, {}};
  const std::vector<double> scans = ScanStarts(record.live, limits.members);
  int due = 0, missed = 0, waiting = 0;
  for (const Tick& tick : record.favoritesTicks) {
    double last = -1e9;
    for (double s : scans)
      if (s <= tick.t) last = s;
    // Seconds are whole on the worker's clock: a tick a hair past the period
    // may find the group not yet due, so only a clear case counts.
    if (tick.t - last <= limits.scanPeriod + 1.0) continue;
    const double deadline = SpellEnd(record.busy, tick.t) + 2.0 + limits.stampLag;
    // Still queued behind a job the exit cut short: waiting, not lost.
    if (deadline >= record.endedAt && !AnyIn(scans, tick.t, deadline)) {
      ++waiting;
      continue;
    }
    ++due;
    if (!AnyIn(scans, tick.t, deadline)) {
      ++missed;
      if (missed <= 3)
        row.notes.push_back("the group was due at " + Seconds(tick.t) + " and not scanned by " + Seconds(deadline) +
                            ": " + FoundText(tick.found) + " at the tick");
    }
  }
  if (missed > 3) row.notes.push_back(std::to_string(missed) + " due ticks in all without a scan");
  row.figure = std::to_string(scans.size()) + " scans; " + std::to_string(due - missed) + " of " +
               std::to_string(due) + " due ticks served";
  if (waiting > 0) row.figure += ", " + std::to_string(waiting) + " waiting at the exit";
  row.limit = "all due ticks";
  row.ok = missed == 0 && due > 0;
  if (due == 0) row.notes.push_back("no tick found the group due");
  return row;
}

CheckRow CheckLogons(const SoakRecord& record) {
  CheckRow row{"silent computer logged on again", "", "", true, {}};
  int back = 0, loggedOn = 0;
  for (size_t i = 0; i < record.outages.size(); ++i) {
    const Outage& outage = record.outages[i];
    if (outage.end < 0) continue;
    ++back;
    const double until = i + 1 < record.outages.size() ? record.outages[i + 1].begin : record.endedAt;
    const bool logon = std::any_of(record.far.begin(), record.far.end(), [&](const StampedLine& stamped) {
      return stamped.t > outage.end && stamped.t <= until && Operation(stamped.line) == "Logon";
    });
    if (logon)
      ++loggedOn;
    else
      row.notes.push_back("no logon after the outage that ended at " + Seconds(outage.end));
  }
  row.figure = std::to_string(loggedOn) + " of " + std::to_string(back) + " returns";
  row.limit = "every return";
  row.ok = loggedOn == back;
  if (back == 0) row.notes.push_back("the run was too short for an outage to end (not checked)");
  return row;
}

CheckRow CheckBoxes(const SoakRecord& record) {
  CheckRow row{"no box left open", std::to_string(record.boxesOpen.size()) + " open, " +
                                        std::to_string(record.boxesSeen.size()) + " seen",
               "0 open", record.boxesOpen.empty(), {}};
  for (const std::string& box : record.boxesOpen) row.notes.push_back("open: " + box);
  for (const std::string& box : record.boxesSeen) row.notes.push_back("seen: " + box);
  return row;
}

std::vector<CheckRow> CheckGrowth(const SoakRecord& record, const SoakLimits& limits) {
  // The baseline is the highest figure of the warm-up: a descriptor or a
  // thread that comes and goes (a connection, an audio thread) is not growth.
  std::vector<const Sample*> warm, after;
  for (const Sample& sample : record.samples)
    (sample.t <= record.startedAt + limits.warmup ? warm : after).push_back(&sample);
  struct Measure {
    const char* name;
    long (*value)(const Sample&);
    long tolerance;
    const char* unit;
  };
  long rssBase = 0;
  for (const Sample* s : warm) rssBase = std::max(rssBase, s->rssKb);
  const long rssTolerance = limits.rssToleranceKb ? limits.rssToleranceKb : std::max(4096L, rssBase / 20);
  const Measure measures[] = {
      {"resident memory did not grow", [](const Sample& s) { return s.rssKb; }, rssTolerance, " KiB"},
      {"descriptors did not grow", [](const Sample& s) { return long{s.descriptors}; }, limits.descriptorTolerance, ""},
      {"threads did not grow", [](const Sample& s) { return long{s.threads}; }, limits.threadTolerance, ""},
  };
  std::vector<CheckRow> rows;
  for (const Measure& m : measures) {
    CheckRow row{m.name, "", "", true, {}};
    if (warm.empty() || after.empty()) {
      row.ok = false;
      row.figure = "no samples on both sides of the warm-up";
      rows.push_back(row);
      continue;
    }
    long base = 0, worst = 0;
    for (const Sample* s : warm) base = std::max(base, m.value(*s));
    for (const Sample* s : after) worst = std::max(worst, m.value(*s));
    row.figure = "warm-up max " + std::to_string(base) + m.unit + ", after: max " + std::to_string(worst) +
                 ", last " + std::to_string(m.value(*after.back()));
    row.limit = "max <= warm-up max + " + std::to_string(m.tolerance) + m.unit;
    row.ok = worst <= base + m.tolerance;
    rows.push_back(row);
  }
  return rows;
}

CheckRow CheckExit(const SoakRecord& record, const SoakLimits& limits) {
  CheckRow row{"exit ended promptly", "", Format("<= %.0f s, code 0", limits.exitLimit), true, {}};
  if (record.exitSeconds < 0) {
    row.figure = "did not end";
    row.ok = false;
    return row;
  }
  row.figure = Format("%.1f s", record.exitSeconds) + ", code " + std::to_string(record.exitCode);
  row.ok = record.exitSeconds <= limits.exitLimit && record.exitCode == 0;
  const bool loggedOff = std::any_of(record.live.begin(), record.live.end(), [&](const StampedLine& stamped) {
    return stamped.t >= record.endedAt && Operation(stamped.line) == "Logoff";
  });
  if (!loggedOff) {
    row.ok = false;
    row.notes.push_back("the demo node was not logged off");
  }
  return row;
}

std::vector<CheckRow> AllChecks(const SoakRecord& record, const SoakLimits& limits) {
  std::vector<CheckRow> rows{CheckPolls(record, limits), CheckFavorites(record, limits), CheckLogons(record),
                             CheckBoxes(record)};
  for (CheckRow& row : CheckGrowth(record, limits)) rows.push_back(std::move(row));
  rows.push_back(CheckExit(record, limits));
  return rows;
}

std::string FormatReport(const SoakRecord& record, const std::vector<CheckRow>& rows) {
  std::ostringstream out;
  char line[256];
  out << "samples (seconds since the harness started; start-up ended at " << Format("%.1f", record.startedAt) << ")\n";
  std::snprintf(line, sizeof line, "  %8s %10s %6s %8s\n", "t", "RSS KiB", "fds", "threads");
  out << line;
  for (const Sample& s : record.samples) {
    std::snprintf(line, sizeof line, "  %8.0f %10ld %6d %8d\n", s.t, s.rssKb, s.descriptors,
                  s.threads);
    out << line;
  }
  out << "outages of the silent computer:";
  for (const Outage& o : record.outages)
    out << " " << Format("%.0f", o.begin) << "-"
        << (o.end < 0 ? std::string("exit") : Format("%.0f", o.end));
  out << "\nuser actions: " << record.actionsDone << " done, " << record.actionsPutOff << " put off behind one still under way\n\n";
  size_t nameWidth = 5, figureWidth = 6;
  for (const CheckRow& row : rows) {
    nameWidth = std::max(nameWidth, row.name.size());
    figureWidth = std::max(figureWidth, row.figure.size());
  }
  auto pad = [](const std::string& text, size_t width) { return text + std::string(width - std::min(width, text.size()), ' '); };
  out << pad("check", nameWidth) << " | " << pad("figure", figureWidth) << " | verdict | limit\n";
  out << std::string(nameWidth + figureWidth + 30, '-') << "\n";
  for (const CheckRow& row : rows) {
    out << pad(row.name, nameWidth) << " | " << pad(row.figure, figureWidth) << " | " << (row.ok ? "PASS   " : "FAIL   ")
        << " | " << row.limit << "\n";
    for (const std::string& note : row.notes) out << "    " << note << "\n";
  }
  return out.str();
}

}  // namespace soak
