// The editing pattern without widgets: stores, groups, Undo, Redo, Revert, slot histories and
// announced writes, checked on the messages a loopback port receives. (Tabs and activation: the
// common page and patch window tests.)
#include "model/library.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/system.h"
#include "tests/editors/testpage.h"
#include "tests/model/modelfixture.h"

namespace {

class PageState : public TSendTest {
 protected:
  void SetUp() override {
    TSendTest::SetUp();
    patch = static_cast<TPatch*>(&library.NewElement(ekPatch));
    library.Saved = true;
  }
  std::vector<TBytes> Taken() { return ::Taken(*loop); }
  TLibrary library;
  TPatch* patch = nullptr;
};
}  // namespace

TEST_F(PageState, AStoreSendsOnlyAChangeAGroupAlwaysAndWhileUpdatingNothingIsMarked) {
  TTestPage page(*patch, patch->Common, 2);
  page.SendandStore(46, patch->Common.GetByte(46));
  EXPECT_TRUE(Taken().empty());
  EXPECT_FALSE(page.CanUndo());
  EXPECT_TRUE(library.Saved);

  page.SendandStore(46, 100);
  EXPECT_EQ(Taken(), std::vector<TBytes>{DataSet(0x0300002E, {100})});
  EXPECT_FALSE(library.Saved);
  ASSERT_EQ(page.UndoList().Count(), 1);
  EXPECT_EQ(page.UndoList().Records()[0].Value, 0);  // the byte before
  // While updating a store is sent but not marked, and a group store does nothing.
  library.Saved = true;
  page.Updating = true;
  page.SendandStore(47, 10);
  const std::uint8_t tempo[2] = {7, 8};
  page.SendAndStoreArray(44, tempo, 2);
  EXPECT_EQ(Taken().size(), 1u);
  EXPECT_TRUE(library.Saved);
  EXPECT_EQ(patch->Common.GetByte(44), 1);
}

TEST_F(PageState, UndoTakesGroupsBackInReverseOrderAtTheirAddressesAndMarksModified) {
  TTestPage page(*patch, patch->Tones[1]);
  page.SendandStore(81, 90);
  const std::uint8_t wave[4] = {0, 2, 15, 14};
  page.SendAndStoreArray(1, wave, 4);
  page.SendandStore(81, 100);
  Taken();
  library.Saved = true;
  page.Undo();
  page.Undo();
  page.Undo();
  const std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0], DataSet(0x03001251, {90}));
  EXPECT_EQ(sent[1], DataSet(0x03001201, {0, 0, 0, 0}));
  EXPECT_EQ(sent[2], DataSet(0x03001251, {0}));
  EXPECT_FALSE(library.Saved);
  // Undo with an empty history does nothing.
  page.Undo();
  EXPECT_TRUE(Taken().empty());
}

TEST_F(PageState, RedoSendsLikeAStoreAndIsForgottenByANewChangeOrRevert) {
  TTestPage page(*patch, patch->Common, 2);
  page.SendandStore(46, 100);
  page.SendandStore(46, 110);
  page.Undo();
  page.Undo();
  EXPECT_TRUE(page.CanRedo());
  Taken();
  library.Saved = true;
  page.Redo();
  EXPECT_EQ(Taken(), std::vector<TBytes>{DataSet(0x0300002E, {100})});
  EXPECT_FALSE(library.Saved);
  EXPECT_TRUE(page.CanUndo());
  page.Redo();
  EXPECT_EQ(patch->Common.GetByte(46), 110);
  EXPECT_FALSE(page.CanRedo());
  // Undo after Redo goes back again, and the undone step can be redone once more.
  page.Undo();
  EXPECT_EQ(patch->Common.GetByte(46), 100);
  EXPECT_TRUE(page.CanRedo());

  page.SendandStore(48, 5);
  EXPECT_FALSE(page.CanRedo());
  page.Undo();
  EXPECT_TRUE(page.CanRedo());
  page.Revert();
  EXPECT_FALSE(page.CanRedo());
}

TEST_F(PageState, RevertWritesTheOldestBytesBackSilentlyThenSendsTheWholeBlockEvenUnchanged) {
  TTestPage page(*patch, patch->Common, 2);
  page.SendandStore(46, 100);
  page.SendandStore(46, 110);
  page.SendandStore(57, 30);
  Taken();
  const int views = page.Views;
  page.Revert();
  const std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03000000u);
  EXPECT_EQ(DataOf(sent[0]).size(), 72u);
  EXPECT_EQ(patch->Common.GetByte(46), 0);
  EXPECT_EQ(patch->Common.GetByte(57), 0);
  EXPECT_EQ(page.Views, views + 1);
  EXPECT_FALSE(page.CanUndo());
  // With an empty history it still refreshes and sends the block; with the ports closed, nothing.
  TTestPage tone(*patch, patch->Tones[0]);
  library.Saved = true;
  const auto image = patch->Tones[0].Image;
  tone.Revert();
  EXPECT_EQ(patch->Tones[0].Image, image);
  EXPECT_EQ(tone.Views, 1);
  EXPECT_TRUE(library.Saved);
  const std::vector<TBytes> block = Taken();
  ASSERT_EQ(block.size(), 1u);
  EXPECT_EQ(AddressOf(block[0]), 0x03001000u);
  EXPECT_EQ(DataOf(block[0]).size(), 129u);
  MidiSession().SetMidiOpen(false);
  tone.Revert();
  EXPECT_TRUE(Taken().empty());
  EXPECT_EQ(tone.Views, 2);
}

TEST_F(PageState, EachSlotEditsItsOwnBlockWithItsOwnHistory) {
  auto* performance = static_cast<TPerformance*>(&library.NewElement(ekPerformance));
  TTestPage page(
      *performance, [performance](int slot) -> TBlock& { return performance->Parts[slot]; }, 16);
  page.SetSlot(2);
  page.SendandStore(6, 100);  // part 3's level
  page.SetSlot(15);
  page.SendandStore(6, 50);
  EXPECT_EQ(Taken(), (std::vector<TBytes>{DataSet(0x01001206, {100}), DataSet(0x01001F06, {50})}));
  page.SetSlot(2);
  page.Undo();
  EXPECT_EQ(Taken(), std::vector<TBytes>{DataSet(0x01001206, {0})});
  page.SetSlot(2);
  page.SendandStore(7, 64);
  page.RevertAll();
  EXPECT_EQ(performance->Parts[2].GetByte(7), 0);
  EXPECT_EQ(performance->Parts[15].GetByte(6), 0);
  EXPECT_EQ(page.Slot(), 0);
  page.SetSlot(15);
  EXPECT_FALSE(page.CanUndo());
}

TEST_F(PageState, EveryWriteOfTheBlockIsAnnouncedFirst) {
  auto* system = static_cast<TSystem*>(&library.NewElement(ekSystem));
  TTestPage page(*system, system->Common);
  page.SendandStore(0, 2);
  page.SendandStore(0, 2);  // unchanged: nothing written
  page.Undo();
  page.SendandStore(0, 0);
  page.Revert();
  EXPECT_EQ(page.Writes, (std::vector<std::pair<int, int>>{{0, 1}, {0, 1}, {0, 1}, {0, 1}}));
}
