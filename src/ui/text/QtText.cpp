#include "ui/text/QtText.h"

#include "text/Cp1251.h"

namespace ui {

QString FromCp(std::string_view cp1251) { return QString::fromStdString(text::Cp1251ToUtf8(cp1251)); }

std::string ToCp(const QString& text) { return text::Utf8ToCp1251(text.toStdString()); }

}  // namespace ui
