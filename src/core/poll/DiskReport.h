#pragma once
// The scanned disks of a computer: the 104-byte records of GetDisks read into
// CSI_disk entries, the alarm rule, and the message of a disk that needs
// attention.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/net/ScannedRecords.h"

namespace core {

// Whole megabytes free, one less once a megabyte is free at all: exactly
// 1 MB counts as 0, and 5 MB + 10 bytes as 4.
uint64_t FreeMegabytes(uint64_t freeBytes);

// Reads one record (at least kDiskRecordSize bytes, little-endian integers)
// and applies the alarm rule.
CSI_disk ReadDiskRecord(std::string_view record);

// The disk's name: the record's first 64 bytes up to the first NUL.
std::string DiskName(const CSI_disk& disk);

// The message-list text of a disk with an alarm; empty when it has none.
std::string DiskAlarmText(const std::string& timeStamp, const std::string& computer, const CSI_disk& disk);

}  // namespace core
