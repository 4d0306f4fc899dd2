#pragma once
// Hooks that take some steps themselves and hand every other step on to the
// next hooks in the chain (or do nothing without them). A layer derives from
// it and overrides only its own steps.

#include "core/AppHooks.h"

namespace core {

class ChainedAppHooks : public AppHooks {
 public:
  explicit ChainedAppHooks(AppHooks* next = nullptr) { SetNext(next); }
  ChainedAppHooks(const ChainedAppHooks&) = delete;
  ChainedAppHooks& operator=(const ChainedAppHooks&) = delete;
  void SetNext(AppHooks* next) { next_ = next ? next : &none_; }

  LocalizationResult LoadLocalization(int third) override { return next_->LoadLocalization(third); }
  bool CreateMessageWindow() override { return next_->CreateMessageWindow(); }
  bool CreateMainWindow(const std::string& version) override { return next_->CreateMainWindow(version); }
  bool CreateMainFrame() override { return next_->CreateMainFrame(); }
  std::vector<MailServerEntry> MailServers() override { return next_->MailServers(); }
  LogonOutcome LogonComputer(const MailServerEntry& server, const ComputerSlot& computer) override {
    return next_->LogonComputer(server, computer);
  }
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
  LogoffOutcome Logoff(const ComputerSlot& computer) override { return next_->Logoff(computer); }
  bool SaveFavorites() override { return next_->SaveFavorites(); }
  void ReleaseRegistries() override { next_->ReleaseRegistries(); }
  void DestroyWindows() override { next_->DestroyWindows(); }

 private:
  AppHooks none_;
  AppHooks* next_ = &none_;
};

}  // namespace core
