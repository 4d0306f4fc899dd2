#include "Credentials.h"

#include "CommandLine.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace app {

const std::string& Credentials::PasswordFor(const std::string& computer) const {
  const auto it = perComputer.find(computer);
  return it == perComputer.end() ? password : it->second;
}

Credentials ParsePasswordText(const std::string& utf8) {
  Credentials credentials;
  std::istringstream in(utf8);
  bool haveDefault = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (text::Trim(line).empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
      if (!haveDefault) credentials.password = text::Utf8ToCp1251(line);
      haveDefault = true;
      continue;
    }
    credentials.perComputer[text::Utf8ToCp1251(text::Trim(line.substr(0, eq)))] =
        text::Utf8ToCp1251(line.substr(eq + 1));
  }
  return credentials;
}

std::optional<Credentials> ReadPasswordFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read the password file \"" + path + "\": " + std::strerror(errno);
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParsePasswordText(text.str());
}

std::optional<Credentials> CredentialsFromOptions(const Options& options, std::string& error) {
  Credentials credentials;
  if (options.passwordFile) {
    auto read = ReadPasswordFile(*options.passwordFile, error);
    if (!read) return std::nullopt;
    credentials = std::move(*read);
  }
  if (options.user) credentials.user = text::Utf8ToCp1251(*options.user);
  credentials.noConnection = options.noConnection;
  return credentials;
}

}  // namespace app
