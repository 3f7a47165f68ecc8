#pragma once
// TPatchBank (kind 1): the whole user or card memory of patches, 128 members numbered from 1.
// A card bank is the same object with User false; members are addressed by the bank's flag.
#include "model/bank.h"
#include "model/patch.h"

class TPatchBank : public TBank {
 public:
  static constexpr int kMemberCount = 128;
  static constexpr int kRecordSize = 82443;

  explicit TPatchBank(TLibElem* owner) : TBank(owner) {
    Kind = ekPatchBank;
    CreateMembers<TPatch>(kMemberCount);
  }

  TPatch& Patch(int index) { return static_cast<TPatch&>(Member(index)); }
};
