#pragma once
// The pictures of the message list's lines: each code is the cell of the
// message window's image strip that the line shows. One list for the whole
// console, so that a code means the same picture wherever a line is logged.

namespace core::image {

enum Code : int {
  kPlain = 0,              // titles of steps
  kOk = 1,                 // "OK" lines and the lines after a message's first
  kConnect = 2,            // a logon begins
  kNetwork = 3,            // the machine identity
  kSockets = 5,            // sockets, a registered computer interface
  kFailed = 6,             // failures, channel errors, lost rights, Router errors
  kConfigLoaded = 8,       // the configuration loaded, the rights a logon gave
  kTime = 13,              // start, stop, the checks of the scanning subsystems
  kGroupAlarm = 17,        // a favourite group holds errors
  kCrashReporting = 18,
  kLibraries = 19,
  kFavorites = 20,
  kReplicationStarted = 26,
  kReplication = 27,
  kDisk = 28,
  kFolder = 29,
};

}  // namespace core::image
