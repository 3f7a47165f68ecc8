#pragma once
// TPerformanceBank (kind 3): the whole user or card memory of performances, 32 members numbered
// from 1. A card bank is the same object with User false; members are addressed by the bank's flag.
#include "model/bank.h"
#include "model/performance.h"

class TPerformanceBank : public TBank {
 public:
  static constexpr int kMemberCount = 32;
  static constexpr int kRecordSize = 17899;

  explicit TPerformanceBank(TLibElem* owner) : TBank(owner) {
    Kind = ekPerformanceBank;
    CreateMembers<TPerformance>(kMemberCount);
  }

  TPerformance& Performance(int index) { return static_cast<TPerformance&>(Member(index)); }
};
