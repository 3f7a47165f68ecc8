#include "controls/panslider.h"

#include <QApplication>
#include <QWheelEvent>

#include "controls/clickedit.h"
#include "controls/slider.h"

TPanSlider::TPanSlider(QWidget* parent)
    : QFrame(parent), edit_(new TClickEdit(this)), slider_(new TSlider(this)) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setFocusProxy(slider_);
  connect(slider_, &TSlider::OnValueChange, this, &TPanSlider::SliderMoved);
  connect(slider_, &TSlider::OnEndChange, this, &TPanSlider::OnEndchange);
  connect(edit_, &TClickEdit::Onchange, this, &TPanSlider::EditStepped);
  connect(edit_, &TClickEdit::OnEndchange, this, &TPanSlider::OnEndchange);
  resize(30, 120);
  Synchronise();
}

void TPanSlider::SetMin(int min) {
  min_ = min;
  if (value_ < min_) value_ = min_;
  Synchronise();
}

void TPanSlider::SetMax(int max) {
  max_ = max;
  if (value_ > max_) value_ = max_;
  Synchronise();
}

void TPanSlider::SetValue(int value) {
  if (value == value_ && !OutOfRange()) return;
  value_ = value;
  slider_->SetUnset(false);
  Synchronise();
}

void TPanSlider::SetOutOfRange(const QString& text) {
  edit_->SetOutOfRange(text);
  slider_->SetUnset(true);
}

bool TPanSlider::OutOfRange() const {
  return edit_->OutOfRange();
}

QString TPanSlider::AccessibleText() const {
  return edit_->Text();
}

void TPanSlider::SetAccessibleValue(int value) {
  SetValue(value);
  Q_EMIT OnEndchange();
  AnnounceValue(this);
}

void TPanSlider::Synchronise() {
  const int before = slider_->Value();
  synchronising_ = true;
  edit_->SetStereo(stereo_);
  edit_->setFont(font());
  edit_->SetMin(min_);
  edit_->SetMax(max_);
  edit_->SetValue(value_);
  slider_->SetMinValue(min_ < 0 ? 0 : min_);
  slider_->SetMaxValue(min_ < 0 ? max_ - min_ : max_);
  slider_->SetValue(value_ + Shift());
  slider_->SetThumbColor(thumbColor_);
  slider_->SetTrackColor(trackColor_);
  slider_->SetThumbHeight(thumbHeight_);
  slider_->SetTrackWidth(trackWidth_);
  slider_->SetOrientation(vertical_ ? slVertical : slHoriz);
  slider_->setGeometry(sliderRect_.left, sliderRect_.top, sliderRect_.width, sliderRect_.height);
  edit_->setGeometry(editRect_.left, editRect_.top, editRect_.width, editRect_.height);
  synchronising_ = false;
  if (slider_->Value() != before) SliderMoved();
}

void TPanSlider::SliderMoved() {
  if (synchronising_) return;
  value_ = slider_->Value() - Shift();
  edit_->SetValue(value_);
  Q_EMIT Onchange();
}

void TPanSlider::EditStepped() {
  value_ = edit_->Value();
  slider_->SetUnset(false);
  synchronising_ = true;
  slider_->SetValue(value_ + Shift());
  synchronising_ = false;
  Q_EMIT Onchange();
}

void TPanSlider::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange) edit_->setFont(font());
}

void TPanSlider::wheelEvent(QWheelEvent* event) {
  // The wheel over the panel's own surface turns the slider.
  QApplication::sendEvent(slider_, event);
}
