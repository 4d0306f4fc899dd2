#pragma once
// Operation numbers of the administration interface that the console issues.
// The others (ProcN) keep their numbers in the operation table only.

#include <cstdint>

namespace rpc::opnum {

inline constexpr uint16_t Logon = 2;
inline constexpr uint16_t Logoff = 3;
inline constexpr uint16_t GetCurrentAdmin = 4;
inline constexpr uint16_t GetStateFlag = 5;
inline constexpr uint16_t TaskGetCount = 6;
inline constexpr uint16_t TaskGetAt = 7;
inline constexpr uint16_t TaskGetState = 8;
inline constexpr uint16_t TaskControl = 9;
inline constexpr uint16_t ServerControl = 10;
inline constexpr uint16_t TaskGetParamCount = 11;
inline constexpr uint16_t TaskGetParamAt = 12;
inline constexpr uint16_t GetDisks = 17;
inline constexpr uint16_t ListDir = 18;
inline constexpr uint16_t GetFile = 20;
inline constexpr uint16_t GetFolderCount = 23;
inline constexpr uint16_t GetFolderAt = 24;
inline constexpr uint16_t CfgGetSectionCount = 26;
inline constexpr uint16_t CfgGetSectionAt = 27;
inline constexpr uint16_t CfgGetParamCount = 29;
inline constexpr uint16_t CfgGetParamAt = 30;
inline constexpr uint16_t QMX_VtQmx_ExecuteQuery = 32;
inline constexpr uint16_t QMX_DirAdd = 33;
inline constexpr uint16_t QMX_DirDelete = 34;
inline constexpr uint16_t QMX_DirGetCount = 35;
inline constexpr uint16_t QMX_DirGetAt = 36;
inline constexpr uint16_t QMX_DirGetAttrs = 37;
inline constexpr uint16_t QMX_DirModify = 38;
inline constexpr uint16_t QMX_DirGetTimingsArray = 39;
inline constexpr uint16_t QMX_DirSetTimingsArray = 40;
inline constexpr uint16_t QMX_DirGetQueueCounters = 41;
inline constexpr uint16_t QMX_DirSetOption = 44;
inline constexpr uint16_t QMX_DirReSetOption = 45;
inline constexpr uint16_t QMX_DirGetOption = 46;
inline constexpr uint16_t QMX_DirGetApfList = 47;
inline constexpr uint16_t QMX_DirSetApfList = 48;
inline constexpr uint16_t AddRoutItem = 50;
inline constexpr uint16_t RedirRoutItem = 51;
inline constexpr uint16_t DelRoutItem = 52;
inline constexpr uint16_t GetRoutList = 53;
inline constexpr uint16_t SetRoutItem = 55;
inline constexpr uint16_t GetAbonentInfo = 59;

// Operation numbers run from 0 to kLast.
inline constexpr uint16_t kLast = 72;

}  // namespace rpc::opnum
