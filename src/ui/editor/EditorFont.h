#pragma once
// The configuration editor's font: a fixed-pitch face at 10 points.

#include <QFont>
#include <QString>

namespace ui {

// `family` at 10 points when the face the font database really gives for it
// is fixed-pitch; otherwise the system's fixed-pitch font at 10 points.
// Asked for by name, a family may come back as another one (fontconfig
// substitutes what is not installed), and not every substitute is
// fixed-pitch.
QFont EditorFont(const QString& family = QStringLiteral("Courier New"));

}  // namespace ui
