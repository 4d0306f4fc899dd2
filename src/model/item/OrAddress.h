#pragma once
// O/R address levels and the address text "C:value/ADMD:value/...": level
// names in index order, values trimmed and upper-cased (ASCII only).

#include <array>
#include <string>
#include <string_view>

namespace model {

inline constexpr int kLevelCount = 6;
inline constexpr int kLevelAbonent = 111;    // GetAbonentInfo: the abonent record
inline constexpr int kLevelDirection = 112;  // GetAbonentInfo: the entry's own routing addresses

using LevelValues = std::array<std::string, kLevelCount>;

// "C", "ADMD", "PRMD", "ORG", "OU", "PN"; empty outside 0..5.
std::string_view LevelName(int level);
// The level whose name equals `name` exactly, or -1.
int LevelFromName(std::string_view name);

// Reads up to six name:value groups separated by '/'; the n-th name must be the
// n-th level name. Strict: all six present, each but the last followed by '/'.
// Returns the number of groups read, or 0 with every value empty on a mismatch.
int ParseOrAddress(std::string_view text, bool strict, LevelValues& values);

// Reads name:value groups in any order, separated by '/' or a backslash, the
// way a node writes its own address (levels may be left out). False, with
// every value empty, when a group has no level name or an unknown one.
bool SplitNamedOrAddress(std::string_view text, LevelValues& values);

// "/"-joined name:value of the non-empty values, in level order.
std::string BuildOrAddress(const LevelValues& values);

}  // namespace model
