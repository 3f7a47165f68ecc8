#pragma once
// TRhythmBank (kind 5): the whole user or card memory of rhythm sets, 2 members numbered from 1.
// A card bank is the same object with User false; members are addressed by the bank's flag.
// Received one request per block; closes a second after the last block.
#include "model/rhythm.h"
#include "model/soundbank.h"

class TMidiInput;

class TRhythmBank : public TSoundBank {
 public:
  static constexpr int kMemberCount = 2;
  static constexpr int kRecordSize = 9017;

  explicit TRhythmBank(TLibElem* owner) : TSoundBank(owner) {
    Kind = ekRhythmBank;
    CreateMembers<TRhythm>(kMemberCount);
  }

  TRhythm& Rhythm(int index) { return static_cast<TRhythm&>(Member(index)); }

  void RequestNext() override;
  const TTransferInfo& Info() const override;

 private:
  void Reply(TMidiInput* input);
};
