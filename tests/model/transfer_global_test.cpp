// The global dump moves its members one after the other.
#include "model/global.h"
#include "model/modelhooks.h"
#include "transferfixture.h"

namespace {

class GlobalTransfer : public TTransferTest {
 protected:
  void SetUp() override {
    TTransferTest::SetUp();
    ModelHooks().UpdateViews = [this](TLibElem& element) {
      if (&element == &global) ++globalViews;
    };
  }
  void TearDown() override {
    ModelHooks().UpdateViews = nullptr;
    TTransferTest::TearDown();
  }
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
};

TEST_F(GlobalTransfer, WithoutDataCardOnlyUserBanksAndSystemAreReceived) {
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

TEST_F(GlobalTransfer, TransmitWithoutDataCardWritesUserMemoryAndSystemOnly) {
  global.PatchBank(true).Patch(0).SetName("Global", false);
  global.System().Common.StoreByte(0, 0x05);
  global.Transmit(false);

  EXPECT_EQ(instrument->Counters().DataSets, 640u + 544u + 130u + 18u);
  EXPECT_EQ(instrument->Name(0x11000000), "Global      ");
  EXPECT_EQ(instrument->Read(0x00000000, 1), TBytes{0x05});
  EXPECT_EQ(MatchingBlocks(global.PerformanceBank(true).Performance(31)), 17);
  EXPECT_EQ(CurrentSystem, &global.System());
}

}  // namespace
