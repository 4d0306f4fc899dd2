#pragma once
// The main window's commands: id, menu text, accelerator and status-bar
// prompt (the prompt is also the tooltip), and the bars with their titles
// and buttons. Texts are the program's own, UTF-8 here.

#include <string_view>
#include <vector>

namespace ui {

namespace cmd {
inline constexpr int kComputerIdentification = 32803;
inline constexpr int kSettings = 32792;
inline constexpr int kExit = 57665;
inline constexpr int kCreateGroup = 32779;
inline constexpr int kRemoveGroup = 32780;
inline constexpr int kEditGroup = 32785;
inline constexpr int kAddDirections = 32782;
inline constexpr int kRemoveDirections = 32783;
inline constexpr int kOpenGroupView = 32781;
inline constexpr int kMenuBar = 32839;
inline constexpr int kNavigation = 59392;
inline constexpr int kMainBar = 32772;
inline constexpr int kPropertiesBar = 32776;
inline constexpr int kFavoritesBar = 32777;
inline constexpr int kDataViewBar = 32795;
inline constexpr int kFavoritesOpsBar = 32796;
inline constexpr int kWindowOpsBar = 32797;
inline constexpr int kHelpPane = 32790;
inline constexpr int kSplashMessages = 32801;
inline constexpr int kDisableSplash = 32802;
inline constexpr int kPreviewArea = 32789;
inline constexpr int kFieldsChooser = 32788;
inline constexpr int kRescanAllRouting = 32822;
inline constexpr int kRescanLevelFirst = 32833;  // C, ADMD, PRMD, ORG, OU, PN: 32833..32838
inline constexpr int kRescanLevelLast = 32838;
inline constexpr int kRescanAbonents = 32823;
inline constexpr int kRescanView = 32786;
inline constexpr int kCascade = 57650;
inline constexpr int kTileHorizontally = 57651;
inline constexpr int kTileVertically = 57652;
inline constexpr int kArrangeIcons = 57649;
inline constexpr int kMinimizeAll = 32799;
inline constexpr int kNextView = 32787;
inline constexpr int kCloseView = 57602;
inline constexpr int kWindowManager = 103;
inline constexpr int kAbout = 57664;
inline constexpr int kOsInformation = 32806;
inline constexpr int kWebLinks = 32805;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
// The tray menu's own.
inline constexpr int kShowWindow = 32807;
inline constexpr int kTrayMainBar = 32808;
inline constexpr int kTrayPropertiesBar = 32809;
inline constexpr int kTrayFavoritesBar = 32810;
inline constexpr int kTrayHelpPane = 32811;
}  // namespace cmd

struct CommandInfo {
  int id;
  std::string_view menuText;  // with '&' before the mnemonic
  std::string_view key;       // QKeySequence text; empty: none
  std::string_view prompt;    // status-bar prompt and tooltip; empty: none
};

// Every command of the menus, the bars and the tray menu.
const std::vector<CommandInfo>& Commands();
// Null for an id that is not in the table.
const CommandInfo* FindCommand(int id);

// A bar: the command that shows or hides it, its title, and its buttons
// (0 marks a separator).
struct BarInfo {
  int id;
  std::string_view title;
  std::vector<int> buttons;
};
const std::vector<BarInfo>& Bars();

// The buttons that carry a caption beside their image.
std::string_view ButtonCaption(int id);

// The tray menu, in order (0 marks a separator).
const std::vector<int>& TrayMenuCommands();

}  // namespace ui
