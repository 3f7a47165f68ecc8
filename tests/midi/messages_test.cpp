// Building, checking and pacing system-exclusive messages.
#include <functional>
#include <tuple>

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

TEST_F(Messages, ReplyValidChecksTheByteBeforeTheEnd) {
  const auto event = [](std::uint8_t status, TBytes sysex) {
    TMyMidiEvent e;
    e.Status = status;
    e.Data1 = 0x3C;
    e.Sysex = std::move(sysex);
    return e;
  };
  const TBytes good = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x00, 0x7D, 0xF7};
  TBytes bad = good;
  bad[10] = 0x7C;
  EXPECT_TRUE(ReplyValid(event(0xF0, good)));
  EXPECT_FALSE(ReplyValid(event(0xF0, bad)));
  EXPECT_FALSE(ReplyValid(event(0x90, {})));
  EXPECT_FALSE(ReplyValid(event(0, {0xF0, 0xF7})));
}

TEST_F(Messages, WhileMidiIsClosedNothingIsSentButTheBufferIsWritten) {
  MidiSession().SetMidiOpen(false);
  SendDataByte(0x03000000, 0, 0, 0x10);
  SendDataRequest(0x03000000, 0, 0, 0x1718);
  EXPECT_TRUE(loop->Sent().empty());
  EXPECT_EQ(SysexBuffer[4], kCmdRQ1);
  const TTiming t = TTiming::Scaled(0.01);  // shortened, never to zero
  EXPECT_EQ(std::tuple(t.ReplyTimeoutMs, t.MessagePauseMs, t.RepeatIntervalMs),
            std::tuple(20, 1, 1));
}

}  // namespace
