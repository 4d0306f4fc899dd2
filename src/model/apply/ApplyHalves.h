#pragma once
// Writing an edited entry to its server: the Router half (routing entries and
// the abonent record, then a re-read of the routing tables it touched) and the
// queue manager half (directory entry, password option, link parameters,
// schedule, forced connection). Each half runs its calls on the computer that
// carries its task, inside the call envelope; a call that fails is reported in
// its task's wording and ends the half, the calls before it stay in force.
//
//   model::ApplyServices services{net, dialogs, &progress};
//   if (model::ApplyToRouter(work, shown, services)) model::ApplyToQueueManager(work, shown, services);

#include <cstdint>

namespace core {
class NetworkServices;
}
namespace ports {
class DialogPort;
class ProgressPort;
}  // namespace ports

namespace model {

class _VxItemBase;

struct ApplyServices {
  core::NetworkServices& net;
  ports::DialogPort& dialogs;
  ports::ProgressPort* progress = nullptr;  // null: no progress lines
};

// The Router buffer for the abonent's parameter text and the table re-reads.
inline constexpr size_t kApplyRouterBuffer = 2097152;
// A SetRoutItem answer with these low 16 bits changed nothing and is no failure.
inline constexpr uint32_t kRouterUnchanged = 8199;

// Sets the addresses of `work`'s routing lists and deletes those of `shown`'s
// (the caller passes the difference), stores the abonent record, and re-reads
// every routing table whose cache it invalidated. 1 on success.
int ApplyToRouter(_VxItemBase& work, const _VxItemBase& shown, const ApplyServices& services);

// True when the queue manager has a directory entry of `work`'s name
// (trimmed, upper-cased). A call that fails says nothing: the halves report it.
bool QueueEntryExists(const _VxItemBase& work, const ApplyServices& services);

// Adds or modifies the directory entry and writes its options. Trims and
// upper-cases the mailbox name of both entries. 1 on success.
int ApplyToQueueManager(_VxItemBase& work, _VxItemBase& shown, const ApplyServices& services);

}  // namespace model
