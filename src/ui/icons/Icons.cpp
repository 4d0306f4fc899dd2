#include "ui/icons/Icons.h"

#include <QPainterPath>
#include <QPolygonF>

#include <string>

#include "ui/icons/IconShapes.h"

namespace ui {

using namespace shapes;

namespace {

void PaintApp(QPainter& p) {
  Tower(p, QRectF(1.5, 1.5, 6, 13));
  Envelope(p, QRectF(5.5, 6.5, 9.5, 7), kBlue);
}

}  // namespace

QIcon AppIcon() { return Big(PaintApp); }

QIcon AlertIcon() {
  return Big([](QPainter& p) {
    PaintApp(p);
    WarningTriangle(p, QRectF(7, 0.5, 8.5, 7.5));
  });
}

QIcon ComputerIcon() {
  return Big([](QPainter& p) { Monitor(p, QRectF(1.5, 1.5, 13, 9), QColor(100, 160, 230)); });
}

QIcon ServerIcon() {
  return Big([](QPainter& p) {
    Tower(p, QRectF(4.5, 0.5, 7, 15));
    Envelope(p, QRectF(0.5, 9.5, 7, 5), kGreen);
  });
}

QIcon EntryIcon(bool abonent) {
  // Drawn once each: a node's list asks for thousands.
  static const QIcon abonentIcon = Big([](QPainter& p) {
      Pen(p, kInk);
      p.setBrush(kGreen);
      p.drawEllipse(QPointF(5, 4), 3, 3);
      p.drawRoundedRect(QRectF(1, 8, 8, 7), 2, 2);
      Envelope(p, QRectF(8.5, 9.5, 7, 5), kBlue);
    });
  static const QIcon directionIcon = Big([](QPainter& p) {
    Envelope(p, QRectF(0.5, 4.5, 10, 7), kBlue);
    Arrow(p, QPointF(9, 8), QPointF(15.5, 8), kGreen);
  });
  return abonent ? abonentIcon : directionIcon;
}

QIcon TaskIcon(std::string_view taskName) {
  const std::string name(taskName);
  if (name == "ROUTER")
    return Big([](QPainter& p) {
      Arrow(p, QPointF(2, 8), QPointF(14, 3), kBlue);
      Arrow(p, QPointF(2, 8), QPointF(14, 13), kGreen);
      p.setBrush(kInk);
      p.drawEllipse(QPointF(2.5, 8), 2, 2);
    });
  if (name == "MQUEUE")
    return Big([](QPainter& p) {
      Envelope(p, QRectF(4.5, 1.5, 10, 6), kGrey);
      Envelope(p, QRectF(3, 4.5, 10, 6), kBlue.lighter(130));
      Envelope(p, QRectF(1.5, 8.5, 10, 6), kBlue);
    });
  if (name == "MSERVER")
    return Big([](QPainter& p) {
      Cylinder(p, QRectF(1.5, 1.5, 9, 13), QColor(170, 170, 190));
      Envelope(p, QRectF(6.5, 8.5, 9, 6), kBlue);
    });
  if (name == "TCPVELT")
    return Big([](QPainter& p) {
      Globe(p, QPointF(6.5, 6.5), 5.5);
      Arrow(p, QPointF(9, 14), QPointF(15, 9), kGreen);
    });
  if (name == "ZMODEM")
    return Big([](QPainter& p) {
      Pen(p, kInk);
      p.setBrush(QColor(190, 190, 170));
      p.drawRoundedRect(QRectF(0.5, 7.5, 15, 7), 1.5, 1.5);
      p.setBrush(kRed);
      p.drawEllipse(QPointF(3.5, 11), 1.2, 1.2);
      p.setBrush(kGreen);
      p.drawEllipse(QPointF(7, 11), 1.2, 1.2);
      Letter(p, QRectF(0, 0, 16, 8), QStringLiteral("Z"), kDarkBlue, 8);
    });
  return Big([](QPainter& p) { Gear(p, QPointF(8, 8), 7, kGrey); });
}

QIcon CommandIcon(int commandId) {
  const QPixmap pixmap = CommandPixmap(commandId);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace ui
