#include "ui/icons/IconShapes.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace ui::shapes {

QPixmap Paint(int width, int height, const Draw& draw) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  draw(painter);
  return pixmap;
}

// The big icons are drawn at 32 pixels and scaled down by QIcon for 16.
QIcon Big(const Draw& draw) {
  QIcon icon;
  for (int size : {16, 32}) {
    icon.addPixmap(Paint(size, size, [&](QPainter& p) {
      p.scale(size / 16.0, size / 16.0);
      draw(p);
    }));
  }
  return icon;
}

void Pen(QPainter& p, const QColor& colour, qreal width) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void Envelope(QPainter& p, const QRectF& r, const QColor& colour) {
  Pen(p, colour.darker(150));
  p.setBrush(colour.lighter(170));
  p.drawRect(r);
  p.drawPolyline(QPolygonF({r.topLeft(), QPointF(r.center().x(), r.center().y() + 1), r.topRight()}));
}

void Tower(QPainter& p, const QRectF& r) {
  Pen(p, kInk);
  p.setBrush(QColor(200, 200, 210));
  p.drawRect(r);
  Pen(p, kInk.lighter(200));
  for (qreal y = r.top() + 2.5; y < r.bottom() - 3; y += 2.5) p.drawLine(QPointF(r.left() + 1.5, y), QPointF(r.right() - 1.5, y));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(r.center().x(), r.bottom() - 1.8), 0.9, 0.9);
}

void Monitor(QPainter& p, const QRectF& screen, const QColor& glass) {
  Pen(p, kInk);
  p.setBrush(glass);
  p.drawRect(screen);
  p.setBrush(kGrey);
  const qreal cx = screen.center().x();
  p.drawRect(QRectF(cx - 1, screen.bottom(), 2, 2));
  p.drawRect(QRectF(cx - 4, screen.bottom() + 2, 8, 1.5));
}

void Gear(QPainter& p, const QPointF& c, qreal radius, const QColor& colour) {
  QPainterPath path;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const qreal angle = i * kPi / teeth;
    const qreal r = i % 2 ? radius * 0.72 : radius;
    const QPointF point(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
    i ? path.lineTo(point) : path.moveTo(point);
  }
  path.closeSubpath();
  path.addEllipse(c, radius * 0.32, radius * 0.32);
  path.setFillRule(Qt::OddEvenFill);
  Pen(p, colour.darker(160), 0.8);
  p.setBrush(colour);
  p.drawPath(path);
}

void Check(QPainter& p, const QRectF& r, const QColor& colour) {
  Pen(p, colour, 2.2);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(r.left(), r.center().y()), QPointF(r.left() + r.width() * 0.38, r.bottom()),
                            QPointF(r.right(), r.top())}));
}

void Cross(QPainter& p, const QRectF& r, const QColor& colour, qreal width) {
  Pen(p, colour, width);
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
}

void Star(QPainter& p, const QPointF& c, qreal radius, const QColor& colour) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const qreal angle = -kPi / 2 + i * kPi / 5;
    const qreal r = i % 2 ? radius * 0.45 : radius;
    star << QPointF(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
  }
  Pen(p, colour.darker(170), 0.8);
  p.setBrush(colour);
  p.drawPolygon(star);
}

void Clock(QPainter& p, const QPointF& c, qreal radius) {
  Pen(p, kDarkBlue, 1.2);
  p.setBrush(kPaper);
  p.drawEllipse(c, radius, radius);
  Pen(p, kInk, 1.2);
  p.drawLine(c, QPointF(c.x(), c.y() - radius * 0.7));
  p.drawLine(c, QPointF(c.x() + radius * 0.55, c.y()));
}

void Globe(QPainter& p, const QPointF& c, qreal radius) {
  Pen(p, kDarkBlue, 1.0);
  p.setBrush(QColor(120, 180, 240));
  p.drawEllipse(c, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, radius * 0.45, radius);
  p.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
}

void Cylinder(QPainter& p, const QRectF& r, const QColor& colour) {
  const qreal cap = r.height() * 0.28;
  Pen(p, colour.darker(170));
  p.setBrush(colour);
  QPainterPath body;
  body.moveTo(r.left(), r.top() + cap / 2);
  body.lineTo(r.left(), r.bottom() - cap / 2);
  body.arcTo(QRectF(r.left(), r.bottom() - cap, r.width(), cap), 180, 180);
  body.lineTo(r.right(), r.top() + cap / 2);
  p.drawPath(body);
  p.setBrush(colour.lighter(140));
  p.drawEllipse(QRectF(r.left(), r.top(), r.width(), cap));
}

void Folder(QPainter& p, const QRectF& r) {
  Pen(p, QColor(150, 110, 20));
  p.setBrush(QColor(235, 190, 70));
  p.drawRect(QRectF(r.left(), r.top(), r.width() * 0.45, 2));
  p.setBrush(kYellow);
  p.drawRect(QRectF(r.left(), r.top() + 2, r.width(), r.height() - 2));
}

void Book(QPainter& p, const QRectF& r, const QColor& colour) {
  Pen(p, colour.darker(170));
  p.setBrush(colour);
  p.drawRect(r);
  Pen(p, kPaper);
  p.drawLine(QPointF(r.left() + 1.5, r.top() + 2), QPointF(r.left() + 1.5, r.bottom() - 1));
}

// Two arrows chasing each other round a circle.
void CycleArrows(QPainter& p, const QPointF& c, qreal radius, const QColor& colour) {
  Pen(p, colour, 1.6);
  p.setBrush(Qt::NoBrush);
  const QRectF box(c.x() - radius, c.y() - radius, radius * 2, radius * 2);
  p.drawArc(box, 20 * 16, 140 * 16);
  p.drawArc(box, 200 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  const QPointF a(c.x() - radius * std::cos(20 * kPi / 180) * -1, c.y() - radius * std::sin(20 * kPi / 180));
  p.drawPolygon(QPolygonF({a + QPointF(-2.5, -1), a + QPointF(2.5, -1), a + QPointF(0, 2.5)}));
  const QPointF b(c.x() - radius * std::cos(20 * kPi / 180), c.y() + radius * std::sin(20 * kPi / 180));
  p.drawPolygon(QPolygonF({b + QPointF(-2.5, 1), b + QPointF(2.5, 1), b + QPointF(0, -2.5)}));
}

void Badge(QPainter& p, const QPointF& c, const QColor& colour, bool plus) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(c, 3.6, 3.6);
  Pen(p, Qt::white, 1.4);
  p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 2, c.y()));
  if (plus) p.drawLine(QPointF(c.x(), c.y() - 2), QPointF(c.x(), c.y() + 2));
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, int pixelSize) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
}

// A window outline with its title bar; `part` is filled to show a bar or pane.
void Frame(QPainter& p, const QRectF& r, const QRectF& part, const QColor& partColour) {
  Pen(p, kInk);
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(kDarkBlue);
  p.drawRect(QRectF(r.left(), r.top(), r.width(), 2.5));
  if (!part.isNull()) {
    p.setBrush(partColour);
    p.drawRect(part);
  }
}

void Grid(QPainter& p, const QRectF& r) {
  Pen(p, kInk);
  p.setBrush(Qt::white);
  p.drawRect(r);
  Pen(p, kGrey, 0.8);
  for (qreal y = r.top() + 3; y < r.bottom(); y += 3) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  p.drawLine(QPointF(r.left() + r.width() / 3, r.top()), QPointF(r.left() + r.width() / 3, r.bottom()));
}

void ListLines(QPainter& p, const QRectF& r, const QColor& colour) {
  Pen(p, colour, 1.4);
  for (qreal y = r.top() + 1; y <= r.bottom(); y += 3) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
}

void Magnifier(QPainter& p, const QPointF& c, qreal radius) {
  Pen(p, kInk, 1.4);
  p.setBrush(QColor(200, 230, 255, 200));
  p.drawEllipse(c, radius, radius);
  Pen(p, kInk, 2.0);
  p.drawLine(c + QPointF(radius * 0.7, radius * 0.7), c + QPointF(radius * 1.7, radius * 1.7));
}

void Pencil(QPainter& p, const QPointF& tip) {
  Pen(p, QColor(160, 100, 20), 2.4);
  p.drawLine(tip + QPointF(2, -2), tip + QPointF(7, -7));
  Pen(p, kInk, 1.2);
  p.drawLine(tip, tip + QPointF(1.6, -1.6));
}

void Arrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour) {
  Pen(p, colour, 1.6);
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF n(-d.y(), d.x());
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({to + d * 1.5, to - d * 2.5 + n * 2.5, to - d * 2.5 - n * 2.5}));
}

void WarningTriangle(QPainter& p, const QRectF& r) {
  Pen(p, kRed.darker(140));
  p.setBrush(kYellow);
  p.drawPolygon(QPolygonF({QPointF(r.center().x(), r.top()), r.bottomRight(), r.bottomLeft()}));
  Letter(p, r.adjusted(0, 2, 0, 1), QStringLiteral("!"), kRed.darker(130), int(r.height() * 0.8));
}

}  // namespace ui::shapes
