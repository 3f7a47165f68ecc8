#pragma once
// TRhythmBank (kind 5): the whole user or card memory of rhythm sets, 2 members numbered from 1.
// A card bank is the same object with User false; members are addressed by the bank's flag.
#include "model/bank.h"
#include "model/rhythm.h"

class TRhythmBank : public TBank {
 public:
  static constexpr int kMemberCount = 2;
  static constexpr int kRecordSize = 9017;

  explicit TRhythmBank(TLibElem* owner) : TBank(owner) {
    Kind = ekRhythmBank;
    CreateMembers<TRhythm>(kMemberCount);
  }

  TRhythm& Rhythm(int index) { return static_cast<TRhythm&>(Member(index)); }
};
