#pragma once
// Where the settings loader hands the entries of [Remote interfaces] and
// [Hosts]: the registries of computers and mail servers.

#include <string>

namespace core {

class RegistrySink {
 public:
  virtual ~RegistrySink() = default;
  // Empties both registries before the file is read.
  virtual void Clear() {}
  // Registers one entry (name = key, value = the entry's text); 0 on success,
  // else the registration's own code. A failed entry is skipped.
  virtual int RegisterComputer(const std::string& name, const std::string& value) = 0;
  virtual int RegisterMailServer(const std::string& name, const std::string& value) = 0;
};

// Accepts every entry and keeps nothing: the registries before they exist.
class NullRegistrySink : public RegistrySink {
 public:
  int RegisterComputer(const std::string&, const std::string&) override { return 0; }
  int RegisterMailServer(const std::string&, const std::string&) override { return 0; }
};

}  // namespace core
