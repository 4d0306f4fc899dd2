#include "ui/icons/Icons.h"

#include <QPainterPath>
#include <QPolygonF>

#include "core/MessageImage.h"
#include "ui/icons/IconShapes.h"

namespace ui {

using namespace shapes;

QPixmap MessageImage(int code) {
  namespace img = core::image;
  Draw draw;
  switch (code) {
    case img::kPlain:
      draw = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(12, 8), QPointF(4, 13)}));
      };
      break;
    case img::kOk: draw = [](QPainter& p) { Check(p, QRectF(2.5, 3.5, 11, 9), kGreen); }; break;
    case img::kConnect:
      draw = [](QPainter& p) {
        Arrow(p, QPointF(1, 5), QPointF(12, 5), kBlue);
        Arrow(p, QPointF(15, 11), QPointF(4, 11), kGreen);
      };
      break;
    case img::kNetwork: draw = [](QPainter& p) { Globe(p, QPointF(8, 8), 6.5); }; break;
    case img::kSockets:
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(5.5, 8), 1.4, 1.4);
        p.drawEllipse(QPointF(10.5, 8), 1.4, 1.4);
      };
      break;
    case img::kFailed:
      draw = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        Cross(p, QRectF(5, 5, 6, 6), Qt::white, 2.0);
      };
      break;
    case img::kConfigLoaded:
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 1.5, 9, 13));
        ListLines(p, QRectF(4.5, 3.5, 5, 6), kGrey);
        Check(p, QRectF(7.5, 9, 7.5, 6), kGreen);
      };
      break;
    case img::kTime: draw = [](QPainter& p) { Clock(p, QPointF(8, 8), 6.5); }; break;
    case img::kGroupAlarm:
      draw = [](QPainter& p) {
        Star(p, QPointF(6, 7), 5.5, kYellow);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(11.5, 11.5), 4, 4);
        Letter(p, QRectF(7.5, 7.5, 8, 8), QStringLiteral("!"), Qt::white, 7);
      };
      break;
    case img::kCrashReporting:
      draw = [](QPainter& p) {
        Pen(p, kDarkBlue);
        p.setBrush(QColor(120, 150, 220));
        QPainterPath shield;
        shield.moveTo(8, 1);
        shield.lineTo(14, 3);
        shield.quadTo(14, 11, 8, 15);
        shield.quadTo(2, 11, 2, 3);
        shield.closeSubpath();
        p.drawPath(shield);
        Letter(p, QRectF(2, 2, 12, 11), QStringLiteral("!"), Qt::white, 9);
      };
      break;
    case img::kLibraries:
      draw = [](QPainter& p) {
        Book(p, QRectF(1.5, 3.5, 4, 11), kRed);
        Book(p, QRectF(6, 2.5, 4, 12), kGreen);
        Book(p, QRectF(10.5, 4.5, 4, 10), kBlue);
      };
      break;
    case img::kFavorites: draw = [](QPainter& p) { Star(p, QPointF(8, 8.5), 7, kYellow); }; break;
    case img::kReplicationStarted:
      draw = [](QPainter& p) {
        CycleArrows(p, QPointF(8, 8), 5.5, kGreen);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygonF({QPointF(6.5, 5.5), QPointF(10.5, 8), QPointF(6.5, 10.5)}));
      };
      break;
    case img::kReplication: draw = [](QPainter& p) { CycleArrows(p, QPointF(8, 8), 5.5, kBlue); }; break;
    case img::kDisk: draw = [](QPainter& p) { Cylinder(p, QRectF(2.5, 1.5, 11, 13), QColor(160, 160, 180)); }; break;
    case img::kFolder: draw = [](QPainter& p) { Folder(p, QRectF(1.5, 3.5, 13, 10)); }; break;
    default: draw = [](QPainter&) {}; break;
  }
  return Paint(16, 16, draw);
}

}  // namespace ui
