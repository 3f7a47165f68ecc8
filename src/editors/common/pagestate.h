#pragma once
// The editing pattern every editor page follows, once, without any widget: the page edits one
// block of one element (or one of several blocks it switches between: the parts of a
// performance, the keys of a rhythm set, the scale tunes of a system); every change stores the
// new bytes in the block, records the old ones for Undo, sends them to the instrument at once and
// marks the element modified. Each tab page and each block slot has its own history.
//
// A page window derives from TPageState and supplies UpdateView (show every control from the
// block), CheckBtnEnabled (the Undo, Redo and Revert buttons) and, where the default does not
// fit, SendAfterRevert and WillWrite.
#include <cstdint>
#include <functional>
#include <vector>

#include <QString>

#include "editors/common/undolist.h"

class TBlock;
class TLibElem;

class TPageState {
 public:
  // One block, one history per tab.
  TPageState(TLibElem& element, TBlock& block, int tabs = 1);
  // slots blocks, blockOf(0) .. blockOf(slots - 1), one history per tab and slot.
  TPageState(TLibElem& element, std::function<TBlock&(int slot)> blockOf, int slots,
             int tabs = 1);
  virtual ~TPageState();
  TPageState(const TPageState&) = delete;
  TPageState& operator=(const TPageState&) = delete;

  TLibElem& Object() const { return element_; }
  // The block of the current slot.
  TBlock& Block() const { return blockOf_(slot_); }
  TBlock& BlockAt(int slot) const { return blockOf_(slot); }

  int Tab() const { return tab_; }
  int TabCount() const { return tabs_; }
  // The current tab page: Undo, Redo and Revert act on its history; the buttons follow.
  void SetTab(int tab);
  // The selected part, key or scale tune block (0-based); the buttons follow.
  int Slot() const { return slot_; }
  int SlotCount() const { return slots_; }
  void SetSlot(int slot);

  // Set only while UpdateView fills the controls: stores then do not mark the element modified,
  // and multi-byte stores do nothing.
  bool Updating = false;

  // One byte: nothing when it equals the stored byte; otherwise the old byte is recorded, the
  // block stores and sends the new one, and the element is marked modified (unless Updating).
  void SendandStore(int offset, std::uint8_t value);
  // A multi-byte parameter as one group (name 12, tempo 2, wave 2 or 4 bytes): recorded even
  // when unchanged, stored and sent by the block's SetBytes. Nothing while Updating.
  void SendAndStoreArray(int offset, const std::uint8_t* bytes, int count);
  // One gesture over a run of bytes (a graph point moves a time and a level): the bytes from
  // the first changed to the last changed are one change, one message and one Undo step; one
  // changed byte goes as SendandStore; nothing changed, nothing happens.
  void SendAndStoreChanges(int offset, const std::uint8_t* bytes, int count);

  // Takes the last group of the current history back (one message), then shows the block.
  void Undo();
  // Makes the last undone group again, sent like any store. A new change or Revert forgets what
  // could be redone.
  void Redo();
  // Writes every old byte of the current history straight back, without sending, shows the
  // block and sends what SendAfterRevert sends. The history is empty afterwards.
  void Revert();
  // Revert of every slot of the current tab, each history into its own block; the first slot
  // becomes the current one.
  void RevertAll();

  bool CanUndo() const { return !History().Undo.Empty(); }
  bool CanRedo() const { return !History().Redo.Empty(); }
  const TUndoList& UndoList() const { return History().Undo; }
  const TUndoList& UndoList(int tab, int slot) const { return HistoryAt(tab, slot).Undo; }
  // Forgets the current history (a page being shown) or every history.
  void ClearHistory();
  void ClearHistories();

  // The page's window became the active one: the element goes to the instrument's temporary
  // area unless it is already the current object of its kind or a drag runs.
  void Activate(bool dragInProgress);

  // Shows every control from the block (setting Updating meanwhile).
  virtual void UpdateView() = 0;
  virtual void CheckBtnEnabled() {}

 protected:
  // What goes out after Revert: the current block whole.
  virtual void SendAfterRevert();
  // Called before bytes of the current block are written by a store, Undo, Redo or Revert (the
  // system's panel mode sends a mode message first).
  virtual void WillWrite(int /*offset*/, int /*count*/) {}
  // Writes one group of Undo or Redo into the current block as a store does (one byte: SetByte;
  // more: SetBytes). A page whose group must reach the instrument in parts overrides it.
  virtual void Apply(int offset, const std::vector<std::uint8_t>& bytes);
  // Tells EditStartsHook that this page is about to change its element.
  void BeginEdit();
  // Records a change the page writes itself: the bytes before it, as one group of the current
  // history (what could be redone is forgotten).
  void Record(int offset, const std::uint8_t* before, int count);

 private:
  struct THistory {
    TUndoList Undo;
    TUndoList Redo;
  };
  THistory& History() { return HistoryAt(tab_, slot_); }
  const THistory& History() const { return HistoryAt(tab_, slot_); }
  THistory& HistoryAt(int tab, int slot);
  const THistory& HistoryAt(int tab, int slot) const;
  // Writes a history's old bytes straight into a block.
  void RevertInto(int slot);
  void Refresh();

  TLibElem& element_;
  std::function<TBlock&(int)> blockOf_;
  int slots_;
  int tabs_;
  int slot_ = 0;
  int tab_ = 0;
  std::vector<THistory> histories_;
};

// Called before a page changes an element's bytes (a store, Undo, Redo, Revert): the patch window
// ends its Compare there, so that the instrument never holds the original with an edit in it.
std::function<void(TLibElem& element)>& EditStartsHook();

// Whether the element is the object last transmitted to the temporary area of its kind.
bool IsCurrentObject(const TLibElem& element);

// The location in the captions of editor windows: the name of the element's owner H, or, when
// H's owner G has an owner of its own, G's name, "\" and H's name. Empty without an owner.
QString EditorLocation(const TLibElem& element);
// Where an editor's element comes from, for its caption: " [Bank : file : position]" for a
// member of a bank (the bank's file, or its name when it has none, and the position from 1),
// else " [Filename : file]".
QString SourceText(const TLibElem& element);
