// Drives every read of the NDR reader from fuzz bytes: the first byte picks
// the byte order, the next eight bytes a program of reads (with their limits),
// the rest is the body.

#include <cstddef>
#include <cstdint>
#include <span>

#include "rpc/runtime/Ndr.h"
#include "rpc/runtime/RpcException.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  const bool bigEndian = data[0] & 1;
  const uint8_t* program = data + 1;
  rpc::NdrReader reader(std::span<const uint8_t>(data + 9, size - 9), bigEndian);
  try {
    for (int round = 0; round < 4; ++round) {
      for (int i = 0; i < 8; ++i) {
        const uint8_t op = program[i];
        const uint32_t limit = static_cast<uint32_t>(op >> 3) * 37u;  // small and large limits
        switch (op & 7) {
          case 0: reader.Long(); break;
          case 1: reader.LongArray1(); break;
          case 2: reader.LongVarying1(); break;
          case 3: {
            const auto text = reader.String(limit);
            if (text.size() > limit) __builtin_trap();
            break;
          }
          case 4: reader.Char(); break;
          case 5: {
            const auto bytes = reader.Bytes(limit);
            if (bytes.size() != limit) __builtin_trap();
            break;
          }
          case 6: {
            const auto bytes = reader.VaryingBytes(limit);
            if (bytes.size() > limit) __builtin_trap();
            break;
          }
          case 7: reader.ExpectEnd(); break;
        }
        if (reader.Position() > size - 9) __builtin_trap();
      }
    }
  } catch (const rpc::RpcException& e) {
    if (e.Code() != rpc::status::kBadStubData) __builtin_trap();
  }
  return 0;
}
