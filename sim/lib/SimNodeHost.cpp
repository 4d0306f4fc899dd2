// The host side of the node: scanned disks and folders, the server's files.
#include <algorithm>
#include <cstring>
#include <set>

#include "rpc/iface/Capacities.h"
#include "sim/lib/SimNode.h"
#include "sim/lib/SimText.h"
#include "text/Strings.h"

namespace sim {

namespace {

constexpr int32_t kErrorFileNotFound = 2;
constexpr int32_t kErrorPathNotFound = 3;
constexpr int32_t kErrorMoreData = 234;

// A server path in the form paths are compared in: backslashes, upper case, no
// doubled or trailing separators. The node's disk is case-insensitive.
std::string PathKey(std::string_view path) {
  std::string out;
  for (char c : UpToNul(path)) {
    if (c == '/') c = '\\';
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return text::ToUpperAscii(out);
}

// The same path with its own case kept, separators made uniform.
std::string PathShown(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '/') c = '\\';
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

void PutU64(char* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutU32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string DiskRecord(const Disk& disk) {
  std::string record(rpc::cap::kDiskRecordSize, '\0');
  std::memcpy(record.data(), disk.name.data(), std::min<size_t>(disk.name.size(), 63));
  PutU64(record.data() + 64, disk.totalBytes);
  PutU64(record.data() + 72, disk.freeBytes);
  PutU32(record.data() + 80, disk.criticalMb);
  PutU32(record.data() + 88, disk.dangerMb);
  record[96] = disk.unavailable ? 1 : 0;
  return record;
}

}  // namespace

rpc::GetDisksResponse SimNode::GetDisks(const rpc::GetDisksRequest& r) {
  rpc::GetDisksResponse out;
  // As many whole records as the capacity holds.
  for (const auto& disk : node_.disks) {
    if (out.DiskRecords.size() + rpc::cap::kDiskRecordSize > static_cast<size_t>(std::max(r.DiskRecordsCapacity, 0)))
      break;
    out.DiskRecords += DiskRecord(disk);
    ++out.Count;
  }
  return out;
}

rpc::ListDirResponse SimNode::ListDir(const rpc::ListDirRequest& r) {
  rpc::ListDirResponse out;
  // The path names a pattern; only "*.*" (everything) is offered by this node.
  std::string folder = PathShown(UpToNul(r.Path));
  const size_t slash = folder.rfind('\\');
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
  const std::string folderKey = PathKey(folder);
  const std::string prefix = folderKey + '\\';

  std::vector<std::string> names;
  std::set<std::string> seen;
  bool exists = false;
  auto visit = [&](const std::string& path, bool isFile) {
    const std::string key = PathKey(path);
    if (key.compare(0, prefix.size(), prefix) != 0) return;
    exists = true;
    const std::string shown = PathShown(path);
    const std::string rest = shown.substr(prefix.size());
    const size_t sep = rest.find('\\');
    const bool childIsFile = isFile && sep == std::string::npos;
    const std::string child = rest.substr(0, sep);
    if (childIsFile != (r.Kind == 0)) return;
    if (seen.insert(text::ToUpperAscii(child)).second) names.push_back(child);
  };
  for (const auto& file : node_.files) visit(file.path, true);
  for (const auto& path : node_.folderPaths) {
    if (PathKey(path) == folderKey) exists = true;
    visit(path, false);
  }
  for (const auto& raw : node_.rawEntries) {
    if (PathKey(raw.folder) != folderKey) continue;
    exists = true;
    if (raw.kind == r.Kind) names.push_back(raw.name);
  }
  if (!exists) {
    out.ReturnValue = -1;
    out.Error = kErrorPathNotFound;
    return out;
  }
  // Folders are listed the way the system's own search lists them: with "." and "..".
  std::string listing = r.Kind == 0 ? "" : ".\n..\n";
  for (const auto& name : names) listing += name + '\n';
  if (!listing.empty()) listing.pop_back();
  if (listing.size() > static_cast<size_t>(std::max(r.ListingCapacity, 0))) {
    out.ReturnValue = -1;
    out.Error = kErrorMoreData;
    return out;
  }
  out.Listing = listing;
  return out;
}

rpc::GetFileResponse SimNode::GetFile(const rpc::GetFileRequest& r) {
  rpc::GetFileResponse out;
  // A raw entry is found by its name exactly as listed, after its folder.
  for (const auto& raw : node_.rawEntries) {
    const std::string listed = PathShown(raw.folder) + '\\' + raw.name;
    if (raw.kind != 0 || text::ToUpperAscii(UpToNul(r.Path)) != text::ToUpperAscii(listed)) continue;
    out.Data = CutTo(raw.data, r.DataCapacity);
    out.Unused[0] = static_cast<int32_t>(raw.data.size());
    out.ReturnValue = 1;
    return out;
  }
  const std::string key = PathKey(r.Path);
  for (const auto& file : node_.files) {
    if (PathKey(file.path) != key) continue;
    const size_t offset = static_cast<size_t>(std::max(r.Offset, 0));
    // A file larger than the capacity is sent cut to the capacity: the node
    // sends what fits, and the console sees a full buffer.
    if (offset < file.data.size())
      out.Data = CutTo(std::string_view(file.data).substr(offset), r.DataCapacity);
    out.Unused[0] = static_cast<int32_t>(file.data.size());
    out.ReturnValue = 1;
    return out;
  }
  out.Error = kErrorFileNotFound;
  return out;
}

rpc::GetFolderCountResponse SimNode::GetFolderCount(const rpc::GetFolderCountRequest&) {
  rpc::GetFolderCountResponse out;
  out.ReturnValue = static_cast<int32_t>(node_.folders.size());
  return out;
}

rpc::GetFolderAtResponse SimNode::GetFolderAt(const rpc::GetFolderAtRequest& r) {
  rpc::GetFolderAtResponse out;
  if (r.Index < 0 || static_cast<size_t>(r.Index) >= node_.folders.size()) {
    out.ReturnValue = -1;
    return out;
  }
  const ScannedFolder& folder = node_.folders[static_cast<size_t>(r.Index)];
  out.FirstText = CutTo(folder.name, r.FirstTextCapacity);
  out.SecondText = CutTo(folder.path, r.SecondTextCapacity);
  out.FileCount = folder.files;
  return out;
}

// --- Server configuration ----------------------------------------------------

rpc::CfgGetSectionCountResponse SimNode::CfgGetSectionCount(const rpc::CfgGetSectionCountRequest&) {
  rpc::CfgGetSectionCountResponse out;
  out.Count = static_cast<int32_t>(node_.config.size());
  return out;
}

rpc::CfgGetSectionAtResponse SimNode::CfgGetSectionAt(const rpc::CfgGetSectionAtRequest& r) {
  rpc::CfgGetSectionAtResponse out;
  if (r.Index < 0 || static_cast<size_t>(r.Index) >= node_.config.size()) {
    out.Status = 1;
    out.ReturnValue = -1;
    return out;
  }
  const CfgSection& section = node_.config[static_cast<size_t>(r.Index)];
  out.SectionName = CutTo(section.name, r.SectionNameCapacity);
  out.SecondText = CutTo(section.second, r.SecondTextCapacity);
  out.ThirdText = CutTo(section.third, r.ThirdTextCapacity);
  return out;
}

rpc::CfgGetParamCountResponse SimNode::CfgGetParamCount(const rpc::CfgGetParamCountRequest& r) {
  rpc::CfgGetParamCountResponse out;
  const CfgSection* section = FindSection(r.Section);
  if (!section) {
    out.Status = 1;
    out.ReturnValue = -1;
    return out;
  }
  out.Count = static_cast<int32_t>(section->params.size());
  return out;
}

rpc::CfgGetParamAtResponse SimNode::CfgGetParamAt(const rpc::CfgGetParamAtRequest& r) {
  rpc::CfgGetParamAtResponse out;
  const CfgSection* section = FindSection(r.Section);
  if (!section || r.Index < 0 || static_cast<size_t>(r.Index) >= section->params.size()) {
    out.Status = 1;
    out.ReturnValue = -1;
    return out;
  }
  const CfgParam& param = section->params[static_cast<size_t>(r.Index)];
  out.Key = CutTo(param.key, r.KeyCapacity);
  out.Value = CutTo(param.value, r.ValueCapacity);
  out.ThirdText = CutTo(param.third, r.ThirdTextCapacity);
  out.FourthText = CutTo(param.fourth, r.FourthTextCapacity);
  return out;
}

}  // namespace sim
