// Dragging elements between library windows and to the trash.
#include <QAction>

#include "library_fixture.h"

namespace {
// Selects elements by list index and starts a drag of them from the window.
void Drag(TFormLibrary& window, std::initializer_list<int> indexes) {
  for (auto& element : window.Library()->Elements) element->Selected = false;
  for (int i : indexes) window.Library()->Element(i).Selected = true;
  window.BeginDrag();
}
}  // namespace

class TLibraryDragTest : public TLibraryWindowTest {
 protected:
  void SetUp() override {
    TLibraryWindowTest::SetUp();
    source_ = &Open({ekPatch, ekPerformance, ekRhythm}, QStringLiteral("Source.Lib"));
    SetNames(*source_->Library(), {"P", "F", "R"});
    target_ = &Open({ekSystem}, QStringLiteral("Target.Lib"));
  }
  // Drops the drag from the source on the target's grid and picks an item of the pop-up.
  void DropAndPick(const char* item) {
    ASSERT_TRUE(target_->DragOverGrid(source_));
    source_->EndDrag(target_->Grid()->viewport(), QPoint(20, 20));
    auto* action = main_->findChild<QAction*>(QString::fromLatin1(item));
    ASSERT_NE(action, nullptr);
    action->trigger();
  }

  TFormLibrary* source_ = nullptr;
  TFormLibrary* target_ = nullptr;
};

TEST_F(TLibraryDragTest, DropOnTheSameWindowOrOnTheSecondClickIsRefused) {
  Drag(*source_, {0});
  EXPECT_FALSE(source_->DragOverGrid(source_));
  EXPECT_FALSE(main_->DragInfo().Accepted);
  source_->EndDrag(source_->Grid()->viewport(), QPoint(20, 20));
  EXPECT_EQ(source_->Library()->Count(), 3);
  EXPECT_TRUE(source_->Library()->Saved);
  // Nothing comes from nowhere.
  EXPECT_FALSE(target_->DragOverGrid(nullptr));
  // The second click of a double click is no drop.
  Drag(*source_, {0});
  ASSERT_TRUE(target_->DragOverGrid(source_));
  main_->DoubleClickFlag = true;
  source_->EndDrag(target_->Grid()->viewport(), QPoint(5, 5));
  main_->findChild<QAction*>(QStringLiteral("PopupMove"))->trigger();
  EXPECT_EQ(source_->Library()->Count(), 3);
  EXPECT_EQ(target_->Library()->Count(), 1);
}

TEST_F(TLibraryDragTest, CopyLeavesTheSourceAndSelectsTheCopies) {
  target_->Library()->Element(0).Selected = true;
  Drag(*source_, {0, 2});
  DropAndPick("PopupCopy");
  TLibrary& target = *target_->Library();
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(Names(*source_->Library()), QStringLiteral("P F R"));
  EXPECT_TRUE(source_->Library()->Saved);
  EXPECT_FALSE(target.Saved);
  EXPECT_FALSE(target.Element(0).Selected);
  EXPECT_EQ(target.Element(1).GetName(), QStringLiteral("P"));
  EXPECT_EQ(target.Element(2).Kind, ekRhythm);
  EXPECT_EQ(target.Element(1).Owner, &target);
  EXPECT_NE(&target.Element(1), &source_->Library()->Element(0));
  EXPECT_TRUE(target.Element(2).Selected);
  EXPECT_EQ(target_->Grid()->RowCount(), 3);
}

TEST_F(TLibraryDragTest, MoveTakesTheVisibleElementsOutOfTheSource) {
  source_->SetMasked(ekPerformance, true);
  Drag(*source_, {0, 1, 2});  // the performance is selected, but hidden: it stays behind
  DropAndPick("PopupMove");
  EXPECT_EQ(Names(*source_->Library()), QStringLiteral("F"));
  EXPECT_EQ(source_->Grid()->RowCount(), 0);
  EXPECT_FALSE(source_->Library()->Saved);
  ASSERT_EQ(target_->Library()->Count(), 3);
  EXPECT_EQ(target_->Library()->Element(1).GetName(), QStringLiteral("P"));
  EXPECT_EQ(target_->Library()->Element(2).GetName(), QStringLiteral("R"));
}

TEST_F(TLibraryDragTest, DropOnTheTrashWindowMovesWithoutAsking) {
  TFormLibrary& trash = OpenTrash();
  Drag(*source_, {0});
  ASSERT_TRUE(trash.DragOverGrid(source_));
  source_->EndDrag(trash.Grid()->viewport(), QPoint(5, 5));
  EXPECT_EQ(Names(*source_->Library()), QStringLiteral("F R"));
  EXPECT_EQ(Names(main_->TrashLibrary()), QStringLiteral("P"));
  EXPECT_EQ(trash.Grid()->RowCount(), 1);
  // Out of the trash again, into a library.
  Drag(trash, {0});
  ASSERT_TRUE(target_->DragOverGrid(&trash));
  trash.EndDrag(target_->Grid()->viewport(), QPoint(5, 5));
  main_->findChild<QAction*>(QStringLiteral("PopupMove"))->trigger();
  EXPECT_EQ(main_->TrashLibrary().Count(), 0);
  EXPECT_EQ(Names(*target_->Library()).endsWith(QStringLiteral("P")), true);
}

TEST_F(TLibraryDragTest, DropOnTheBinMovesTheSelectionToTheTrash) {
  Drag(*source_, {2});
  main_->DragInfo().Accepted = true;  // the bin accepts drags from library windows
  QWidget* bin = main_->findChild<QWidget*>(QStringLiteral("TrashVuoto"));
  ASSERT_NE(bin, nullptr);
  source_->EndDrag(bin, QPoint(5, 5));
  EXPECT_EQ(Names(*source_->Library()), QStringLiteral("P F"));
  EXPECT_EQ(Names(main_->TrashLibrary()), QStringLiteral("R"));
}
