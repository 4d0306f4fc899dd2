#include "ui/directions/ShortcutIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

#include "ui/icons/Icons.h"

namespace ui {

namespace {

QPixmap Blocked(const QPixmap& normal) {
  QImage image = normal.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      const int grey = (qGray(pixel) + 255) / 2;  // washed out, so that the bar stands out
      image.setPixel(x, y, qRgba(grey, grey, grey, qAlpha(pixel)));
    }
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal w = image.width();
  painter.setPen(QPen(QColor(200, 30, 30), std::max<qreal>(1.5, w / 8), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(w * 0.15, w * 0.85), QPointF(w * 0.85, w * 0.15));
  return QPixmap::fromImage(image);
}

QIcon Make(bool abonent, bool active) {
  const QIcon normal = EntryIcon(abonent);
  if (active) return normal;
  QIcon icon;
  for (int size : {16, 32}) icon.addPixmap(Blocked(normal.pixmap(size, size)));
  return icon;
}

}  // namespace

QIcon ShortcutIcon(bool abonent, bool active) {
  // Drawn once each: a node's list asks for thousands.
  static const QIcon icons[2][2] = {{Make(false, false), Make(false, true)}, {Make(true, false), Make(true, true)}};
  return icons[abonent ? 1 : 0][active ? 1 : 0];
}

}  // namespace ui
