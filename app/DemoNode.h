#pragma once
// The demo: the bundled demo node served by an in-process simulator on
// loopback, and a fresh folder with a configuration file that names it,
// ready for the console to log on as its administrator.

#include <memory>
#include <string>

namespace sim {
class NodeSimulator;
}

namespace app {

class DemoNode {
 public:
  // The administrator the demo node knows.
  static constexpr const char* kUser = "ADMIN";
  static constexpr const char* kPassword = "admin";

  DemoNode();
  ~DemoNode();
  DemoNode(const DemoNode&) = delete;
  DemoNode& operator=(const DemoNode&) = delete;

  // Makes the folder, starts the simulator and writes the configuration;
  // false with the reason in `error`.
  bool Start(std::string& error);
  const std::string& Folder() const { return folder_; }
  const std::string& ConfigPath() const { return configPath_; }

 private:
  std::string folder_;
  std::string configPath_;
  std::unique_ptr<sim::NodeSimulator> simulator_;
};

}  // namespace app
