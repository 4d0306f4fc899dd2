#pragma once
// The start-up and shutdown steps that belong to the favourite groups: load
// them from the settings file, save them into it, remove them all. Every other
// step goes on to `next` (or does nothing without one).

#include <functional>

#include "core/AppHooks.h"

class C_CFG_File;

namespace model {

class FavoriteGroups;

class FavoritesAppHooks : public core::AppHooks {
 public:
  // `settingsFile` gives the console's configuration file when it is asked
  // for (it is opened during start-up); null: there is none.
  FavoritesAppHooks(FavoriteGroups& groups, std::function<C_CFG_File*()> settingsFile,
                    core::AppHooks* next = nullptr);

  void SetNext(core::AppHooks* next) { next_ = next ? next : &none_; }

  // Ours.
  bool LoadFavorites() override;
  bool SaveFavorites() override;
  void RemoveAllGroups() override;

  // Handed on.
  core::LocalizationResult LoadLocalization(int third) override { return next_->LoadLocalization(third); }
  bool CreateMessageWindow() override { return next_->CreateMessageWindow(); }
  bool CreateMainWindow(const std::string& version) override { return next_->CreateMainWindow(version); }
  bool CreateMainFrame() override { return next_->CreateMainFrame(); }
  std::vector<core::MailServerEntry> MailServers() override { return next_->MailServers(); }
  core::LogonOutcome LogonComputer(const core::MailServerEntry& server, const core::ComputerSlot& computer) override {
    return next_->LogonComputer(server, computer);
  }
  void PollAll() override { next_->PollAll(); }
  void ProcessPendingEvents() override { next_->ProcessPendingEvents(); }
  void RefillFavoritesGrid() override { next_->RefillFavoritesGrid(); }
  void ShowComputerIdentification() override { next_->ShowComputerIdentification(); }
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override { next_->StartTimers(pollMs, favoritesMs); }
  void RestorePlacement() override { next_->RestorePlacement(); }
  void ShowTrayIcon() override { next_->ShowTrayIcon(); }
  void HideTrayIcon() override { next_->HideTrayIcon(); }
  void FocusNavigation() override { next_->FocusNavigation(); }
  void EditConfigFile(const std::string& path) override { next_->EditConfigFile(path); }
  core::LogoffOutcome Logoff(const core::ComputerSlot& computer) override { return next_->Logoff(computer); }
  void ReleaseRegistries() override { next_->ReleaseRegistries(); }
  void DestroyWindows() override { next_->DestroyWindows(); }

 private:
  FavoriteGroups& groups_;
  std::function<C_CFG_File*()> settingsFile_;
  core::AppHooks none_;
  core::AppHooks* next_;
};

}  // namespace model
