#pragma once
// The host tests' node harness with what the installation page adds: an
// abonent of "NODE", a scratch tree (work folder for the temporary folders,
// target folders for the diskettes) and dialogs whose folder browser answers
// from a script. Fixture texts are UTF-8.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostHarness.h"
#include "model/install/Installations.h"
#include "model/item/VxItemBase.h"

namespace installtest {

using hosttest::Cp;
using hosttest::Utf8;

class BrowsingDialogs : public hosttest::Dialogs {
 public:
  std::deque<std::optional<std::string>> folders;  // the browser's answers; none left is a test fault
  std::vector<std::string> browseTitles;           // UTF-8
  std::vector<std::string> browseInitial;
  std::function<void()> whileBrowsing;
  std::optional<std::string> BrowseFolder(const std::string& title, const std::string& initialPath) override;
  // The boxes' texts in UTF-8.
  std::vector<std::string> Texts() const;
};

class InstallHarness : public hosttest::HostHarness {
 public:
  explicit InstallHarness(std::string_view sectionsUtf8);
  ~InstallHarness();

  // A folder under the scratch root, created.
  std::string Folder(const std::string& relative);
  // Every file and folder under the scratch root, relative, '/'-separated.
  std::set<std::string> Tree() const;
  std::string ReadFile(const std::string& relative) const;
  // The bytes the node serves for a server path.
  std::string ServedData(std::string_view serverPath) const;

  std::vector<model::InstallationRow> Rebuild() { return model::RebuildInstallations(Context()); }
  model::CopyOutcome Copy(const std::vector<model::InstallationRow>& rows, const std::string& name,
                          bool scanRunning = false);
  model::InstallContext Context() { return {net, browsing, &abonent, root.string() + "/work"}; }

  std::filesystem::path root;
  BrowsingDialogs browsing;
  model::_VxItemBase abonent;
  std::string lastFolder;
};

// The demo node as the simulator embeds it.
std::string DemoSectionsUtf8();

}  // namespace installtest
