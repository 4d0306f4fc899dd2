#include "rpc/iface/OperationTable.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "text/Strings.h"

namespace rpc {

namespace {

// Parameters are written as in the interface's own table: "dir form [name]"
// separated by ';', with dir in, out or inout and the form L, L*, L[1], Lv[1],
// S, C, B[pK] or Bv[M;N] (M = pK or 512, N = pK or *pK).
struct Row {
  uint16_t opnum;
  std::string_view name;
  std::string_view params;
  bool called;
};

constexpr std::string_view kStatusPair = "out L[1] Status; out L[1] RpcErr; ";

// clang-format off
const Row kRows[] = {
    {0, "Proc0", "out L[1]; in L capacity; inout L* length; inout Bv[p2;*p3] data", false},
    {1, "Proc1", "out L*", false},
    {2, "Logon", "in L IdentityLen; in Bv[512;p1] Identity; in L UserLen; in Bv[512;p3] User; "
                 "in L PasswordLen; in Bv[512;p5] Password; out L* AccessLevel", true},
    {3, "Logoff", "in L IdentityLen; in Bv[512;p1] Identity; in L UserLen; in Bv[512;p3] User; out L* Result", true},
    {4, "GetCurrentAdmin", "in L capacity; out L* length; out Bv[p1;*p2] AdminConnection; "
                           "in L capacity; out L* length; out Bv[p4;*p5] AdminUser; out L*", true},
    {5, "GetStateFlag", "in L IdentityLen; in Bv[512;p1] Identity; in L UserLen; in Bv[512;p3] User; out L*", true},
    {6, "TaskGetCount", "out L* Count", true},
    {7, "TaskGetAt", "in L Index; in L capacity; out L* length; out Bv[p2;*p3] TaskName; "
                     "in L capacity; out L* length; out Bv[p5;*p6] Comment", true},
    {8, "TaskGetState", "in S TaskName; inout Lv[1] State", true},
    {9, "TaskControl", "in S TaskName; inout Lv[1] Command", true},
    {10, "ServerControl", "inout L* Command", true},
    {11, "TaskGetParamCount", "in S TaskName; out L[1] Count", true},
    {12, "TaskGetParamAt", "in S TaskName; in L Index; in L capacity; out L* length; out Bv[p3;*p4] FirstText; "
                           "in L capacity; out L* length; out Bv[p6;*p7] SecondText; "
                           "in L capacity; out L* length; out Bv[p9;*p10] ThirdText; "
                           "in L capacity; out L* length; out Bv[p12;*p13] FourthText", true},
    {13, "Proc13", "in S; in L; in B[p2]; in L; in B[p4]; in L; in B[p6]; in L; in B[p8]; out L[1]", false},
    {14, "Proc14", "in S; in L; out L*; out Bv[p2;*p3]; out L[1]", false},
    {15, "Proc15", "in S; in L; in B[p2]; out L[1]", false},
    {16, "Proc16", "in L; in S; in L; out L*; out Bv[p3;*p4]; out L[1]", false},
    {17, "GetDisks", "in L capacity; out L* length; out Bv[p1;*p2] DiskRecords; out L[1] Count; out L[1]", true},
    {18, "ListDir", "in S Path; in L Kind; in L capacity; out L* length; out Bv[p3;*p4] Listing; out L[1] Error", true},
    {19, "Proc19", "in S; in L; out L[1]; out L[1]", false},
    {20, "GetFile", "in S Path; in L Offset; in L capacity; out L* length; out Bv[p3;*p4] Data; "
                    "out L[1]; out L[1]; out L[1]; out L[1]; out L[1]; out L[1] Error", true},
    {21, "Proc21", "in S; in L; in B[p2]; out L[1]; out L[1]", false},
    {22, "Proc22", "in S; in L; in L; out L*; out Bv[p3;*p4]; out L[1]; out L[1]; out L[1]", false},
    {23, "GetFolderCount", "", true},
    {24, "GetFolderAt", "in L Index; in L capacity; out L* length; out Bv[p2;*p3] FirstText; "
                        "in L capacity; out L* length; out Bv[p5;*p6] SecondText; out L[1] FileCount", true},
    {25, "Proc25", "in L; in L; out L*; out Bv[p2;*p3]", false},
    {26, "CfgGetSectionCount", "out L[1] Status; out L[1] Count", true},
    {27, "CfgGetSectionAt", "out L[1] Status; in L Index; in L capacity; out L* length; out Bv[p3;*p4] SectionName; "
                            "in L capacity; out L* length; out Bv[p6;*p7] SecondText; "
                            "in L capacity; out L* length; out Bv[p9;*p10] ThirdText", true},
    {28, "Proc28", "out L[1]; in S; in S; in S", false},
    {29, "CfgGetParamCount", "out L[1] Status; out L[1] Count; in S Section", true},
    {30, "CfgGetParamAt", "out L[1] Status; in S Section; in L Index; in L capacity; out L* length; out Bv[p4;*p5] Key; "
                          "in L capacity; out L* length; out Bv[p7;*p8] Value; "
                          "in L capacity; out L* length; out Bv[p10;*p11] ThirdText; "
                          "in L capacity; out L* length; out Bv[p13;*p14] FourthText", true},
    {31, "Proc31", "out L[1]; in S; in S; in S; in S; in S", false},
    {32, "QMX_VtQmx_ExecuteQuery", "out L[1] Status; out L[1] RpcErr; out L[1] Result; in L capacity; "
                                   "inout L* Length; inout Bv[p4;*p5] Record", true},
    {33, "QMX_DirAdd", "S in L NameLen; in B[p3] Name; in L Priority; in L Blocked; in L CallAtInterval; "
                       "in L NoCallOnArrival; in L ExtraOption", true},
    {34, "QMX_DirDelete", "S in S Name", true},
    {35, "QMX_DirGetCount", "S out L[1] Count", true},
    {36, "QMX_DirGetAt", "S in L Index; in L capacity; out L* length; out Bv[p4;*p5] ItemText; "
                         "out L[1] Value1; out L[1] Value2; out L[1] Value3; out L[1] Value4; out L[1] Value5", true},
    {37, "QMX_DirGetAttrs", "S in S Name; out L[1] Priority; out L[1] Blocked; out L[1] CallAtInterval; "
                            "out L[1] NoCallOnArrival; out L[1] ExtraOption", true},
    {38, "QMX_DirModify", "S in S PrevName; in S Name; in L Priority; in L Blocked; in L CallAtInterval; "
                          "in L NoCallOnArrival; in L ExtraOption", true},
    {39, "QMX_DirGetTimingsArray", "S in S Name; in L capacity; out L* length; out Bv[p4;*p5] Timings; out L[1] Count", true},
    {40, "QMX_DirSetTimingsArray", "S in S Name; in L Length; in B[p4] Timings", true},
    {41, "QMX_DirGetQueueCounters", "S in S Name; out L[1] AbsoluteFiles; out L[1] HighFiles; out L[1] ReportFiles; "
                                    "out L[1] NormalFiles; out L[1] LowFiles; out L[1] LastConnection; "
                                    "out L[1] AbsoluteAge; out L[1] HighAge; out L[1] ReportAge; "
                                    "out L[1] NormalAge; out L[1] LowAge", true},
    {42, "Proc42", "out L[1]; out L[1]; in S; in L; in L; out L*; out Bv[p5;*p6]", false},
    {43, "Proc43", "out L[1]; out L[1]; in S; in L; in L; in B[p5]", false},
    {44, "QMX_DirSetOption", "S in S Name; in L Option", true},
    {45, "QMX_DirReSetOption", "S in S Name", true},
    {46, "QMX_DirGetOption", "S in S Name; out L[1] Option", true},
    {47, "QMX_DirGetApfList", "S in S Name; in L capacity; out L* length; out Bv[p4;*p5] ApfList; out L[1] Flag", true},
    {48, "QMX_DirSetApfList", "S in S Name; in S ApfList", true},
    {49, "Proc49", "out L[1]; out L[1]; in S; in S", false},
    {50, "AddRoutItem", "S in L Level; in S Address; in S Target; in L Flag", true},
    {51, "RedirRoutItem", "S in L Level; in S Address; in S Target; in L Flag", true},
    {52, "DelRoutItem", "S in L Level; in S Address; in L Flag", true},
    {53, "GetRoutList", "S in L Level; out L[1] Needed; in L capacity; inout L* length; out Bv[p5;*p6] Table", true},
    {54, "Proc54", "out L[1]; out L[1]", false},
    {55, "SetRoutItem", "S in L Level; in S Address; in S Name; in S Params; in L Flag", true},
    {56, "Proc56", "out L[1]; out L[1]; in L; in S; in S; in S; in L", false},
    {57, "Proc57", "out L[1]; out L[1]; in S; in L", false},
    {58, "Proc58", "out L[1]; out L[1]; out L[1]; in L; out L*; out Bv[p4;*p5]", false},
    {59, "GetAbonentInfo", "S in L Kind; in S Name; out L[1] Needed; in L capacity; out L* length; out Bv[p6;*p7] Info", true},
    {60, "Proc60", "out L[1]; out L[1]; in L; in L; in L; in C; in C; out L[1]; in L; out L*; out Bv[p9;*p10]", false},
    {61, "Proc61", "out L[1]; out L[1]; out L[1]; in L; inout L*; inout Bv[p4;*p5]", false},
    {62, "Proc62", "out L[1]; out L[1]; in L; in L; out L[1]; out L[1]", false},
    {63, "Proc63", "out L[1]; out L[1]; in L; in L; out L*; out Bv[p4;*p5]", false},
    {64, "Proc64", "out L[1]; out L[1]; in L; in L; out L[1]", false},
    {65, "Proc65", "out L[1]; out L[1]; in L; in L; in L; in L; out L*; out Bv[p6;*p7]; in L; out L*; out Bv[p9;*p10]; "
                   "in L; out L*; out Bv[p12;*p13]", false},
    {66, "Proc66", "out L[1]; out L[1]; in L; in L; in L; in L; out L*; out Bv[p6;*p7]", false},
    {67, "Proc67", "out L[1]; out L[1]; in L; in L; in L; in B[p5]; in L; out L*; out Bv[p7;*p8]; "
                   "in L; out L*; out Bv[p10;*p11]", false},
    {68, "Proc68", "out L[1]; out L[1]; in L; in L; in L; in B[p5]; in L; out L*; out Bv[p7;*p8]", false},
    {69, "Proc69", "out L[1]; out L[1]; in L; in L; in L; in B[p5]; in L; out L*; out Bv[p7;*p8]; in L; in B[p10]", false},
    {70, "Proc70", "out L[1]; out L[1]; in L; in L; in L; in B[p5]", false},
    {71, "Proc71", "out L[1]; out L[1]; in L; in L; in L; in B[p5]; in L; in B[p7]", false},
    {72, "Proc72", "out L[1]; out L[1]; in L; in L; in L; in B[p5]; in L; in L; inout L*; inout Bv[p8;*p9]", false},
};
// clang-format on

[[noreturn]] void Bad(const Row& row, std::string_view what) {
  throw std::logic_error("operation table, " + std::string(row.name) + ": " + std::string(what));
}

int ParamRef(const Row& row, std::string_view ref, bool allowDeref) {
  if (allowDeref && !ref.empty() && ref.front() == '*') ref.remove_prefix(1);
  if (ref.size() < 2 || ref.front() != 'p') Bad(row, ref);
  return static_cast<int>(text::ParseLeadingUnsigned(ref.substr(1)));
}

ParamSpec ParseParam(const Row& row, std::string_view item) {
  const std::string trimmed = text::Trim(item);
  std::string_view rest = trimmed;
  const size_t dirEnd = rest.find(' ');
  if (dirEnd == std::string_view::npos) Bad(row, item);
  const std::string_view dir = rest.substr(0, dirEnd);
  rest = text::TrimView(rest.substr(dirEnd));
  const size_t formEnd = rest.find(' ');
  const std::string_view form = rest.substr(0, formEnd);
  ParamSpec p;
  if (formEnd != std::string_view::npos) p.name = text::Trim(rest.substr(formEnd));

  if (dir == "in") p.dir = ParamDir::In;
  else if (dir == "out") p.dir = ParamDir::Out;
  else if (dir == "inout") p.dir = ParamDir::InOut;
  else Bad(row, dir);

  if (form == "L") p.form = WireForm::L;
  else if (form == "L*") p.form = WireForm::LRef;
  else if (form == "L[1]") p.form = WireForm::LArray1;
  else if (form == "Lv[1]") p.form = WireForm::LVarying1;
  else if (form == "S") p.form = WireForm::S;
  else if (form == "C") p.form = WireForm::C;
  else if (form.starts_with("B[") && form.ends_with("]")) {
    p.form = WireForm::B;
    p.sizeParam = ParamRef(row, form.substr(2, form.size() - 3), false);
  } else if (form.starts_with("Bv[") && form.ends_with("]")) {
    p.form = WireForm::Bv;
    const std::string_view inner = form.substr(3, form.size() - 4);
    const size_t semi = inner.find(';');
    if (semi == std::string_view::npos) Bad(row, form);
    const std::string_view size = inner.substr(0, semi);
    if (!size.empty() && size.front() == 'p') p.sizeParam = ParamRef(row, size, false);
    else p.sizeConst = static_cast<int32_t>(text::ParseLeadingUnsigned(size));
    p.lengthParam = ParamRef(row, inner.substr(semi + 1), true);
  } else {
    Bad(row, form);
  }
  return p;
}

OperationSpec ParseRow(const Row& row) {
  OperationSpec op;
  op.opnum = row.opnum;
  op.name = row.name;
  op.called = row.called;
  std::string params(row.params);
  // "S " at the start stands for the leading Status and RpcErr pair.
  if (params.starts_with("S ")) params = std::string(kStatusPair) + params.substr(2);
  size_t start = 0;
  while (start < params.size()) {
    size_t end = params.find(';', start);
    if (end == std::string::npos) end = params.size();
    // The ';' inside Bv[..;..] is not a separator.
    const size_t open = params.find('[', start);
    if (open != std::string::npos && open < end) {
      const size_t close = params.find(']', open);
      if (close != std::string::npos && close > end) {
        end = params.find(';', close);
        if (end == std::string::npos) end = params.size();
      }
    }
    op.params.push_back(ParseParam(row, std::string_view(params).substr(start, end - start)));
    start = end + 1;
  }
  return op;
}

std::vector<OperationSpec> BuildTable() {
  std::vector<OperationSpec> ops;
  for (const Row& row : kRows) {
    if (row.opnum != ops.size()) Bad(row, "out of order");
    ops.push_back(ParseRow(row));
  }
  return ops;
}

}  // namespace

std::span<const OperationSpec> Operations() {
  static const std::vector<OperationSpec> table = BuildTable();
  return table;
}

const OperationSpec* FindOperation(uint16_t opnum) {
  const auto ops = Operations();
  return opnum < ops.size() ? &ops[opnum] : nullptr;
}

size_t CalledOperationCount() {
  size_t count = 0;
  for (const auto& op : Operations()) count += op.called ? 1 : 0;
  return count;
}

}  // namespace rpc
