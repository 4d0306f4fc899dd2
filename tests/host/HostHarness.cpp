#include "HostHarness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "sim/lib/FixtureLoader.h"
#include "support/TestConsole.h"
#include "text/Cp1251.h"

namespace hosttest {

const char* const kNodeSections = R"([USER ADMIN]
PASSWORD=admin
LEVEL=2

[CFG OTHER]
#HOST_NAME=WRONG

[CFG COMMON]
#host_name=  MSK-CENTRAL
#ADDRESS_HOST=c:ru/admd:veltrane/prmd:moscow
#HOST_UID=UID-1
#BOX_DIR=C:\MAIL
#QUEUE_DIR=D:/Q/
#ERR_DIR=E:\ERR\
#UNRELATED=1

[ROUTE 0]
RU=TRELAY1

[ROUTE 2]
MOSCOW=LIVANOV

[ROUTE PN]
IVANOV=LIVANOV

[ABONENT IVANOV]
#FULLNAME=Иванов
#USERID=7

[ABONENT PETROVA]
#FULLNAME=Петрова

[DIR IVANOV]
KIND=ABONENT
PRIORITY=1
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
    auto d = std::filesystem::temp_directory_path() / ("vt-host-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return (dir / name).string();
}
}  // namespace

namespace {

std::unique_ptr<services::ConsoleServices> MakeConsole(HostHarness& h) {
  services::ConsolePorts ports;
  ports.dialogs = &h.dialogs;
  ports.clock = &h.clock;
  ports.progress = &h.progress;
  return testsupport::MakeTestConsole(ports, "WinComputerName=WS;FQDN=ws.lan;IP=10.0.0.7");
}

}  // namespace

HostHarness::HostHarness(std::string_view sectionsUtf8)
    : console(MakeConsole(*this)), net(console->Net()), hosts(console->Hosts()) {
  static int serial = 0;
  simulator = std::make_unique<sim::NodeSimulator>(sim::LoadFixtureText(Cp(sectionsUtf8), "test", 1765000000));
  requestLog = TempPath("requests-" + std::to_string(++serial) + ".log");
  EXPECT_TRUE(simulator->SetRequestLog(requestLog));
  const uint16_t port = simulator->ListenTcp("127.0.0.1", 0);

  EXPECT_EQ(net.RegisterComputer("SRV1", "127.0.0.1:" + std::to_string(port)), 0);
  EXPECT_EQ(net.RegisterMailServer("NODE", "SRV1"), 0);
  // From here on only what the code under test logs.
  console->App().Log().SetMessageSink(
      [this](std::string_view text, int code) { log.emplace_back(Utf8(std::string(text)), code); });
  net.SetTaskCarrierLookup(&carriers);
  carriers.carriers[{"NODE", "MQUEUE"}] = "SRV1";
  carriers.carriers[{"NODE", "ROUTER"}] = "SRV1";
}

HostHarness::~HostHarness() {
  net.Binding().UnbindCurrent();
  simulator->Stop();
}

void HostHarness::Command(std::string_view line) { ASSERT_EQ(simulator->Command(line), "ok") << line; }

core::__VtHostDescription& HostHarness::Node() {
  core::__VtHostDescription* host = net.FindMailServer("NODE");
  if (!host) throw std::logic_error("NODE not registered");
  return *host;
}

std::vector<std::string> HostHarness::Requests() const {
  std::vector<std::string> lines;
  std::ifstream in(requestLog);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> HostHarness::RequestsSince(size_t mark) const {
  auto lines = Requests();
  if (mark >= lines.size()) return {};
  return {lines.begin() + static_cast<std::ptrdiff_t>(mark), lines.end()};
}

std::vector<std::string> HostHarness::Operations() const {
  std::vector<std::string> names;
  for (const auto& line : Requests()) names.push_back(line.substr(0, line.find(' ')));
  return names;
}

}  // namespace hosttest
