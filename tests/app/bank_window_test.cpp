// The bank window: opening, rows, the member menu, the audition and the drops it takes.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "app/formbank.h"
#include "app/formbankgrid.h"
#include "app/formedit.h"
#include "library_fixture.h"
#include "model/patchbank.h"

class TBankWindowTest : public TLibraryWindowTest {
 protected:
  void SetUp() override {
    TLibraryWindowTest::SetUp();
    RegisterBankWindows();
    library_ = &Open({ekPatchBank, ekPerformanceBank, ekRhythmBank}, QStringLiteral("Home.Lib"));
    library_->Library()->Element(0).SetName(QStringLiteral("Strings"), false);
    library_->Library()->Saved = true;
  }
  TPatchBank& PatchBank() { return static_cast<TPatchBank&>(library_->Library()->Element(0)); }
  TFormBank& OpenBank(int index) {
    TLibElem& bank = library_->Library()->Element(index);
    bank.OpenEditor();
    auto* window = qobject_cast<TFormBank*>(bank.Editor);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // A library of elements of the given kinds, all selected and dragged from its window.
  TFormLibrary& DragFromLibrary(std::initializer_list<int> kinds) {
    TFormLibrary& source = Open(kinds, QStringLiteral("Source.Lib"));
    for (int i = 0; i < source.Library()->Count(); ++i) {
      source.Library()->Element(i).SetName(QStringLiteral("New %1").arg(i), false);
      source.Library()->Element(i).Selected = true;
    }
    source.BeginDrag();
    return source;
  }
  void Pick(const char* item) {
    auto* action = main_->findChild<QAction*>(QString::fromLatin1(item));
    ASSERT_NE(action, nullptr);
    action->trigger();
  }

  TFormLibrary* library_ = nullptr;
};

TEST_F(TBankWindowTest, OpensFromTheLibraryWithCaptionAndOneRowPerMember) {
  library_->GridDoubleClick(QPoint(5, 5));
  auto* window = qobject_cast<TFormBank*>(PatchBank().Editor);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(PatchBank().WindowOpen);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Patch Bank Strings [Location : Home.Lib][*]"));
  EXPECT_EQ(window->Grid()->RowCount(), 128);
  EXPECT_EQ(window->HelpContext(), 53);
  EXPECT_EQ(main_->ActiveLibrary(window), library_->Library());
  // Opening it again brings the same window forward.
  PatchBank().OpenEditor();
  EXPECT_EQ(PatchBank().Editor, window);
  EXPECT_EQ(main_->findChildren<TFormBank*>().size(), 1);
  // A rename from outside shows in the caption.
  PatchBank().SetName(QStringLiteral("Brass"), false);
  PatchBank().UpdateViews();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Patch Bank Brass [Location : Home.Lib][*]"));
}

TEST_F(TBankWindowTest, ClosingKeepsTheGeometryInTheBankAndDeletingTheBankClosesIt) {
  TFormBank& window = OpenBank(0);
  window.Frame()->move(40, 50);
  window.Frame()->resize(window.Frame()->width(), 300);
  window.Frame()->close();
  Flush();
  EXPECT_FALSE(PatchBank().WindowOpen);
  EXPECT_EQ(PatchBank().Editor, nullptr);
  EXPECT_EQ(PatchBank().WinLeft, 40);
  EXPECT_EQ(PatchBank().WinTop, 50);
  EXPECT_EQ(PatchBank().Height, 300);
  EXPECT_FALSE(library_->Library()->Saved);
  EXPECT_EQ(library_->Library()->Count(), 3);  // the bank stays in its library

  // Opened again, it takes the place and height it had.
  library_->Library()->Saved = true;
  TFormBank& again = OpenBank(0);
  EXPECT_EQ(again.Frame()->pos(), QPoint(40, 50));
  EXPECT_EQ(again.Frame()->height(), 300);
  again.Frame()->close();
  EXPECT_TRUE(library_->Library()->Saved);  // nothing moved

  // Deleting a bank closes its window.
  OpenBank(1);
  library_->Library()->Take(1);
  Flush();
  EXPECT_TRUE(main_->findChildren<TFormBank*>().isEmpty());
}

TEST_F(TBankWindowTest, RowsSelectLikeALibraryAndAClickBesideClears) {
  TFormBank& window = OpenBank(0);
  window.GridMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(50, 2 * 18 + 4));
  window.GridMouseDown(Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 4 * 18 + 4));
  window.GridMouseDown(Qt::LeftButton, Qt::ControlModifier, QPoint(50, 7 * 18 + 4));
  std::vector<int> selected;
  for (int i = 0; i < PatchBank().Count(); ++i)
    if (PatchBank().Member(i).Selected) selected.push_back(i);
  EXPECT_EQ(selected, (std::vector<int>{2, 3, 4, 7}));
  // The drag that the plain click began carries the members in bank order.
  window.BeginDrag();
  EXPECT_EQ(main_->DragInfo().Items.size(), 4u);
  EXPECT_EQ(main_->DragInfo().Items[3].Element, &PatchBank().Member(7));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
  EXPECT_FALSE(PatchBank().Member(2).Selected);
  EXPECT_FALSE(PatchBank().Member(7).Selected);
}

TEST_F(TBankWindowTest, ShiftRightButtonAuditionsTheMember) {
  TFormBank& window = OpenBank(0);
  int started = 0;
  auto saved = LibraryWindowHooks().StartPatchAudition;
  LibraryWindowHooks().StartPatchAudition = [&started] { ++started; };
  window.GridMouseDown(Qt::RightButton, Qt::ShiftModifier, QPoint(50, 5 * 18 + 4));
  LibraryWindowHooks().StartPatchAudition = saved;
  EXPECT_EQ(started, 1);
  EXPECT_TRUE(PatchBank().Member(5).Selected);
  EXPECT_EQ(window.ContextMenu()->isVisible(), false);
}

TEST_F(TBankWindowTest, MenuOnARhythmBankHasNoXpItems) {
  TFormBank& window = OpenBank(2);
  window.GridMouseDown(Qt::RightButton, Qt::NoModifier, QPoint(50, 18 + 4));
  auto& bank = static_cast<TBank&>(library_->Library()->Element(2));
  EXPECT_EQ(window.MenuElement(), &bank.Member(1));
  EXPECT_TRUE(bank.Member(1).Selected);
  EXPECT_FALSE(
      window.ContextMenu()->findChild<QAction*>(QStringLiteral("ImportFromXP"))->isEnabled());
  EXPECT_FALSE(
      window.ContextMenu()->findChild<QAction*>(QStringLiteral("ExportToXP"))->isEnabled());
  window.ContextMenu()->close();
  TFormBank& patches = OpenBank(0);
  patches.GridMouseDown(Qt::RightButton, Qt::NoModifier, QPoint(50, 4));
  EXPECT_TRUE(
      patches.ContextMenu()->findChild<QAction*>(QStringLiteral("ExportToXP"))->isEnabled());
  patches.ContextMenu()->close();
}

TEST_F(TBankWindowTest, EditShowsThePropertyDialogForTheMember) {
  TFormBank& window = OpenBank(0);
  window.GridMouseDown(Qt::RightButton, Qt::NoModifier, QPoint(50, 9 * 18 + 4));
  window.ContextMenu()->close();
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    auto* dialog = qobject_cast<TFormEdit*>(QApplication::activeModalWidget());
    if (!dialog) return;
    shown = true;
    dialog->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("Pad"));
    dialog->accept();
  });
  window.ContextMenu()->findChild<QAction*>(QStringLiteral("Edit"))->trigger();
  EXPECT_TRUE(shown);
  EXPECT_EQ(PatchBank().Member(9).GetName(), QStringLiteral("Pad"));
  EXPECT_EQ(PatchBank().Member(9).Number, 10);  // a member keeps its place
}

TEST_F(TBankWindowTest, ThreePatchesFitFromRow125AndNotFrom126) {
  TFormBank& window = OpenBank(0);
  TFormLibrary& source = DragFromLibrary({ekPatch, ekPatch, ekPatch});
  EXPECT_FALSE(window.DragOverGrid(&source, 127));
  EXPECT_FALSE(window.DragOverGrid(&source, 126));
  EXPECT_FALSE(main_->DragInfo().Accepted);
  ASSERT_TRUE(window.DragOverGrid(&source, 125));
  EXPECT_TRUE(main_->DragInfo().Accepted);
  source.EndDrag(window.Grid()->viewport(), QPoint(20, 20));
  Pick("PopupCopy");
  for (int k = 0; k < 3; ++k) {
    const TLibElem& member = PatchBank().Member(125 + k);
    EXPECT_EQ(member.GetName(), QStringLiteral("New %1").arg(k));
    EXPECT_EQ(member.Number, 126 + k);
    EXPECT_FALSE(member.Temporary);
    EXPECT_TRUE(member.User);
    EXPECT_EQ(member.Owner, &PatchBank());
  }
  EXPECT_NE(PatchBank().Member(124).GetName(), QStringLiteral("New 0"));
  EXPECT_EQ(source.Library()->Count(), 3);  // a copy
  EXPECT_FALSE(library_->Library()->Saved);
}

TEST_F(TBankWindowTest, MoveIntoACardBankTakesTheElementsOutOfTheLibrary) {
  PatchBank().User = false;
  TFormBank& window = OpenBank(0);
  TFormLibrary& source = DragFromLibrary({ekPatch, ekPatch});
  ASSERT_TRUE(window.DragOverGrid(&source, 0));
  source.EndDrag(window.Grid()->viewport(), QPoint(20, 20));
  Pick("PopupMove");
  EXPECT_EQ(source.Library()->Count(), 0);
  EXPECT_EQ(PatchBank().Member(1).GetName(), QStringLiteral("New 1"));
  EXPECT_FALSE(PatchBank().Member(1).User);
  EXPECT_EQ(PatchBank().Member(1).LocationText(), QStringLiteral("Card : 2"));
}

TEST_F(TBankWindowTest, WrongKindsAndTooManyElementsAreRefused) {
  TFormBank& patches = OpenBank(0);
  TFormLibrary& performance = DragFromLibrary({ekPerformance});
  EXPECT_FALSE(patches.DragOverGrid(&performance, 0));
  TFormLibrary& mixed = DragFromLibrary({ekPatch, ekPerformance});
  EXPECT_FALSE(patches.DragOverGrid(&mixed, 0));
  TFormBank& rhythms = OpenBank(2);
  TFormLibrary& three = DragFromLibrary({ekRhythm, ekRhythm, ekRhythm});
  EXPECT_FALSE(rhythms.DragOverGrid(&three, 0));
  TFormLibrary& two = DragFromLibrary({ekRhythm, ekRhythm});
  EXPECT_TRUE(rhythms.DragOverGrid(&two, 0));
  EXPECT_FALSE(rhythms.DragOverGrid(&two, 1));
  EXPECT_FALSE(rhythms.DragOverGrid(nullptr, 0));
}

TEST_F(TBankWindowTest, DragsFromABankAlwaysCopy) {
  TFormBank& window = OpenBank(0);
  PatchBank().Member(3).SetName(QStringLiteral("Bell"), false);
  window.GridMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(50, 3 * 18 + 4));

  // Onto a library: appended as copies, the bank unchanged.
  TFormLibrary& target = Open({}, QStringLiteral("Target.Lib"));
  ASSERT_TRUE(target.DragOverGrid(&window));
  window.EndDrag(target.Grid()->viewport());
  ASSERT_EQ(target.Library()->Count(), 1);
  EXPECT_EQ(target.Library()->Element(0).GetName(), QStringLiteral("Bell"));
  EXPECT_EQ(PatchBank().Member(3).GetName(), QStringLiteral("Bell"));

  // Onto another patch bank at the row under the mouse; never onto another kind.
  auto other = std::make_unique<TLibrary>();
  other->NewElement(ekPatchBank);
  other->NewElement(ekPerformanceBank);
  TFormLibrary& otherWindow = OpenLibrary(std::move(other));
  auto& otherBank = static_cast<TBank&>(otherWindow.Library()->Element(0));
  otherBank.OpenEditor();
  auto* otherBankWindow = qobject_cast<TFormBank*>(otherBank.Editor);
  ASSERT_NE(otherBankWindow, nullptr);
  window.BeginDrag();
  ASSERT_TRUE(otherBankWindow->DragOverGrid(&window, 127));
  window.EndDrag(otherBankWindow->Grid()->viewport());
  EXPECT_EQ(otherBank.Member(127).GetName(), QStringLiteral("Bell"));
  EXPECT_EQ(otherBank.Member(127).Number, 128);
  EXPECT_FALSE(otherWindow.Library()->Saved);
  otherWindow.Library()->Element(1).OpenEditor();
  auto* performances = qobject_cast<TFormBank*>(otherWindow.Library()->Element(1).Editor);
  ASSERT_NE(performances, nullptr);
  EXPECT_FALSE(performances->DragOverGrid(&window, 0));
  EXPECT_FALSE(window.DragOverGrid(&window, 0));  // not onto itself
}

TEST_F(TBankWindowTest, OpensBesideItsLibraryAndClosingItBringsTheLibraryBack) {
  TFormLibrary& other = Open({ekPatch}, QStringLiteral("Other.Lib"));
  QMdiArea* area = main_->MdiArea();
  QMdiSubWindow* home = TChildFrame::SubWindowOf(library_);
  area->setActiveSubWindow(home);
  home->move(0, 0);
  TFormBank& bank = OpenBank(0);
  QMdiSubWindow* sub = TChildFrame::SubWindowOf(&bank);
  EXPECT_EQ(home, TChildFrame::OpenerOf(sub));
  // Whole in the area and clear of the library when there is room.
  const QRect room(QPoint(0, 0), area->viewport()->size());
  EXPECT_TRUE(room.contains(sub->geometry()));
  if (home->width() + sub->width() <= room.width() ||
      home->height() + sub->height() <= room.height()) {
    EXPECT_FALSE(sub->geometry().intersects(home->geometry()));
  }

  area->setActiveSubWindow(sub);
  sub->close();
  QTest::qWait(1);
  Flush();
  EXPECT_EQ(home, area->activeSubWindow());
  EXPECT_NE(TChildFrame::SubWindowOf(&other), area->activeSubWindow());
}

TEST_F(TBankWindowTest, ScreenReadersReadTheLibraryAndBankListsAsTablesOfTheirTexts) {
  QAccessibleInterface* library = QAccessible::queryAccessibleInterface(library_->Grid());
  ASSERT_NE(library, nullptr);
  QAccessibleTableInterface* rows = library->tableInterface();
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(library->role(), QAccessible::Table);
  EXPECT_EQ(rows->rowCount(), 3);
  EXPECT_EQ(rows->columnCount(), 4);
  EXPECT_EQ(rows->columnDescription(1), QStringLiteral("Name"));
  EXPECT_EQ(rows->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Strings"));
  EXPECT_EQ(rows->cellAt(0, 0)->text(QAccessible::Name), PatchBank().KindName());
  // The children are the cells, row by row.
  EXPECT_EQ(library->childCount(), 12);
  EXPECT_EQ(library->child(4 + 1), rows->cellAt(1, 1));
  EXPECT_EQ(library->indexOfChild(rows->cellAt(2, 3)), 11);

  TFormBank& bank = OpenBank(0);
  PatchBank().Member(4).SetName(QStringLiteral("Choir"), false);
  QAccessibleTableInterface* members =
      QAccessible::queryAccessibleInterface(bank.Grid())->tableInterface();
  ASSERT_NE(members, nullptr);
  EXPECT_EQ(members->rowCount(), 128);
  EXPECT_EQ(members->columnDescription(2), QStringLiteral("Number"));
  QAccessibleInterface* name = members->cellAt(4, 1);
  EXPECT_EQ(name->text(QAccessible::Name), QStringLiteral("Choir"));
  EXPECT_EQ(members->cellAt(4, 2)->text(QAccessible::Name), QStringLiteral("  005"));
  EXPECT_EQ(name->tableCellInterface()->rowIndex(), 4);
  EXPECT_EQ(name->tableCellInterface()->columnIndex(), 1);
  EXPECT_EQ(members->cellAt(128, 0), nullptr);
}
