#pragma once
// The logon answers of the headless mode: one user name for every computer,
// and a password that is the same for every computer unless the password file
// names one for a computer ("COMPUTER=password" lines). Texts in the file and
// on the command line are UTF-8; they are kept in CP1251 like every name of
// the configuration.

#include <map>
#include <optional>
#include <string>

namespace app {

struct Credentials {
  std::optional<std::string> user;  // none: the logon is not answered
  std::string password;             // for computers the file does not name
  std::map<std::string, std::string> perComputer;
  bool noConnection = false;

  const std::string& PasswordFor(const std::string& computer) const;
};

// Reads a password file: a line "NAME=password" is that computer's password
// (the first '=' separates; names are trimmed, passwords kept as written), a
// line without '=' is the password of every other computer. Empty lines and
// lines starting with '#' are skipped; CR before the line feed is dropped.
// Nothing on failure, with the reason in `error`.
std::optional<Credentials> ReadPasswordFile(const std::string& path, std::string& error);
// The answers the command line gives: --password-file read, --user and
// --no-connection taken over. Nothing when the file cannot be read.
struct Options;
std::optional<Credentials> CredentialsFromOptions(const Options& options, std::string& error);

// The same for a text in memory.
Credentials ParsePasswordText(const std::string& utf8);

}  // namespace app
