#include "model/item/ItemArchive.h"

namespace model {

namespace {
uint32_t ReadLe(const uint8_t* at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(at[i]) << (8 * i);
  return value;
}
}  // namespace

ItemArchive ItemArchive::ForStoring() { return ItemArchive(true); }

ItemArchive ItemArchive::ForLoading(std::span<const uint8_t> bytes) {
  ItemArchive archive(false);
  archive.in_ = bytes;
  return archive;
}

bool ItemArchive::Take(size_t count, const uint8_t*& at) {
  if (failed_ || count > Remaining()) {
    failed_ = true;
    return false;
  }
  at = in_.data() + pos_;
  pos_ += count;
  return true;
}

void ItemArchive::PutU16(uint16_t value) {
  out_.push_back(static_cast<uint8_t>(value & 0xff));
  out_.push_back(static_cast<uint8_t>(value >> 8));
}

void ItemArchive::PutU32(uint32_t value) {
  for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>((value >> (8 * i)) & 0xff));
}

bool ItemArchive::Word(uint32_t& value) {
  if (storing_) {
    PutU32(value);
    return true;
  }
  const uint8_t* at = nullptr;
  if (!Take(4, at)) return false;
  value = ReadLe(at, 4);
  return true;
}

bool ItemArchive::Word(int32_t& value) {
  uint32_t word = static_cast<uint32_t>(value);
  if (!Word(word)) return false;
  value = static_cast<int32_t>(word);
  return true;
}

bool ItemArchive::Text(std::string& value) {
  if (storing_) {
    const size_t n = value.size();
    if (n < 255) {
      out_.push_back(static_cast<uint8_t>(n));
    } else if (n < 65534) {
      out_.push_back(255);
      PutU16(static_cast<uint16_t>(n));
    } else {
      out_.push_back(255);
      PutU16(65535);
      PutU32(static_cast<uint32_t>(n));
    }
    out_.insert(out_.end(), value.begin(), value.end());
    return true;
  }
  const uint8_t* at = nullptr;
  if (!Take(1, at)) return false;
  uint32_t length = at[0];
  if (length == 255) {
    if (!Take(2, at)) return false;
    length = ReadLe(at, 2);
    // 65534 is no length in this form (other writers use it as a wide-text mark).
    if (length == 65534) {
      failed_ = true;
      return false;
    }
    if (length == 65535) {
      if (!Take(4, at)) return false;
      length = ReadLe(at, 4);
    }
  }
  if (!Take(length, at)) return false;
  value.assign(reinterpret_cast<const char*>(at), length);
  return true;
}

bool ItemArchive::Bytes(std::vector<uint8_t>& value, size_t count) {
  if (storing_) {
    out_.insert(out_.end(), value.begin(), value.end());
    return true;
  }
  const uint8_t* at = nullptr;
  if (!Take(count, at)) return false;
  value.assign(at, at + count);
  return true;
}

bool ItemArchive::Count(uint32_t& count, size_t minRecordSize) {
  if (!Word(count)) return false;
  if (!storing_ && minRecordSize > 0 && count > Remaining() / minRecordSize) {
    failed_ = true;
    return false;
  }
  return true;
}

}  // namespace model
