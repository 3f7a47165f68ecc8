#include "controls/lfopicture.h"

#include <cmath>
#include <functional>

#include <QPainter>
#include <QRandomGenerator>

namespace {
QPolygon Points(std::initializer_list<QPoint> points) { return QPolygon(QList<QPoint>(points)); }

// A sine from (4, h/2), one step of t a line, each point rounded to the nearest pixel.
QPolygon Sine(int height, double xPerT, double tEnd, const std::function<double()>& amplitude) {
  QPolygon line;
  line << QPoint(4, height / 2);
  for (double t = 0; t <= tEnd + 1e-9; t += 0.08)
    line << QPoint(static_cast<int>(std::lround(4 + xPerT * t)),
                   static_cast<int>(std::lround(height / 2 - amplitude() * std::sin(t))));
  return line;
}
}  // namespace

TLfoPicture::TLfoPicture(QWidget* parent) : QWidget(parent) {
  setFixedSize(kWidth, kHeight);
  SetWaveform(0);
}

QPolygon TLfoPicture::Shape(int waveform, int width, int height,
                            const std::function<int(int)>& random) {
  switch (waveform) {
    case 0:
      return Points({{4, 34}, {14, 4}, {24, 34}, {34, 4}, {44, 34}, {54, 4}, {59, 21}});
    case 1:
      return Sine(height, 6, 9.42, [] { return 18.0; });
    case 2:
      return Points({{4, 34}, {26, 4}, {26, 34}, {48, 4}, {48, 34}, {59, 19}});
    case 3:
      return Points({{4, 34}, {4, 4}, {17, 4}, {17, 34}, {30, 34}, {30, 4}, {43, 4}, {43, 34},
                     {56, 34}, {56, 4}});
    case 4:
      return Points({{4, 34}, {8, 4}, {18, 4}, {22, 34}, {32, 34}, {36, 4}, {46, 4}, {50, 34},
                     {58, 34}});
    case 5:
      return Points({{4, 19},  {4, 15},  {9, 15},  {9, 29},  {14, 29}, {14, 11}, {19, 11},
                     {19, 3},  {24, 3},  {24, 35}, {29, 35}, {29, 29}, {34, 29}, {34, 19},
                     {39, 19}, {39, 3},  {44, 3},  {44, 9},  {49, 9},  {49, 19}, {54, 19},
                     {54, 29}, {59, 29}, {59, 15}});
    case 6: {
      // The amplitude changes each time the sine passes close to zero.
      double amplitude = 10;
      double t = 0;
      QPolygon line;
      line << QPoint(4, height / 2);
      for (; t <= 18.84 + 1e-9; t += 0.08) {
        if (std::fabs(std::sin(t)) < 0.1) amplitude = 6 + random(12);
        line << QPoint(static_cast<int>(std::lround(4 + 3 * t)),
                       static_cast<int>(std::lround(height / 2 - amplitude * std::sin(t))));
      }
      return line;
    }
    case 7: {
      QPolygon line;
      QPoint at(4, height - 4);
      line << at;
      for (int segment = 0; segment < 30; ++segment) {
        const int x = at.x() + 2 + random(4);
        const int margin = 4 + random(6);
        const int y = segment % 2 == 0 ? margin : height - margin;
        if (x > width - 4) break;
        at = QPoint(x, y);
        line << at;
      }
      return line;
    }
    default:
      return {};
  }
}

void TLfoPicture::SetWaveform(int waveform) {
  waveform_ = waveform;
  line_ = Shape(waveform, kWidth, kHeight,
                [](int n) { return static_cast<int>(QRandomGenerator::global()->bounded(n)); });
  update();
}

void TLfoPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x00, 0xFF, 0xFF));
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, width() - 1, height() - 1);
  painter.drawPolyline(line_);
}
