#include "ui/main/GridLayoutKey.h"

#include "ui/text/QtText.h"

namespace ui {

QString GridLayoutKey(const char* prefix, const std::string& name) {
  QString escaped = FromCp(name);
  escaped.replace('%', "%25").replace('/', "%2F").replace('\\', "%5C");
  return QStringLiteral("CoolGridCtrl/") + QString::fromLatin1(prefix) + escaped;
}

}  // namespace ui
