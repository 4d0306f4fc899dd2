#pragma once
// The console's services as the tests build them: the given ports, short
// timeouts, a fixed machine identity, no computer counted as this machine,
// no crash handlers. Not started: tests register their computers directly.

#include <chrono>
#include <memory>
#include <string>

#include "services/ConsoleServices.h"

namespace testsupport {

inline std::unique_ptr<services::ConsoleServices> MakeTestConsole(const services::ConsolePorts& ports,
                                                                  std::string identity) {
  services::ConsoleOptions options;
  options.connectTimeout = std::chrono::milliseconds(2000);
  options.callTimeout = std::chrono::milliseconds(5000);
  options.machineIdentity = [identity = std::move(identity)] { return identity; };
  options.localTest = [](const std::string&) { return false; };
  options.installCrashHandlers = false;
  return std::make_unique<services::ConsoleServices>(ports, std::move(options));
}

}  // namespace testsupport
