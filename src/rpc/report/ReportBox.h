#pragma once
// The one box both result reporters show: no owner window, the caption
// "Ошибка выполнения операции", the stop icon and a single OK button.

#include <string>

namespace ports {
class DialogPort;
}

namespace rpc {

// The caption of every report box (CP1251).
std::string ReportCaption();

// Shows `text` (CP1251) in the report box; an empty text shows nothing.
void ShowReportBox(ports::DialogPort& dialogs, const std::string& text);

}  // namespace rpc
