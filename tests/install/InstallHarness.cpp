#include "InstallHarness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "sim/lib/DemoFixture.h"
#include "sim/lib/SimNode.h"
#include "text/Strings.h"

namespace installtest {

namespace fs = std::filesystem;

std::optional<std::string> BrowsingDialogs::BrowseFolder(const std::string& title, const std::string& initialPath) {
  browseTitles.push_back(Utf8(title));
  browseInitial.push_back(initialPath);
  if (whileBrowsing) whileBrowsing();
  if (folders.empty()) throw std::logic_error("unscripted folder browser: " + Utf8(title));
  auto answer = folders.front();
  folders.pop_front();
  return answer;
}

std::vector<std::string> BrowsingDialogs::Texts() const {
  std::vector<std::string> out;
  for (const auto& box : boxes) out.push_back(Utf8(box.text));
  return out;
}

std::string DemoSectionsUtf8() { return Utf8(sim::DemoFixtureText()); }

InstallHarness::InstallHarness(std::string_view sectionsUtf8) : HostHarness(sectionsUtf8) {
  static int serial = 0;
  root =
      fs::temp_directory_path() / ("vt-install-tests-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
  fs::remove_all(root);
  fs::create_directories(root / "work");
  abonent.mailServerName = "NODE";
  abonent.mailboxName = "IVANOV";
  abonent.kind = 1;
  abonent.queueTaskName = "SRV1";
  abonent.mailboxAddress = "C:RU/ADMD:VELTRANE/PN:IVANOV";
  abonent.parameters = {{"#FULLNAME", Cp("Иванов Иван")}, {"#USERID", "IVANOV"}, {"#PHONE", "1"}};
}

InstallHarness::~InstallHarness() {
  std::error_code ec;
  fs::remove_all(root, ec);
}

std::string InstallHarness::Folder(const std::string& relative) {
  fs::create_directories(root / relative);
  return (root / relative).string();
}

std::set<std::string> InstallHarness::Tree() const {
  std::set<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    out.insert(fs::relative(entry.path(), root).generic_string());
  return out;
}

std::string InstallHarness::ReadFile(const std::string& relative) const {
  std::ifstream in(root / relative, std::ios::binary);
  if (!in) throw std::runtime_error("no file " + relative);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string InstallHarness::ServedData(std::string_view serverPath) const {
  std::optional<std::string> found;
  simulator->WithNode([&](sim::SimNode& node) {
    for (const auto& file : node.Data().files)
      if (text::EqualsNoCaseAscii(file.path, serverPath)) found = file.data;
  });
  if (!found) throw std::logic_error("the node serves no " + std::string(serverPath));
  return *found;
}

model::CopyOutcome InstallHarness::Copy(const std::vector<model::InstallationRow>& rows, const std::string& name,
                                        bool scanRunning) {
  int selected = -1;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].name == name) selected = static_cast<int>(i);
  return model::CopyInstallation(Context(), rows, selected, scanRunning, lastFolder);
}

}  // namespace installtest
