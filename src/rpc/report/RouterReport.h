#pragma once
// The Router's wording of a failed operation: the code picks one of the
// Router's own texts, the operation's name frames it, and one box shows it.
// Callers invoke it when the return value or a status word is nonzero; with
// code 0 and rpcErr 0 nothing is shown (a failure seen only in Status stays
// silent, as Status is never shown).

#include <cstdint>
#include <string>
#include <string_view>

namespace ports {
class DialogPort;
}

namespace rpc {

struct CallFailure;

// The Router's text for a code, unframed; empty when there is nothing to say.
std::string RouterErrorText(int32_t code, int32_t rpcErr);

// The framed message "МАРШРУТИЗАТОР: name - text" (or without the name when
// `name` is empty); empty when there is nothing to say. CP1251.
std::string RouterReportText(int32_t code, int32_t rpcErr, std::string_view name = {});

// Shows the framed message in the report box. `status` is taken for the
// callers' convenience and never shown.
void ReportRouterError(ports::DialogPort& dialogs, int32_t code, int32_t status, int32_t rpcErr,
                       std::string_view name = {});
// The same for a failure kept by the interface layer, under its operation name.
void ReportRouterError(ports::DialogPort& dialogs, const CallFailure& failure);

}  // namespace rpc
