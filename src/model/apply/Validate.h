#pragma once
// The checks an edited entry passes before anything of it is sent, and the
// values they complete: the password hash, a routing address when there is
// none, the full name and the address-book record of an abonent.

#include "ports/DialogPort.h"

namespace model {

class _VxItemBase;

// The buttons of the routing question, by index.
namespace routingbutton {
inline constexpr int kContinue = 0;  // "Продолжить": nothing added
// 1 to 6: a routing address at level (index - 1), C to PN.
inline constexpr int kFirstLevel = 1;
inline constexpr int kCancel = 7;  // "Отмена"
}  // namespace routingbutton

// The question asked when an existing entry has no routing address (CP1251).
ports::QuestionRequest RoutingQuestion(const _VxItemBase& work);

// 1 to go on, 0 to stop (nothing sent); asks and tells through `window`.
// Works on the work copy and may complete it.
int Validate(_VxItemBase& work, ports::DialogPort& window);

}  // namespace model
