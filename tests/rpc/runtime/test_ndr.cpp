#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rpc/runtime/Ndr.h"
#include "rpc/runtime/RpcException.h"

namespace rpc {
namespace {

using Bytes = std::vector<uint8_t>;

struct WriteCase {
  const char* name;
  std::function<void(NdrWriter&)> write;
  Bytes little;
  Bytes big;
};

TEST(NdrWriter, EveryWireFormInBothByteOrders) {
  const std::vector<WriteCase> cases = {
      {"L", [](NdrWriter& w) { w.Long(0x11223344); }, {0x44, 0x33, 0x22, 0x11}, {0x11, 0x22, 0x33, 0x44}},
      {"L[1]", [](NdrWriter& w) { w.LongArray1(-2); },
       {1, 0, 0, 0, 0xfe, 0xff, 0xff, 0xff}, {0, 0, 0, 1, 0xff, 0xff, 0xff, 0xfe}},
      {"Lv[1]", [](NdrWriter& w) { w.LongVarying1(5); },
       {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 5}},
      {"S", [](NdrWriter& w) { w.String("ab"); },
       {3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 0}, {0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 3, 'a', 'b', 0}},
      {"empty S", [](NdrWriter& w) { w.String(""); },
       {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0}},
      {"C then L pads to 4", [](NdrWriter& w) { w.Char('x'); w.Long(1); },
       {'x', 0, 0, 0, 1, 0, 0, 0}, {'x', 0, 0, 0, 0, 0, 0, 1}},
      {"B[n]", [](NdrWriter& w) { w.Bytes("xyz"); }, {3, 0, 0, 0, 'x', 'y', 'z'}, {0, 0, 0, 3, 'x', 'y', 'z'}},
      {"Bv[M;N]", [](NdrWriter& w) { w.VaryingBytes(8, "hi"); },
       {8, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'h', 'i'}, {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 2, 'h', 'i'}},
      {"S then L aligns from the body's start", [](NdrWriter& w) { w.String("a"); w.Long(7); },
       {2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'a', 0, 0, 0, 7, 0, 0, 0},
       {0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 'a', 0, 0, 0, 0, 0, 0, 7}},
  };
  for (const auto& c : cases) {
    NdrWriter little;
    c.write(little);
    EXPECT_EQ(little.Data(), c.little) << c.name;
    NdrWriter big(true);
    c.write(big);
    EXPECT_EQ(big.Data(), c.big) << c.name << " (big-endian)";
  }
}

TEST(NdrReader, ReadsWhatTheWriterWroteInBothByteOrders) {
  for (bool big : {false, true}) {
    NdrWriter w(big);
    w.Long(-7);
    w.Char('q');
    w.LongArray1(42);
    w.String("text");
    w.LongVarying1(3);
    w.Bytes(std::string("\0\1\2", 3));
    w.VaryingBytes(100, "payload");
    NdrReader r(w.Data(), big);
    EXPECT_EQ(r.Long(), -7);
    EXPECT_EQ(r.Char(), 'q');
    EXPECT_EQ(r.LongArray1(), 42);
    EXPECT_EQ(r.String(), "text");
    EXPECT_EQ(r.LongVarying1(), 3);
    EXPECT_EQ(r.Bytes(3), std::string("\0\1\2", 3));
    EXPECT_EQ(r.VaryingBytes(100), "payload");
    EXPECT_NO_THROW(r.ExpectEnd());
  }
}

TEST(NdrReader, SkipsPadsWhateverTheyHoldAndAcceptsMaxAboveActual) {
  // C, three garbage pad bytes, L; then S with max 10 > actual 3; Bv with max 50.
  const Bytes body = {'c', 0xAA, 0xBB, 0xCC, 9, 0, 0, 0,
                      10, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'h', 'i', 0, 0xEE,
                      50, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'o', 'k', 0xEE};
  NdrReader r(body);
  EXPECT_EQ(r.Char(), 'c');
  EXPECT_EQ(r.Long(), 9);
  EXPECT_EQ(r.String(), "hi");
  EXPECT_EQ(r.VaryingBytes(2), "ok");
  EXPECT_NO_THROW(r.ExpectEnd());  // one trailing pad byte
}

struct LieCase {
  const char* name;
  Bytes body;
  std::function<void(NdrReader&)> read;
};

TEST(NdrReader, RefusesEveryLieAsBadStubData) {
  const uint8_t ff = 0xff;
  const std::vector<LieCase> cases = {
      {"L on three bytes", {1, 2, 3}, [](NdrReader& r) { r.Long(); }},
      {"empty body", {}, [](NdrReader& r) { r.Char(); }},
      {"pad missing before L", {'c', 0, 0, 1, 0, 0}, [](NdrReader& r) { r.Char(); r.Long(); }},
      {"L[1] max count 2", {2, 0, 0, 0, 5, 0, 0, 0}, [](NdrReader& r) { r.LongArray1(); }},
      {"L[1] without its value", {1, 0, 0, 0}, [](NdrReader& r) { r.LongArray1(); }},
      {"Lv[1] offset 1", {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0}, [](NdrReader& r) { r.LongVarying1(); }},
      {"Lv[1] actual 2", {1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0}, [](NdrReader& r) { r.LongVarying1(); }},
      {"S actual 0", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, [](NdrReader& r) { r.String(); }},
      {"S actual above max", {2, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 0}, [](NdrReader& r) { r.String(); }},
      {"S offset 1", {3, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 0}, [](NdrReader& r) { r.String(); }},
      {"S longer than the bytes", {ff, ff, ff, ff, 0, 0, 0, 0, ff, ff, ff, ff, 'a'}, [](NdrReader& r) { r.String(); }},
      {"S without NUL", {3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'}, [](NdrReader& r) { r.String(); }},
      {"S above maxLength", {4, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 'a', 'b', 'c', 0},
       [](NdrReader& r) { r.String(2); }},
      {"B[n] count differs", {4, 0, 0, 0, 'a', 'b', 'c', 'd'}, [](NdrReader& r) { r.Bytes(3); }},
      {"B[n] longer than the bytes", {ff, ff, ff, ff, 'a'}, [](NdrReader& r) { r.Bytes(0xffffffff); }},
      {"Bv offset 1", {8, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 'h', 'i'}, [](NdrReader& r) { r.VaryingBytes(8); }},
      {"Bv actual above max", {1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'h', 'i'}, [](NdrReader& r) { r.VaryingBytes(8); }},
      {"Bv actual above capacity", {8, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 'h', 'e', 'l', 'l', 'o'},
       [](NdrReader& r) { r.VaryingBytes(4); }},
      {"Bv longer than the bytes", {ff, ff, ff, ff, 0, 0, 0, 0, 0xf0, ff, ff, ff, 'h'},
       [](NdrReader& r) { r.VaryingBytes(0xffffffff); }},
      {"four bytes left over", {1, 0, 0, 0, 2, 0, 0, 0}, [](NdrReader& r) { r.Long(); r.ExpectEnd(); }},
  };
  for (const auto& c : cases) {
    NdrReader r(c.body);
    try {
      c.read(r);
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const RpcException& e) {
      EXPECT_EQ(e.Code(), status::kBadStubData) << c.name;
    }
    EXPECT_LE(r.Position(), c.body.size()) << c.name;
  }
}

}  // namespace
}  // namespace rpc
