#pragma once
// The random bank generator window ("Bank Random"): a new bank of 128 patches recombined from
// one patch bank of a library, stepped through and heard one patch at a time, then added to the
// library whole or patch by patch. The seed of the bank is shown and can be typed in, so a bank
// can be made again.
#include <functional>
#include <memory>

#include <QDialog>
#include <QList>

#include "tools/bankrandomizer.h"

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TLibrary;
class TPatchBank;

class TFormRandom : public QDialog {
  Q_OBJECT
 public:
  // A help context of our own: the window had none.
  static constexpr int kHelpContext = 51;

  explicit TFormRandom(QWidget* parent = nullptr);
  ~TFormRandom() override;

  // What showing the window does: a fresh result bank owned like source, randomized from a new
  // seed, position 1, its patch sent to the temporary area. Results go into library, after which
  // libraryChanged runs (the library window recounts, sorts, scrolls to the end and repaints).
  void Prepare(TPatchBank& source, TLibrary& library, std::function<void()> libraryChanged);

  // The buttons.
  void PrecedenteClick();
  void SuccessivoClick();
  void RandomizePatchClick();
  void RandomizeBankClick();
  void CreateBankClick();
  void CreatePatchClick();
  // Randomize Bank from the given seed instead of the clock.
  void RandomizeBankFrom(std::uint32_t seed);

  int Position() const { return position_; }
  std::uint32_t Seed() const { return seed_; }
  TPatchBank* Result() const { return result_.get(); }

 protected:
  void done(int result) override;

 private:
  TRandomOptions Options() const;
  // The boxes, the orientation and the seed are kept in the settings between openings.
  void RestoreChoices();
  void KeepChoices() const;
  QList<QAbstractButton*> ChoiceBoxes() const;
  void ShowPosition();
  void SendCurrent();
  void Added();

  QCheckBox* common_;
  QCheckBox* patchName_;
  QCheckBox* tones_[4];
  QRadioButton* toneComm_;
  QRadioButton* groupOriented_;
  QLineEdit* currPatch_;
  QLineEdit* seedEdit_;
  QPushButton* test_;

  TPatchBank* source_ = nullptr;
  TLibrary* library_ = nullptr;
  std::function<void()> libraryChanged_;
  std::unique_ptr<TPatchBank> result_;
  TBankRandomizer randomizer_;
  std::uint32_t seed_ = 0;
  std::uint32_t keptSeed_ = 0;
  bool hasKeptSeed_ = false;
  int position_ = 1;
};
