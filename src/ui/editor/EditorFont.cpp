#include "ui/editor/EditorFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace ui {

namespace {

constexpr int kFontPoints = 10;

// Judged by the face that will draw, not by the name asked for.
bool DrawsFixedPitch(const QFont& font) {
  if (!QFontInfo(font).fixedPitch()) return false;
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(QStringLiteral("iiii")) == metrics.horizontalAdvance(QStringLiteral("WWWW"));
}

}  // namespace

QFont EditorFont(const QString& family) {
  QFont font(family, kFontPoints);
  font.setBold(false);
  if (DrawsFixedPitch(font)) return font;
  font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(kFontPoints);
  font.setBold(false);
  return font;
}

}  // namespace ui
