#pragma once
// Crash reporting: on SIGSEGV, SIGBUS, SIGFPE or SIGABRT a short report (the
// signal, the program's version and a backtrace) goes to standard error, then
// the signal takes its default course.

namespace core {

// Installs the handlers once; later calls do nothing. `version` must outlive
// the process (a string literal). False when a handler could not be set.
bool InstallCrashHandlers(const char* version);

// Restores the handlers that were in place before; the result of the crash
// reporting at shutdown (0).
int FinishCrashHandlers();

}  // namespace core
