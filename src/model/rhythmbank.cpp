#include "model/rhythmbank.h"

#include "midi/midisession.h"
#include "model/transfer.h"

const TSoundBank::TTransferInfo& TRhythmBank::Info() const {
  static const TTransferInfo info{130, "Rhythm Number", "Rhythm Bank", true, false, false};
  return info;
}

void TRhythmBank::RequestNext() {
  if (!MidiSession().MidiOpen()) return;
  TTransfer& transfer = Transfer();
  transfer.Timer.Stop();
  transfer.DetachInput();
  if (MemberIndex >= Count()) {
    transfer.FinishTimed(*this);
    return;
  }
  RequestBlockReply(MemberBase(), Blocks(MemberIndex).TransferBlock(MemberBlock),
                    [this](TMidiInput* input) { Reply(input); });
}

void TRhythmBank::Reply(TMidiInput* input) {
  TTransfer& transfer = Transfer();
  const TReplyOutcome outcome = TakeBlockReply(Rhythm(MemberIndex), MemberBlock, input, true, true);
  if (outcome == roNone) return;
  if (outcome == roLast) {
    MemberBlock = 0;
    if (++MemberIndex < Count()) transfer.AddElem(1);
  }
  transfer.Step([this] { RequestNext(); });
}
