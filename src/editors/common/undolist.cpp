#include "editors/common/undolist.h"

#include <algorithm>
#include <stdexcept>

void TUndoList::Push(int offset, const std::uint8_t* before, int count) {
  if (count < 1 || count > 255) throw std::invalid_argument("undo group size out of range");
  for (int i = 0; i < count; ++i)
    records_.push_back({static_cast<std::uint8_t>(count), before[i],
                        static_cast<std::uint16_t>(offset + i)});
}

TUndoElem TUndoList::Pop() {
  if (records_.empty()) throw std::logic_error("pop from an empty undo list");
  const TUndoElem last = records_.back();
  records_.pop_back();
  return last;
}

std::vector<std::uint8_t> TUndoList::PopGroup(int& offset) {
  const TUndoElem last = Pop();
  // A group whose count promises more records than the list holds (it cannot be pushed so) is
  // taken as far as it goes.
  const int count = std::min<int>(last.Count, Count() + 1);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  bytes[static_cast<std::size_t>(count - 1)] = last.Value;
  offset = last.Offset;
  // The last popped record holds the lowest offset.
  for (int i = count - 2; i >= 0; --i) {
    const TUndoElem record = Pop();
    bytes[static_cast<std::size_t>(i)] = record.Value;
    offset = record.Offset;
  }
  return bytes;
}
