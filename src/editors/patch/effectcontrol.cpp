#include "editors/patch/effectcontrol.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>

#include "controls/myedit.h"
#include "controls/panslider.h"

namespace {
QFont SmallFont() {
  QFont font;
  font.setPixelSize(10);
  return font;
}
}  // namespace

TEffectControl::TEffectControl(const TParamRow& row, QWidget* parent)
    : QWidget(parent), row_(row), caption_(new QLabel(QString::fromLatin1(row.Caption), this)) {
  setFixedSize(kWidth, kHeight);
  // Small print, as the instrument's own parameter names are terse: the longest value texts
  // ("D70:30E", "1/16 (.)") fit the field.
  QFont font = this->font();
  font.setPixelSize(11);
  setFont(font);
  caption_->setGeometry(0, 0, kWidth, 16);
  const int shownMin = ParamShown(row_, row_.Min);
  const int shownMax = ParamShown(row_, row_.Max);
  switch (row_.Control) {
    case TParamControl::List:
      list_ = new QComboBox(this);
      for (const char* item : row_.Items) list_->addItem(QString::fromLatin1(item));
      list_->setGeometry(0, 18, 120, 24);
      connect(list_, &QComboBox::currentIndexChanged, this, [this] {
        if (!setting_) Store();
      });
      break;
    case TParamControl::Field:
      field_ = new TMyEdit(this);
      field_->SetEditType(row_.Mode);
      field_->SetMin(shownMin);
      field_->SetMax(shownMax);
      field_->SetStep(row_.Step);
      field_->setGeometry(0, 18, 70, 24);
      connect(field_, &TMyEdit::OnEndChange, this, [this] { Store(); });
      break;
    default:  // sliders
      slider_ = new TPanSlider(this);
      slider_->setFont(SmallFont());
      slider_->SetVertical(false);
      slider_->SetStereo(row_.Control == TParamControl::StereoSlider);
      slider_->SetMin(shownMin);
      slider_->SetMax(shownMax);
      slider_->SetSLeft(2);
      slider_->SetSTop(3);
      slider_->SetSWidth(92);
      slider_->SetSHeight(20);
      slider_->SetELeft(98);
      slider_->SetETop(3);
      slider_->SetEWidth(38);
      slider_->SetEHeight(20);
      slider_->setGeometry(0, 16, kWidth, 26);
      connect(slider_, &TPanSlider::OnEndchange, this, [this] { Store(); });
      break;
  }
}

void TEffectControl::SetStored(int stored) {
  setting_ = true;
  const int shown = ParamShown(row_, std::clamp(stored, int{row_.Min}, int{row_.Max}));
  if (list_)
    list_->setCurrentIndex(shown);
  else if (field_)
    field_->SetCode(shown);
  else
    slider_->SetValue(shown);
  setting_ = false;
}

int TEffectControl::Stored() const {
  int shown = 0;
  if (list_)
    shown = list_->currentIndex();
  else if (field_)
    shown = field_->Code();
  else
    shown = slider_->Value();
  return ParamStoredFromShown(row_, shown);
}

void TEffectControl::Store() {
  if (OnStore) OnStore(Stored());
}
