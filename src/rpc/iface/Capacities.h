#pragma once
// Buffer capacities and record sizes the console uses with the administration
// interface. An [out] text buffer always holds capacity + 1 bytes, so that the
// received bytes can be followed by a NUL.

#include <cstdint>

namespace rpc::cap {

// The fixed Bv of Logon, Logoff and GetStateFlag: always announced as 512.
inline constexpr int32_t kSessionText = 512;
inline constexpr int32_t kAdminText = 511;          // GetCurrentAdmin, both texts
inline constexpr int32_t kTaskName = 128;           // TaskGetAt
inline constexpr int32_t kTaskComment = 256;
inline constexpr int32_t kTaskParamFirst = 1024;    // TaskGetParamAt, texts one to four
inline constexpr int32_t kTaskParamSecond = 2048;
inline constexpr int32_t kTaskParamThird = 40960;
inline constexpr int32_t kTaskParamFourth = 2048;
inline constexpr int32_t kDiskRecords = 3328;       // GetDisks: 32 records of 104 bytes
inline constexpr int32_t kDiskRecordSize = 104;
inline constexpr int32_t kMaxDiskRecords = 32;
inline constexpr int32_t kListing = 65536;          // ListDir
inline constexpr int32_t kFileData = 4718592;       // GetFile
inline constexpr int32_t kFolderText = 1024;        // GetFolderAt, both texts
inline constexpr int32_t kSectionName = 1024;       // CfgGetSectionAt
inline constexpr int32_t kCfgText = 10240;          // the other Cfg texts
inline constexpr int32_t kCfgKey = 1024;            // CfgGetParamAt key
inline constexpr int32_t kQueryRecord = 11264;      // QMX_VtQmx_ExecuteQuery
inline constexpr int32_t kDirItemText = 1023;       // QMX_DirGetAt in the lists
inline constexpr int32_t kDirItemTextRouting = 1024;  // QMX_DirGetAt in the routing editor
inline constexpr int32_t kTimingFrameSize = 72;     // one schedule frame
inline constexpr int32_t kRouterText = 524288;      // GetRoutList, GetAbonentInfo start
inline constexpr int32_t kRouterTextRefresh = 32768;  // the Router half of an entry's refresh
// A Needed above this is not believed: the fetch fails instead of allocating.
inline constexpr int32_t kMaxNeeded = 64 * 1024 * 1024;
// Counts from the server (tasks, directory items, folders, sections, parameters) are capped here.
inline constexpr int32_t kMaxServerCount = 65536;

}  // namespace rpc::cap
