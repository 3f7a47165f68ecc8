#pragma once
// TBlock: what every data block of a sound object offers an editor page, whatever its kind
// (patch common and tone, performance common and part, rhythm common and note, system common and
// scale tune). Each kind keeps its own order of storing and sending; a page holds "a block".
#include <cstdint>

class TBlock {
 public:
  virtual ~TBlock() = default;

  // Number of data bytes.
  virtual int Size() const = 0;
  virtual std::uint8_t* Data() = 0;
  virtual const std::uint8_t* Data() const = 0;
  virtual std::uint8_t GetByte(int offset) const = 0;
  // Writes straight into the block, sending nothing (revert, paste, copies).
  virtual void StoreByte(int offset, std::uint8_t value) = 0;
  // A changed byte is stored and sent to the temporary area of its kind; an equal one does
  // nothing.
  virtual void SetByte(int offset, std::uint8_t value) = 0;
  // Stores count bytes and sends them in one message (some kinds only when one of them changed).
  virtual void SetBytes(int offset, const std::uint8_t* bytes, int count) = 0;
  // The whole block in one message, while the MIDI ports are open.
  virtual void SendBlock() = 0;
};
