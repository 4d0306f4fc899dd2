#include "ApplyHarness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "model/apply/EntryRefresh.h"
#include "sim/lib/FixtureLoader.h"
#include "text/Cp1251.h"

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

std::string Cp(std::string_view utf8) { return text::Utf8ToCp1251(utf8); }
std::string Utf8(std::string_view cp1251) { return text::Cp1251ToUtf8(cp1251); }

int Dialogs::Ask(const ports::QuestionRequest& request) {
  questions.push_back(request);
  shown.push_back("ask:" + request.caption + ":" + request.body.Plain());
  if (askAnswers.empty()) throw std::logic_error("unscripted question: " + request.caption);
  const int answer = askAnswers.front();
  askAnswers.pop_front();
  return answer;
}

std::vector<std::string> Dialogs::ShownUtf8() const {
  std::vector<std::string> out;
  for (const auto& s : shown) out.push_back(Utf8(s));
  return out;
}

namespace {
std::string TempPath(const std::string& name) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("vt-apply-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return (dir / name).string();
}

bool StartsWith(const std::string& s, std::string_view prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

ApplyHarness::ApplyHarness(std::string_view sectionsUtf8)
    : hosts(net, [this](const std::string& text, int code) { log.emplace_back(Utf8(text), code); }),
      view(dialogs, &progress) {
  static int serial = 0;
  simulator = std::make_unique<sim::NodeSimulator>(sim::LoadFixtureText(Cp(sectionsUtf8), "test", 1765000000));
  requestLog = TempPath("requests-" + std::to_string(++serial) + ".log");
  EXPECT_TRUE(simulator->SetRequestLog(requestLog));
  const uint16_t port = simulator->ListenTcp("127.0.0.1", 0);

  net.SetDialogs(&dialogs);
  net.SetIdentity([] { return std::string("WinComputerName=WS;FQDN=ws.lan;IP=10.0.0.7"); });
  net.SetTimeouts(std::chrono::milliseconds(2000), std::chrono::milliseconds(5000));
  net.Computers().SetLocalTest([](const std::string&) { return false; });
  EXPECT_EQ(net.RegisterComputer("SRV1", "127.0.0.1:" + std::to_string(port)), 0);
  EXPECT_EQ(net.RegisterMailServer("NODE", "SRV1"), 0);
  net.SetTaskCarrierLookup(&carriers);
  carriers.carriers[{"NODE", "MQUEUE"}] = "SRV1";
  carriers.carriers[{"NODE", "ROUTER"}] = "SRV1";
}

ApplyHarness::~ApplyHarness() {
  net.Binding().UnbindCurrent();
  simulator->Stop();
}

void ApplyHarness::Command(std::string_view line) { ASSERT_EQ(simulator->Command(line), "ok") << line; }

core::__VtHostDescription& ApplyHarness::Node() {
  core::__VtHostDescription* host = net.FindMailServer("NODE");
  if (!host) throw std::logic_error("NODE not registered");
  return *host;
}

std::unique_ptr<model::_VxItemBase> ApplyHarness::Entry(const std::string& mailbox, bool abonent) {
  auto entry = std::make_unique<model::_VxItemBase>(hosts, "NODE", mailbox, abonent);
  if (!mailbox.empty()) {
    EXPECT_EQ(model::RefreshEntry(net, *entry, nullptr), 1) << mailbox;
  }
  return entry;
}

model::ApplyOutcome ApplyHarness::Apply(model::_VxItemBase& entry, std::function<void(model::_VxItemBase&)> edit) {
  view.shown = &entry;
  view.edit = std::move(edit);
  const size_t mark = Mark();
  const model::ApplyOutcome outcome = model::ApplyChanges(view, net, hosts);
  applyCalls.clear();
  loadCalls.clear();
  readBack.clear();
  bool inReadBack = false;
  for (const auto& line : RequestsSince(mark)) {
    if (StartsWith(line, "QMX_DirGetAttrs ")) {
      inReadBack = true;
    }
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

std::vector<std::string> ApplyHarness::Requests() const {
  std::vector<std::string> lines;
  std::ifstream in(requestLog);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> ApplyHarness::RequestsSince(size_t mark) const {
  auto lines = Requests();
  if (mark >= lines.size()) return {};
  return {lines.begin() + static_cast<std::ptrdiff_t>(mark), lines.end()};
}

}  // namespace applytest
