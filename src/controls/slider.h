#pragma once
// TSlider: a track with a thumb dragged along it, between MinValue and MaxValue. A drag reports
// every move and its end (with Shift, in fine steps: TFineDrag); the wheel and the Up/Down keys step the value by one and end once.
#include <QColor>
#include <QWidget>

#include "controls/finedrag.h"
#include "controls/accessiblecontrol.h"

class TStepGesture;

enum TSliderOrientation { slHoriz, slVertical };

class TSlider : public QWidget, public TAccessibleValue {
  Q_OBJECT
  Q_PROPERTY(int TrackWidth READ TrackWidth WRITE SetTrackWidth)
  Q_PROPERTY(QColor TrackColor READ TrackColor WRITE SetTrackColor)
  Q_PROPERTY(int ThumbHeight READ ThumbHeight WRITE SetThumbHeight)
  Q_PROPERTY(QColor ThumbColor READ ThumbColor WRITE SetThumbColor)
  Q_PROPERTY(TSliderOrientation Orientation READ Orientation WRITE SetOrientation)
  Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
  Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
  Q_PROPERTY(int Value READ Value WRITE SetValue)
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)

 public:
  explicit TSlider(QWidget* parent = nullptr);

  int TrackWidth() const { return trackWidth_; }
  void SetTrackWidth(int width);
  QColor TrackColor() const { return trackColor_; }
  void SetTrackColor(const QColor& color);
  // The thumb's extent along the track.
  int ThumbHeight() const { return thumbHeight_; }
  void SetThumbHeight(int height);
  // Kept with the layout; the thumb is drawn in the button face colour.
  QColor ThumbColor() const { return thumbColor_; }
  void SetThumbColor(const QColor& color) { thumbColor_ = color; }
  TSliderOrientation Orientation() const { return orientation_; }
  void SetOrientation(TSliderOrientation orientation);
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  int MinValue() const { return minValue_; }
  void SetMinValue(int min);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int max);
  int Value() const { return value_; }
  // Clamped to [MinValue, MaxValue]; a change fires OnValueChange.
  void SetValue(int value);
  // No value to show (a stored byte outside the range): the thumb is drawn hollow, in red, where
  // Value puts it. A drag or step ends it; the first step keeps Value and reports it.
  void SetUnset(bool unset);
  bool Unset() const { return unset_; }

  // Pixels per value along the track, and the thumb's offset along it from the low end.
  double Scale() const;
  int ThumbOffset() const;
  // Where the thumb is drawn.
  QRect ThumbRect() const;
  bool Dragging() const { return dragging_; }

  QSize sizeHint() const override { return {160, 26}; }

  // TAccessibleValue: a slider; the track of a TPanSlider reads and sets the panel's value.
  QAccessible::Role AccessibleRole() const override { return QAccessible::Slider; }
  QString AccessibleText() const override;
  int AccessibleValue() const override;
  int AccessibleMin() const override;
  int AccessibleMax() const override;
  void SetAccessibleValue(int value) override;

 Q_SIGNALS:
  void OnValueChange();
  void OnEndChange();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int Length() const { return orientation_ == slHoriz ? width() : height(); }
  int Along(const QPoint& point) const { return orientation_ == slHoriz ? point.x() : point.y(); }
  // The thumb's leading edge along the track: its left, or its top when vertical.
  int ThumbEdge() const;

  // Null until the constructor's body makes it: the gesture, a child, sends its ChildAdded
  // through event(), which must not use it yet.
  TStepGesture* gesture_ = nullptr;
  int trackWidth_ = 8;
  QColor trackColor_;
  int thumbHeight_ = 10;
  QColor thumbColor_;
  QColor color_;
  TSliderOrientation orientation_ = slHoriz;
  int minValue_ = 0;
  int maxValue_ = 100;
  int value_ = 30;
  bool dragging_ = false;
  bool unset_ = false;
  int grab_ = 0;
  TFineDrag fine_;
};
