#pragma once
// Loads a simulated node from a fixture: a file in the console's own sectioned
// configuration format (CP1251), one section per record, read with the
// configuration file classes. The format is described at the top of
// FixtureLoader.cpp and in sim/fixtures/README.md.

#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/lib/NodeData.h"

namespace sim {

// A fixture that cannot be used; the text names the file, the section and the
// key at fault.
class FixtureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `now` (UTC seconds, as std::time gives them) anchors the relative time
// stamps ("now-600") of the fixture; they become the node's local wall-clock
// stamps of that moment (WallClock.h).
Node LoadFixtureFile(const std::string& path, std::time_t now);
// The same for a text held in memory; `origin` names it in errors.
Node LoadFixtureText(std::string_view text, std::string_view origin, std::time_t now);

// The bundled demo node (sim/fixtures/demo-node.cfg, embedded at build time).
Node LoadDemoNode(std::time_t now);

// The contents the simulator gives a file declared only by its size: the same
// bytes for the same path on every run.
std::string GeneratedFileData(std::string_view path, size_t size);

}  // namespace sim
