#pragma once
// TPatchBank (kind 1): the whole user or card memory of patches, 128 members numbered from 1.
// A card bank is the same object with User false; members are addressed by the bank's flag.
// Received one request per patch; a bad reply throws all input away for a moment, then the
// patch is requested again from its common block.
#include "model/patch.h"
#include "model/soundbank.h"

class TMidiInput;

class TPatchBank : public TSoundBank {
 public:
  static constexpr int kMemberCount = 128;
  static constexpr int kRecordSize = 82443;

  explicit TPatchBank(TLibElem* owner) : TSoundBank(owner) {
    Kind = ekPatchBank;
    CreateMembers<TPatch>(kMemberCount);
  }

  TPatch& Patch(int index) { return static_cast<TPatch&>(Member(index)); }

  void RequestNext() override;
  const TTransferInfo& Info() const override;

 private:
  void Reply(TMidiInput* input);
};
