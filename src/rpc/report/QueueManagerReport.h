#pragma once
// The queue manager's wording of a failed operation: the return value in
// decimal and hexadecimal, or the access error with rpcErr, framed with the
// operation's name and shown in one box. Nothing is shown for code 0 and
// rpcErr 0.

#include <cstdint>
#include <string>
#include <string_view>

namespace ports {
class DialogPort;
}

namespace rpc {

struct CallFailure;

// The queue manager's text for a code, unframed; empty when there is nothing to say.
std::string QueueManagerErrorText(int32_t code, int32_t rpcErr);

// The framed message "Менеджер очереди: name - text" (without the name when
// `name` is empty); empty when there is nothing to say. CP1251.
std::string QueueManagerReportText(int32_t code, int32_t rpcErr, std::string_view name = {});

// Shows the framed message in the report box; `status` is never shown.
void ReportQueueManagerError(ports::DialogPort& dialogs, int32_t code, int32_t status,
                             int32_t rpcErr, std::string_view name = {});
void ReportQueueManagerError(ports::DialogPort& dialogs, const CallFailure& failure);

}  // namespace rpc
