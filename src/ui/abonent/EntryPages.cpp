#include "ui/abonent/EntryPages.h"

#include <QCheckBox>

#include "model/item/BookAddressCheck.h"
#include "ui/wizard/CWizAbonent.h"
#include "ui/wizard/CWizApfs.h"
#include "ui/wizard/CWizDirection.h"
#include "ui/wizard/CWizInstall.h"
#include "ui/wizard/CWizMain.h"
#include "ui/wizard/CWizRouting.h"
#include "ui/wizard/CWizTiming.h"

namespace ui {

EntryPageSet CreateEntryPages(WizContext& context, QWidget* parent,
                              std::function<void(bool abonent, bool viaLocalFolder)> onLayoutChanged) {
  auto* main = new CWizMain(context, parent);
  auto* routing = new CWizRouting(context, parent);
  auto* direction = new CWizDirection(context, parent);
  auto* agents = new CWizApfs(context, parent);
  auto* timing = new CWizTiming(context, parent);
  auto* abonent = new CWizAbonent(context, parent);
  auto* install = new CWizInstall(context, parent);

  EntryPageSet set;
  set.pages = {main, routing, direction, agents, timing, abonent, install};
  set.routingPage = 1;
  set.layFor = [routing, direction, agents](bool isAbonent, bool viaLocalFolder) {
    routing->SetAbonentMode(isAbonent);
    direction->SetAbonentMode(isAbonent);
    agents->SetLocalFolder(viaLocalFolder);
  };
  set.setPending = [install](bool pending) { install->SetPending(pending); };
  // The check runs on the worker over what was gathered: the tick is read
  // now, the address and the routing lists are the gathered entry's.
  ports::DialogPort* dialogs = context.dialogs;
  set.addressCheck = [routing, dialogs](const model::_VxItemBase& gathered) -> std::function<bool(bool)> {
    const bool asked = gathered.kind != 0 && routing->CompleteAsked();
    const std::string field = gathered.absAddress;
    const model::RoutingLists lists = gathered.routingAddresses;
    return [asked, field, lists, dialogs](bool withMessage) {
      return ReportBookAddressCheck(model::CheckBookAddress(asked, field, lists), withMessage ? dialogs : nullptr);
    };
  };
  QObject::connect(main, &CWizMain::kindChanged, main, [main, onLayoutChanged](bool isAbonent) {
    onLayoutChanged(isAbonent, main->ViaLocalFolder()->isChecked());
  });
  QObject::connect(main->ViaLocalFolder(), &QCheckBox::toggled, main, [main, onLayoutChanged](bool via) {
    onLayoutChanged(main->AbonentMode()->isChecked(), via);
  });
  return set;
}

}  // namespace ui
