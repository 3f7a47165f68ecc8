// Building, checking and pacing system-exclusive messages: the bytes of data sets and requests,
// the paced sender's order and pauses, the newest value replacing a waiting one, a port failing.
#include <chrono>
#include <functional>
#include <tuple>

#include <QElapsedTimer>

#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "midifixture.h"

namespace {

using Messages = TMidiFixture;

TEST_F(Messages, DataSetsAndRequestsCarryDeviceAddressSizeAndChecksumToTheByte) {
  const std::uint8_t seventy[] = {0x70}, run[] = {0x7F, 0x7F, 0x01};
  // The device ID byte is the device number less one; a sum that is a multiple of 128 gives 0,
  // not 128; offsets are added without carrying (7F + 01 in the low byte gives 80).
  const struct {
    int Device;
    std::function<void()> Send;
    TBytes Sent;
  } cases[] = {
      {17,
       [] { SendDataByte(0x03000000, 0, 0, 0x00); },
       {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x00, 0x7D, 0xF7}},
      {32,
       [] { SendDataByte(0, 0, 0, 1); },
       {0xF0, 0x41, 0x1F, 0x6A, 0x12, 0x00, 0x00, 0x00, 0x00, 0x01, 0x7F, 0xF7}},
      {17,
       [&] { SendDataSet(0x10000000, 0, 0, seventy, 1); },
       {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x10, 0x00, 0x00, 0x00, 0x70, 0x00, 0xF7}},
      {17,
       [&] { SendDataSet(0x01000000, 0, 0, run, 3); },
       {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x01, 0x00, 0x00, 0x00, 0x7F, 0x7F, 0x01, 0x00, 0xF7}},
      {17,
       [] { SendDataByte(0x11050000, 0x1200, 0x001F, 0x40); },
       {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x11, 0x05, 0x12, 0x1F, 0x40, 0x79, 0xF7}},
      {17,
       [] { SendDataByte(0x0300007F, 0x0001, 0, 0x00); },
       {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x80, 0x00, 0x7D, 0xF7}},
      {17,
       [] { SendDataRequest(0x11000000, 0, 0, 0x00001718); },
       {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x18, 0x40, 0xF7}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Config().DeviceID = c.Device;
    loop->ClearSent();
    c.Send();
    ASSERT_EQ(loop->Sent(), std::vector<TBytes>{c.Sent});
    // The message is assembled in the shared buffer.
    EXPECT_TRUE(std::equal(c.Sent.begin(), c.Sent.end(), SysexBuffer.begin()));
  }
  EXPECT_EQ(DeviceIdByte(), 0x10);

  // An overlong run is refused before anything is sent.
  loop->ClearSent();
  std::vector<std::uint8_t> data(kMaxDataRun + 1);
  EXPECT_THROW(SendDataSet(0, 0, 0, data.data(), kMaxDataRun + 1), std::length_error);
  EXPECT_TRUE(loop->Sent().empty());
  SendDataSet(0, 0, 0, data.data(), kMaxDataRun);
  EXPECT_EQ(loop->Sent().at(0).size(), std::size_t(kSysexBufferSize));

  // A stored image with stale header bytes and checksum: 3 data bytes, 14 bytes in all.
  std::vector<std::uint8_t> image(14, 0x33);
  image[9] = 0x01;
  image[10] = 0x02;
  image[11] = 0x03;
  PrepareMessage(image.data(), 13, 0x21057F00);
  EXPECT_EQ(image, (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x21, 0x05, 0x7F, 0x00, 0x01, 0x02, 0x03,
                           static_cast<std::uint8_t>(128 - (0x21 + 0x05 + 0x7F + 6) % 128), 0xF7}));
}

using TClock = std::chrono::steady_clock;
constexpr std::uint8_t kGmSystemOff[] = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};

class PacedSender : public TMidiFixture {
 protected:
  void SetUp() override {
    TMidiFixture::SetUp();
    // Longer than a wait taken in place: every message queues.
    Timing().MessagePauseMs = 8;
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
};

TEST_F(PacedSender, SendingNeverWaitsAndMessagesLeaveInOrderAPauseApart) {
  const std::uint8_t block[20] = {};
  const auto start = TClock::now();
  SendDataByte(0x03000000, 0, 0x10, 1);
  Sender().SendShort(0x90, 60, 100);
  SendDataSet(0x03000000, 0x1000, 0, block, 20);
  SendDataRequest(0x03000000, 0, 0, 0x48);
  SendDataByte(0x03000000, 0, 0x11, 2);
  Sender().SendShort(0x80, 60, 0);
  // Nothing has left yet, so nothing was waited for.
  EXPECT_TRUE(loop->Sent().empty());
  EXPECT_EQ(Sender().Waiting(), 6);
  EXPECT_GE(Sender().MsLeft(), 4 * 8 - 2);
  ASSERT_TRUE(Drain());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"10 DT 03000010 01", "90 3C 64",
                                              "10 DT 03001000 [20]", "10 RQ 03000000 00 00 00 48",
                                              "10 DT 03000011 02", "80 3C 00"}));
  // The monitor hears of each as it leaves; system-exclusive ones leave a pause apart, the
  // first a pause after it was queued.
  ASSERT_EQ(monitor.Of(MonitorOutput), loop->Sent());
  const auto pause = std::chrono::milliseconds(8);
  const auto& lines = monitor.Lines;
  EXPECT_GE(lines[0].At - start, pause);
  for (int i : {2, 3, 4}) EXPECT_GE(lines[i].At - lines[i == 2 ? 0 : i - 1].At, pause);
}

// The newest value of a waiting data set of the same address and size takes its place; a data
// set never passes a request, a note or another device's; GM System Off stays before the panel
// mode that replaces a waiting one, and a request in between ends the run.
TEST_F(PacedSender, AWaitingDataSetTakesTheNewestValueButNeverPassesAnything) {
  const std::uint8_t two[2] = {5, 6};
  SendDataByte(0x03000000, 0, 0x10, 1);
  SendDataByte(0x03000000, 0, 0x11, 1);
  SendDataSet(0x03000000, 0, 0x10, two, 2);
  for (std::uint8_t v = 2; v <= 40; ++v) SendDataByte(0x03000000, 0, 0x10, v);
  EXPECT_EQ(Sender().Waiting(), 3);
  ASSERT_TRUE(Drain());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"10 DT 03000010 28", "10 DT 03000011 01",
                                              "10 DT 03000010 05 06"}));

  loop->ClearSent();
  SendDataByte(0x03000000, 0, 0x10, 1);
  SendDataRequest(0x03000000, 0, 0x10, 1);
  SendDataByte(0x03000000, 0, 0x10, 2);
  Sender().SendShort(0x90, 60, 100);
  SendDataByte(0x03000000, 0, 0x10, 3);
  Config().DeviceID = 5;
  SendDataByte(0x03000000, 0, 0x10, 4);
  ASSERT_TRUE(Drain());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"10 DT 03000010 01", "10 RQ 03000010 00 00 00 01",
                                              "10 DT 03000010 02", "90 3C 64", "10 DT 03000010 03",
                                              "04 DT 03000010 04"}));

  loop->ClearSent();
  Config().DeviceID = 17;
  for (std::uint8_t mode : {1, 2, 0}) {
    Sender().SendSysex(kGmSystemOff, sizeof kGmSystemOff, true);
    SendDataByte(0x00000000, 0, 0, mode);
  }
  SendDataRequest(0x00000000, 0, 0, 1);
  Sender().SendSysex(kGmSystemOff, sizeof kGmSystemOff, true);
  SendDataByte(0x00000000, 0, 0, 1);
  ASSERT_TRUE(Drain());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"F0 7E 7F 09 02 F7", "10 DT 00000000 00",
                                              "10 RQ 00000000 00 00 00 01", "F0 7E 7F 09 02 F7",
                                              "10 DT 00000000 01"}));
}

TEST_F(PacedSender, FlushSendsWhatWaitsAtItsPaceClosingFlushesAndShortPausesWaitInPlace) {
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
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{"10 DT 03000000 00", "10 DT 03000001 01", "10 DT 03000002 02",
                                      "10 DT 03000030 01", "90 3C 01"}));
  // A port that fails while flushing: the rest is dropped, with one message.
  MidiSession().OpenDevs();
  for (std::uint8_t i = 0; i < 3; ++i) SendDataByte(0x03000000, 0, i, i);
  loop->FailSends(QStringLiteral("Gone"));
  EXPECT_FALSE(Sender().Flush());
  EXPECT_EQ(Sender().Waiting(), 0);
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_EQ(ui.LastText(), "Gone\n2 more message(s) waiting to be sent were dropped.");
  loop->FailSends(QString());
}

}  // namespace
