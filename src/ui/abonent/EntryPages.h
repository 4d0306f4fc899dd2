#pragma once
// The seven pages of the entry view, made in page order, with the few ties
// between them: the main page's kind and local-folder choices re-lay the
// others, a change anywhere holds back the installation page, and the
// routing page's address check is handed to the worker with the values it
// was gathered from.

#include <functional>
#include <vector>

#include "ui/wizard/CWizPage.h"

namespace model {
class _VxItemBase;
}

namespace ui {

struct EntryPageSet {
  std::vector<CWizPage*> pages;  // main, routing, direction, agents, timings, abonent, installation
  // Tells every page the entry's kind and whether it works through a local folder.
  std::function<void(bool abonent, bool viaLocalFolder)> layFor;
  // Whether the pages hold changes not yet applied (the installation page waits for them).
  std::function<void(bool pending)> setPending;
  // The routing page's address-book check over the gathered entry, callable
  // from the worker; its messages go through the dialog port.
  std::function<std::function<bool(bool withMessage)>(const model::_VxItemBase& gathered)> addressCheck;
  int routingPage = 1;  // the page the apply shows when the address check fails
};

// `onLayoutChanged` is called whenever the main page's kind or local-folder
// choice changes, with the new values.
EntryPageSet CreateEntryPages(WizContext& context, QWidget* parent,
                              std::function<void(bool abonent, bool viaLocalFolder)> onLayoutChanged);

}  // namespace ui
