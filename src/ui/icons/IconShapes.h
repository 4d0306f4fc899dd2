#pragma once
// The shapes the program's pictures are made of: a small vocabulary of
// envelopes, towers, gears, frames and badges drawn on a 16-unit canvas.

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <functional>
#include <numbers>

namespace ui::shapes {

using Draw = std::function<void(QPainter&)>;

constexpr qreal kPi = std::numbers::pi;

inline const QColor kInk(40, 40, 40);
inline const QColor kBlue(30, 90, 200);
inline const QColor kDarkBlue(20, 40, 120);
inline const QColor kGreen(20, 150, 40);
inline const QColor kRed(200, 30, 30);
inline const QColor kYellow(240, 200, 40);
inline const QColor kGrey(150, 150, 150);
inline const QColor kPaper(250, 250, 245);

// A transparent pixmap of the size given, drawn by `draw`.
QPixmap Paint(int width, int height, const Draw& draw);
// An icon drawn at 16 and 32 pixels from one 16-unit drawing.
QIcon Big(const Draw& draw);
void Pen(QPainter& p, const QColor& colour, qreal width = 1.0);
void Envelope(QPainter& p, const QRectF& r, const QColor& colour);
void Tower(QPainter& p, const QRectF& r);
void Monitor(QPainter& p, const QRectF& screen, const QColor& glass);
void Gear(QPainter& p, const QPointF& c, qreal radius, const QColor& colour);
void Check(QPainter& p, const QRectF& r, const QColor& colour);
void Cross(QPainter& p, const QRectF& r, const QColor& colour, qreal width);
void Star(QPainter& p, const QPointF& c, qreal radius, const QColor& colour);
void Clock(QPainter& p, const QPointF& c, qreal radius);
void Globe(QPainter& p, const QPointF& c, qreal radius);
void Cylinder(QPainter& p, const QRectF& r, const QColor& colour);
void Folder(QPainter& p, const QRectF& r);
void Book(QPainter& p, const QRectF& r, const QColor& colour);
// Two arrows chasing each other round a circle.
void CycleArrows(QPainter& p, const QPointF& c, qreal radius, const QColor& colour);
void Badge(QPainter& p, const QPointF& c, const QColor& colour, bool plus);
void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, int pixelSize);
// A window outline with its title bar; `part` is filled to show a bar or pane.
void Frame(QPainter& p, const QRectF& r, const QRectF& part = {}, const QColor& partColour = kBlue);
void Grid(QPainter& p, const QRectF& r);
void ListLines(QPainter& p, const QRectF& r, const QColor& colour);
void Magnifier(QPainter& p, const QPointF& c, qreal radius);
void Pencil(QPainter& p, const QPointF& tip);
void Arrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour);
void WarningTriangle(QPainter& p, const QRectF& r);

}  // namespace ui::shapes
