#pragma once
// The one crossing between the core's CP1251 texts and Qt's QString.

#include <QString>

#include <string>
#include <string_view>

namespace ui {

QString FromCp(std::string_view cp1251);
// A character CP1251 cannot hold becomes '?'.
std::string ToCp(const QString& text);

}  // namespace ui
