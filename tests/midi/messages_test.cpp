// Building, checking and pacing system-exclusive messages.
#include <chrono>

#include "midi/sysex.h"
#include "midifixture.h"

namespace {

class Messages : public TMidiFixture {
 protected:
  TBytes LastSent() {
    auto sent = loop->Sent();
    return sent.empty() ? TBytes{} : sent.back();
  }
};

TEST_F(Messages, DataSetsCarryDeviceAddressAndChecksumToTheByte) {
  Config().DeviceID = 17;
  SendDataByte(0x03000000, 0, 0, 0x00);
  EXPECT_EQ(LastSent(),
            (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x00, 0x7D, 0xF7}));
  // The device ID byte is the device number less one.
  Config().DeviceID = 16;
  EXPECT_EQ(DeviceIdByte(), 0x0F);
  Config().DeviceID = 32;
  SendDataByte(0, 0, 0, 1);
  EXPECT_EQ(LastSent().at(2), 0x1F);
  Config().DeviceID = 17;

  // A sum that is a multiple of 128 gives 0, not 128: 0x10 + 0x70, then 0x01 + 0x7F + 0x7F + 0x01.
  const std::uint8_t data[] = {0x70};
  SendDataSet(0x10000000, 0, 0, data, 1);
  ASSERT_EQ(LastSent().size(), 12u);
  EXPECT_EQ(LastSent()[10], 0x00);
  const std::uint8_t data2[] = {0x7F, 0x7F, 0x01};
  SendDataSet(0x01000000, 0, 0, data2, 3);
  EXPECT_EQ(LastSent()[12], 0x00);
  // The message is assembled in the shared buffer.
  TBytes sent = LastSent();
  EXPECT_TRUE(std::equal(sent.begin(), sent.end(), SysexBuffer.begin()));

  // Offsets are added without carrying: 7F + 01 in the low byte gives 80.
  SendDataByte(0x11050000, 0x1200, 0x001F, 0x40);
  sent = LastSent();
  EXPECT_EQ(TBytes(sent.begin() + 5, sent.begin() + 9), (TBytes{0x11, 0x05, 0x12, 0x1F}));
  SendDataByte(0x0300007F, 0x0001, 0, 0x00);
  EXPECT_EQ(LastSent()[8], 0x80);
}

TEST_F(Messages, DataRequestIsFifteenBytesWithSizeMostSignificantFirst) {
  SendDataRequest(0x11000000, 0, 0, 0x00001718);
  const std::uint8_t sum = (0x11 + 0x17 + 0x18) % 128;
  EXPECT_EQ(LastSent(), (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00,
                                0x17, 0x18, static_cast<std::uint8_t>(128 - sum), 0xF7}));
}

TEST_F(Messages, OverlongDataRunIsRefusedBeforeAnythingIsSent) {
  std::vector<std::uint8_t> data(kMaxDataRun + 1);
  EXPECT_THROW(SendDataSet(0, 0, 0, data.data(), kMaxDataRun + 1), std::length_error);
  EXPECT_TRUE(loop->Sent().empty());
  data.resize(kMaxDataRun);
  SendDataSet(0, 0, 0, data.data(), kMaxDataRun);
  EXPECT_EQ(LastSent().size(), std::size_t(kSysexBufferSize));
}

TEST_F(Messages, PrepareMessageRefreshesHeaderChecksumAndEnd) {
  Config().DeviceID = 17;
  // A stored image with stale header bytes and checksum: 3 data bytes, 14 bytes in all.
  std::vector<std::uint8_t> image(14, 0x33);
  image[9] = 0x01;
  image[10] = 0x02;
  image[11] = 0x03;
  PrepareMessage(image.data(), 13, 0x21057F00);
  EXPECT_EQ(image, (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x21, 0x05, 0x7F, 0x00, 0x01, 0x02, 0x03,
                           static_cast<std::uint8_t>(128 - (0x21 + 0x05 + 0x7F + 6) % 128), 0xF7}));
}

TEST_F(Messages, ReplyValidChecksTheByteBeforeTheEnd) {
  TMyMidiEvent event;
  event.Status = 0xF0;
  event.Sysex = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x00, 0x7D, 0xF7};
  EXPECT_TRUE(ReplyValid(event));
  event.Sysex[10] = 0x7C;
  EXPECT_FALSE(ReplyValid(event));
  TMyMidiEvent shortMessage;
  shortMessage.Status = 0x90;
  shortMessage.Data1 = 0x3C;
  EXPECT_FALSE(ReplyValid(shortMessage));
  TMyMidiEvent stub;
  stub.Sysex = {0xF0, 0xF7};
  EXPECT_FALSE(ReplyValid(stub));
}

TEST_F(Messages, NothingIsSentWhileMidiIsClosedAndEveryMessageLeavesAPauseAfterTheLast) {
  MidiSession().SetMidiOpen(false);
  SendDataByte(0x03000000, 0, 0, 0x10);
  SendDataRequest(0x03000000, 0, 0, 0x1718);
  EXPECT_TRUE(loop->Sent().empty());
  EXPECT_EQ(SysexBuffer[4], kCmdRQ1);  // the buffer is written all the same

  MidiSession().SetMidiOpen(true);
  Timing().MessagePauseMs = 20;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3; ++i) SendDataByte(0, 0, i, 0);
  // Nobody waits for the wire: the messages leave afterwards, a pause apart.
  EXPECT_TRUE(loop->Sent().empty());
  while (loop->Sent().size() < 3 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  EXPECT_EQ(loop->Sent().size(), 3u);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
}

TEST(TimingRecord, ScaledShortensEveryIntervalButNeverToZero) {
  const TTiming t = TTiming::Scaled(0.01);
  EXPECT_EQ(t.ReplyTimeoutMs, 20);
  EXPECT_EQ(t.MessagePauseMs, 1);
  EXPECT_EQ(t.RepeatIntervalMs, 1);
}

}  // namespace
