#pragma once
// TBank: the base of the three banks (the whole user or card memory of one kind) and of the
// global dump. It owns its members in order and remembers its window's size.
#include <memory>
#include <vector>

#include "model/libelem.h"

class TBank : public TLibElem {
 public:
  explicit TBank(TLibElem* owner);
  ~TBank() override;

  // Base Assign, then member i takes the contents of the source's member i.
  void Assign(const TLibElem& source) override;
  // Every member's views, then the bank's own window.
  void UpdateViews() override;
  void WriteSysex(TByteWriter& out) override;
  void ReadSysex(TByteReader& in) override;
  // Header, window width and height, then WriteSysex.
  void SaveToLibrary(TByteWriter& out) override;
  void LoadFromLibrary(TByteReader& in) override;
  void Init() override;
  // The bank window's place and size while it is open; the library's flag is left alone.
  void StorePositions() override;
  // A title row with the kind and name, then one row per member.
  void Print(TListingPrinter& printer, bool detailed) override;

  int Count() const { return static_cast<int>(Members.size()); }
  TLibElem& Member(int index) { return *Members.at(static_cast<std::size_t>(index)); }
  const TLibElem& Member(int index) const { return *Members.at(static_cast<std::size_t>(index)); }

  std::vector<std::unique_ptr<TLibElem>> Members;
  std::uint16_t Width = 0xFFFF;
  std::uint16_t Height = 0xFFFF;
  // Transfer counters: the member in progress (from 0) and the block inside it.
  std::uint16_t MemberIndex = 0;
  std::uint16_t MemberBlock = 0;

 protected:
  // Appends count members of class T numbered from 1, outside the temporary area.
  template <class T>
  void CreateMembers(int count) {
    Members.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
      auto member = std::make_unique<T>(this);
      member->Temporary = false;
      member->User = true;
      member->Number = static_cast<std::uint16_t>(n);
      Members.push_back(std::move(member));
    }
  }
};
