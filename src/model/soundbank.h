#pragma once
// TSoundBank: what the patch, performance and rhythm banks share in their transfers. A bank is
// transmitted block by block under the progress window's timer, and received with the kind's own
// request cycle (RequestNext of each bank); patch and performance banks keep the name lists of
// their memory in step.
#include "model/bank.h"
#include "model/blockset.h"
#include "model/namelists.h"

class TMidiInput;

class TSoundBank : public TBank {
 public:
  struct TTransferInfo {
    int Total;                // messages of a whole transfer (the gauge's 100 %)
    const char* ElemCaption;  // "Patch Number"
    const char* BankName;     // "Patch Bank", in the titles
    bool CountsEachBlock;     // counts every block sent; numbers the element from the start
    bool KeepsNames;          // patches and performances: the name lists follow the transfer
    bool Patches;             // which name lists
  };

  explicit TSoundBank(TLibElem* owner) : TBank(owner) {}

  // One block per tick of the progress window's timer.
  void Transmit(bool toTemporary) override;
  void TransmitNext() override;
  // The kind's request cycle under the progress window, then UpdateViews.
  void Receive(bool fromTemporary) override;

  // "Now Transmitting User Patch Bank", "Now Receiving Data Card Rhythm Bank", ...
  QString Title(bool transmit) const;
  virtual const TTransferInfo& Info() const = 0;

 protected:
  TBlockSet& Blocks(int member) { return dynamic_cast<TBlockSet&>(Member(member)); }
  std::uint32_t MemberBase() { return Blocks(MemberIndex).BaseAddress(); }
  // The name of member MemberIndex into its place in the bank's name list.
  void UpdateNameEntry();
  // Saves the name lists and has the names window load them again.
  void SaveNames();
};
