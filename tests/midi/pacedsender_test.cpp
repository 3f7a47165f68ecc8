// The paced sender: order, the pause before each system-exclusive message, the newest value
// replacing a waiting one, GM System Off kept before its data set, a port failing mid-queue and
// flushing what waits.
#include <chrono>

#include <QElapsedTimer>
#include <QSignalSpy>

#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "midifixture.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr std::uint8_t kGmSystemOff[] = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};

// Every message the monitor is told of, with the moment it was told.
struct TTimedMonitor : TMidiMonitor {
  std::vector<TBytes> lines;
  std::vector<TClock::time_point> times;
  void AddMessage(int pane, const std::uint8_t* bytes, int length) override {
    if (pane != MonitorOutput) return;
    lines.emplace_back(bytes, bytes + length);
    times.push_back(TClock::now());
  }
  void AddMessageMidi(int pane, const TMyMidiEvent& e) override {
    if (pane != MonitorOutput) return;
    lines.push_back({e.Status, e.Data1, e.Data2});
    times.push_back(TClock::now());
  }
};

class PacedSender : public TMidiFixture {
 protected:
  void SetUp() override {
    TMidiFixture::SetUp();
    // Longer than a wait taken in place: every message queues.
    Timing().MessagePauseMs = 8;
    MidiSession().SetMonitor(&monitor);
  }
  void TearDown() override {
    Sender().Drop();
    TMidiFixture::TearDown();
  }
  // Runs the event loop until nothing waits.
  static bool Drain() {
    QElapsedTimer timer;
    timer.start();
    while (Sender().Waiting() > 0 && timer.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return Sender().Waiting() == 0;
  }
  static std::uint32_t Address(const TBytes& m) {
    return std::uint32_t(m[5]) << 24 | std::uint32_t(m[6]) << 16 | std::uint32_t(m[7]) << 8 | m[8];
  }
  TTimedMonitor monitor;
};

TEST_F(PacedSender, SendingNeverWaitsAndMessagesLeaveInOrderAPauseApart) {
  const std::uint8_t block[20] = {};
  const auto start = TClock::now();
  SendDataByte(0x03000000, 0, 0x10, 1);                 // a single edit
  Sender().SendShort(0x90, 60, 100);                    // a note
  SendDataSet(0x03000000, 0x1000, 0, block, 20);        // a whole block
  SendDataRequest(0x03000000, 0, 0, 0x48);              // a request
  SendDataByte(0x03000000, 0, 0x11, 2);                 // another edit
  Sender().SendShort(0x80, 60, 0);
  // Nothing has left yet, so nothing was waited for.
  EXPECT_TRUE(loop->Sent().empty());
  EXPECT_EQ(Sender().Waiting(), 6);
  EXPECT_GE(Sender().MsLeft(), 4 * 8 - 2);

  ASSERT_TRUE(Drain());
  const std::vector<TBytes> sent = loop->Sent();
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[0][8], 0x10);
  EXPECT_EQ(sent[1], (TBytes{0x90, 60, 100}));
  EXPECT_EQ(sent[2].size(), 31u);
  EXPECT_EQ(sent[3][4], kCmdRQ1);
  EXPECT_EQ(sent[4][8], 0x11);
  EXPECT_EQ(sent[5], (TBytes{0x80, 60, 0}));
  // The monitor hears of each as it leaves; system-exclusive ones leave a pause apart, the
  // first a pause after it was queued.
  ASSERT_EQ(monitor.lines, sent);
  const auto pause = std::chrono::milliseconds(8);
  EXPECT_GE(monitor.times[0] - start, pause);
  EXPECT_GE(monitor.times[2] - monitor.times[0], pause);
  EXPECT_GE(monitor.times[3] - monitor.times[2], pause);
  EXPECT_GE(monitor.times[4] - monitor.times[3], pause);
}

TEST_F(PacedSender, AWaitingDataSetTakesTheNewestValueOfTheSameAddressAndSizeOnly) {
  const std::uint8_t two[2] = {5, 6};
  SendDataByte(0x03000000, 0, 0x10, 1);
  SendDataByte(0x03000000, 0, 0x11, 1);  // another address
  SendDataSet(0x03000000, 0, 0x10, two, 2);  // another size
  for (std::uint8_t v = 2; v <= 40; ++v) SendDataByte(0x03000000, 0, 0x10, v);
  EXPECT_EQ(Sender().Waiting(), 3);
  ASSERT_TRUE(Drain());
  const std::vector<TBytes> sent = loop->Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(Address(sent[0]), 0x03000010u);
  EXPECT_EQ(sent[0][9], 40);  // the final value, in the first one's place
  EXPECT_EQ(sent[0][10], Checksum(sent[0].data(), 11));
  EXPECT_EQ(Address(sent[1]), 0x03000011u);
  EXPECT_EQ(sent[1][9], 1);
  EXPECT_EQ(sent[2].size(), 13u);
}

TEST_F(PacedSender, ADataSetNeverPassesARequestANoteOrAnotherDevice) {
  SendDataByte(0x03000000, 0, 0x10, 1);
  SendDataRequest(0x03000000, 0, 0x10, 1);
  SendDataByte(0x03000000, 0, 0x10, 2);  // would pass the request
  Sender().SendShort(0x90, 60, 100);
  SendDataByte(0x03000000, 0, 0x10, 3);  // would pass the note
  Config().DeviceID = 5;
  SendDataByte(0x03000000, 0, 0x10, 4);  // another device
  ASSERT_TRUE(Drain());
  const std::vector<TBytes> sent = loop->Sent();
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[0][9], 1);
  EXPECT_EQ(sent[1][4], kCmdRQ1);
  EXPECT_EQ(sent[2][9], 2);
  EXPECT_EQ(sent[4][9], 3);
  EXPECT_EQ(sent[5][2], 4);
}

TEST_F(PacedSender, GmSystemOffStaysBeforeThePanelModeThatReplacesAWaitingOne) {
  // Each change of the panel mode: GM System Off, then its data set.
  for (std::uint8_t mode : {1, 2, 0}) {
    Sender().SendSysex(kGmSystemOff, sizeof kGmSystemOff, true);
    SendDataByte(0x00000000, 0, 0, mode);
  }
  // A request in between ends the run: the next change queues after it.
  SendDataRequest(0x00000000, 0, 0, 1);
  Sender().SendSysex(kGmSystemOff, sizeof kGmSystemOff, true);
  SendDataByte(0x00000000, 0, 0, 1);
  ASSERT_TRUE(Drain());
  const std::vector<TBytes> sent = loop->Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[0], TBytes(std::begin(kGmSystemOff), std::end(kGmSystemOff)));
  EXPECT_EQ(Address(sent[1]), 0u);
  EXPECT_EQ(sent[1][9], 0);
  EXPECT_EQ(sent[2][4], kCmdRQ1);
  EXPECT_EQ(sent[3], sent[0]);
  EXPECT_EQ(sent[4][9], 1);
}

TEST_F(PacedSender, APortFailingMidQueueDropsItWithOneMessageAndTheSenderGoesOn) {
  QSignalSpy failed(&Sender(), &TPacedSender::Failed);
  SendDataByte(0x03000000, 0, 0x10, 1);
  for (std::uint8_t i = 0; i < 4; ++i) SendDataByte(0x03000000, 0, i, i);
  QElapsedTimer timer;
  timer.start();
  while (loop->Sent().empty() && timer.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
  loop->FailSends(QStringLiteral("The port is gone"));
  ASSERT_TRUE(Drain());
  EXPECT_EQ(loop->Sent().size(), 1u);
  ASSERT_EQ(failed.count(), 1);
  EXPECT_EQ(failed[0][0].toString(), "The port is gone");
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_TRUE(ui.LastText().startsWith("The port is gone\n3 more message"));

  // Not stuck: once the port works again, the next message goes.
  loop->FailSends(QString());
  SendDataByte(0x03000000, 0, 0x20, 9);
  ASSERT_TRUE(Drain());
  ASSERT_EQ(loop->Sent().size(), 2u);
  EXPECT_EQ(loop->Sent()[1][8], 0x20);
}

TEST_F(PacedSender, FlushSendsWhatWaitsAtItsPaceAndClosingThePortsFlushesFirst) {
  for (std::uint8_t i = 0; i < 3; ++i) SendDataByte(0x03000000, 0, i, i);
  const auto start = TClock::now();
  EXPECT_TRUE(Sender().Flush());
  EXPECT_GE(TClock::now() - start, std::chrono::milliseconds(3 * 8 - 1));
  EXPECT_EQ(loop->Sent().size(), 3u);
  EXPECT_EQ(Sender().Waiting(), 0);

  SendDataByte(0x03000000, 0, 0x30, 1);
  Sender().SendShort(0x90, 60, 1);
  MidiSession().CloseDevs();
  EXPECT_EQ(Sender().Waiting(), 0);
  ASSERT_EQ(loop->Sent().size(), 5u);
  EXPECT_EQ(loop->Sent()[4], (TBytes{0x90, 60, 1}));

  // A port that fails while flushing: the rest is dropped, once.
  MidiSession().OpenDevs();
  for (std::uint8_t i = 0; i < 3; ++i) SendDataByte(0x03000000, 0, i, i);
  loop->FailSends(QStringLiteral("Gone"));
  EXPECT_FALSE(Sender().Flush());
  EXPECT_EQ(Sender().Waiting(), 0);
  EXPECT_EQ(ui.Questions.size(), 1u);
}

TEST_F(PacedSender, ShortPausesAreTakenInPlaceAndNothingQueuesWhileMidiIsClosed) {
  Timing().MessagePauseMs = 1;
  SendDataByte(0x03000000, 0, 0x10, 1);
  Sender().SendShort(0x90, 60, 100);
  EXPECT_EQ(loop->Sent().size(), 2u);
  EXPECT_EQ(Sender().Waiting(), 0);
  Timing().MessagePauseMs = 8;
  MidiSession().SetMidiOpen(false);
  SendDataByte(0x03000000, 0, 0x10, 1);
  EXPECT_EQ(Sender().Waiting(), 0);
}

}  // namespace
