#pragma once
// The emulated instrument: its whole memory (system, temporary, user and card areas), the
// answers to data requests, the application of data sets, and fault options that let tests
// see lost, damaged and misshapen replies. Every public operation is thread safe: the in-process
// device feeds it from the program's thread while tests inspect it from theirs.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <random>
#include <vector>

#include <QString>

#include "instrument/memorymap.h"

using TMidiMessage = std::vector<std::uint8_t>;

// Faults applied to replies, each with its own probability (0 to 1), drawn from a generator
// seeded with Seed so that a run can be repeated.
struct TInstrumentFaults {
  double Drop = 0;         // reply not sent
  double Corrupt = 0;      // a data byte changed, so the checksum does not match
  double WrongLength = 0;  // one data byte fewer or one more, checksum made to match
  int DelayMs = 0;         // replies leave this long after the request (applied by the sender)
  std::uint32_t Seed = 1;
};

struct TInstrumentCounters {
  std::uint64_t DataSets = 0;  // data sets applied
  std::uint64_t Requests = 0;  // data requests answered (or left unanswered for lack of card)
  std::uint64_t Replies = 0;   // reply messages sent
  std::uint64_t Dropped = 0;   // replies withheld by the drop fault
  std::uint64_t NoteOns = 0;
  std::uint64_t NoteOffs = 0;
  std::uint64_t GmSystemOffs = 0;
  std::uint64_t Ignored = 0;  // messages not for us, malformed or with a bad checksum
};

class TInstrument {
 public:
  static constexpr std::uint8_t kDefaultDeviceId = 0x10;  // device number 17
  static constexpr std::uint8_t kBroadcastId = 0x7F;
  // Longest message taken: the program's input buffers hold 4096 bytes.
  static constexpr std::size_t kMaxMessageSize = 4096;

  TInstrument();

  // Restores the factory contents (every area, the card too).
  void Reset();

  std::uint8_t DeviceId() const;
  void SetDeviceId(std::uint8_t id);
  bool CardInserted() const;
  void SetCardInserted(bool inserted);
  TInstrumentFaults Faults() const;
  void SetFaults(const TInstrumentFaults& faults);  // also reseeds the generator
  TInstrumentCounters Counters() const;

  // Takes one incoming MIDI message and returns the replies it causes, in sending order.
  std::vector<TMidiMessage> Feed(const std::uint8_t* data, std::size_t size);
  std::vector<TMidiMessage> Feed(const TMidiMessage& message) {
    return Feed(message.data(), message.size());
  }

  // Direct memory access for tests, whatever the card: count bytes from address (7-bit
  // addressing; bytes outside every block read as 0 and are not written).
  std::vector<std::uint8_t> Read(std::uint32_t address, std::size_t count) const;
  void Write(std::uint32_t address, const std::vector<std::uint8_t>& bytes);
  // The data bytes of the block that starts at address; empty when none starts there.
  std::vector<std::uint8_t> Block(std::uint32_t address) const;
  // The 12 name characters of the patch, performance or rhythm set whose common block starts at
  // address, trailing blanks kept.
  QString Name(std::uint32_t address) const;

  // The memory image as a file: a short header and every block in address order. Both return
  // false with the reason (and the file name) in error.
  bool Load(const QString& path, QString* error);
  bool Save(const QString& path, QString* error) const;

 private:
  bool Accessible(const TBlockInfo& block) const;
  void ApplyDataSet(std::uint32_t address, const std::uint8_t* data, std::size_t count);
  void StoreByte(const TBlockInfo& block, int offset, std::uint8_t value);
  std::vector<TMidiMessage> Answer(std::uint32_t address, std::uint32_t size);
  void AddReply(std::vector<TMidiMessage>& replies, std::uint32_t address, const std::uint8_t* data,
                std::size_t count);
  bool Roll(double probability);
  void FillFactoryContents();

  mutable std::mutex mutex_;
  const TMemoryMap& map_;
  std::vector<std::uint8_t> memory_;
  std::uint8_t deviceId_ = kDefaultDeviceId;
  bool card_ = false;
  TInstrumentFaults faults_;
  std::mt19937 random_;
  TInstrumentCounters counters_;
};
