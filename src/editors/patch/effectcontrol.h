#pragma once
// One control of the effects page made from its parameter row: a caption and a slider, stereo
// slider, value field or drop-down list that shows the row's bytes converted to what the user
// reads, and hands back the stored byte at the end of each change.
#include <functional>

#include <QWidget>

#include "editors/params/paramrow.h"

class QComboBox;
class QLabel;
class TMyEdit;
class TPanSlider;

class TEffectControl : public QWidget {
  Q_OBJECT
 public:
  // The row as the block holds it (a performance's rows shifted by one).
  TEffectControl(const TParamRow& row, QWidget* parent);

  const TParamRow& Row() const { return row_; }
  // Shows a stored value; fires nothing. A value outside the row's range is shown clamped.
  void SetStored(int stored);
  // The stored value the control shows now.
  int Stored() const;

  // The end of a change (lists: every change), with the new stored value.
  std::function<void(int stored)> OnStore;

  QComboBox* List() const { return list_; }
  TMyEdit* Field() const { return field_; }
  TPanSlider* Slider() const { return slider_; }
  QLabel* Caption() const { return caption_; }

  static constexpr int kWidth = 140;
  static constexpr int kHeight = 50;

 private:
  void Store();

  TParamRow row_;
  QLabel* caption_;
  QComboBox* list_ = nullptr;
  TMyEdit* field_ = nullptr;
  TPanSlider* slider_ = nullptr;
  bool setting_ = false;
};
