// vtnode-sim: serves a simulated mail node until SIGTERM or SIGINT.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <ctime>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "SimOptions.h"
#include "rpc/runtime/RpcException.h"
#include "sim/lib/ControlChannel.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "vtnode-sim: " << error << "\n" << SimUsage();
    return 2;
  }
  if (options->help) {
    std::cout << SimUsage();
    return 0;
  }
  if (!options->sendPath.empty()) {
    try {
      const std::string answer = sim::SendControlCommand(options->sendPath, options->sendCommand);
      std::cout << answer << "\n";
      return answer == "ok" ? 0 : 1;
    } catch (const std::exception& e) {
      std::cerr << "vtnode-sim: " << e.what() << "\n";
      return 2;
    }
  }

  sim::Node node;
  try {
    const std::time_t now = std::time(nullptr);
    node = options->fixture.empty() ? sim::LoadDemoNode(now)
                                    : sim::LoadFixtureFile(options->fixture, now);
  } catch (const sim::FixtureError& e) {
    std::cerr << "vtnode-sim: " << e.what() << "\n";
    return 2;
  }

  // The signals are taken by sigwait below; every thread started from here on
  // inherits the blocked set.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  sim::NodeSimulator simulator(std::move(node));
  std::string line = "vtnode-sim: listening on";
  try {
    if (!options->requestLog.empty() && !simulator.SetRequestLog(options->requestLog)) {
      std::cerr << "vtnode-sim: cannot create the request log \"" << options->requestLog << "\"\n";
      return 2;
    }
    if (options->listenPort >= 0) {
      const uint16_t port = simulator.ListenTcp(options->listenHost, static_cast<uint16_t>(options->listenPort));
      line += " " + options->listenHost + ":" + std::to_string(port);
    }
    if (!options->localEndpoint.empty()) {
      simulator.ListenLocal(options->localEndpoint);
      line += " local=" + options->localEndpoint;
    }
    if (!options->controlPath.empty()) {
      simulator.ListenControl(options->controlPath);
      line += " control=" + options->controlPath;
    }
  } catch (const std::exception& e) {
    std::cerr << "vtnode-sim: " << e.what() << "\n";
    return 2;
  }
  std::cout << line << std::endl;

  int signal = 0;
  sigwait(&stopSignals, &signal);
  simulator.Stop();
  return 0;
}
