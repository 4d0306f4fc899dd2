#pragma once
// Pairs of wire forms that always travel together in this interface: a length
// (L or L*) followed by the Bv or B it counts. The length is not kept apart in
// the messages: it is the size of the text, so the two cannot disagree when
// written, and a reply where they do is refused as bad stub data.

#include <cstdint>
#include <string>
#include <string_view>

namespace rpc {
class NdrWriter;
class NdrReader;
}  // namespace rpc

namespace rpc::wire {

// A capacity as announced on the wire; a negative one announces 0.
uint32_t Capacity(int32_t capacity);

// L length, then Bv[capacity; length].
void WriteCounted(NdrWriter& w, int32_t capacity, std::string_view data);
// The same pair: the Bv must have offset 0, carry exactly `length` bytes and no
// more than `capacity`.
std::string ReadCounted(NdrReader& r, int32_t capacity);

// L n, then B[n].
void WriteSized(NdrWriter& w, std::string_view data);
std::string ReadSized(NdrReader& r);

}  // namespace rpc::wire
