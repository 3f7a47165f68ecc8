#pragma once
// TLfoPicture: the shape of an LFO waveform, 0 "Triangolar", 1 "Sinuisoidal", 2 "SAW", 3
// "Square", 4 "Trapeziodal", 5 "Sample", 6 "Random", 7 "Caos", on aqua. The random shapes are
// drawn anew with fresh random numbers every time the waveform is chosen.
#include <functional>

#include <QPolygon>
#include <QWidget>

class TLfoPicture : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 62;
  static constexpr int kHeight = 38;
  static constexpr int kWaveformCount = 8;

  explicit TLfoPicture(QWidget* parent = nullptr);

  int Waveform() const { return waveform_; }
  // Redraws for a waveform (also the same one again: the random shapes change).
  void SetWaveform(int waveform);
  // The line the picture shows, in picture coordinates.
  const QPolygon& Line() const { return line_; }

  // The line of a waveform in a picture height high and width wide; random(n) gives a whole
  // number from 0 to n − 1 for the random shapes.
  static QPolygon Shape(int waveform, int width, int height, const std::function<int(int)>& random);

  QSize sizeHint() const override { return {kWidth, kHeight}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int waveform_ = -1;
  QPolygon line_;
};
