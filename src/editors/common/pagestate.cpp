#include "editors/common/pagestate.h"

#include <algorithm>
#include <stdexcept>

#include "model/bank.h"
#include "model/block.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"
#include "model/viewregistry.h"

namespace {
// A write that may have changed the element's name (the name field, or Undo, Redo or Revert of
// it): the captions and rows that show the name follow at once, without refreshing the pages.
class TNameWatch {
 public:
  explicit TNameWatch(TLibElem& element) : element_(element), before_(element.GetName()) {}
  ~TNameWatch() {
    if (element_.GetName() != before_) Views().ShowName(element_);
  }
  TNameWatch(const TNameWatch&) = delete;
  TNameWatch& operator=(const TNameWatch&) = delete;

 private:
  TLibElem& element_;
  const QString before_;
};
}  // namespace

TPageState::TPageState(TLibElem& element, TBlock& block, int tabs)
    : TPageState(element, [&block](int) -> TBlock& { return block; }, 1, tabs) {}

TPageState::TPageState(TLibElem& element, std::function<TBlock&(int)> blockOf, int slots,
                       int tabs)
    : element_(element),
      blockOf_(std::move(blockOf)),
      slots_(std::max(slots, 1)),
      tabs_(std::max(tabs, 1)),
      histories_(static_cast<std::size_t>(slots_ * tabs_)) {}

TPageState::~TPageState() = default;

TPageState::THistory& TPageState::HistoryAt(int tab, int slot) {
  if (tab < 0 || tab >= tabs_ || slot < 0 || slot >= slots_)
    throw std::out_of_range("no such page history");
  return histories_[static_cast<std::size_t>(tab * slots_ + slot)];
}

const TPageState::THistory& TPageState::HistoryAt(int tab, int slot) const {
  return const_cast<TPageState*>(this)->HistoryAt(tab, slot);
}

void TPageState::SetTab(int tab) {
  tab_ = std::clamp(tab, 0, tabs_ - 1);
  CheckBtnEnabled();
}

void TPageState::SetSlot(int slot) {
  slot_ = std::clamp(slot, 0, slots_ - 1);
  CheckBtnEnabled();
}

std::function<void(TLibElem&)>& EditStartsHook() {
  static std::function<void(TLibElem&)> hook;
  return hook;
}

void TPageState::BeginEdit() {
  if (EditStartsHook()) EditStartsHook()(element_);
}

void TPageState::SendandStore(int offset, std::uint8_t value) {
  TBlock& block = Block();
  if (block.GetByte(offset) == value) return;
  BeginEdit();
  THistory& history = History();
  history.Undo.Push(offset, block.GetByte(offset));
  history.Redo.Clear();
  WillWrite(offset, 1);
  block.SetByte(offset, value);
  if (!Updating) element_.Modified();
  CheckBtnEnabled();
}

void TPageState::SendAndStoreArray(int offset, const std::uint8_t* bytes, int count) {
  if (Updating) return;
  TBlock& block = Block();
  if (offset < 0 || count < 1 || offset + count > block.Size())
    throw std::out_of_range("parameter outside its block");
  BeginEdit();
  const TNameWatch name(element_);
  THistory& history = History();
  history.Undo.Push(offset, block.Data() + offset, count);
  history.Redo.Clear();
  WillWrite(offset, count);
  block.SetBytes(offset, bytes, count);
  element_.Modified();
  CheckBtnEnabled();
}

void TPageState::Record(int offset, const std::uint8_t* before, int count) {
  THistory& history = History();
  history.Undo.Push(offset, before, count);
  history.Redo.Clear();
  CheckBtnEnabled();
}

void TPageState::SendAndStoreChanges(int offset, const std::uint8_t* bytes, int count) {
  const std::uint8_t* held = Block().Data() + offset;
  int first = -1, last = -1;
  for (int i = 0; i < count; ++i) {
    if (bytes[i] == held[i]) continue;
    if (first < 0) first = i;
    last = i;
  }
  if (first < 0) return;
  if (first == last)
    SendandStore(offset + first, bytes[first]);
  else
    SendAndStoreArray(offset + first, bytes + first, last - first + 1);
}

void TPageState::Apply(int offset, const std::vector<std::uint8_t>& bytes) {
  TBlock& block = Block();
  const int count = static_cast<int>(bytes.size());
  WillWrite(offset, count);
  if (count == 1)
    block.SetByte(offset, bytes[0]);
  else
    block.SetBytes(offset, bytes.data(), count);
}

void TPageState::Undo() {
  THistory& history = History();
  if (history.Undo.Empty()) return;
  BeginEdit();
  const TNameWatch name(element_);
  int offset = 0;
  const std::vector<std::uint8_t> before = history.Undo.PopGroup(offset);
  const int count = static_cast<int>(before.size());
  history.Redo.Push(offset, Block().Data() + offset, count);
  Apply(offset, before);
  // The element now differs from what a save wrote: it is modified like after any change, so
  // that closing its library still asks to save.
  element_.Modified();
  Refresh();
}

void TPageState::Redo() {
  THistory& history = History();
  if (history.Redo.Empty()) return;
  BeginEdit();
  const TNameWatch name(element_);
  int offset = 0;
  const std::vector<std::uint8_t> after = history.Redo.PopGroup(offset);
  history.Undo.Push(offset, Block().Data() + offset, static_cast<int>(after.size()));
  Apply(offset, after);
  element_.Modified();
  Refresh();
}

void TPageState::RevertInto(int slot) {
  THistory& history = HistoryAt(tab_, slot);
  TBlock& block = BlockAt(slot);
  const bool changed = !history.Undo.Empty();
  while (!history.Undo.Empty()) {
    const TUndoElem record = history.Undo.Pop();
    if (slot == slot_) WillWrite(record.Offset, 1);
    block.StoreByte(record.Offset, record.Value);
  }
  history.Redo.Clear();
  if (changed) element_.Modified();
}

void TPageState::Revert() {
  BeginEdit();
  const TNameWatch name(element_);
  RevertInto(slot_);
  Refresh();
  SendAfterRevert();
}

void TPageState::RevertAll() {
  BeginEdit();
  const TNameWatch name(element_);
  for (int slot = 0; slot < slots_; ++slot) RevertInto(slot);
  slot_ = 0;
  Refresh();
  SendAfterRevert();
}

void TPageState::SendAfterRevert() {
  Block().SendBlock();
}

void TPageState::ClearHistory() {
  History().Undo.Clear();
  History().Redo.Clear();
  CheckBtnEnabled();
}

void TPageState::ClearHistories() {
  for (THistory& history : histories_) {
    history.Undo.Clear();
    history.Redo.Clear();
  }
  CheckBtnEnabled();
}

void TPageState::Refresh() {
  UpdateView();
  CheckBtnEnabled();
}

void TPageState::Activate(bool dragInProgress) {
  if (dragInProgress || IsCurrentObject(element_)) return;
  element_.Transmit(true);
}

QString EditorLocation(const TLibElem& element) {
  const TLibElem* h = element.Owner;
  if (!h) return QString();
  const TLibElem* g = h->Owner;
  if (!g || !g->Owner) return h->GetName();
  return g->GetName() + QLatin1Char('\\') + h->GetName();
}

QString SourceText(const TLibElem& element) {
  const auto* bank = dynamic_cast<const TBank*>(element.Owner);
  if (!bank || bank->Kind == ekGlobal)
    return QStringLiteral(" [Filename : ") + FileNamePart(element.FileName) + QLatin1Char(']');
  int position = 0;
  while (position < bank->Count() && &bank->Member(position) != &element) ++position;
  const bool hasFile =
      bank->SavedToFile ||
      bank->FileName.compare(QStringLiteral("Untitled.Syx"), Qt::CaseInsensitive) != 0;
  return QStringLiteral(" [Bank : ") +
         (hasFile ? FileNamePart(bank->FileName) : bank->GetName()) + QStringLiteral(" : ") +
         QString::number(position + 1) + QLatin1Char(']');
}

bool IsCurrentObject(const TLibElem& element) {
  switch (element.Kind) {
    case ekPatch:
      return CurrentPatch == &element;
    case ekPerformance:
      return CurrentPerformance == &element;
    case ekRhythm:
      return CurrentRhythm == &element;
    case ekSystem:
      return CurrentSystem == &element;
    default:
      return true;  // nothing of another kind is ever transmitted on activation
  }
}
