#include "controls/rotaryknob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainter>

TRotaryKnob::TRotaryKnob(QWidget* parent) : TRangeControl(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(30, 30);
}

void TRotaryKnob::SetIndicatorColor(const QColor& color) {
  indicatorColor_ = color;
  update();
}

int TRotaryKnob::Diameter() const {
  return std::min(width() - 3, height() - 3);
}

QPoint TRotaryKnob::Centre() const {
  const int s = Diameter();
  return QPoint((width() - 3 - s) / 2 + s / 2, (height() - 3 - s) / 2 + s / 2);
}

bool TRotaryKnob::PointInKnob(const QPoint& point) const {
  const QPoint d = point - Centre();
  return std::lround(std::hypot(d.x(), d.y())) <= Radius();
}

int TRotaryKnob::AngleAt(const QPoint& point) const {
  const int dx = point.x() - Centre().x();
  const int dy = point.y() - Centre().y();
  if (dx == 0) return dy < 0 ? 180 : 0;
  const int a = std::abs(static_cast<int>(std::lround(std::atan(double(dy) / dx) * 57.3)));
  if (dx > 0) return dy > 0 ? 270 + a : 270 - a;
  return dy < 0 ? 90 + a : 90 - a;
}

void TRotaryKnob::SetPositionFromPoint(const QPoint& point) {
  const int p = Min() + ((AngleAt(point) - 35) * (Max() - Min())) / 290;
  SetPosition(std::clamp(p, Min(), Max()));
}

QColor TRotaryKnob::Darker(const QColor& color, int percent) {
  auto down = [percent](int c) { return c - c * percent / 100; };
  return QColor(down(color.red()), down(color.green()), down(color.blue()));
}

void TRotaryKnob::PaintKnob(QPainter& canvas) {
  // Qt paints through a back buffer already, so the knob is drawn in one piece without one here.
  canvas.fillRect(rect(), Color());
  canvas.setRenderHint(QPainter::Antialiasing);
  const int s = Diameter();
  const int r = Radius();
  const QPoint centre = Centre();
  const QRect square((width() - 3 - s) / 2, (height() - 3 - s) / 2, s, s);
  canvas.setPen(Qt::NoPen);
  canvas.setBrush(Darker(Color(), 25));
  canvas.drawEllipse(square);
  // The face: lit upper-left and shaded lower-right halves split at 45 - glint degrees, a
  // narrow bevel of them left round a plain face.
  const int ring = std::max(1, s / 10);
  const QRect face = square.adjusted(ring, ring, -ring, -ring);
  const int split = (45 - glint_) * 16;
  canvas.setBrush(palette().color(QPalette::Light));
  canvas.drawPie(face, split, 180 * 16);
  canvas.setBrush(palette().color(QPalette::Dark));
  canvas.drawPie(face, split + 180 * 16, 180 * 16);
  const int bevel = std::max(1, s / 12);
  canvas.setBrush(palette().color(QPalette::Button));
  canvas.drawEllipse(face.adjusted(bevel, bevel, -bevel, -bevel));
  canvas.setBrush(Qt::NoBrush);
  canvas.setPen(Darker(Color(), 50));
  canvas.drawEllipse(face);
  // The dot, at 0.7 R along the position's angle.
  if (Max() != Min() && !Unset()) {
    const double knobAngle = double(Position() - Min()) * 290 / (Max() - Min()) + 35;
    const double screen =
        (knobAngle > 270 ? knobAngle - 270 : knobAngle + 90) * std::numbers::pi / 180;
    const QPoint dot(centre.x() + static_cast<int>(std::lround(std::cos(screen) * 0.7 * r)),
                     centre.y() + static_cast<int>(std::lround(std::sin(screen) * 0.7 * r)));
    const int dotRadius = std::max(1, r / 6);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(indicatorColor_);
    canvas.drawEllipse(dot, dotRadius, dotRadius);
  }
  glint_ += glintStep_;
  if (glint_ > 9) {
    glint_ = 6;
    glintStep_ = -2;
  } else if (glint_ < 0) {
    glint_ = 2;
    glintStep_ = 2;
  }
}
