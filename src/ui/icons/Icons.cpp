#include "ui/icons/Icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "core/MessageImage.h"

namespace ui {

namespace {

using Draw = std::function<void(QPainter&)>;

constexpr qreal kPi = std::numbers::pi;

const QColor kInk(40, 40, 40);
const QColor kBlue(30, 90, 200);
const QColor kDarkBlue(20, 40, 120);
const QColor kGreen(20, 150, 40);
const QColor kRed(200, 30, 30);
const QColor kYellow(240, 200, 40);
const QColor kGrey(150, 150, 150);
const QColor kPaper(250, 250, 245);

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

void Pen(QPainter& p, const QColor& colour, qreal width = 1.0) {
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
void Frame(QPainter& p, const QRectF& r, const QRectF& part = {}, const QColor& partColour = kBlue) {
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

QIcon CommandIcon(int commandId) {
  const QPixmap pixmap = CommandPixmap(commandId);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace ui
