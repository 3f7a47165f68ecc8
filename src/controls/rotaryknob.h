#pragma once
// TRotaryKnob: a round knob turned with the mouse. Its usable sweep is 290 degrees, from 35
// degrees right of straight down (lower left, Min) round over the top to the lower right (Max).
// A red dot marks the position; the lit face shimmers a little as it is turned.
#include "controls/rangecontrol.h"

class TRotaryKnob : public TRangeControl {
  Q_OBJECT
  Q_PROPERTY(QColor IndicatorColor READ IndicatorColor WRITE SetIndicatorColor)

 public:
  explicit TRotaryKnob(QWidget* parent = nullptr);

  QColor IndicatorColor() const { return indicatorColor_; }
  void SetIndicatorColor(const QColor& color);

  // The knob's diameter, radius and centre.
  int Diameter() const;
  int Radius() const { return Diameter() / 2; }
  QPoint Centre() const;
  // The knob angle of a point: 0 straight down, 90 left, 180 up, 270 right.
  int AngleAt(const QPoint& point) const;
  // The glint of the next paint (0, 2, 4, 6, 8, 6, ...).
  int Glint() const { return glint_; }
  // Each of red, green and blue moved toward 0 by percent of its value.
  static QColor Darker(const QColor& color, int percent);

  void SetPositionFromPoint(const QPoint& point) override;
  void PaintKnob(QPainter& canvas) override;
  bool PointInKnob(const QPoint& point) const override;

  QSize sizeHint() const override { return {30, 30}; }

 private:
  QColor indicatorColor_ = QColor(255, 0, 0);
  int glint_ = 0;
  int glintStep_ = 2;
};
