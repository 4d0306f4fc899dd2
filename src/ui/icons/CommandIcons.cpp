#include "ui/icons/Icons.h"

#include <QPainterPath>
#include <QPolygonF>

#include "ui/icons/IconShapes.h"

namespace ui {

using namespace shapes;

QPixmap CommandPixmap(int commandId) {
  // Toolbar buttons are 16 x 15; the pictures stay inside rows 0..14.
  Draw draw;
  const QRectF window(1.5, 1.5, 13, 12);
  switch (commandId) {
    case 32839:  // menu bar
      draw = [=](QPainter& p) {
        Frame(p, window);
        ListLines(p, QRectF(3, 5, 3, 0), kInk);
        ListLines(p, QRectF(7.5, 5, 3, 0), kInk);
      };
      break;
    case 32772:  // main toolbar
      draw = [=](QPainter& p) {
        Frame(p, window, QRectF(2, 4, 12, 3), kGreen);
        Grid(p, QRectF(3.5, 8.5, 9, 4));
      };
      break;
    case 59392: draw = [=](QPainter& p) { Frame(p, window, QRectF(2, 4, 4, 9.5), kBlue); }; break;  // navigation
    case 32776: draw = [=](QPainter& p) { Frame(p, window, QRectF(10, 4, 4, 9.5), kGreen); }; break;  // properties
    case 32777:  // favourites pane
      draw = [=](QPainter& p) {
        Frame(p, window, QRectF(2, 9.5, 12, 4), kYellow.darker(110));
        Star(p, QPointF(8, 7), 3, kYellow);
      };
      break;
    case 32790:  // help pane
      draw = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 7.5), 7, 7);
        Letter(p, QRectF(1, 0.5, 14, 14), QStringLiteral("?"), Qt::white, 11);
      };
      break;
    case 32795:  // data view toolbar
      draw = [](QPainter& p) {
        Grid(p, QRectF(1.5, 1.5, 13, 12));
        Magnifier(p, QPointF(9, 7), 3);
      };
      break;
    case 32796:  // favourites operations toolbar
      draw = [=](QPainter& p) {
        Frame(p, window, QRectF(2, 4, 12, 3), kYellow.darker(110));
        Star(p, QPointF(8, 10), 3.5, kYellow);
      };
      break;
    case 32797:  // window operations toolbar
      draw = [](QPainter& p) {
        Frame(p, QRectF(1.5, 1.5, 9, 7));
        Frame(p, QRectF(5.5, 6.5, 9, 7));
      };
      break;
    case 32801:  // pop-up messages
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(QColor(255, 255, 210));
        p.drawRect(QRectF(1.5, 1.5, 13, 10));
        p.drawPolygon(QPolygonF({QPointF(4, 11.5), QPointF(4, 14.5), QPointF(7, 11.5)}));
        ListLines(p, QRectF(3.5, 4, 9, 5), kInk);
      };
      break;
    case 32802:  // pop-ups disabled
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(QColor(255, 255, 210));
        p.drawRect(QRectF(1.5, 1.5, 13, 10));
        ListLines(p, QRectF(3.5, 4, 9, 5), kGrey);
        Pen(p, kRed, 2.0);
        p.drawLine(QPointF(2, 13.5), QPointF(14, 1.5));
      };
      break;
    case 32803:  // computer identification
      draw = [](QPainter& p) {
        Monitor(p, QRectF(1.5, 1.5, 13, 8.5), QColor(100, 160, 230));
        Letter(p, QRectF(1.5, 1.5, 13, 8.5), QStringLiteral("ID"), Qt::white, 7);
      };
      break;
    case 32792: draw = [](QPainter& p) { Gear(p, QPointF(8, 7.5), 7, QColor(120, 130, 150)); }; break;  // settings
    case 32786: draw = [](QPainter& p) { CycleArrows(p, QPointF(8, 7.5), 5.5, kGreen); }; break;  // rescan view
    case 32789:  // preview area in tables
      draw = [](QPainter& p) {
        Grid(p, QRectF(1.5, 1.5, 13, 7));
        Pen(p, kInk);
        p.setBrush(QColor(255, 255, 210));
        p.drawRect(QRectF(1.5, 9.5, 13, 4));
      };
      break;
    case 32788:  // fields chooser
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(Qt::white);
        for (qreal x : {1.5, 6.0, 10.5}) p.drawRect(QRectF(x, 1.5, 4, 12));
        Check(p, QRectF(6.5, 8, 8, 5.5), kGreen);
      };
      break;
    case 32779:  // new group
      draw = [](QPainter& p) {
        Star(p, QPointF(6.5, 6.5), 5.5, kYellow);
        Badge(p, QPointF(11.5, 10.5), kGreen, true);
      };
      break;
    case 32780:  // remove group
      draw = [](QPainter& p) {
        Star(p, QPointF(6.5, 6.5), 5.5, kYellow);
        Badge(p, QPointF(11.5, 10.5), kRed, false);
      };
      break;
    case 32785:  // edit group
      draw = [](QPainter& p) {
        Star(p, QPointF(6.5, 6.5), 5.5, kYellow);
        Pencil(p, QPointF(7.5, 14));
      };
      break;
    case 32782:  // add directions to a group
      draw = [](QPainter& p) {
        ListLines(p, QRectF(1.5, 2, 9, 9), kBlue);
        Badge(p, QPointF(11.5, 10.5), kGreen, true);
      };
      break;
    case 32783:  // remove directions from a group
      draw = [](QPainter& p) {
        ListLines(p, QRectF(1.5, 2, 9, 9), kBlue);
        Badge(p, QPointF(11.5, 10.5), kRed, false);
      };
      break;
    case 32781:  // detailed group view
      draw = [](QPainter& p) {
        Star(p, QPointF(6, 6), 5, kYellow);
        Magnifier(p, QPointF(9.5, 8.5), 3);
      };
      break;
    case 57650:  // cascade
      draw = [](QPainter& p) {
        Frame(p, QRectF(0.5, 0.5, 9, 7));
        Frame(p, QRectF(3.5, 3.5, 9, 7));
        Frame(p, QRectF(6.5, 6.5, 9, 7));
      };
      break;
    case 57651:  // tile horizontally: one above the other
      draw = [](QPainter& p) {
        Frame(p, QRectF(1.5, 0.5, 13, 6));
        Frame(p, QRectF(1.5, 7.5, 13, 6));
      };
      break;
    case 57652:  // tile vertically: side by side
      draw = [](QPainter& p) {
        Frame(p, QRectF(0.5, 1.5, 7, 12));
        Frame(p, QRectF(8.5, 1.5, 7, 12));
      };
      break;
    case 57649:  // arrange icons
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(kDarkBlue);
        for (qreal x : {0.5, 5.5, 10.5}) p.drawRect(QRectF(x, 10.5, 4.5, 3));
        Pen(p, kGrey);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 15, 14));
      };
      break;
    case 32799:  // minimise all views
      draw = [](QPainter& p) {
        Frame(p, QRectF(1.5, 0.5, 13, 8));
        Arrow(p, QPointF(8, 5), QPointF(8, 12), kBlue);
        Pen(p, kInk, 1.6);
        p.drawLine(QPointF(2, 14), QPointF(14, 14));
      };
      break;
    case 32787:  // next view
      draw = [](QPainter& p) {
        Frame(p, QRectF(0.5, 1.5, 9, 8));
        Arrow(p, QPointF(6, 12), QPointF(14.5, 12), kGreen);
      };
      break;
    case 103:  // window manager
      draw = [](QPainter& p) {
        Pen(p, kInk);
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 0.5, 13, 14));
        for (qreal y : {3.0, 7.0, 11.0}) {
          p.setPen(Qt::NoPen);
          p.setBrush(kDarkBlue);
          p.drawRect(QRectF(3, y - 1, 2.5, 2.5));
          ListLines(p, QRectF(7, y, 6, 0), kInk);
        }
      };
      break;
    default: return {};
  }
  return Paint(16, 15, draw);
}

}  // namespace ui
