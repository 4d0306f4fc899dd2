#pragma once
// Where a grid keeps its column layout in the user profile: section
// "CoolGridCtrl", an entry made of a prefix and an object's name.

#include <QString>

#include <string>

namespace ui {

// "CoolGridCtrl/<prefix><name>"; a '/', '\' or '%' in the name (CP1251) is
// written as %2F, %5C, %25, so that it cannot open a sub-group.
QString GridLayoutKey(const char* prefix, const std::string& name);

}  // namespace ui
