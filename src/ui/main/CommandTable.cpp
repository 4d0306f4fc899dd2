#include "ui/main/CommandTable.h"

#include <algorithm>

namespace ui {

const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> table = {
      {cmd::kComputerIdentification, "&Computer identification", "Ctrl+F11", "Show computer identification"},
      {cmd::kSettings, "&Settings", "F11", "Program settings"},
      {cmd::kExit, "&Exit", "Alt+F4", ""},
      {cmd::kCreateGroup, "&Create new group", "Ctrl+N", "Creare new group"},
      {cmd::kRemoveGroup, "&Remove group", "Ctrl+D", "Remove group"},
      {cmd::kEditGroup, "&Edit group", "Ctrl+E", "Edit group"},
      {cmd::kAddDirections, "&Add directions into group", "Ctrl+A", "Add directions into group"},
      {cmd::kRemoveDirections, "Remove &directions from group", "Ctrl+Q", "Remove directions from group"},
      {cmd::kOpenGroupView, "&Open detailed group view", "Ctrl+V", "Open detailed group view"},
      {cmd::kMenuBar, "Menu bar", "", "Show/hide menubar"},
      {cmd::kNavigation, "&Naviagtion", "Alt+0", "Show/hide navigation toolbar"},
      {cmd::kMainBar, "&Main control panel", "Alt+1", "Show/hide main contol bar"},
      {cmd::kPropertiesBar, "&Object properties control panel", "Alt+2", "Show/hide object properties contol bar"},
      {cmd::kFavoritesBar, "&Favorites control panel", "Alt+3", "Show/hide favorites contol bar"},
      {cmd::kDataViewBar, "&Data view operations", "Alt+4", "Show/hide data view toolbar"},
      {cmd::kFavoritesOpsBar, "Favor&ites operations", "Alt+5", "Show/hide favorites operations toolbar"},
      {cmd::kWindowOpsBar, "&Window operations", "Alt+6", "Show/hide window operations toolbar"},
      {cmd::kHelpPane, "&Help panel", "F1", "Show/hide help panel"},
      {cmd::kSplashMessages, "&Splash messages", "Alt+7", "Show/hide splash messages window"},
      {cmd::kDisableSplash, "Disable splash messages", "Alt+8", "Disable splash messages window"},
      {cmd::kPreviewArea, "Data preview &area in tables", "Ctrl+B", "Data preview area in table"},
      {cmd::kFieldsChooser, "Fields chooser", "Ctrl+F", "Fields chooser"},
      {cmd::kRescanAllRouting, "Rescan all routing tables", "", "Forced rescan of all routing tables"},
      {32833, "Rescan level C only", "", "Forced rescan of routing table for level C"},
      {32834, "Rescan level ADMD only", "", "Forced rescan of routing table for level ADMD"},
      {32835, "Rescan level PRMD only", "", "Forced rescan of routing table for level PRMD"},
      {32836, "Rescan level ORG only", "", "Forced rescan of routing table for level ORG"},
      {32837, "Rescan level OU only", "", "Forced rescan of routing table for level OU"},
      {32838, "Rescan level PN only", "", "Forced rescan of routing table for level PN"},
      {cmd::kRescanAbonents, "Rescan abonents information", "", "Forced rescan of abonents information"},
      {cmd::kRescanView, "Rescan data in current view", "Ctrl+R", "Rescan data in current view"},
      {cmd::kCascade, "&Cascade", "Ctrl+K", "Cascade opened view windows"},
      {cmd::kTileHorizontally, "Tile &horizontally", "Ctrl+8", "Tile horizontally opened view windows"},
      {cmd::kTileVertically, "Tile &vertically", "Ctrl+9", "Tile vertically opened view windows"},
      {cmd::kArrangeIcons, "&Arrange icons", "Ctrl+U", "Arrange window icons"},
      {cmd::kMinimizeAll, "&Minimize all views", "Ctrl+M", "Minimize opened view windows"},
      {cmd::kNextView, "&Jump to next view", "F6", "Jump to next open view window"},
      {cmd::kCloseView, "C&lose current view", "Ctrl+F4", ""},
      {cmd::kWindowManager, "Window manager", "F12", "Open window manager"},
      {cmd::kAbout, "&About", "", ""},
      {cmd::kOsInformation, "OS information", "", ""},
      {cmd::kWebLinks, "Web links", "", ""},
      {cmd::kCopy, "&Copy", "", "Copy data to clipboard"},
      {cmd::kPaste, "&Paste", "", "Paste data from clipboard"},
      {cmd::kShowWindow, "Show &window", "", ""},
      {cmd::kTrayMainBar, "&Main control panel", "", ""},
      {cmd::kTrayPropertiesBar, "&Object properties control panel", "", ""},
      {cmd::kTrayFavoritesBar, "&Favorites control panel", "", ""},
      {cmd::kTrayHelpPane, "&Help panel", "", ""},
  };
  return table;
}

const CommandInfo* FindCommand(int id) {
  const auto& table = Commands();
  auto it = std::find_if(table.begin(), table.end(), [id](const CommandInfo& info) { return info.id == id; });
  return it == table.end() ? nullptr : &*it;
}

const std::vector<BarInfo>& Bars() {
  static const std::vector<BarInfo> bars = {
      {cmd::kMenuBar, "Строка меню", {}},
      {cmd::kMainBar,
       "Главная",
       {cmd::kNavigation, cmd::kMainBar, cmd::kPropertiesBar, cmd::kFavoritesBar, 0, cmd::kDataViewBar,
        cmd::kFavoritesOpsBar, cmd::kWindowOpsBar, 0, cmd::kHelpPane, 0, cmd::kSplashMessages, cmd::kDisableSplash,
        cmd::kComputerIdentification, 0, cmd::kSettings}},
      {cmd::kNavigation, "Навигация", {}},
      {cmd::kPropertiesBar, "Свойства объекта", {}},
      {cmd::kFavoritesBar, "Избранное", {}},
      {cmd::kHelpPane, "Справка", {}},
      {cmd::kDataViewBar, "Просмотр данных", {cmd::kRescanView, 0, cmd::kPreviewArea, cmd::kFieldsChooser}},
      {cmd::kFavoritesOpsBar,
       "Операции с группами избранных направлений",
       {cmd::kCreateGroup, cmd::kRemoveGroup, cmd::kEditGroup, 0, cmd::kAddDirections, cmd::kRemoveDirections,
        cmd::kOpenGroupView}},
      {cmd::kWindowOpsBar,
       "Операции с окнами",
       {cmd::kCascade, cmd::kTileHorizontally, cmd::kTileVertically, cmd::kArrangeIcons, 0, cmd::kNextView, 0,
        cmd::kMinimizeAll, 0, cmd::kWindowManager}},
  };
  return bars;
}

std::string_view ButtonCaption(int id) {
  switch (id) {
    case cmd::kSettings: return "Настройки";
    case cmd::kRescanView: return "Обновить";
    case cmd::kWindowManager: return "Менеджер окон";
    default: return {};
  }
}

const std::vector<int>& TrayMenuCommands() {
  // In the order the menu lists them; the separators are ours.
  static const std::vector<int> tray = {
      cmd::kComputerIdentification, cmd::kSettings, cmd::kShowWindow, 0, cmd::kAbout, cmd::kOsInformation, 0,
      cmd::kExit, 0, cmd::kTrayMainBar, cmd::kTrayPropertiesBar, cmd::kTrayFavoritesBar, cmd::kTrayHelpPane, 0,
      cmd::kSplashMessages, cmd::kDisableSplash};
  return tray;
}

}  // namespace ui
