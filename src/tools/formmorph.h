#pragma once
// The morph window ("Patch Morphing"): two patches A and B of a library blended into the patch
// at a slider step, heard step by step, played through as a sequence of notes, and made into a
// bank of 128 patches from A to B.
#include <functional>
#include <memory>

#include <QDialog>

#include "tools/patchmorph.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;
class TLibrary;
class TMyEdit;
class TPanSlider;
class TPatch;

class TFormMorph : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 50;

  explicit TFormMorph(QWidget* parent = nullptr);
  ~TFormMorph() override;

  // What showing the window does: a result patch owned like A, " EFX Parameter" enabled only
  // for one effect type, the names shown, step 0 made and sent. A bank goes into library, after
  // which libraryChanged runs (the library window recounts, sorts, scrolls to the end, repaints).
  void Prepare(TPatch& a, TPatch& b, TLibrary& library, std::function<void()> libraryChanged);

  void PlayClick();
  void StopClick();
  void CreateBankClick();

  QCheckBox* Box(int box) const { return boxes_[box]; }
  TPanSlider* Slider() const { return slider_; }
  TMyEdit* NoteLength() const { return noteLength_; }
  TMyEdit* MorphStep() const { return morphStep_; }
  QTimer* Starter() const { return starter_; }
  QTimer* Timer1() const { return timer1_; }
  bool PlayingFlag() const { return playing_; }
  TPatch* Result() const { return result_.get(); }

 protected:
  void done(int result) override;

 private:
  // A box or the slider changed: the step is made again, sent, and heard after the pause.
  void Changed();
  void UpdateAndSend();
  void StarterTimer();
  void Timer1Timer();

  QCheckBox* boxes_[kMorphBoxCount];
  TPanSlider* slider_;
  QLineEdit* nameA_;
  QLineEdit* nameB_;
  TMyEdit* noteLength_;
  TMyEdit* morphStep_;
  QTimer* starter_;
  QTimer* timer1_;

  TPatch* a_ = nullptr;
  TPatch* b_ = nullptr;
  TLibrary* library_ = nullptr;
  std::function<void()> libraryChanged_;
  std::unique_ptr<TPatch> result_;
  TPatchMorph morph_;
  bool playing_ = false;
};
