// The editing pattern without widgets: what a store sends and marks, and the writes it announces,
// checked on the messages a loopback port receives. (Undo, Redo and Revert: the row sweep and the
// pages' tests; tabs and activation: the common page and patch window tests.)
#include "model/library.h"
#include "model/patch.h"
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
