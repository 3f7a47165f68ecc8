#include "controls/fountainfill.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace {
// a * b / c rounded to the nearest integer, as a 64-bit product so that nothing overflows.
int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const double exact = static_cast<double>(a) * b / c;
  return static_cast<int>(std::lround(exact));
}
}  // namespace

TFountainFill::TFountainFill(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(50, 50);
}

void TFountainFill::SetFromColor(const QColor& color) {
  fromColor_ = color;
  update();
}

void TFountainFill::SetToColor(const QColor& color) {
  toColor_ = color;
  update();
}

void TFountainFill::SetSteps(int steps) {
  steps_ = std::clamp(steps, kMinSteps, kMaxSteps);
  update();
}

void TFountainFill::SetStyle(TFountainStyle style) {
  style_ = style;
  update();
}

QColor TFountainFill::StepColor(int step) const {
  const int last = steps_ - 1;
  auto channel = [&](int from, int to) { return from + MulDiv(step, to - from, last); };
  return QColor(channel(fromColor_.red(), toColor_.red()),
                channel(fromColor_.green(), toColor_.green()),
                channel(fromColor_.blue(), toColor_.blue()));
}

void TFountainFill::Paint(QPainter& painter, const QRect& rect) const {
  painter.save();
  painter.setPen(Qt::NoPen);
  if (steps_ < 2 || fromColor_.rgb() == toColor_.rgb()) {
    painter.fillRect(rect, fromColor_);
    painter.restore();
    return;
  }
  const int width = rect.width();
  const int height = rect.height();
  if (style_ == TFountainStyle::fsCircular) {
    painter.setRenderHint(QPainter::Antialiasing);
    // The first circle's diameter is the diagonal, so it covers the corners too.
    const int diagonal = static_cast<int>(
        std::lround(std::sqrt(double(width) * width + double(height) * height) + 0.5));
    const QPointF centre = QRectF(rect).center();
    painter.fillRect(rect, fromColor_);
    for (int i = 0; i < steps_; ++i) {
      const double diameter = MulDiv(steps_ - i, diagonal, steps_);
      painter.setBrush(StepColor(i));
      painter.drawEllipse(centre, diameter / 2, diameter / 2);
    }
  } else {
    const bool across = style_ == TFountainStyle::fsHorizontal;
    const int length = across ? width : height;
    for (int i = 0; i < steps_; ++i) {
      const int from = MulDiv(i, length, steps_);
      const int to = MulDiv(i + 1, length, steps_);
      const QRect band = across ? QRect(rect.left() + from, rect.top(), to - from, height)
                                : QRect(rect.left(), rect.top() + from, width, to - from);
      painter.fillRect(band, StepColor(i));
    }
  }
  painter.restore();
}

void TFountainFill::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, rect());
}

void TFountainFill::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    Q_EMIT Clicked();
  QWidget::mouseReleaseEvent(event);
}

void TFountainFill::mouseDoubleClickEvent(QMouseEvent* event) {
  Q_EMIT DoubleClicked();
  QWidget::mouseDoubleClickEvent(event);
}
