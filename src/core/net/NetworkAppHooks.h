#pragma once
// The start-up and shutdown steps that belong to the registries and the
// logon: the mail servers with their computers, the logon dialog and logon of
// each computer, the logoff of each, and the release of the registries. Every
// other step goes on to `next` (or does nothing without one).

#include "core/AppHooks.h"

namespace core {

class NetworkServices;

class NetworkAppHooks : public AppHooks {
 public:
  explicit NetworkAppHooks(NetworkServices& services, AppHooks* next = nullptr);

  void SetNext(AppHooks* next) { next_ = next ? next : &none_; }

  // Ours.
  std::vector<MailServerEntry> MailServers() override;
  LogonOutcome LogonComputer(const MailServerEntry& server, const ComputerSlot& computer) override;
  LogoffOutcome Logoff(const ComputerSlot& computer) override;
  void ReleaseRegistries() override;

  // Handed on.
  LocalizationResult LoadLocalization(int third) override { return next_->LoadLocalization(third); }
  bool CreateMessageWindow() override { return next_->CreateMessageWindow(); }
  bool CreateMainWindow(const std::string& version) override { return next_->CreateMainWindow(version); }
  bool CreateMainFrame() override { return next_->CreateMainFrame(); }
  void PollAll() override { next_->PollAll(); }
  void ProcessPendingEvents() override { next_->ProcessPendingEvents(); }
  bool LoadFavorites() override { return next_->LoadFavorites(); }
  void RemoveAllGroups() override { next_->RemoveAllGroups(); }
  void RefillFavoritesGrid() override { next_->RefillFavoritesGrid(); }
  void ShowComputerIdentification() override { next_->ShowComputerIdentification(); }
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override { next_->StartTimers(pollMs, favoritesMs); }
  void RestorePlacement() override { next_->RestorePlacement(); }
  void ShowTrayIcon() override { next_->ShowTrayIcon(); }
  void HideTrayIcon() override { next_->HideTrayIcon(); }
  void FocusNavigation() override { next_->FocusNavigation(); }
  void EditConfigFile(const std::string& path) override { next_->EditConfigFile(path); }
  bool SaveFavorites() override { return next_->SaveFavorites(); }
  void DestroyWindows() override { next_->DestroyWindows(); }

 private:
  NetworkServices& services_;
  AppHooks none_;
  AppHooks* next_;
};

}  // namespace core
