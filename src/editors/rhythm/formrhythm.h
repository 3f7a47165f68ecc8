#pragma once
// TFormRhythm: the rhythm set window (434 x 194), a hub with the set's name and the sections
// Main, Pitch, TVF and TVA, each opening its note window.
#include "editors/performance/sectionhub.h"
#include "model/rhythm.h"

class QLineEdit;

class TFormRhythm : public TSectionHub {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 44;

  explicit TFormRhythm(TRhythm& rhythm, QWidget* parent = nullptr);

  void OpenSection(int kind) override;
  QLineEdit* NameBox() const { return name_; }

  std::uint8_t* CommonData() override { return rhythm_.Common.Data(); }
  int PartCount() const override { return TRhythm::kNoteCount; }
  std::uint8_t* PartData(int index) override {
    return rhythm_.Notes[static_cast<std::size_t>(index)].Data();
  }

 protected:
  void ShowView() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StoreName();

  TRhythm& rhythm_;
  QLineEdit* name_;
};

// The rhythm set's editor in the view registry: double click and Open on a rhythm set.
void RegisterRhythmEditor();
