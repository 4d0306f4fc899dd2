#pragma once
// Where the registries, the binding and the logon write their log lines: the
// message list, with the line code as its image index.

#include <functional>
#include <string>

namespace core {

using NetLogFn = std::function<void(const std::string& text, int code)>;

}  // namespace core
