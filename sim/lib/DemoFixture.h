#pragma once
// The bundled demo node (sim/fixtures/demo-node.cfg), embedded at build time.

#include <string_view>

namespace sim {

std::string_view DemoFixtureText();

}  // namespace sim
