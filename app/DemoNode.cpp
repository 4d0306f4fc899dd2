#include "DemoNode.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sys/stat.h>

#include "core/DefaultConfigText.h"
#include "rpc/runtime/LocalEndpoint.h"
#include "sim/lib/DemoFixture.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"
#include "text/Cp1251.h"

namespace app {

namespace {

// Puts `lines` right after the line "[section]" of a CR LF text.
void InsertAfterSection(std::string& text, const std::string& section, const std::string& lines) {
  const std::string header = "[" + section + "]\r\n";
  const size_t at = text.find(header);
  if (at != std::string::npos) text.insert(at + header.size(), lines);
}

}  // namespace

DemoNode::DemoNode() = default;

DemoNode::~DemoNode() {
  if (simulator_) simulator_->Stop();
}

bool DemoNode::Start(std::string& error) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vtconsole-demo-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    error = "cannot make a folder for the demo under " + std::string(tmp && *tmp ? tmp : "/tmp");
    return false;
  }
  folder_ = pattern;
  // The demo computer is this machine, reached over the local endpoint; the
  // folder of the local endpoints is the demo's own, so that two demos
  // never meet.
  const std::string rpcDir = folder_ + "/rpc";
  mkdir(rpcDir.c_str(), 0700);
  setenv(rpc::kLocalDirVariable, rpcDir.c_str(), 1);

  simulator_ = std::make_unique<sim::NodeSimulator>(
      sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr)));
  simulator_->SetRequestLog(folder_ + "/requests.log");
  uint16_t port = 0;
  try {
    port = simulator_->ListenTcp("127.0.0.1", 0);
    simulator_->ListenLocal("local_rpc_exmon");
  } catch (const std::exception& failure) {
    error = std::string("the demo node could not listen: ") + failure.what();
    return false;
  }

  std::string text = core::DefaultConfigText();
  InsertAfterSection(text, "Remote interfaces", "DEMO-SRV=127.0.0.1:" + std::to_string(port) + "\r\n");
  InsertAfterSection(text, "Hosts", "DEMO=DEMO-SRV\r\n");
  // One favourite group over two directions of the demo node; NSK-NODE's
  // mail has waited for days, so the group alarms at its first scan.
  InsertAfterSection(text, "Favorites",
                     "GROUP=\"Links\",\"demo directions\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,"
                     "3600,3600,3600,3600,3600\r\n"
                     "FAVORIT=\"Links\",\"DEMO\",\"SPB-NODE\"\r\n"
                     "FAVORIT=\"Links\",\"DEMO\",\"NSK-NODE\"\r\n");
  // The demo shows its messages in the pop-up window.
  const std::string disabled = "SPLASH_WINDOW_DISABLE=TRUE\r\n";
  if (size_t at = text.find(disabled); at != std::string::npos)
    text.replace(at, disabled.size(), "SPLASH_WINDOW_DISABLE=FALSE\r\n");
  configPath_ = folder_ + "/__RemoteHost.Cfg";
  std::ofstream out(configPath_, std::ios::binary);
  out << text;
  out.close();
  if (!out) {
    error = "cannot write " + configPath_;
    return false;
  }
  return true;
}

}  // namespace app
