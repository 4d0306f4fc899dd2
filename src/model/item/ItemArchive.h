#pragma once
// The byte form of a directory entry on the clipboard: 32-bit little-endian
// words and length-prefixed texts (one byte below 255; else 255 and a 16-bit
// length below 65534; else 255, 65535 and a 32-bit length). A loading archive
// checks every length and count against the bytes left and fails, and stays
// failed, on the first one that does not fit.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace model {

// The clipboard format that carries an entry's archive between consoles.
inline constexpr const char* kItemClipboardFormat = "VT32-TarvikApp-VA";

class ItemArchive {
 public:
  static ItemArchive ForStoring();
  static ItemArchive ForLoading(std::span<const uint8_t> bytes);

  bool IsStoring() const { return storing_; }
  bool Failed() const { return failed_; }
  // Storing: everything written so far.
  const std::vector<uint8_t>& Data() const { return out_; }
  // Loading: bytes not read yet.
  size_t Remaining() const { return in_.size() - pos_; }

  // Each one writes, or reads into its argument (left unchanged on failure); false once failed.
  bool Word(uint32_t& value);
  bool Word(int32_t& value);
  bool Text(std::string& value);
  bool Bytes(std::vector<uint8_t>& value, size_t count);  // loading reads `count` bytes
  // A count of records each at least `minRecordSize` bytes long: on loading a
  // count the bytes left cannot hold fails.
  bool Count(uint32_t& count, size_t minRecordSize);

 private:
  explicit ItemArchive(bool storing) : storing_(storing) {}
  bool Take(size_t count, const uint8_t*& at);
  void PutU16(uint16_t value);
  void PutU32(uint32_t value);

  bool storing_;
  bool failed_ = false;
  std::vector<uint8_t> out_;
  std::span<const uint8_t> in_;
  size_t pos_ = 0;
};

}  // namespace model
