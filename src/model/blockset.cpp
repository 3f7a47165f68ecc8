#include "model/blockset.h"

#include <algorithm>

#include "midi/midisession.h"
#include "midi/sysex.h"
#include "model/libelem.h"
#include "model/transfer.h"

namespace {
std::uint32_t ReplyAddress(const TMyMidiEvent& event) {
  const std::vector<std::uint8_t>& b = event.Sysex;
  return std::uint32_t{b[5]} << 24 | std::uint32_t{b[6]} << 16 | std::uint32_t{b[7]} << 8 | b[8];
}
}  // namespace

bool ReplyFits(const TMyMidiEvent& event, const TTransferBlock& block) {
  const std::vector<std::uint8_t>& bytes = event.Sysex;
  if (static_cast<int>(bytes.size()) != block.ImageSize || !ReplyValid(event)) return false;
  return bytes[0] == 0xF0 && bytes[1] == kRolandId && bytes[2] == DeviceIdByte() &&
         bytes[3] == kModelId && bytes[4] == kCmdDT1 && bytes.back() == 0xF7;
}

TReplyOutcome TakeBlockReply(TBlockSet& set, std::uint16_t& block, TMidiInput* input,
                             bool stopTimer, bool count) {
  const std::unique_ptr<TMyMidiEvent> event = TTransfer::TakeEvent(input);
  if (!event) return roNone;
  TTransfer& transfer = Transfer();
  if (stopTimer) transfer.Timer.Stop();
  if (block >= set.BlockCount()) return roBad;
  const TTransferBlock target = set.TransferBlock(block);
  if (!ReplyFits(*event, target) || ReplyAddress(*event) != transfer.ReplyBase + target.Offset)
    return roBad;
  std::copy_n(event->Sysex.begin(), target.ImageSize, target.Image);
  if (count) transfer.AddReceived(target.ImageSize, 1);
  ++block;
  return block == set.BlockCount() ? roLast : roStored;
}

void RequestBlock(std::uint32_t base, const TTransferBlock& block) {
  TTransfer::DiscardPendingInput();
  Transfer().ReplyBase = base;
  Transfer().AddSended(15, 1);
  SendDataRequest(base + block.Offset, 0, 0, block.RequestSize);
}

void SendBlockData(std::uint32_t base, const TTransferBlock& block) {
  SendDataSet(base, block.Offset, 0, block.Image + 9, block.DataSize());
}

void SendAllBlocks(TBlockSet& set, std::uint32_t base) {
  Transfer().ClearFailure();
  Transfer().Guard([&set, base] {
    for (int block = 0; block < set.BlockCount(); ++block)
      SendBlockData(base, set.TransferBlock(block));
  });
}

void RequestBlockReply(std::uint32_t base, const TTransferBlock& block,
                       std::function<void(TMidiInput*)> handler) {
  TTransfer& transfer = Transfer();
  transfer.Timer.Stop();
  transfer.DetachInput();
  RequestBlock(base, block);
  transfer.AttachInput(std::move(handler));
  transfer.Timer.SetEnabled(true);
}

void RequestBlockOf(TLibElem& element, TBlockSet& set, std::uint32_t base,
                    std::function<void()> atLast) {
  if (!MidiSession().MidiOpen()) return;
  auto handler = [&element, &set, atLast](TMidiInput* input) {
    switch (TakeBlockReply(set, element.BlockIndex, input, true, true)) {
      case roNone:
        return;
      case roLast:
        atLast();
        return;
      case roStored:
      case roBad:
        Transfer().Step([&element] { element.RequestNext(); });
        return;
    }
  };
  RequestBlockReply(base, set.TransferBlock(element.BlockIndex), handler);
}
