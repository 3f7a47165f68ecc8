#include "model/performancebank.h"

#include "midi/midisession.h"
#include "model/transfer.h"

const TSoundBank::TTransferInfo& TPerformanceBank::Info() const {
  static const TTransferInfo info{544,  "Performance Number", "Performance Bank", false, true,
                                  false};
  return info;
}

void TPerformanceBank::RequestNext() {
  if (!MidiSession().MidiOpen()) return;
  Transfer().Timer.Stop();
  Transfer().DetachInput();
  if (MemberIndex >= Count()) return;
  RequestBlockReply(MemberBase(), Blocks(MemberIndex).TransferBlock(MemberBlock),
                    [this](TMidiInput* input) { Reply(input); });
}

void TPerformanceBank::Reply(TMidiInput* input) {
  TTransfer& transfer = Transfer();
  switch (TakeBlockReply(Performance(MemberIndex), MemberBlock, input, false, true)) {
    case roNone:
      return;
    case roLast:
      UpdateNameEntry();
      if (++MemberIndex >= Count()) {
        transfer.Finished = true;
        transfer.Close();
        return;
      }
      transfer.AddElem(1);
      MemberBlock = 0;
      break;
    case roStored:
    case roBad:
      break;
  }
  transfer.Step([this] { RequestNext(); });
}
