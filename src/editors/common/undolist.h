#pragma once
// The undo history of an editor page: a stack of records, each holding one byte as it was before
// a change. A change of several bytes at once (a name, a tempo, a wave) is one group: its records
// lie in increasing offset order and each carries the group's size, so that Undo takes the whole
// group back at once.
#include <cstdint>
#include <vector>

struct TUndoElem {
  std::uint8_t Count = 1;    // records in the group this one belongs to (1, 2, 4, 12 or 13)
  std::uint8_t Value = 0;    // the byte as it was before the change
  std::uint16_t Offset = 0;  // block offset of that byte
};

class TUndoList {
 public:
  // Appends one group: the count bytes in increasing offset order, offset first.
  void Push(int offset, const std::uint8_t* before, int count);
  void Push(int offset, std::uint8_t before) { Push(offset, &before, 1); }
  // Removes and returns the last record; the list must not be empty.
  TUndoElem Pop();
  // Removes the last group: its bytes in increasing offset order and its first offset.
  std::vector<std::uint8_t> PopGroup(int& offset);
  void Clear() { records_.clear(); }

  bool Empty() const { return records_.empty(); }
  int Count() const { return static_cast<int>(records_.size()); }
  const std::vector<TUndoElem>& Records() const { return records_; }

 private:
  std::vector<TUndoElem> records_;
};
