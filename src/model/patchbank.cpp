#include "model/patchbank.h"

#include "midi/midisession.h"
#include "midi/timing.h"
#include "model/transfer.h"

const TSoundBank::TTransferInfo& TPatchBank::Info() const {
  static const TTransferInfo info{640, "Patch Number", "Patch Bank", false, true, true};
  return info;
}

void TPatchBank::RequestNext() {
  if (!MidiSession().MidiOpen()) return;
  TTransfer& transfer = Transfer();
  transfer.Timer.Stop();
  transfer.TimerCleanup.Stop();
  transfer.DetachInput();
  if (MemberIndex >= Count()) {
    SaveNames();
    transfer.FinishTimed(*this);
    return;
  }
  MemberBlock = 0;
  RequestBlockReply(MemberBase(), Blocks(MemberIndex).TransferBlock(0),
                    [this](TMidiInput* input) { Reply(input); });
}

void TPatchBank::Reply(TMidiInput* input) {
  TTransfer& transfer = Transfer();
  switch (TakeBlockReply(Patch(MemberIndex), MemberBlock, input, false, false)) {
    case roNone:
    case roStored:
      return;
    case roLast:
      UpdateNameEntry();
      ++MemberIndex;
      transfer.AddReceived(TPatch::kSysexSize, TPatch::kBlockCount);
      transfer.AddElem(1);
      transfer.Step([this] { RequestNext(); });
      return;
    case roBad:
      // The rest of the patch's replies are still coming: let them pass, then ask again.
      transfer.TimerCleanup.Arm(
          Timing().CleanupMs,
          [this] {
            Transfer().TimerCleanup.Stop();
            RequestNext();
          },
          false);
      transfer.AttachInput([](TMidiInput* in) {
        while (TTransfer::TakeEvent(in)) {
        }
      });
      transfer.TimerCleanup.SetEnabled(true);
      return;
  }
}
