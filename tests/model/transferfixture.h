#pragma once
// Transfers against the emulated instrument: a MIDI session on the instrument's device with
// shortened pacing, a headless progress host, a log of the data requests sent, and helpers that
// compare sound objects with the instrument's memory.
#include <memory>
#include <random>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "instrument/instrumentbackend.h"
#include "midi/monitor.h"
#include "model/blockset.h"
#include "model/headlesshost.h"
#include "model/namelists.h"
#include "model/transfer.h"
#include "modelfixture.h"

// Records the address of every data request sent (the monitor's output pane shows them all).
class TRequestLog : public TMidiMonitor {
 public:
  void AddMessage(int pane, const std::uint8_t* bytes, int length) override {
    if (pane == MonitorOutput && length == 15 && bytes[4] == 0x11)
      Requests.push_back(TBytes(bytes, bytes + length));
  }
  void AddMessageMidi(int, const TMyMidiEvent&) override {}
  std::uint32_t Address(std::size_t i) const { return AddressOf(Requests.at(i)); }
  std::vector<TBytes> Requests;
};

class TTransferTest : public TModelTest {
 protected:
  void SetUp() override {
    TModelTest::SetUp();
    // Long enough that a loaded machine never runs into it; the time-out tests shorten it.
    Timing().ReplyTimeoutMs = 3000;
    instrument = std::make_shared<TInstrument>();
    Open(std::make_unique<TInstrumentBackend>(instrument));
    MidiSession().SetMonitor(&log);
    SetStartDirectory(dir.path());
    NameLists() = TNameLists();
  }
  void TearDown() override {
    TModelTest::TearDown();
    Transfer().Finished = false;
  }

  // Runs the event loop for ms milliseconds.
  static void Idle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

  // Writes a pattern of its own over every data byte of the object's blocks in the instrument.
  void Scramble(TBlockSet& set, int seed) {
    for (int b = 0; b < set.BlockCount(); ++b) {
      const TTransferBlock block = set.TransferBlock(b);
      TBytes bytes(static_cast<std::size_t>(block.DataSize()));
      for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>((seed * 31 + b * 7 + i * 13) & 0x7F);
      instrument->Write(set.BaseAddress() + block.Offset, bytes);
    }
  }
  // The data of block b of the object as the object holds it and as the instrument does.
  static TBytes Held(TBlockSet& set, int b) {
    const TTransferBlock block = set.TransferBlock(b);
    return TBytes(block.Image + 9, block.Image + 9 + block.DataSize());
  }
  TBytes InInstrument(TBlockSet& set, int b) const {
    return instrument->Block(set.BaseAddress() + set.TransferBlock(b).Offset);
  }
  // Number of blocks, from the first, whose data equals the instrument's; BlockCount when all do.
  int MatchingBlocks(TBlockSet& set) const {
    for (int b = 0; b < set.BlockCount(); ++b)
      if (Held(set, b) != InInstrument(set, b)) return b;
    return set.BlockCount();
  }

  // A seed for the corrupt fault with probability p under which reply i is damaged when
  // pattern[i] is 1, left whole when 0, either way when -1. The instrument draws one number per
  // reply from a std::mt19937 seeded with the fault's seed.
  static std::uint32_t SeedFor(double p, const std::vector<int>& pattern) {
    for (std::uint32_t seed = 1;; ++seed) {
      std::mt19937 random(seed);
      bool fits = true;
      for (int want : pattern) {
        const bool damaged = std::uniform_real_distribution<double>(0.0, 1.0)(random) < p;
        if (want >= 0 && damaged != (want == 1)) {
          fits = false;
          break;
        }
      }
      if (fits) return seed;
    }
  }
  void Corrupt(double p, const std::vector<int>& pattern) {
    instrument->SetFaults({.Corrupt = p, .Seed = SeedFor(p, pattern)});
  }
  void Drop(double p, const std::vector<int>& pattern) {
    instrument->SetFaults({.Drop = p, .Seed = SeedFor(p, pattern)});
  }
  // The transfer's state in one line: title; element caption and number; messages and bytes
  // sent and received; gauge; finished or not.
  static std::string Progress() {
    const TTransfer& t = Transfer();
    return QStringLiteral("%1; %2%3; sent %4/%5; received %6/%7; %8%; %9")
        .arg(t.Title(), t.ElemCaption(), t.ElemNumberText())
        .arg(t.MessagesSent())
        .arg(t.BytesSent())
        .arg(t.MessagesReceived())
        .arg(t.BytesReceived())
        .arg(t.Gauge())
        .arg(t.Finished ? "finished" : "open")
        .toStdString();
  }
  std::vector<std::uint32_t> Requested() const {
    std::vector<std::uint32_t> addresses;
    for (std::size_t i = 0; i < log.Requests.size(); ++i) addresses.push_back(log.Address(i));
    return addresses;
  }
  // Places an object in user (or card) memory at number.
  static void Place(TLibElem& element, int number, bool user = true) {
    element.Temporary = false;
    element.User = user;
    element.Number = static_cast<std::uint16_t>(number);
  }

  std::shared_ptr<TInstrument> instrument;
  TScopedHeadlessHost host;
  TRequestLog log;
};
