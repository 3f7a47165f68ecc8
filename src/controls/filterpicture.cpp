#include "controls/filterpicture.h"

#include <cmath>

#include <QPainter>

namespace {
// The angle (degrees, counter-clockwise from three o'clock) of a point seen from the centre of
// a rectangle.
double AngleOf(const QRectF& rect, QPointF point) {
  const QPointF centre = rect.center();
  return std::atan2(-(point.y() - centre.y()), point.x() - centre.x()) * 180.0 / M_PI;
}

// The part of the ellipse inside (x1, y1)-(x2, y2) from the ray through `from` counter-clockwise
// to the ray through `to`.
void Arc(QPainter& painter, int x1, int y1, int x2, int y2, QPointF from, QPointF to) {
  const QRectF rect(x1, y1, x2 - x1, y2 - y1);
  const double start = AngleOf(rect, from);
  double span = AngleOf(rect, to) - start;
  while (span <= 0) span += 360;
  painter.drawArc(rect, static_cast<int>(std::lround(start * 16)),
                  static_cast<int>(std::lround(span * 16)));
}
}  // namespace

TFilterPicture::TFilterPicture(QWidget* parent) : QWidget(parent) {
  setFixedSize(kWidth, kHeight);
}

void TFilterPicture::SetType(int type) {
  if (type == type_) return;
  type_ = type;
  update();
}

void TFilterPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter, type_);
}

void TFilterPicture::Draw(QPainter& painter, int type) {
  constexpr int W = kWidth, H = kHeight;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(0, 0, W, H, QColor(0x00, 0xFF, 0xFF));
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, W - 1, H - 1);
  if (type == 0) {
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(QPoint(20, 12 + painter.fontMetrics().ascent()), QStringLiteral("OFF"));
  } else if (type > 0 && type < kTypeCount) {
    painter.drawLine(4, H - 4, W - 4, H - 4);
    painter.drawLine(W - 6, H - 6, W - 6, H - 2);
    painter.drawLine(4, 4, 4, H - 4);
    painter.drawLine(2, 5, 6, 5);
    switch (type) {
      case 1:  // low pass
        painter.drawLine(4, 20, 34, 20);
        Arc(painter, 19, 20, 44, 35, {39, 25}, {34, 20});
        painter.drawLine(42, 24, 46, 34);
        break;
      case 2:  // band pass
        Arc(painter, 22, 24, 40, 54, {40, 34}, {22, 34});
        break;
      case 3:  // high pass
        painter.drawLine(56, 20, 23, 20);
        Arc(painter, 15, 20, 43, 35, {23, 20}, {15, 27});
        painter.drawLine(15, 26, 10, 34);
        break;
      case 4:  // peaking
        Arc(painter, 22, 11, 40, 34, {40, 19}, {22, 19});
        painter.drawLine(4, 19, 23, 19);
        painter.drawLine(40, 19, 56, 19);
        break;
    }
  }
  painter.restore();
}
