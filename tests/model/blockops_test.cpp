// Block operations: what each store sends, where, and in which order against the stored byte.
#include <QTimer>

#include "midi/pacedsender.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"
#include "model/transfer.h"
#include "modelfixture.h"

using TBlockOps = TSendTest;

TEST_F(TBlockOps, EachStoreSendsToTheTemporaryAreaOnlyWhatChangedAndOnlyWhileMidiIsOpen) {
  TPatch patch(nullptr);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 100;
  patch.Tones[1].SetByte(81, 0x40);
  patch.Tones[1].SetByte(81, 0x40);   // unchanged: nothing sent
  patch.Tones[3].SetByte(128, 0x7F);  // 01 00 past the tone
  patch.Common.SetByte(12, 3);
  const std::uint8_t same[2] = {0, 0}, wave[2] = {1, 5};
  patch.Tones[0].SetBytes(2, same, 2);
  patch.Tones[0].SetBytes(2, wave, 2);
  patch.SetName("        ", true);  // blanks as stored: still sent
  patch.SetName("Bell", false);     // stored only
  patch.Tones[2].SendBlock();
  EXPECT_EQ(Sent(0),
            (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x51, 0x40, 0x5A, 0xF7}));
  EXPECT_EQ(SentAddresses(), (std::vector<std::uint32_t>{0x03001251, 0x03001700, 0x0300000C,
                                                         0x03001002, 0x03000000, 0x03001400}));
  EXPECT_EQ(DataOf(Sent(3)), (TBytes{1, 5}));
  EXPECT_EQ(DataOf(Sent(4)), TBytes(12, ' '));
  EXPECT_EQ(Sent(5).size(), 129u + 11);
  EXPECT_EQ(patch.Tones[3].GetByte(128), 0x7F);
  EXPECT_EQ(patch.GetName(), "Bell");
  MidiSession().SetMidiOpen(false);
  patch.Common.SendBlock();
  patch.Common.SetByte(0, 'X');  // stored even though nothing can be sent
  MidiSession().SetMidiOpen(true);
  EXPECT_EQ(SentCount(), 6u);
  EXPECT_EQ(patch.Common.GetByte(0), 'X');

  loop->ClearSent();
  TPerformance performance(nullptr);
  performance.Common.SetByte(12, 5);
  performance.Parts[15].SetByte(3, 9);
  const std::uint8_t run[3] = {1, 2, 3};
  performance.Parts[0].SetBytes(4, run, 3);
  performance.Common.SendBlock();
  TRhythm rhythm(nullptr);
  rhythm.Note(60).SetByte(10, 0x20);
  rhythm.SetName("Kit", true);
  TSystem system(nullptr);
  system.Common.SetByte(18, 0x62);
  system.ScaleTunes[16].SetByte(11, 0x41);
  EXPECT_EQ(SentAddresses(),
            (std::vector<std::uint32_t>{0x0100000C, 0x01001F03, 0x01001004, 0x01000000, 0x02093C0A,
                                        0x02090000, 0x00000012, 0x0000200B}));
  EXPECT_EQ(Sent(3).size(), 64u + 11);
  loop->ClearSent();
  performance.SendParts();
  ASSERT_EQ(SentCount(), 16u);
  EXPECT_EQ(AddressOf(Sent(15)), 0x01001F00u);
  EXPECT_EQ(DataOf(Sent(15)).size(), 19u);
}

TEST_F(TBlockOps, FailedSendKeepsTheOldByteWhereTheSendComesFirstAndOffsetsOutsideAreRefused) {
  TPatch patch(nullptr);
  TPerformance performance(nullptr);
  loop->FailSends("device gone");
  EXPECT_ANY_THROW(patch.Tones[0].SetByte(20, 7));
  EXPECT_EQ(patch.Tones[0].GetByte(20), 0);  // sent first: nothing stored
  EXPECT_ANY_THROW(performance.Common.SetByte(20, 7));
  EXPECT_EQ(performance.Common.GetByte(20), 7);  // stored first
  loop->FailSends(QString());
  loop->ClearSent();
  EXPECT_THROW(patch.Common.SetByte(72, 1), std::out_of_range);
  const std::uint8_t run[4] = {};
  EXPECT_THROW(patch.Tones[0].SetBytes(127, run, 4), std::out_of_range);
  EXPECT_EQ(SentCount(), 0u);

  // A port that fails while the paced sender drains a rhythm set's blocks ends the transmission
  // as a failed send would: one message, the rest dropped, the transfer closed and not finished.
  Timing().MessagePauseMs = 8;
  Timing().TransmitTickMs = 8;
  TRhythm rhythm(nullptr);
  rhythm.Temporary = false;
  rhythm.User = true;
  QTimer::singleShot(60, [this] { loop->FailSends(QStringLiteral("gone")); });
  rhythm.Transmit(false);
  EXPECT_FALSE(Transfer().Active());
  EXPECT_TRUE(Transfer().Failed());
  EXPECT_EQ(Transfer().ErrorText(), "gone");
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_LT(SentCount(), static_cast<std::size_t>(TRhythm::kBlockCount));
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_EQ(Sender().Waiting(), 0);
  loop->FailSends(QString());
}
