// Bank and global dump transfers against the emulated instrument, with the name lists they keep
// in step; the global dump moves its members one after the other.
#include <QFile>

#include "model/global.h"
#include "model/patchbank.h"
#include "model/performancebank.h"
#include "model/rhythmbank.h"
#include "model/viewregistry.h"
#include "transferfixture.h"

namespace {

// Banks and dumps are paced by the tick and the pause alone: at 0 ms each block goes on the next
// turn of the event loop, the order unchanged, and thousands of blocks take no time.
void Unpaced() {
  Timing().MessagePauseMs = 0;
  Timing().TransmitTickMs = 0;
}

class BankTransfer : public TTransferTest {
 protected:
  void SetUp() override {
    TTransferTest::SetUp();
    Unpaced();
  }
  template <class TBank>
  int MatchingMembers(TBank& bank) {
    for (int i = 0; i < bank.Count(); ++i)
      if (MatchingBlocks(dynamic_cast<TBlockSet&>(bank.Member(i))) !=
          dynamic_cast<TBlockSet&>(bank.Member(i)).BlockCount())
        return i;
    return bank.Count();
  }
};

TEST_F(BankTransfer, CardPatchBankTransmitsEveryBlockAndCountsWholePatches) {
  instrument->SetCardInserted(true);
  TPatchBank bank(nullptr);
  bank.User = false;
  for (int i = 0; i < bank.Count(); ++i) {
    bank.Patch(i).SetName(QStringLiteral("Card %1").arg(i + 1), false);
    bank.Patch(i).Tones[3].StoreByte(0, static_cast<std::uint8_t>(i));
  }
  int gaugeAtHalf = -1;
  QString numberAtHalf;
  host.Hook = [&](TTransfer& t, THeadlessHost::TEvent) {
    // The last change at 320 messages: patch 64 counted whole and numbered.
    if (t.MessagesSent() == 320) {
      gaugeAtHalf = t.Gauge();
      numberAtHalf = t.ElemCaption() + t.ElemNumberText();
    }
  };
  bank.Transmit(false);

  EXPECT_EQ(Progress(),
            "Now Transmitting Data Card Patch Bank; Patch Number : 128; sent "
            "640/82304; received 0/0; 100%; finished");
  EXPECT_EQ(instrument->Counters().DataSets, 640u);
  EXPECT_EQ(MatchingMembers(bank), 128);
  EXPECT_EQ(instrument->Name(0x21000000), "Card 1      ");
  EXPECT_EQ(instrument->Read(0x217F1600, 1), TBytes{127});
  EXPECT_EQ(gaugeAtHalf, 50);
  EXPECT_EQ(numberAtHalf, "Patch Number : 64");
  // The card patch names went into the fourth section of the names file.
  NameLists().Load();
  ASSERT_EQ(NameLists().Lists[TNameLists::nlCardPatches].size(), 128);
  EXPECT_EQ(NameLists().Lists[TNameLists::nlCardPatches][127], "Card 128");
}

TEST_F(BankTransfer, UserPatchBankReceiveFillsEveryPatchAndTheNameLists) {
  TPatchBank bank(nullptr);
  Scramble(bank.Patch(0), 1);
  Scramble(bank.Patch(127), 2);
  instrument->Write(0x11050000, TBytes{'B', 'r', 'a', 's', 's'});
  int reloads = 0;
  NamesWindowLoadHook() = [&reloads] { ++reloads; };
  bank.Receive(false);
  NamesWindowLoadHook() = nullptr;

  EXPECT_EQ(Progress(),
            "Now Receiving User Patch Bank; Patch Number : 128; sent 128/1920; "
            "received 640/82304; 100%; finished");
  EXPECT_EQ(MatchingMembers(bank), 128);
  EXPECT_EQ(log.Requests.size(), 128u);
  EXPECT_EQ(log.Address(127), 0x117F0000u);
  EXPECT_EQ(reloads, 1);
  const QByteArray file = ReadAll(Path("UserCard.Txt"));
  TNameLists lists;
  lists.SetBytes(file);
  ASSERT_EQ(lists.Lists[TNameLists::nlUserPatches].size(), 128);
  EXPECT_EQ(lists.Lists[TNameLists::nlUserPatches][5], bank.Patch(5).GetName());
  EXPECT_TRUE(bank.Patch(5).GetName().startsWith("Brass"));
  EXPECT_TRUE(lists.Lists[TNameLists::nlCardPatches].isEmpty());
  EXPECT_EQ(file.count('\xC7'), 4);
}

TEST_F(BankTransfer, BadPatchReplyDiscardsInputThenAsksForThatPatchAgain) {
  // The rest of the damaged answer arrives inside the discard, however loaded the machine.
  Pace();
  Timing().CleanupMs = 150;
  TPatchBank bank(nullptr);
  Scramble(bank.Patch(39), 3);
  bool cleanupSeen = false;
  host.Hook = [&](TTransfer& t, THeadlessHost::TEvent) {
    // Patch 40's answer loses its tone 1; everything else arrives whole.
    if (t.ElemNumber() == 39 && !cleanupSeen) Corrupt(0.5, {0, 1, -1, -1, -1});
    if (t.TimerCleanup.Enabled() && !cleanupSeen) {
      cleanupSeen = true;
      instrument->SetFaults(TInstrumentFaults());
    }
  };
  bank.Receive(false);

  EXPECT_TRUE(cleanupSeen);
  EXPECT_TRUE(Transfer().Finished);
  ASSERT_EQ(log.Requests.size(), 129u);
  EXPECT_EQ(log.Address(39), 0x11270000u);
  EXPECT_EQ(log.Address(40), 0x11270000u);
  EXPECT_EQ(MatchingMembers(bank), 128);
  EXPECT_EQ(Transfer().MessagesReceived(), 640);
}

TEST_F(BankTransfer, CancelDuringTheDiscardSendsNoFurtherRequest) {
  TPatchBank bank(nullptr);
  Scramble(bank.Patch(1), 9);
  Corrupt(0.5, {0, 0, 0, 0, 0, 0, 0, 1, -1, -1});  // patch 2, tone 2
  host.Hook = [](TTransfer& t, THeadlessHost::TEvent) {
    if (t.TimerCleanup.Enabled()) t.Close();
  };
  bank.Receive(false);
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_FALSE(Transfer().TimerCleanup.Enabled());
  EXPECT_EQ(log.Requests.size(), 2u);
  Idle(3 * Timing().CleanupMs);
  EXPECT_EQ(log.Requests.size(), 2u);
  EXPECT_EQ(MatchingMembers(bank), 1);
}

TEST_F(BankTransfer, CardBankWithoutCardAsksAndCancelSavesNoNames) {
  Timing().ReplyTimeoutMs = 40;
  TPatchBank bank(nullptr);
  bank.User = false;
  ui.Answers = {mbRetry, mbCancel};
  bank.Receive(false);
  EXPECT_EQ(ui.Questions.size(), 2u);
  ASSERT_EQ(log.Requests.size(), 2u);
  EXPECT_EQ(log.Requests[0], log.Requests[1]);
  EXPECT_EQ(log.Address(0), 0x21000000u);
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_FALSE(QFile::exists(Path("UserCard.Txt")));
}

TEST_F(BankTransfer, CardPerformanceBankTravelsBothWays) {
  instrument->SetCardInserted(true);
  TPerformanceBank bank(nullptr);
  bank.User = false;
  Scramble(bank.Performance(31), 4);
  bank.Receive(false);
  EXPECT_TRUE(Transfer().Finished);
  EXPECT_EQ(Transfer().Title(), "Now Receiving Data Card Performance Bank");
  EXPECT_EQ(std::tuple(log.Requests.size(), Transfer().BytesReceived(), Transfer().Gauge()),
            std::tuple(544u, 32 * 555, 100));
  EXPECT_EQ(MatchingMembers(bank), 32);
  EXPECT_EQ(log.Address(543), 0x201F1F00u);
  EXPECT_EQ(NameLists().Lists[TNameLists::nlCardPerformances].size(), 32);

  TPerformanceBank user(nullptr);
  user.Performance(0).SetName("First", false);
  user.Performance(31).Parts[15].StoreByte(0, 0x11);
  user.Transmit(false);
  EXPECT_EQ(Progress(),
            "Now Transmitting User Performance Bank; Performance Number : 32; "
            "sent 544/17760; received 0/0; 100%; finished");
  EXPECT_EQ(MatchingMembers(user), 32);
  TNameLists saved;
  saved.SetBytes(ReadAll(Path("UserCard.Txt")));
  EXPECT_EQ(saved.Lists[TNameLists::nlUserPerformances].value(0), "First");
}

TEST_F(BankTransfer, RhythmBankAsksForEveryBlockAndSendsThemBack) {
  TRhythmBank bank(nullptr);
  Scramble(bank.Rhythm(1), 5);
  bank.Receive(false);
  EXPECT_EQ(Progress(),
            "Now Receiving User Rhythm Bank; Rhythm Number : 2; sent 130/1950; "
            "received 130/8878; 100%; finished");
  EXPECT_EQ(MatchingMembers(bank), 2);

  instrument->SetCardInserted(true);
  TRhythmBank card(nullptr);
  card.User = false;
  card.Rhythm(1).Note(98).StoreByte(57, 0x7F);
  card.Transmit(false);
  EXPECT_EQ(Progress(),
            "Now Transmitting Data Card Rhythm Bank; Rhythm Number : 2; sent "
            "130/8878; received 0/0; 100%; finished");
  EXPECT_EQ(MatchingMembers(card), 2);
  EXPECT_EQ(instrument->Read(0x20416200 + 57, 1), TBytes{0x7F});
  // Rhythm banks leave the names file alone.
  EXPECT_FALSE(QFile::exists(Path("UserCard.Txt")));
}

class GlobalTransfer : public TTransferTest {
 protected:
  void SetUp() override {
    TTransferTest::SetUp();
    Unpaced();
    Views().Add(global, view);
  }
  void TearDown() override {
    Views().Remove(global, view);
    TTransferTest::TearDown();
  }
  // Counts the refreshes of the global's open windows.
  struct TCountingView : TElementView {
    explicit TCountingView(int& count) : Count(count) {}
    TLibElem* Element() const override { return nullptr; }
    void UpdateView() override { ++Count; }
    void CloseView() override {}
    int& Count;
  };
  bool Requested(std::uint32_t from, std::uint32_t to) const {
    for (std::size_t i = 0; i < log.Requests.size(); ++i)
      if (log.Address(i) >= from && log.Address(i) < to) return true;
    return false;
  }
  // Whether a bank still holds what it was created with.
  static bool Untouched(TBank& bank, TBank& fresh) {
    for (int i = 0; i < bank.Count(); ++i) {
      auto& set = dynamic_cast<TBlockSet&>(bank.Member(i));
      auto& other = dynamic_cast<TBlockSet&>(fresh.Member(i));
      for (int b = 0; b < set.BlockCount(); ++b)
        if (Held(set, b) != Held(other, b)) return false;
    }
    return true;
  }

  TGlobal global{nullptr};
  TGlobal fresh{nullptr};
  int globalViews = 0;
  TCountingView view{globalViews};
};

TEST_F(GlobalTransfer, WithoutDataCardOnlyUserBanksAndSystemAreReceivedAndTransmitted) {
  Scramble(global.PatchBank(true).Patch(127), 1);
  Scramble(global.System(), 2);
  global.Receive(false);

  EXPECT_TRUE(Transfer().Finished);
  EXPECT_EQ(log.Requests.size(), 128u + 544u + 130u + 18u);
  EXPECT_FALSE(Requested(0x20000000, 0x30000000));
  EXPECT_EQ(MatchingBlocks(global.PatchBank(true).Patch(127)), 5);
  EXPECT_EQ(MatchingBlocks(global.System()), 18);
  EXPECT_EQ(MatchingBlocks(global.RhythmBank(true).Rhythm(1)), 65);
  EXPECT_TRUE(Untouched(global.PatchBank(false), fresh.PatchBank(false)));
  EXPECT_TRUE(Untouched(global.PerformanceBank(false), fresh.PerformanceBank(false)));
  EXPECT_TRUE(Untouched(global.RhythmBank(false), fresh.RhythmBank(false)));
  EXPECT_EQ(globalViews, 1);

  // Transmitting writes user memory and the system only.
  global.PatchBank(true).Patch(0).SetName("Global", false);
  global.PerformanceBank(true).Performance(31).Parts[15].StoreByte(0, 0x11);
  global.System().Common.StoreByte(0, 0x05);
  global.Transmit(false);
  EXPECT_EQ(instrument->Counters().DataSets, 640u + 544u + 130u + 18u);
  EXPECT_EQ(instrument->Name(0x11000000), "Global      ");
  EXPECT_EQ(instrument->Read(0x00000000, 1), TBytes{0x05});
  EXPECT_EQ(MatchingBlocks(global.PerformanceBank(true).Performance(31)), 17);
  EXPECT_EQ(CurrentSystem, &global.System());
}

TEST_F(GlobalTransfer, CancelInsideAMemberLeavesTheLaterOnesAndSkipsTheViews) {
  Config().DataCard = true;
  instrument->SetCardInserted(true);
  host.Hook = [](TTransfer& t, THeadlessHost::TEvent) {
    if (t.Title().contains("User Performance") && t.MessagesReceived() == 20 && t.Active())
      t.Close();
  };
  global.Receive(false);

  EXPECT_FALSE(Transfer().Finished);
  EXPECT_TRUE(Requested(0x21000000, 0x21800000));  // the card patch bank came before it
  EXPECT_FALSE(Requested(0x10400000, 0x10420000));
  EXPECT_FALSE(Requested(0x20000000, 0x20200000));
  EXPECT_FALSE(Requested(0x00000000, 0x00010000));
  EXPECT_TRUE(Untouched(global.PerformanceBank(false), fresh.PerformanceBank(false)));
  EXPECT_TRUE(Untouched(global.RhythmBank(true), fresh.RhythmBank(true)));
  EXPECT_TRUE(Untouched(global.RhythmBank(false), fresh.RhythmBank(false)));
  EXPECT_EQ(global.System().Common.Image, fresh.System().Common.Image);
  EXPECT_EQ(globalViews, 0);
}

}  // namespace
