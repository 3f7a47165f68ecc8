#pragma once
// TPerformanceBank (kind 3): the whole user or card memory of performances, 32 members numbered
// from 1. A card bank is the same object with User false; members are addressed by the bank's
// flag. Received one request per block; the time-out runs over all replies to a request.
#include "model/performance.h"
#include "model/soundbank.h"

class TMidiInput;

class TPerformanceBank : public TSoundBank {
 public:
  static constexpr int kMemberCount = 32;
  static constexpr int kRecordSize = 17899;

  explicit TPerformanceBank(TLibElem* owner) : TSoundBank(owner) {
    Kind = ekPerformanceBank;
    CreateMembers<TPerformance>(kMemberCount);
  }

  TPerformance& Performance(int index) { return static_cast<TPerformance&>(Member(index)); }

  void RequestNext() override;
  const TTransferInfo& Info() const override;

 private:
  void Reply(TMidiInput* input);
};
