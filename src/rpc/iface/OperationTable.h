#pragma once
// The 73 operations of the administration interface as data: number, name,
// parameters in wire order with direction and wire form, and whether the
// console issues the operation. The operations the console never issues live
// only here, so that numbering and wire forms stay complete.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rpc {

enum class ParamDir : uint8_t { In, Out, InOut };

enum class WireForm : uint8_t {
  L,          // 32-bit integer by value
  LRef,       // L*: 32-bit integer by reference
  LArray1,    // L[1]
  LVarying1,  // Lv[1]
  S,          // NUL-terminated string
  C,          // one character by reference
  B,          // B[pK]
  Bv,         // Bv[M; N]
};

struct ParamSpec {
  ParamDir dir = ParamDir::In;
  WireForm form = WireForm::L;
  std::string name;  // empty where the interface gives none
  // B[pK]: K. Bv[M; N]: K of M = pK, or 0 when M is the constant sizeConst.
  int sizeParam = 0;
  int32_t sizeConst = 0;
  // Bv: K of N = pK or *pK (parameters are numbered from 1).
  int lengthParam = 0;
};

struct OperationSpec {
  uint16_t opnum = 0;
  std::string_view name;
  std::vector<ParamSpec> params;
  bool called = false;
};

// All operations, indexed by operation number 0 to 72.
std::span<const OperationSpec> Operations();
// Null outside 0 to 72.
const OperationSpec* FindOperation(uint16_t opnum);
size_t CalledOperationCount();

}  // namespace rpc
