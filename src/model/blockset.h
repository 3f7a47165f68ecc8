#pragma once
// What the transfers need to know of a sound object made of blocks (patch, performance, rhythm
// set, system): where each block lies, how big its image is and how it is requested; and the
// steps that every kind's request, reply and transmission share.
#include <cstdint>
#include <functional>
#include <memory>

class TLibElem;
class TMidiInput;
class TMyMidiEvent;

struct TTransferBlock {
  std::uint8_t* Image = nullptr;  // the stored image that a reply is copied over
  int ImageSize = 0;              // header, data, checksum and F7
  std::uint16_t Offset = 0;       // address offset from the object's base
  std::uint32_t RequestSize = 0;  // size bytes of the block's own data request
  int DataSize() const { return ImageSize - 11; }
};

class TBlockSet {
 public:
  virtual ~TBlockSet() = default;
  virtual int BlockCount() const = 0;
  virtual TTransferBlock TransferBlock(int block) = 0;
  // The address the block offsets are added to, at the object's own location.
  virtual std::uint32_t BaseAddress() const = 0;
};

// Whether a received event is the data set a block expects: a valid checksum, the header
// F0 41 dev 6A 12 of our device, and exactly the length of the block's image. The instrument
// always answers whole blocks, so anything else is damage or another device's traffic.
bool ReplyFits(const TMyMidiEvent& event, const TTransferBlock& block);

enum TReplyOutcome {
  roNone,    // no event was waiting (or the MIDI ports are closed)
  roBad,     // not the expected block: nothing stored
  roStored,  // stored; more blocks follow
  roLast,    // stored, and it was the last block of the set
};

// Takes one event for block `block` of the set: stops the Timer when asked, copies a fitting
// reply over the block's image, counts it as received when asked and advances `block`.
TReplyOutcome TakeBlockReply(TBlockSet& set, std::uint16_t& block, TMidiInput* input,
                             bool stopTimer, bool count);

// Discards pending input, counts 15 bytes and one message sent and sends the block's request.
void RequestBlock(std::uint32_t base, const TTransferBlock& block);
// The block's data in one data set at base + its offset.
void SendBlockData(std::uint32_t base, const TTransferBlock& block);
// Every block, one data set after another, without a progress window; an output error shows the
// port's text and leaves Transfer().Failed() set.
void SendAllBlocks(TBlockSet& set, std::uint32_t base);

// The request of a block with the input handler armed: Timer stopped, handler detached, pending
// input discarded, the request counted and sent, the handler attached and the Timer enabled.
void RequestBlockReply(std::uint32_t base, const TTransferBlock& block,
                       std::function<void(TMidiInput*)> handler);

// RequestNext of an object received block by block (performance, system, rhythm set): the
// request of block element.BlockIndex at base, while the MIDI ports are open. Its replies are
// counted; a good one is followed by the request of the next block, a bad one by the same
// request again, and the last one by atLast.
void RequestBlockOf(TLibElem& element, TBlockSet& set, std::uint32_t base,
                    std::function<void()> atLast);
