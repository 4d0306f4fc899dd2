#pragma once
// The program's message list: every start-up, shutdown and alert message, cut
// into lines of the byte 7, a two-digit image index and the text padded to 45
// characters, of which the newest are kept as the message window's text. The
// window itself is drawn elsewhere; here is the state it draws from.
//
// The list is shared: the polls add to it on the console's worker while the
// window thread hides, clicks and draws it. Every member takes the lock;
// readers get copies. The sinks run without the lock held, so that they may
// read the list again.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// What the pop-up message window should look like after the last change.
struct PopupState {
  bool visible = false;
  uint32_t lifetimeMs = 0;    // of the last show; 0 keeps it until clicked
  bool trayBlinking = false;  // the tray icon alternates with the alert icon
  unsigned showCount = 0;     // shows so far (the first one places the window)
  // Timer 765: a show with a lifetime (re)starts it, a show without one leaves
  // it running, a hide stops it. `hideTimerMs` is the lifetime it was last
  // started with, 0 while it does not run; `hideTimerStarts` counts its starts.
  uint32_t hideTimerMs = 0;
  unsigned hideTimerStarts = 0;
};

class MessageLog {
 public:
  static constexpr char kBel = 7;
  static constexpr size_t kPadWidth = 45;
  static constexpr int kLineHeight = 14;
  // Without a desktop (headless) the limit is that of a 1080-pixel screen.
  static constexpr int kDefaultDesktopHeight = 1080;

  // The lines the window can show: max(20, (height - 60) / (line height + 3)).
  static size_t LineLimit(int desktopHeight, int lineHeight = kLineHeight);
  // The lines one message becomes: cut at line feeds, carriage returns
  // dropped, tabs turned into blanks; the first with `image`, the rest with 1.
  static std::vector<std::string> FormatLines(std::string_view message, int image);

  explicit MessageLog(size_t lineLimit = LineLimit(kDefaultDesktopHeight));

  void SetLineLimit(size_t limit);
  size_t LineLimitValue() const;
  // The SPLASH_WINDOW_DISABLE setting.
  void SetPopupDisabled(bool disabled);
  // Between the start of start-up and its end, and during shutdown, the window
  // shows whatever the setting says.
  void SetStartupOrShutdown(bool on);
  // Called with every line as it is appended (the headless mode prints them).
  void SetLineSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }
  // Called with every message as it was given, before it is cut into lines.
  void SetMessageSink(std::function<void(std::string_view message, int image)> sink) {
    messageSink_ = std::move(sink);
  }
  // Called after every change of the lines or of the pop-up state (the
  // window layer redraws from it). Set it before the list is shared.
  void SetChangeSink(std::function<void()> sink) { changeSink_ = std::move(sink); }

  // Appends a message, drops the oldest lines above the limit, and shows the
  // window (with `lifetimeMs`) or starts the tray icon blinking.
  void Add(std::string_view message, uint32_t lifetimeMs, int image);
  // Shows the window with the whole list.
  void Show(uint32_t lifetimeMs);
  // The lifetime ran out, the window was clicked, or start-up ended.
  void Hide();
  void Clear();

  std::deque<std::string> Lines() const;
  // The lines joined by line feeds: the window's text.
  std::string Text() const;
  PopupState Popup() const;

 private:
  void ShowLocked(uint32_t lifetimeMs);
  void Changed() const;

  mutable std::mutex mutex_;
  std::deque<std::string> lines_;
  size_t limit_;
  bool popupDisabled_ = false;
  bool startupOrShutdown_ = false;
  PopupState popup_;
  std::function<void(const std::string&)> sink_;
  std::function<void(std::string_view, int)> messageSink_;
  std::function<void()> changeSink_;
};

}  // namespace core
