#include "controls/biaspicture.h"

#include <QPainter>

namespace {
constexpr int W = TBiasPicture::kWidth, H = TBiasPicture::kHeight;

void Text(QPainter& painter, int x, int y, const char* text) {
  // Positions are the text's top left corner.
  painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), QString::fromLatin1(text));
}

// "+", "0" and "-" down one side of the level axis.
void Marks(QPainter& painter, int x) {
  Text(painter, x, 9, "+");
  Text(painter, x, H / 2 - 4, "0");
  Text(painter, x, H - 17, "-");
}
}  // namespace

TBiasPicture::TBiasPicture(QWidget* parent) : QWidget(parent) { setFixedSize(kWidth, kHeight); }

void TBiasPicture::SetDirection(int direction) {
  if (direction == direction_) return;
  direction_ = direction;
  update();
}

void TBiasPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter, direction_);
}

void TBiasPicture::Draw(QPainter& painter, int direction) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(0, 0, W, H, QColor(0x00, 0xFF, 0xFF));
  const QPen solid(Qt::black);
  QPen dotted(Qt::black);
  dotted.setStyle(Qt::DotLine);
  painter.setPen(solid);
  QFont font = painter.font();
  font.setPixelSize(7);
  painter.setFont(font);
  Text(painter, 2, 1, "Level");
  Text(painter, 4, H - 9, "C-1");
  Text(painter, W / 2 - 7, H - 9, "B P");
  Text(painter, W - 12, H - 9, "G9");
  painter.drawLine(4, H - 10, W - 4, H - 10);
  painter.drawLine(W - 6, H - 12, W - 6, H - 8);
  painter.drawLine(4, 10, 4, H - 10);
  painter.drawLine(2, 11, 6, 11);
  painter.drawLine(14, H / 2, W - 14, H / 2);

  const QPoint centre(W / 2, H / 2);
  const bool left = direction == 0 || direction == 2 || direction == 3;
  const bool right = direction == 1 || direction == 2 || direction == 3;
  if (left) Marks(painter, 7);
  if (right) Marks(painter, W - 13);
  if (direction == 3) {
    painter.drawLine(W - 14, 12, 14, H - 12);
    painter.setPen(dotted);
    painter.drawLine(W - 14, H - 12, 14, 12);
  } else if (direction >= 0 && direction <= 2) {
    if (right) painter.drawLine(centre, QPoint(W - 14, 12));
    if (direction != 1) painter.drawLine(centre, QPoint(14, 12));
    painter.setPen(dotted);
    if (right) painter.drawLine(centre, QPoint(W - 14, H - 12));
    if (direction != 1) painter.drawLine(centre, QPoint(14, H - 12));
    // The bias point's marker.
    painter.drawLine(centre, QPoint(W / 2, H - 10));
  }
  painter.restore();
}
