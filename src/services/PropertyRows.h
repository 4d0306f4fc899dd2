#pragma once
// The rows of the object properties pane: a computer's connection, rights,
// scanned folders and disks; a mail server's description and the rows that
// open its data windows; a task's own entries, read from the computer.

#include <string>
#include <vector>

#include "services/ConsoleSnapshot.h"

namespace services {

class ConsoleServices;

enum class OpenTarget { None, DirectionsShortcuts, DirectionsTable, Routing, MailingLists, Replication, Disks, Folders };

struct PropertyRow {
  std::string label;  // CP1251
  std::string value;
  std::string comment;
  std::vector<PropertyRow> children;
  OpenTarget target = OpenTarget::None;
};

std::vector<PropertyRow> ConnectionProperties(const ComputerSnapshot& computer);
std::vector<PropertyRow> HostProperties(const MailServerSnapshot& server);

struct TaskPropertiesResult {
  bool ok = false;
  bool channelBusy = false;  // another sequence held the gate
};
// `TaskGetParamCount`, then `TaskGetParamAt` for each index; every text
// trimmed of blanks, an entry missing any of its three texts left out.
TaskPropertiesResult FetchTaskProperties(ConsoleServices& console, const std::string& computerName,
                                         const std::string& taskName, std::vector<PropertyRow>& rows);
// Reads the node's name, address and identifier (the MQUEUE computer's
// COMMON section) when they are not known yet; true when they are.
bool LoadHostDescription(ConsoleServices& console, const std::string& mailServerName);

}  // namespace services
