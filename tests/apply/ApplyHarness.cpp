#include "ApplyHarness.h"

#include <gtest/gtest.h>

#include <utility>


namespace applytest {

const char* const kNodeSections = R"([USER ADMIN]
PASSWORD=admin
LEVEL=2

[CFG COMMON]
#HOST_NAME=MSK-CENTRAL
#ADDRESS_HOST=C:RU/ADMD:VELTRANE/PRMD:MOSCOW
#HOST_UID=UID-1

[ROUTE 0]
RU=TRELAY1

[ROUTE ORG]
SPB=TRELAY1

[ROUTE PN]
IVANOV=LIVANOV

[ABONENT IVANOV]
#FULLNAME=Иванов
#USERID=7

[DIR RELAY1]
KIND=DIRECTION
PRIORITY=2
CALL_AT_INTERVAL=1
NO_CALL_ON_ARRIVAL=0
APF=TCPVELT=10.0.0.1
FRAME=3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&
FRAME=2,0,7,9&0,0,0,-1,-1,-1,-1&0,0,6,-1,-1,-1,-1&

[DIR IVANOV]
KIND=ABONENT
PRIORITY=1
PASSWORD_HASH=99
)";

namespace {
bool StartsWith(const std::string& s, std::string_view prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

ApplyHarness::ApplyHarness(std::string_view sectionsUtf8) : HostHarness(sectionsUtf8), view(dialogs, &progress) {}

std::unique_ptr<model::_VxItemBase> ApplyHarness::Entry(const std::string& mailbox, bool abonent) {
  auto entry = std::make_unique<model::_VxItemBase>(hosts, "NODE", mailbox, abonent);
  if (!mailbox.empty()) {
    EXPECT_EQ(hosts.RefreshEntry(*entry, nullptr), 1) << mailbox;
  }
  return entry;
}

model::ApplyOutcome ApplyHarness::Apply(model::_VxItemBase& entry, std::function<void(model::_VxItemBase&)> edit) {
  view.shown = &entry;
  view.edit = std::move(edit);
  const size_t mark = Mark();
  const model::ApplyOutcome outcome = model::ApplyChanges(view, net, hosts, console->Gate());
  applyCalls.clear();
  loadCalls.clear();
  readBack.clear();
  // The read-back begins with the last QMX_DirGetAttrs; an earlier one is
  // the name check of a new entry, which is all a taken name sends.
  const std::vector<std::string> lines = RequestsSince(mark);
  size_t readBackAt = lines.size();
  for (size_t i = 0; i < lines.size() && outcome != model::ApplyOutcome::kNameTaken; ++i)
    if (StartsWith(lines[i], "QMX_DirGetAttrs ")) readBackAt = i;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool inReadBack = i >= readBackAt;
    if (inReadBack) {
      readBack.push_back(line.substr(0, line.find(' ')));
    } else if (applyCalls.empty() && StartsWith(line, "GetRoutList ") &&
               line.find("TableCapacity=524288") != std::string::npos) {
      loadCalls.push_back(line);
    } else {
      applyCalls.push_back(line);
    }
  }
  return outcome;
}

}  // namespace applytest
