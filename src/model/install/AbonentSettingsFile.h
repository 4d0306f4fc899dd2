#pragma once
// The abonent settings file written next to a copied installation set:
// "vt$<mailbox>$.inf", eleven lines, each ended by a line feed, CP1251.

#include <string>

namespace ports {
class DialogPort;
}

namespace model {

class _VxItemBase;

// The file's text. `serverAddress` is the network address of the computer
// that carries the mail server's MQUEUE task (empty when there is none).
std::string AbonentSettingsText(const _VxItemBase& abonent, const std::string& serverAddress);

// The file's path: `folder`, its separator unless it ends in one, then
// "vt$<mailbox>$.inf".
std::string AbonentSettingsPath(const std::string& folder, const std::string& mailbox);

// Writes the file into `folder` through a temporary name, replacing an older
// one. A mailbox name that is no safe file name is refused with a message
// and nothing is written; a failed write is told with the file's name.
// False when the file was not written.
bool WriteAbonentSettingsFile(const std::string& folder, const _VxItemBase& abonent, const std::string& serverAddress,
                              ports::DialogPort& dialogs);

}  // namespace model
