#pragma once
// TPanSlider: a panel with a slider and a click field that show one value and move together; the
// level and value slider of the editor windows. A negative Min shifts the slider's range to
// start at 0 (Min -64, Max 63: slider 0..127, slider 64 is value 0).
#include <QColor>
#include <QFrame>

#include "controls/accessiblecontrol.h"

class TClickEdit;
class TSlider;

class TPanSlider : public QFrame, public TAccessibleValue {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Value READ Value WRITE SetValue)
  Q_PROPERTY(bool Vertical READ Vertical WRITE SetVertical)
  Q_PROPERTY(bool Stereo READ Stereo WRITE SetStereo)
  Q_PROPERTY(int SLeft READ SLeft WRITE SetSLeft)
  Q_PROPERTY(int SWidth READ SWidth WRITE SetSWidth)
  Q_PROPERTY(int STop READ STop WRITE SetSTop)
  Q_PROPERTY(int SHeight READ SHeight WRITE SetSHeight)
  Q_PROPERTY(int ELeft READ ELeft WRITE SetELeft)
  Q_PROPERTY(int EWidth READ EWidth WRITE SetEWidth)
  Q_PROPERTY(int ETop READ ETop WRITE SetETop)
  Q_PROPERTY(int EHeight READ EHeight WRITE SetEHeight)
  Q_PROPERTY(QColor ThumbColor READ ThumbColor WRITE SetThumbColor)
  Q_PROPERTY(QColor TrackColor READ TrackColor WRITE SetTrackColor)
  Q_PROPERTY(int ThumbHeight READ ThumbHeight WRITE SetThumbHeight)
  Q_PROPERTY(int TrackWidth READ TrackWidth WRITE SetTrackWidth)

 public:
  explicit TPanSlider(QWidget* parent = nullptr);

  int Min() const { return min_; }
  // A bound past the value moves the value to it.
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  int Value() const { return value_; }
  // A different value moves both parts; the slider's move fires Onchange. Ends an out-of-range
  // display.
  void SetValue(int value);
  // A stored byte outside the range: the number box shows text (its number) in red and the
  // thumb is hollow; Value is kept. A drag or step ends it (the first step shows Value).
  void SetOutOfRange(const QString& text);
  bool OutOfRange() const;
  bool Vertical() const { return vertical_; }
  void SetVertical(bool vertical) { Set(vertical_, vertical); }
  bool Stereo() const { return stereo_; }
  void SetStereo(bool stereo) { Set(stereo_, stereo); }
  // The slider's rectangle inside the panel.
  int SLeft() const { return sliderRect_.left; }
  void SetSLeft(int v) { Set(sliderRect_.left, v); }
  int SWidth() const { return sliderRect_.width; }
  void SetSWidth(int v) { Set(sliderRect_.width, v); }
  int STop() const { return sliderRect_.top; }
  void SetSTop(int v) { Set(sliderRect_.top, v); }
  int SHeight() const { return sliderRect_.height; }
  void SetSHeight(int v) { Set(sliderRect_.height, v); }
  // The value box's rectangle.
  int ELeft() const { return editRect_.left; }
  void SetELeft(int v) { Set(editRect_.left, v); }
  int EWidth() const { return editRect_.width; }
  void SetEWidth(int v) { Set(editRect_.width, v); }
  int ETop() const { return editRect_.top; }
  void SetETop(int v) { Set(editRect_.top, v); }
  int EHeight() const { return editRect_.height; }
  void SetEHeight(int v) { Set(editRect_.height, v); }
  QColor ThumbColor() const { return thumbColor_; }
  void SetThumbColor(const QColor& color) { Set(thumbColor_, color); }
  QColor TrackColor() const { return trackColor_; }
  void SetTrackColor(const QColor& color) { Set(trackColor_, color); }
  int ThumbHeight() const { return thumbHeight_; }
  void SetThumbHeight(int v) { Set(thumbHeight_, v); }
  int TrackWidth() const { return trackWidth_; }
  void SetTrackWidth(int v) { Set(trackWidth_, v); }

  TSlider* Slider() const { return slider_; }
  TClickEdit* Edit() const { return edit_; }

  QSize sizeHint() const override { return {30, 120}; }

  // TAccessibleValue: a slider showing the value box's text.
  QAccessible::Role AccessibleRole() const override { return QAccessible::Slider; }
  QString AccessibleText() const override;
  int AccessibleValue() const override { return value_; }
  int AccessibleMin() const override { return min_; }
  int AccessibleMax() const override { return max_; }
  void SetAccessibleValue(int value) override;

 Q_SIGNALS:
  void Onchange();
  void OnEndchange();

 protected:
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  struct TRect {
    int left, width, top, height;
  };
  template <typename T>
  void Set(T& field, const T& value) {
    field = value;
    Synchronise();
  }
  // The shift between the value and the slider's value.
  int Shift() const { return min_ < 0 ? -min_ : 0; }
  // Hands every property to the two parts; a move of the slider is then reported once.
  void Synchronise();
  void SliderMoved();
  void EditStepped();

  TClickEdit* edit_;
  TSlider* slider_;
  int min_ = 0;
  int max_ = 128;
  int value_ = 0;
  bool vertical_ = true;
  bool stereo_ = false;
  TRect sliderRect_ = {5, 20, 110, 110};
  TRect editRect_ = {5, 20, 5, 10};
  QColor thumbColor_ = QColor(0x00, 0x00, 0xFF);  // blue
  QColor trackColor_ = QColor(0x00, 0xFF, 0xFF);  // aqua
  int thumbHeight_ = 12;
  int trackWidth_ = 10;
  bool synchronising_ = false;
};
