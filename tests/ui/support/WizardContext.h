#pragma once
// The context the entry view gives its pages, made for a page under test:
// the console's own worker, dialogs and network of a DesktopHarness, or just
// a dialog port for a page that needs no network.

#include "core/FakePorts.h"
#include "support/DesktopHarness.h"
#include "ui/ports/QtDialogPort.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/wizard/WizContext.h"

namespace uitest {

// As the entry view does it: a user's action waits for no other.
inline ui::WizContext ConsoleWizContext(DesktopHarness& harness, const std::string& mailServer = "NODE") {
  ui::WizContext context;
  ui::DesktopConsole& console = harness.Console();
  context.dialogs = &console.Dialogs();
  context.mailServer = mailServer;
  context.net = &console.Services().Net();
  context.runOnWorker = [&console](ui::WizContext::Job work, ui::WizContext::Job done) {
    if (console.Runner().HasUserJob()) return false;
    console.Runner().Post(ui::ServiceRunner::Kind::User, std::move(work), std::move(done));
    return true;
  };
  context.scanRunning = [] { return false; };
  return context;
}

// A page on a scripted dialog port, with no worker.
template <class Page>
struct Offline {
  testing_fakes::FakeDialogPort dialogs;
  ui::WizContext context = [this] {
    ui::WizContext c;
    c.dialogs = &dialogs;
    return c;
  }();
  Page page{context};
};

}  // namespace uitest
