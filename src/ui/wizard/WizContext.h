#pragma once
// What the pages of an entry view need beside the entry: the dialogs of the
// window thread, the node's folder for local links, and a way to run a
// sequence of calls on the console's worker. Pages never call the network
// from the window thread; a page that needs the node's data (the agent
// names, the installation sets) hands `runOnWorker` a job and draws the
// result in its `done`.

#include <functional>
#include <string>

namespace core {
class NetworkServices;
}
namespace model {
class HostServices;
}
namespace ports {
class DialogPort;
}

namespace ui {

struct WizContext {
  using Job = std::function<void()>;
  // Runs `work` on the worker, then `done` on the window thread; false (and
  // nothing runs) when the worker is busy with another user action.
  using WorkerRunner = std::function<bool(Job work, Job done)>;

  ports::DialogPort* dialogs = nullptr;  // callable from either thread
  std::string mailServer;                // CP1251
  // "#LOCAL_BOX_DIR" of the node's description: the prefix of a local
  // folder path; empty while the description is not known.
  std::string localFolderPrefix;
  WorkerRunner runOnWorker;
  core::NetworkServices* net = nullptr;  // touched by worker jobs only
  model::HostServices* hosts = nullptr;  // likewise
  // A scan of server data is running (window thread).
  std::function<bool()> scanRunning;
  // The folder the installation copy makes its temporary folders in.
  std::string workFolder;
};

}  // namespace ui
