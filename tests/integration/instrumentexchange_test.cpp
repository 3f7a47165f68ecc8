// The program's own MIDI ports (the RtMidi backend under TMidiSession) exchanging data sets and
// requests with vesta-instrument over a private JACK server.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "midi/config.h"
#include "midi/midisession.h"
#include "midi/rtmidibackend.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "tests/integration/childprocess.h"
#include "tests/integration/jackserver.h"

namespace {

constexpr std::uint32_t kTemporaryPatch = 0x03000000;
constexpr std::uint32_t kWholePatchSize = 0x00001718;  // sent as the bytes 00 00 17 18
const std::string kInstrumentName = "VestaE2E";

using TBytes = std::vector<std::uint8_t>;

class InstrumentExchange : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(&error)) << error;
    ASSERT_TRUE(StartInstrument(instrument_, kInstrumentName, {}, &error)) << error;

    TMidiDevices::Instance().Clear();
    RegisterSystemBackends();
    Config() = TConfig{};
    Config().MidiIn = IndexOfJackPort(TMidiDevices::Instance().InputNames(), kInstrumentName);
    Config().MidiOut = IndexOfJackPort(TMidiDevices::Instance().OutputNames(), kInstrumentName);
    ASSERT_GE(Config().MidiIn, 0) << TMidiDevices::Instance().InputNames().join(", ").toStdString();
    ASSERT_GE(Config().MidiOut, 0);
    Timing() = TTiming::Scaled(0.02);

    MidiSession().Create();
    ASSERT_TRUE(MidiSession().MidiOpen());
    ASSERT_EQ(MidiSession().Input()->State(), TMidiInput::Open);
    ASSERT_EQ(MidiSession().Output()->State(), TMidiOutput::Open);
    MidiSession().Input()->OnMidiInput = [this](TMidiInput* input) {
      while (auto event = input->NextEvent()) received_.push_back(*event);
    };
    // JACK makes a new connection live a process cycle or more after jack_connect returns, and
    // under load that can be long enough to lose the first messages; a test starts only once a
    // request has been answered both ways.
    ASSERT_TRUE(WaitUntilConnected(10000)) << instrument_.Output();
  }

  bool WaitUntilConnected(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
      SendDataRequest(kTemporaryPatch, 0, 0, 1);
      if (!WaitForReplies(1, 200).empty()) {
        WaitForReplies(1000, 100);  // answers to earlier probes still on their way
        received_.clear();
        return true;
      }
    }
    return false;
  }

  void TearDown() override {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming{};
    Config() = TConfig{};
    instrument_.Stop();
    server_.Stop();
  }

  // Runs the event loop until count events have arrived or timeoutMs has passed.
  const std::vector<TMyMidiEvent>& WaitForReplies(std::size_t count, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (received_.size() < count && std::chrono::steady_clock::now() < deadline)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return received_;
  }

  static std::uint32_t AddressOf(const TMyMidiEvent& event) {
    if (event.SysexLength() < 9) return 0xFFFFFFFF;
    const auto& b = event.Sysex;
    return std::uint32_t{b[5]} << 24 | std::uint32_t{b[6]} << 16 | std::uint32_t{b[7]} << 8 | b[8];
  }

  static TBytes DataOf(const TMyMidiEvent& event) {
    if (event.SysexLength() < 11) return {};
    return TBytes(event.Sysex.begin() + 9, event.Sysex.end() - 2);
  }

  TJackServer server_;
  TChildProcess instrument_;
  std::vector<TMyMidiEvent> received_;
};

TEST_F(InstrumentExchange, PatchNameWrittenByDataSetIsReadBackByRequest) {
  const std::string name = "E2E Test Pat";
  const TBytes bytes(name.begin(), name.end());
  SendDataSet(kTemporaryPatch, 0, 0, bytes.data(), static_cast<int>(bytes.size()));
  SendDataRequest(kTemporaryPatch, 0, 0, static_cast<std::uint32_t>(bytes.size()));
  const auto& replies = WaitForReplies(1, 3000);
  ASSERT_EQ(replies.size(), 1u) << instrument_.Output();
  EXPECT_TRUE(ReplyValid(replies[0]));
  EXPECT_EQ(replies[0].Sysex[2], 0x10);
  EXPECT_EQ(replies[0].Sysex[4], kCmdDT1);
  EXPECT_EQ(AddressOf(replies[0]), kTemporaryPatch);
  EXPECT_EQ(DataOf(replies[0]), bytes);
}

TEST_F(InstrumentExchange, WholePatchRequestIsAnsweredWithCommonAndFourTones) {
  const std::string name = "Whole Patch ";
  const TBytes bytes(name.begin(), name.end());
  SendDataSet(kTemporaryPatch, 0, 0, bytes.data(), static_cast<int>(bytes.size()));
  SendDataRequest(kTemporaryPatch, 0, 0, kWholePatchSize);
  EXPECT_EQ(std::vector<std::uint8_t>(SysexBuffer.begin() + 9, SysexBuffer.begin() + 13),
            (TBytes{0x00, 0x00, 0x17, 0x18}));
  const auto& replies = WaitForReplies(5, 3000);
  ASSERT_EQ(replies.size(), 5u) << instrument_.Output();
  const std::uint32_t addresses[5] = {0x03000000, 0x03001000, 0x03001200, 0x03001400, 0x03001600};
  const int lengths[5] = {83, 140, 140, 140, 140};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(ReplyValid(replies[i]));
    EXPECT_EQ(replies[i].SysexLength(), lengths[i]);
    EXPECT_EQ(AddressOf(replies[i]), addresses[i]);
  }
  EXPECT_EQ(TBytes(replies[0].Sysex.begin() + 9, replies[0].Sysex.begin() + 21), bytes);
}

TEST_F(InstrumentExchange, RequestWithAnotherDeviceIdGetsNoAnswer) {
  Config().DeviceID = 18;  // device ID byte 11, the instrument answers to 10
  SendDataRequest(kTemporaryPatch, 0, 0, 12);
  EXPECT_TRUE(WaitForReplies(1, 500).empty());
  // The same request with the right device ID is answered: the silence above was the ID.
  Config().DeviceID = 17;
  SendDataRequest(kTemporaryPatch, 0, 0, 12);
  EXPECT_EQ(WaitForReplies(1, 3000).size(), 1u);
}

}  // namespace
