#pragma once
// The polls of start-up (one before the favourite groups, one after) and the
// poll timer's period, through the application's hooks; every other step goes
// on to `next`.

#include <cstdint>

#include "core/AppHooks.h"

namespace core {

class CStatePoller;

class PollingAppHooks : public AppHooks {
 public:
  // `poller` may be set later (it often needs the application object that
  // these hooks are given to); without one a poll does nothing.
  explicit PollingAppHooks(CStatePoller* poller, AppHooks* next = nullptr);
  void SetNext(AppHooks* next) { next_ = next ? next : &none_; }
  void SetPoller(CStatePoller* poller) { poller_ = poller; }

  // Ours.
  void PollAll() override;
  void StartTimers(uint32_t pollMs, uint32_t favoritesMs) override;
  uint32_t PollPeriodMs() const { return pollMs_; }
  bool TimersStarted() const { return started_; }

  // Handed on.
  LocalizationResult LoadLocalization(int third) override { return next_->LoadLocalization(third); }
  bool CreateMessageWindow() override { return next_->CreateMessageWindow(); }
  bool CreateMainWindow(const std::string& version) override { return next_->CreateMainWindow(version); }
  bool CreateMainFrame() override { return next_->CreateMainFrame(); }
  std::vector<MailServerEntry> MailServers() override { return next_->MailServers(); }
  LogonOutcome LogonComputer(const MailServerEntry& s, const ComputerSlot& c) override {
    return next_->LogonComputer(s, c);
  }
  void ProcessPendingEvents() override { next_->ProcessPendingEvents(); }
  bool LoadFavorites() override { return next_->LoadFavorites(); }
  void RemoveAllGroups() override { next_->RemoveAllGroups(); }
  void RefillFavoritesGrid() override { next_->RefillFavoritesGrid(); }
  void ShowComputerIdentification() override { next_->ShowComputerIdentification(); }
  void RestorePlacement() override { next_->RestorePlacement(); }
  void ShowTrayIcon() override { next_->ShowTrayIcon(); }
  void HideTrayIcon() override { next_->HideTrayIcon(); }
  void FocusNavigation() override { next_->FocusNavigation(); }
  void EditConfigFile(const std::string& path) override { next_->EditConfigFile(path); }
  LogoffOutcome Logoff(const ComputerSlot& c) override { return next_->Logoff(c); }
  bool SaveFavorites() override { return next_->SaveFavorites(); }
  void ReleaseRegistries() override { next_->ReleaseRegistries(); }
  void DestroyWindows() override { next_->DestroyWindows(); }

 private:
  CStatePoller* poller_;
  AppHooks none_;
  AppHooks* next_;
  uint32_t pollMs_ = 0;
  bool started_ = false;
};

}  // namespace core
