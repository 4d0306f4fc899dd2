// The queue manager's side of the node: directory entries and typed queries.
#include <algorithm>

#include "rpc/iface/Capacities.h"
#include "sim/lib/SimNode.h"
#include "sim/lib/SimText.h"
#include "text/Strings.h"

namespace sim {

namespace {

template <class Response>
Response NotFound() {
  Response out;
  out.Status = qm::kNotFoundStatus;
  out.ReturnValue = qm::kNotFound;
  return out;
}

template <class Response>
Response Refused() {
  Response out;
  out.ReturnValue = -1;
  return out;
}

// A local-folder entry is written as "#Folder=path"; the queue manager keeps the
// flag from that prefix.
int32_t LocalFolderFlag(std::string_view apf) {
  return text::ToUpperAscii(text::TrimView(apf).substr(0, 8)) == "#FOLDER=" ? 1 : 0;
}

}  // namespace

rpc::QMX_DirAddResponse SimNode::DirAdd(const rpc::QMX_DirAddRequest& r) {
  const std::string name = NameKey(r.Name);
  if (name.empty()) return Refused<rpc::QMX_DirAddResponse>();
  rpc::QMX_DirAddResponse out;
  if (FindEntry(name)) {
    out.ReturnValue = qm::kExists;
    return out;
  }
  DirEntry entry;
  entry.name = name;
  entry.attributes = r.Attributes;
  entry.abonent = FindAbonent(name) != nullptr;
  node_.directory.push_back(entry);
  RaiseStateFlag();
  return out;
}

rpc::QMX_DirDeleteResponse SimNode::DirDelete(const rpc::QMX_DirDeleteRequest& r) {
  const std::string name = NameKey(r.Name);
  auto it = std::find_if(node_.directory.begin(), node_.directory.end(),
                         [&](const DirEntry& e) { return NameKey(e.name) == name; });
  if (name.empty() || it == node_.directory.end()) return NotFound<rpc::QMX_DirDeleteResponse>();
  node_.directory.erase(it);
  RaiseStateFlag();
  return {};
}

rpc::QMX_DirGetCountResponse SimNode::DirGetCount(const rpc::QMX_DirGetCountRequest&) {
  rpc::QMX_DirGetCountResponse out;
  out.Count = static_cast<int32_t>(node_.directory.size());
  return out;
}

rpc::QMX_DirGetAtResponse SimNode::DirGetAt(const rpc::QMX_DirGetAtRequest& r) {
  rpc::QMX_DirGetAtResponse out;
  if (r.Index < 0 || static_cast<size_t>(r.Index) >= node_.directory.size()) {
    out.Status = 1;
    out.ReturnValue = -1;
    return out;
  }
  const DirEntry& entry = node_.directory[static_cast<size_t>(r.Index)];
  out.ItemText = CutTo(entry.name, r.ItemTextCapacity);
  const auto& a = entry.attributes;
  out.ItemValues = {a.Priority, a.Blocked, a.CallAtInterval, a.NoCallOnArrival, a.ExtraOption};
  return out;
}

rpc::QMX_DirGetAttrsResponse SimNode::DirGetAttrs(const rpc::QMX_DirGetAttrsRequest& r) {
  const DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirGetAttrsResponse>();
  rpc::QMX_DirGetAttrsResponse out;
  out.Attributes = entry->attributes;
  return out;
}

rpc::QMX_DirModifyResponse SimNode::DirModify(const rpc::QMX_DirModifyRequest& r) {
  const std::string previous = NameKey(r.PrevName);
  const std::string name = NameKey(r.Name);
  if (name.empty()) return Refused<rpc::QMX_DirModifyResponse>();
  // An empty previous name means "the item of this name" (an add that found the
  // item already there turns into this).
  DirEntry* entry = FindEntry(previous.empty() ? name : previous);
  if (!entry) return NotFound<rpc::QMX_DirModifyResponse>();
  rpc::QMX_DirModifyResponse out;
  if (!previous.empty() && previous != name && FindEntry(name)) {
    out.ReturnValue = qm::kExists;  // a rename onto another item
    return out;
  }
  entry->name = name;
  entry->attributes = r.Attributes;
  RaiseStateFlag();
  return out;
}

rpc::QMX_DirGetTimingsArrayResponse SimNode::DirGetTimingsArray(const rpc::QMX_DirGetTimingsArrayRequest& r) {
  const DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirGetTimingsArrayResponse>();
  rpc::QMX_DirGetTimingsArrayResponse out;
  out.Count = static_cast<int32_t>(entry->timings.size() / rpc::cap::kTimingFrameSize);
  if (entry->timings.size() > static_cast<size_t>(std::max(r.TimingsCapacity, 0))) {
    out.ReturnValue = -1;  // the frames do not fit: none are sent, Count says how many there are
    return out;
  }
  out.Timings = entry->timings;
  return out;
}

rpc::QMX_DirSetTimingsArrayResponse SimNode::DirSetTimingsArray(const rpc::QMX_DirSetTimingsArrayRequest& r) {
  DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirSetTimingsArrayResponse>();
  if (r.Timings.size() % rpc::cap::kTimingFrameSize != 0) return Refused<rpc::QMX_DirSetTimingsArrayResponse>();
  entry->timings = r.Timings;
  RaiseStateFlag();
  return {};
}

rpc::QMX_DirGetQueueCountersResponse SimNode::DirGetQueueCounters(const rpc::QMX_DirGetQueueCountersRequest& r) {
  const DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirGetQueueCountersResponse>();
  rpc::QMX_DirGetQueueCountersResponse out;
  for (size_t i = 0; i < counter::kCount; ++i) out.Counters[i] = static_cast<int32_t>(entry->counters[i]);
  return out;
}

rpc::QMX_DirSetOptionResponse SimNode::DirSetOption(const rpc::QMX_DirSetOptionRequest& r) {
  DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirSetOptionResponse>();
  entry->passwordSet = true;
  entry->passwordHash = r.Option;
  RaiseStateFlag();
  return {};
}

rpc::QMX_DirReSetOptionResponse SimNode::DirReSetOption(const rpc::QMX_DirReSetOptionRequest& r) {
  DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirReSetOptionResponse>();
  entry->passwordSet = false;
  entry->passwordHash = 0;
  RaiseStateFlag();
  return {};
}

rpc::QMX_DirGetOptionResponse SimNode::DirGetOption(const rpc::QMX_DirGetOptionRequest& r) {
  const DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirGetOptionResponse>();
  rpc::QMX_DirGetOptionResponse out;
  out.Option = entry->passwordSet ? 0 : 1;  // 0: a password is set
  return out;
}

rpc::QMX_DirGetApfListResponse SimNode::DirGetApfList(const rpc::QMX_DirGetApfListRequest& r) {
  const DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirGetApfListResponse>();
  rpc::QMX_DirGetApfListResponse out;
  out.Flag = entry->viaLocalFolder;
  if (entry->apfList.size() > static_cast<size_t>(std::max(r.ApfListCapacity, 0))) {
    out.ReturnValue = -1;
    return out;
  }
  out.ApfList = entry->apfList;
  return out;
}

rpc::QMX_DirSetApfListResponse SimNode::DirSetApfList(const rpc::QMX_DirSetApfListRequest& r) {
  DirEntry* entry = FindEntry(r.Name);
  if (!entry) return NotFound<rpc::QMX_DirSetApfListResponse>();
  entry->apfList = r.ApfList;
  entry->viaLocalFolder = LocalFolderFlag(r.ApfList);
  RaiseStateFlag();
  return {};
}

// --- Typed queries -------------------------------------------------------------

rpc::QMX_VtQmx_ExecuteQueryResponse SimNode::ExecuteQuery(const rpc::QMX_VtQmx_ExecuteQueryRequest& r) {
  rpc::QMX_VtQmx_ExecuteQueryResponse out;
  const std::string& in = r.Record;
  const int32_t kind = static_cast<int32_t>(WordAt(in, 0));
  const size_t capacity = static_cast<size_t>(std::max(r.Capacity, 0));
  auto& replication = node_.replication;
  std::string record(replication.record.begin(), replication.record.end());

  switch (kind) {
    case rpc::query::kReplicationState:
      out.Record = record;
      break;
    case rpc::query::kReplicationStart: {
      // Only a node with replication configured (mode 1 or 2) starts it.
      const uint32_t mode = WordAt(record, 8);
      const bool started = (mode == 1 || mode == 2) && replication.startSucceeds;
      if (started) {
        replication.record[12] = 0;  // no longer in sync
        replication.record[13] = 1;  // synchronising
        replication.log += "Replication started on request of the console\r\n";
        record.assign(replication.record.begin(), replication.record.end());
      }
      out.Record = record + std::string(4, '\0');
      out.Record[rpc::query::kReplicationRecordSize] = started ? 1 : 0;
      break;
    }
    case rpc::query::kReplicationLog: {
      // The newest part of the log when all of it does not fit.
      std::string log = replication.log;
      const size_t room = capacity > 12 ? capacity - 12 : 0;
      if (log.size() > room) log = log.substr(log.size() - room);
      out.Record = std::string(12, '\0');
      PutWord(out.Record, 0, static_cast<uint32_t>(kind));
      PutWord(out.Record, 4, WordAt(in, 4));
      PutWord(out.Record, 8, static_cast<uint32_t>(log.size()));
      out.Record += log;
      break;
    }
    case rpc::query::kForcedGet:
    case rpc::query::kForcedSet:
    case rpc::query::kItemState: {
      const std::string name = UpToNul(in.size() > 8 ? std::string_view(in).substr(8, 129) : std::string_view());
      DirEntry* entry = FindEntry(name);
      if (!entry) {
        out.Status = qm::kNotFoundStatus;
        out.ReturnValue = qm::kNotFound;
        return out;
      }
      out.Record = in;
      if (kind == rpc::query::kForcedGet) {
        out.Result = entry->forcedConnection ? 1 : 0;
      } else if (kind == rpc::query::kForcedSet) {
        // An abonent has no forced connection: the request is not taken up.
        if (entry->abonent || FindAbonent(entry->name)) return out;
        entry->forcedConnection = in.size() > rpc::query::kItemFlagOffset && in[rpc::query::kItemFlagOffset] != 0;
        RaiseStateFlag();
        out.Result = 1;
      } else {
        out.Record.resize(rpc::query::kItemStateQueryLength, '\0');
        PutWord(out.Record, rpc::query::kItemStateOffset, entry->stateWord);
        out.Result = 1;
      }
      out.ReturnValue = 1;
      return out;
    }
    default:
      out.ReturnValue = -1;
      return out;
  }
  if (out.Record.size() > capacity) {
    out.Record.clear();
    out.ReturnValue = -1;
    return out;
  }
  out.Result = 1;
  out.ReturnValue = 1;
  return out;
}

}  // namespace sim
