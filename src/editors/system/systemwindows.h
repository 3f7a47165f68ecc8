#pragma once
// The section windows of the system editor: setup (panel mode, the performance or patch the
// instrument starts with, tuning and switches), MIDI, preview, and the 17 scale tunes. Every
// change of the panel mode, also by Undo and Revert, is preceded by GM System Off.
#include <vector>

#include "editors/common/pagewindow.h"
#include "model/system.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The universal message GM System Off (F0 7E 7F 09 02 F7), while MIDI is usable.
void SendGmSystemOff();

// What the setup, MIDI and preview windows share: the common block, one undo list, controls for
// rows, and the whole system sent after Revert.
class TSystemSectionWindow : public TPageWindow {
  Q_OBJECT
 public:
  TSystemSectionWindow(TSystem& system, TSystem::TPage page, const QString& name,
                       const QString& section, QWidget* parent = nullptr);
  TSystem& System() const { return system_; }

 protected:
  void SendAfterRevert() override { system_.Transmit(true); }
  // The panel mode's message goes before its byte.
  void WillWrite(int offset, int count) override;
  // Controls for the rows of these offsets, in a column.
  QWidget* RowColumn(std::initializer_list<int> offsets);

 private:
  TSystem& system_;
};

class TFormSysSetup : public TSystemSectionWindow {
  Q_OBJECT
 public:
  explicit TFormSysSetup(TSystem& system, QWidget* parent = nullptr);
  QComboBox* PerformanceGroup() const { return performanceGroup_; }
  QLineEdit* PerformanceName() const { return performanceName_; }
  QToolButton* PerformanceBrowse() const { return performanceBrowse_; }
  QComboBox* PatchGroup() const { return patchGroup_; }
  QLineEdit* PatchName() const { return patchName_; }
  QToolButton* PatchBrowse() const { return patchBrowse_; }
  void PerformanceBrowseClick();
  void PatchBrowseClick();

 protected:
  void ShowExtra() override;

 private:
  void StorePerformance();
  void PatchGroupChosen(int index);
  void StorePatch();
  void EnableByMode(int mode);

  QComboBox* performanceGroup_;
  QLineEdit* performanceName_;
  QToolButton* performanceBrowse_;
  QComboBox* patchGroup_;
  QLineEdit* patchName_;
  QToolButton* patchBrowse_;
  int performance_ = 0;
  int patch_ = 0;
  int previousGroup_ = 0;
};

class TFormSysMidi : public TSystemSectionWindow {
  Q_OBJECT
 public:
  explicit TFormSysMidi(TSystem& system, QWidget* parent = nullptr);
};

class TFormSysPreview : public TSystemSectionWindow {
  Q_OBJECT
 public:
  explicit TFormSysPreview(TSystem& system, QWidget* parent = nullptr);
};

class TFormScaleTune : public TPageWindow {
  Q_OBJECT
 public:
  static constexpr int kBlocks = TPartScaleTune::kCount;

  explicit TFormScaleTune(TSystem& system, QWidget* parent = nullptr);

  // The block shown, 1 to 17 (17 is patch mode).
  int SelectedBlock() const { return Slot() + 1; }
  void SelectBlock(int block);
  QToolButton* BlockButton(int block) const;
  QPushButton* BtnCopy() const { return copy_; }
  QPushButton* BtnPaste() const { return paste_; }
  QPushButton* BtnRevertAll() const { return revertAll_; }
  const TUndoList& History(int block) const { return UndoList(0, block - 1); }

  void BtnCopyClick();
  void BtnPasteClick();
  void BtnRevertAllClick() { RevertAll(); }

 protected:
  void SendAfterRevert() override { system_.Transmit(true); }
  void ShowExtra() override;
  void showEvent(QShowEvent* event) override;

 private:
  TSystem& system_;
  QButtonGroup* blocks_;
  QPushButton* copy_;
  QPushButton* paste_;
  QPushButton* revertAll_;
  bool shown_ = false;
};
