#pragma once
// TFormPart: the performance's parts window. Sixteen part buttons choose the part shown; each
// part keeps its own undo list. Every part parameter, the patch group and patch (named from the
// group's name list; part 10, the rhythm part, chooses one of the group's two rhythm sets),
// the key range kept in order, Copy and Paste through the part clipboard, Revert of the shown
// part or of all of them. Opening the window reads the user and card rhythm set names.
#include <array>
#include <vector>

#include "editors/common/pagewindow.h"
#include "model/performance.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TMyEdit;
class TPerformance;
class TParamBinding;
class TRhythmNamesReader;

class TFormPart : public TPageWindow {
  Q_OBJECT
 public:
  static constexpr int kPartCount = 16;

  explicit TFormPart(TPerformance& performance, QWidget* parent = nullptr);
  ~TFormPart() override;

  int SelectedPart() const { return Slot() + 1; }
  void SelectPart(int part);
  int CurrentPatch() const { return patch_; }

  // Controls, for tests and the benchmarks.
  QToolButton* PartButton(int part) const;
  QComboBox* PatchGroup() const { return group_; }
  QLineEdit* PatchName() const { return patchName_; }
  QToolButton* Browse() const { return browse_; }
  QComboBox* RhythmSet() const { return rhythmSet_; }
  QPushButton* BtnCopy() const { return copy_; }
  QPushButton* BtnPaste() const { return paste_; }
  QPushButton* BtnRevertAll() const { return revertAll_; }
  TRhythmNamesReader& NamesReader() const { return *names_; }
  const TUndoList& History(int part) const { return UndoList(0, part - 1); }

  void BtnCopyClick();
  void BtnPasteClick();
  void BtnRevertAllClick();
  void BrowseClick();

 protected:
  void SendAfterRevert() override;
  void ShowExtra() override;
  void showEvent(QShowEvent* event) override;

 private:
  bool RhythmPart() const;
  void BuildGroupItems();
  void GroupChosen(int index);
  void RhythmSetChosen(int index);
  // The name box and, for part 10, the rhythm set list from the shown group and number.
  void ShowPatchName();
  void FillRhythmSets();
  void PatchNameChanged();
  void StoreGroupAndNumber();
  void KeyStepped(bool lower);

  TPerformance& performance_;
  int patch_ = 0;
  int previousGroup_ = 0;
  bool groupsForRhythm_ = false;
  bool namesStarted_ = false;
  QButtonGroup* partButtons_;
  QComboBox* group_;
  QLineEdit* patchName_;
  QToolButton* browse_;
  QComboBox* rhythmSet_;
  QPushButton* copy_;
  QPushButton* paste_;
  QPushButton* revertAll_;
  TRhythmNamesReader* names_;
};
