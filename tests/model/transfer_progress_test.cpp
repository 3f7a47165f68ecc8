// The transfer's counters, gauge and timers, and the name lists file.
#include <array>

#include <QFile>

#include "midi/sysex.h"

#include "transferfixture.h"

namespace {

class TransferProgress : public TModelTest {
 protected:
  TScopedHeadlessHost host;
};

TEST_F(TransferProgress, StartClearsTheCountersTheGaugeFollowsTheDirectionAndCloseStopsTheTimers) {
  TTransfer& t = Transfer();
  t.Start(640, "Patch Number", "Now Transmitting User Patch Bank");
  EXPECT_FALSE(t.Finished);
  EXPECT_EQ(t.ElemCaption(), "Patch Number : ");
  EXPECT_TRUE(t.ElemNumberText().isEmpty());
  t.SetTransmetting();
  t.AddSended(643 * 64, 319);
  EXPECT_EQ(t.Gauge(), 49);
  t.AddSended(0, 1);
  EXPECT_EQ(t.Gauge(), 50);
  t.AddReceived(100, 640);  // received messages do not move a transmission's gauge
  EXPECT_EQ(t.Gauge(), 50);
  t.AddElem(64);
  EXPECT_EQ(t.ElemNumberText(), "64");
  t.Finished = true;

  t.Start(1, "Pacth", "Now Receiving Patch");
  EXPECT_FALSE(t.Finished);
  EXPECT_FALSE(t.Transmetting());
  EXPECT_EQ(t.MessagesSent() + t.BytesSent() + t.MessagesReceived() + t.ElemNumber(), 0);
  t.AddReceived(643, 5);
  EXPECT_EQ(t.Gauge(), 100);  // bounded

  // Closing stops both timers and ends the modal run.
  int ticks = 0;
  t.Timer.Arm(
      1, [&ticks] { ++ticks; }, true);
  t.TimerCleanup.Arm(
      1000, [] {}, true);
  host.Hook = [&ticks](TTransfer& transfer, THeadlessHost::TEvent) {
    if (ticks == 3) transfer.Close();
  };
  t.ShowModal();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(t.Timer.Enabled());
  EXPECT_FALSE(t.TimerCleanup.Enabled());
  EXPECT_EQ(host.ModalRuns, 1);
  EXPECT_FALSE(t.Active());
  // Closed already: showing it again returns at once.
  t.ShowModal();
  EXPECT_EQ(host.ModalRuns, 1);
}

TEST(ReplyFits, TakesOnlyWholeBlocksFromOurDevice) {
  Config() = TConfig();
  std::array<std::uint8_t, 23> image{};
  const TTransferBlock block{image.data(), 23, 0, 0x0C};
  auto reply = [](std::uint8_t device, std::size_t dataBytes) {
    TMyMidiEvent event;
    event.Status = 0xF0;
    event.Sysex = DataSet(0x10400000, TBytes(dataBytes, 0x20), device);
    return event;
  };
  EXPECT_TRUE(ReplyFits(reply(0x10, 12), block));
  EXPECT_FALSE(ReplyFits(reply(0x10, 11), block));
  EXPECT_FALSE(ReplyFits(reply(0x10, 13), block));
  EXPECT_FALSE(ReplyFits(reply(0x11, 12), block));
  TMyMidiEvent key;
  key.Status = 0x90;
  key.Data1 = 60;
  EXPECT_FALSE(ReplyFits(key, block));
}

using NameListsFile = TModelTest;

TEST_F(NameListsFile, SectionsAreWrittenInOrderEachEndedBySeparatorLine) {
  SetStartDirectory(dir.path());
  TNameLists lists;
  lists.SetEntry(TNameLists::nlUserPatches, 0, "Piano");
  lists.SetEntry(TNameLists::nlUserPatches, 1, "Organ");
  lists.SetEntry(TNameLists::nlCardPerformances, 5, "Split");  // appended
  lists.SetEntry(TNameLists::nlUserPatches, 0, "E.Piano");
  ASSERT_TRUE(lists.Save());
  EXPECT_EQ(ReadAll(Path("UserCard.Txt")),
            QByteArray("Split\r\n\xC7\r\n\xC7\r\nE.Piano\r\nOrgan\r\n\xC7\r\n\xC7\r\n"));
}

TEST_F(NameListsFile, LoadSkipsEmptyLinesCutsOverlongSectionsAndToleratesAMissingFile) {
  QByteArray bytes = "\n\xC7\nUser Perf\r\n\r\n\xC7\n";
  for (int i = 0; i < 130; ++i) bytes += "P" + QByteArray::number(i) + "\n";
  bytes += "\xC7\nCard\n\xC7\nextra section\n";
  WriteAll(Path("UserCard.Txt"), bytes);
  SetStartDirectory(dir.path());
  TNameLists lists;
  ASSERT_TRUE(lists.Load());
  EXPECT_TRUE(lists.Lists[TNameLists::nlCardPerformances].isEmpty());
  EXPECT_EQ(lists.Lists[TNameLists::nlUserPerformances], QStringList{"User Perf"});
  EXPECT_EQ(lists.Lists[TNameLists::nlUserPatches].size(), 128);
  EXPECT_EQ(lists.Lists[TNameLists::nlCardPatches], QStringList{"Card"});

  // A missing file gives empty lists; a failed save is reported.
  QFile::remove(Path("UserCard.Txt"));
  EXPECT_TRUE(lists.Load());
  EXPECT_TRUE(lists.Lists[TNameLists::nlUserPatches].isEmpty());
  SetStartDirectory(Path("no such folder"));
  EXPECT_FALSE(lists.Save());
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_TRUE(ui.Questions[0].Text.contains("UserCard.Txt"));
}

}  // namespace
