// The library window's commands: new elements, emptying, the trash, transfers and the tools'
// selection checks.
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include "library_fixture.h"
#include "model/transfer.h"

namespace {
// An element whose receive ends as the test says.
class TFakeReceiver : public TLibElem {
 public:
  TFakeReceiver(TLibElem* owner, bool finishes, int& calls)
      : TLibElem(owner), finishes_(finishes), calls_(calls) {}
  void Receive(bool) override {
    ++calls_;
    Transfer().Finished = finishes_;
  }

 private:
  bool finishes_;
  int& calls_;
};
}  // namespace

TEST_F(TLibraryWindowTest, NewElementButtonsAppendTheirKindAndEmptyingAsksFirst) {
  TFormLibrary& window = Open({}, QStringLiteral("Saved.Lib"));
  TLibrary& library = *window.Library();
  ASSERT_TRUE(library.Saved);
  for (int kind = 0; kind < kKindCount; ++kind) window.NewButton(kind)->click();
  ASSERT_EQ(library.Count(), kKindCount);
  for (int kind = 0; kind < kKindCount; ++kind) EXPECT_EQ(library.Element(kind).Kind, kind);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(window.Grid()->RowCount(), kKindCount);

  // Emptying asks first.
  library.Comment = QStringList{QStringLiteral("keep")};
  library.Saved = true;
  ui_.Answers = {mbNo};
  window.EmptyLibrary();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("Are You Sure ?"));
  EXPECT_EQ(library.Count(), kKindCount);
  EXPECT_TRUE(library.Saved);
  ui_.Answers = {mbYes};
  window.EmptyLibrary();
  EXPECT_EQ(library.Count(), 0);
  EXPECT_TRUE(library.Comment.isEmpty());
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(window.Grid()->RowCount(), 0);
}

TEST_F(TLibraryWindowTest, DeleteMovesSelectedVisibleElementsToTheTrash) {
  TFormLibrary& window = Open({ekPatch, ekPerformance, ekPatch, ekRhythm});
  TLibrary& library = *window.Library();
  SetNames(library, {"P1", "F1", "P2", "R1"});
  TFormLibrary& trash = OpenTrash();
  main_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window.parentWidget()));
  for (int i = 0; i < 4; ++i) library.Element(i).Selected = true;
  window.SetMasked(ekPerformance, true);

  QApplication::setActiveWindow(main_.get());
  window.Grid()->setFocus();
  QTest::keyClick(window.Grid(), Qt::Key_Delete);
  EXPECT_EQ(Names(library), QStringLiteral("F1"));
  EXPECT_TRUE(library.Element(0).Selected);  // hidden, so left alone
  TLibrary& bin = main_->TrashLibrary();
  EXPECT_EQ(Names(bin), QStringLiteral("P1 P2 R1"));
  for (auto& element : bin.Elements) EXPECT_FALSE(element->Selected);
  EXPECT_EQ(bin.Element(0).Owner, &bin);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(trash.Grid()->RowCount(), 3);
}

TEST_F(TLibraryWindowTest, ReceiveSelectedStopsAfterAnUnfinishedTransfer) {
  TFormLibrary& window = Open({});
  TLibrary& library = *window.Library();
  int calls[3] = {0, 0, 0};
  library.Add(std::make_unique<TFakeReceiver>(&library, true, calls[0]));
  library.Add(std::make_unique<TFakeReceiver>(&library, false, calls[1]));
  library.Add(std::make_unique<TFakeReceiver>(&library, true, calls[2]));
  window.RefreshList();
  for (auto& element : library.Elements) element->Selected = true;
  window.ReceiveSelected();
  EXPECT_EQ(calls[0], 1);
  EXPECT_EQ(calls[1], 1);
  EXPECT_EQ(calls[2], 0);
}

TEST_F(TLibraryWindowTest, ToolsCheckTheirSelection) {
  int morphs = 0;
  int randoms = 0;
  LibraryWindowHooks().Morph = [&morphs](QWidget&, TLibElem& a, TLibElem& b) {
    EXPECT_EQ(a.Kind, ekPatch);
    EXPECT_EQ(b.Kind, ekPatch);
    ++morphs;
  };
  LibraryWindowHooks().Random = [&randoms](QWidget&, TLibElem& bank) {
    EXPECT_EQ(bank.Kind, ekPatchBank);
    ++randoms;
  };
  TFormLibrary& window = Open({ekPatch, ekPatchBank, ekPatch, ekPatch, ekPatchBank});
  TLibrary& library = *window.Library();
  for (int i : {0, 2, 3}) library.Element(i).Selected = true;
  window.findChild<QToolButton*>(QStringLiteral("speedMorph"))->click();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("You Must Select two Patch."));
  EXPECT_EQ(ui_.Questions.back().Kind, TMsgKind::Error);
  EXPECT_EQ(ui_.Questions.back().Buttons, mbOK);
  EXPECT_EQ(morphs, 0);
  library.Element(3).Selected = false;
  window.MorphClick();
  EXPECT_EQ(morphs, 1);

  window.findChild<QToolButton*>(QStringLiteral("RandomBtn"))->click();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("You Must Select One Patch Bank."));
  library.Element(1).Selected = true;
  library.Element(4).Selected = true;
  window.RandomClick();
  EXPECT_EQ(randoms, 0);
  window.SetMasked(ekPatchBank, true);
  window.RandomClick();
  EXPECT_EQ(randoms, 0);  // both hidden now
  window.SetMasked(ekPatchBank, false);
  library.Element(4).Selected = false;
  const std::size_t asked = ui_.Questions.size();
  window.RandomClick();
  EXPECT_EQ(randoms, 1);
  EXPECT_EQ(ui_.Questions.size(), asked);
  LibraryWindowHooks().Morph = nullptr;
  LibraryWindowHooks().Random = nullptr;
}

TEST_F(TLibraryWindowTest, ContextMenuNamesGlobalsAndLeavesXpOutForRhythms) {
  TFormLibrary& window = Open({ekGlobal, ekRhythmBank, ekPatch});
  auto item = [&window](const char* name) {
    return window.ContextMenu()->findChild<QAction*>(QString::fromLatin1(name));
  };
  window.PopupMenu(0, QPoint(10, 5));
  EXPECT_EQ(item("LoadSysex")->text(), QStringLiteral("Load Global"));
  EXPECT_EQ(item("SaveSysex")->text(), QStringLiteral("Save Global"));
  EXPECT_TRUE(item("ImportFromXP")->isEnabled());
  window.ContextMenu()->close();
  window.PopupMenu(1, QPoint(10, 23));
  EXPECT_EQ(item("LoadSysex")->text(), QStringLiteral("Load SysEx"));
  EXPECT_FALSE(item("ImportFromXP")->isEnabled());
  EXPECT_FALSE(item("ExportToXP")->isEnabled());
  window.ContextMenu()->close();

  // Delete frees the element at once, not through the trash.
  TLibrary& library = *window.Library();
  window.PopupMenu(2, QPoint(10, 41));
  item("Delete")->trigger();
  EXPECT_EQ(library.Count(), 2);
  EXPECT_EQ(main_->TrashLibrary().Count(), 0);
  EXPECT_FALSE(library.Saved);
  // An action for an element that has left the list does nothing.
  window.PopupMenu(1, QPoint(10, 23));
  library.Take(1);
  item("Delete")->trigger();
  EXPECT_EQ(library.Count(), 1);
}
