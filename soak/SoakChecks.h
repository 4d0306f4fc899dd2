#pragma once
// The verdicts of a soak run, worked out from its record alone: each check
// is one row of the closing table (what was measured, what was allowed).

#include <string>
#include <vector>

#include "SoakRecord.h"

namespace soak {

struct SoakLimits {
  double pollPeriod = 10;       // timer 666
  double favoritesPeriod = 10;  // timer 667
  double scanPeriod = 60;       // the group's own period
  std::vector<std::string> members;  // the group's directions on the demo node
  double warmup = 300;          // from the start-up's end; growth is measured after it
  long rssToleranceKb = 0;      // 0: max(4 MiB, 5 % of the baseline)
  int descriptorTolerance = 2;
  int threadTolerance = 2;
  double exitLimit = 10;
  // How late a request line may be stamped after it was written (the tail's
  // period, with room to spare).
  double stampLag = 0.5;
};

struct CheckRow {
  std::string name;
  std::string figure;
  std::string limit;
  bool ok = true;
  std::vector<std::string> notes;  // what went wrong, one line each
};

// The operation name of a request log line.
std::string Operation(const std::string& line);
// When each poll reached the demo node (its state flag call).
std::vector<double> PollStarts(const std::vector<StampedLine>& lines);
// When each favourites scan began: calls that name a member, a pause of more
// than two seconds between scans.
std::vector<double> ScanStarts(const std::vector<StampedLine>& lines, const std::vector<std::string>& members);

CheckRow CheckPolls(const SoakRecord& record, const SoakLimits& limits);
CheckRow CheckFavorites(const SoakRecord& record, const SoakLimits& limits);
CheckRow CheckLogons(const SoakRecord& record);
CheckRow CheckBoxes(const SoakRecord& record);
// Resident memory, descriptors and threads after the warm-up.
std::vector<CheckRow> CheckGrowth(const SoakRecord& record, const SoakLimits& limits);
CheckRow CheckExit(const SoakRecord& record, const SoakLimits& limits);

std::vector<CheckRow> AllChecks(const SoakRecord& record, const SoakLimits& limits);
// The table, and the resource samples above it.
std::string FormatReport(const SoakRecord& record, const std::vector<CheckRow>& rows);

}  // namespace soak
