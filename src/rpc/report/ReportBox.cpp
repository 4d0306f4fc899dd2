#include "rpc/report/ReportBox.h"

#include "ports/DialogPort.h"
#include "text/Cp1251.h"

namespace rpc {

std::string ReportCaption() { return text::Cp("Ошибка выполнения операции"); }

void ShowReportBox(ports::DialogPort& dialogs, const std::string& text) {
  if (text.empty()) return;
  dialogs.Message(text, ReportCaption(), ports::MsgIcon::Error, ports::MsgButtons::Ok);
}

}  // namespace rpc
