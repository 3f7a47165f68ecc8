#pragma once
// TRhythmNoteWindow: what the four note windows of the rhythm editor share. One note is shown at
// a time, chosen on the key selector (key -1 is note 35, key 62 note 98); each note keeps its own
// undo list. The controls of the window's parameter rows, an envelope graph where the window
// has one, Copy and Paste of the window's section of a note through the note clipboard, and
// Revert of the shown note or of all 64, after which the whole set is sent again.
#include <vector>

#include "editors/common/pagewindow.h"
#include "editors/params/clipboard.h"
#include "model/rhythm.h"

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TKeySelector;
class TPanGraph;
class TParamBinding;

class TRhythmNoteWindow : public TPageWindow {
  Q_OBJECT
 public:
  static constexpr int kKeyCount = TRhythm::kNoteCount;

  // page: which of the set's four windows this is (its rows and bookkeeping); section: its
  // name in the caption and its part of the note clipboard.
  TRhythmNoteWindow(TRhythm& rhythm, TRhythm::TPage page, const QString& name,
                    const QString& section, TClipboard::TNoteSection clip,
                    QWidget* parent = nullptr);

  TRhythm& Rhythm() const { return rhythm_; }
  // The note shown, 35 to 98.
  int Key() const { return Slot() + TRhythmNote::kFirstKey; }
  // Shows another note (as a press and release on the key selector does).
  void SelectKey(int key);
  TKeySelector* KeySelector() const { return keys_; }
  QLineEdit* KeyBox() const { return keyBox_; }
  TPanGraph* Graph() const { return graph_; }
  QPushButton* BtnCopy() const { return copy_; }
  QPushButton* BtnPaste() const { return paste_; }
  QPushButton* BtnRevertAll() const { return revertAll_; }
  const TUndoList& History(int key) const { return UndoList(0, key - TRhythmNote::kFirstKey); }

  void BtnCopyClick();
  void BtnPasteClick();
  void BtnRevertAllClick() { RevertAll(); }

  // "B 1" and two blanks for key 35.
  static QString KeyText(int key);

 protected:
  void SendAfterRevert() override;
  void ShowExtra() override;
  void showEvent(QShowEvent* event) override;
  // The window's own controls go here, above the buttons.
  QVBoxLayout* Body() const { return body_; }
  // Controls for the window's rows of these offsets, in a column.
  QWidget* RowColumn(std::initializer_list<int> offsets);
  // The envelope graph of the window: four times from timeOffset, levels from levelOffset
  // (three for the amplifier, whose fourth level is always 0).
  TPanGraph* AddGraph(int graphType, int timeOffset, int levelOffset, int levels);
  // What the window shows beyond its row controls and its graph.
  virtual void ShowNoteExtra(const std::uint8_t* /*note*/) {}

 private:
  void KeyPressed();
  void KeyDragged();
  void GraphEnded();

  TRhythm& rhythm_;
  TRhythm::TPage page_;
  TClipboard::TNoteSection clip_;
  TKeySelector* keys_;
  QLineEdit* keyBox_;
  QVBoxLayout* body_;
  TPanGraph* graph_ = nullptr;
  int timeOffset_ = 0;
  int levelOffset_ = 0;
  int levels_ = 4;
  QPushButton* copy_;
  QPushButton* paste_;
  QPushButton* revertAll_;
  bool shown_ = false;
};
