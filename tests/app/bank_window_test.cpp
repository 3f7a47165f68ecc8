// The bank and global windows: opening and closing, rows with and without a data card, the
// member menu, the audition, the drops they take and give, and what a screen reader reads.
#include <QAccessible>

#include "mainwindow_fixture.h"
#include "model/global.h"
#include "model/viewregistry.h"

namespace {

class TBankWindows : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    RegisterBankWindows(*main_);
    Config().DataCard = false;
    library_ = &Open({ekPatchBank, ekPerformanceBank, ekRhythmBank, ekGlobal}, "Home.Lib");
    SetNames(*library_->Library(), {"Strings", "Split", "Kits", "Studio"});
    library_->Library()->Saved = true;
  }
  void TearDown() override {
    Config().DataCard = false;
    for (int kind : {ekPatchBank, ekPerformanceBank, ekRhythmBank, ekGlobal})
      Views().SetFactory(kind, nullptr);
    EXPECT_FALSE(Views().HasFactory(ekGlobal));
    TMainWindowTest::TearDown();
  }
  TLibrary& Home() { return *library_->Library(); }
  TPatchBank& PatchBank() { return static_cast<TPatchBank&>(Home().Element(0)); }
  TGlobal& Global() { return static_cast<TGlobal&>(Home().Element(3)); }
  TFormBank& OpenBank(int index) { return OpenEditor(Home().Element(index)); }
  static int RowY(int row) { return row * 18 + 4; }
  // New elements "New 0", "New 1"... dragged from a library of their own; card ones unless user.
  TFormLibrary& DragFromLibrary(std::initializer_list<int> kinds, bool user = true) {
    TFormLibrary& source = Open(kinds, QStringLiteral("Source.Lib"));
    for (int i = 0; i < source.Library()->Count(); ++i) {
      source.Library()->Element(i).SetName(QStringLiteral("New %1").arg(i), false);
      source.Library()->Element(i).User = user;
      source.Library()->Element(i).Selected = true;
    }
    source.BeginDrag();
    return source;
  }
  void DropOn(TFormBankBase& window, TFormLibrary& source, int row, const char* item) {
    ASSERT_TRUE(window.DragOverGrid(&source, row));
    EXPECT_TRUE(main_->DragInfo().Accepted);
    source.EndDrag(window.Grid()->viewport(), QPoint(20, 20));
    Pick(item);
  }

  TFormLibrary* library_ = nullptr;
};

TEST_F(TBankWindows, OpensOnceAndClosingKeepsItsPlaceAndBringsTheLibraryBack) {
  Open({ekPatch}, QStringLiteral("Other.Lib"));  // the window in front before the library
  QMdiSubWindow* home = TChildFrame::SubWindowOf(library_);
  main_->MdiArea()->setActiveSubWindow(home);
  library_->GridDoubleClick(QPoint(5, 5));
  auto* window = qobject_cast<TFormBank*>(PatchBank().Editor);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(
      std::tuple(window->Grid()->RowCount(), main_->ActiveLibrary(window), window->HelpContext()),
      std::tuple(128, &Home(), 53));
  // Opening it again brings the same window forward; a rename from outside shows.
  EXPECT_EQ(&OpenBank(0), window);
  PatchBank().SetName(QStringLiteral("Brass"), false);
  PatchBank().UpdateViews();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Patch Bank Brass [Location : Home.Lib][*]"));

  window->Frame()->move(40, 50);
  window->Frame()->resize(window->Frame()->width(), 300);
  window->Frame()->close();
  QTest::qWait(1);
  Flush();
  EXPECT_EQ(std::tuple(PatchBank().Editor, PatchBank().WinLeft, PatchBank().WinTop,
                       PatchBank().Height, Home().Saved, main_->MdiArea()->activeSubWindow()),
            std::tuple(nullptr, 40, 50, 300, false, home));
  // Opened again, it takes the place and height it had.
  Home().Saved = true;
  TFormBank& again = OpenBank(0);
  EXPECT_EQ(again.Frame()->geometry(), QRect(QPoint(40, 50), QSize(again.Frame()->width(), 300)));
  again.Frame()->close();
  EXPECT_TRUE(Home().Saved);  // nothing moved
  // Deleting a bank closes its window.
  OpenBank(1);
  Home().Take(1);
  Flush();
  EXPECT_TRUE(main_->findChildren<TFormBank*>().isEmpty());
  // A window destroyed outright leaves its bank with no editor to point at.
  delete OpenBank(0).Frame();
  EXPECT_EQ(PatchBank().Editor, nullptr);
  EXPECT_FALSE(PatchBank().WindowOpen);
}

TEST_F(TBankWindows, TheMouseSelectsAuditionsAndOpensTheMenuAndTheProperties) {
  TFormBank& window = OpenBank(0);
  window.GridMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(50, RowY(2)));
  window.GridMouseDown(Qt::LeftButton, Qt::ShiftModifier, QPoint(50, RowY(4)));
  window.GridMouseDown(Qt::LeftButton, Qt::ControlModifier, QPoint(50, RowY(7)));
  EXPECT_EQ(Selected(PatchBank()), (std::vector<int>{2, 3, 4, 7}));
  // The drag that the plain click began carries the members in bank order.
  window.BeginDrag();
  EXPECT_EQ(main_->DragInfo().Items.back().Element, &PatchBank().Member(7));
  // A click beside the rows clears.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
  EXPECT_TRUE(Selected(PatchBank()).empty());

  // Shift + right button auditions the member, without the menu.
  int started = 0;
  LibraryWindowHooks().StartPatchAudition = [&started] { ++started; };
  window.GridMouseDown(Qt::RightButton, Qt::ShiftModifier, QPoint(50, RowY(5)));
  LibraryWindowHooks().StartPatchAudition = nullptr;
  EXPECT_EQ(std::tuple(started, Selected(PatchBank())), std::tuple(1, std::vector<int>{5}));

  // The menu is for the member under the mouse; Edit shows its properties.
  window.GridMouseDown(Qt::RightButton, Qt::NoModifier, QPoint(50, RowY(9)));
  EXPECT_EQ(window.MenuElement(), &PatchBank().Member(9));
  window.ContextMenu()->close();
  WhenShown<TFormEdit>([](TFormEdit& dialog) {
    dialog.NameEdit()->setText(QStringLiteral("Pad"));
    dialog.accept();
  });
  window.ContextMenu()->findChild<QAction*>(QStringLiteral("Edit"))->trigger();
  // A member keeps its place.
  EXPECT_EQ(std::tuple(PatchBank().Member(9).GetName(), PatchBank().Member(9).Number),
            std::tuple(QStringLiteral("Pad"), 10));
}

TEST_F(TBankWindows, DropsTakeWhatFitsOfTheirKindAsCopiesOrMovedIntoTheCard) {
  TFormBank& window = OpenBank(0);
  // Three patches fit from row 125, not from 126.
  TFormLibrary& three = DragFromLibrary({ekPatch, ekPatch, ekPatch});
  EXPECT_FALSE(window.DragOverGrid(&three, 126));
  DropOn(window, three, 125, "PopupCopy");
  const TLibElem& last = PatchBank().Member(127);
  EXPECT_EQ(std::tuple(last.GetName(), last.Number, last.User, three.Library()->Count()),
            std::tuple(QStringLiteral("New 2"), 128, true, 3));

  // Moved into a card bank, the elements leave their library.
  PatchBank().User = false;
  TFormLibrary& two = DragFromLibrary({ekPatch, ekPatch});
  DropOn(window, two, 0, "PopupMove");
  EXPECT_EQ(std::tuple(two.Library()->Count(), PatchBank().Member(1).GetName(),
                       PatchBank().Member(1).LocationText()),
            std::tuple(0, QStringLiteral("New 1"), QStringLiteral("Card : 2")));

  // Wrong kinds, mixed kinds and too many are refused.
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekPatch, ekPerformance}), 0));
  TFormBank& rhythms = OpenBank(2);
  TFormLibrary& rhythmPair = DragFromLibrary({ekRhythm, ekRhythm});
  EXPECT_TRUE(rhythms.DragOverGrid(&rhythmPair, 0));
  EXPECT_FALSE(rhythms.DragOverGrid(&rhythmPair, 1));
  EXPECT_FALSE(rhythms.DragOverGrid(nullptr, 0));
}

TEST_F(TBankWindows, DragsFromABankAlwaysCopy) {
  TFormBank& window = OpenBank(0);
  PatchBank().Member(3).SetName(QStringLiteral("Bell"), false);
  window.GridMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(50, RowY(3)));
  // Onto a library: appended as copies, the bank unchanged.
  TFormLibrary& target = Open({}, QStringLiteral("Target.Lib"));
  ASSERT_TRUE(target.DragOverGrid(&window));
  window.EndDrag(target.Grid()->viewport());
  EXPECT_EQ(std::tuple(Names(*target.Library()), PatchBank().Member(3).GetName()),
            std::tuple(QStringLiteral("Bell"), QStringLiteral("Bell")));

  // Onto another patch bank at the row under the mouse; never onto another kind or itself.
  TFormLibrary& other = Open({ekPatchBank, ekPerformanceBank});
  auto& otherBank = static_cast<TBank&>(other.Library()->Element(0));
  TFormBank& otherWindow = OpenEditor(otherBank);
  window.BeginDrag();
  ASSERT_TRUE(otherWindow.DragOverGrid(&window, 127));
  window.EndDrag(otherWindow.Grid()->viewport());
  EXPECT_EQ(std::tuple(otherBank.Member(127).GetName(), otherBank.Member(127).Number),
            std::tuple(QStringLiteral("Bell"), 128));
  EXPECT_FALSE(OpenEditor(other.Library()->Element(1)).DragOverGrid(&window, 0));
  EXPECT_FALSE(window.DragOverGrid(&window, 0));
}

TEST_F(TBankWindows, ScreenReadersReadTheLibraryAndBankListsAsTablesOfTheirTexts) {
  QAccessibleInterface* library = QAccessible::queryAccessibleInterface(library_->Grid());
  ASSERT_NE(library, nullptr);
  QAccessibleTableInterface* rows = library->tableInterface();
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(std::tuple(library->role(), rows->rowCount(), rows->columnCount(),
                       rows->columnDescription(1)),
            std::tuple(QAccessible::Table, 4, 4, QStringLiteral("Name")));
  EXPECT_EQ(rows->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Strings"));
  // The children are the cells, row by row.
  EXPECT_EQ(std::tuple(library->childCount(), library->child(4 + 1),
                       library->indexOfChild(rows->cellAt(2, 3))),
            std::tuple(16, rows->cellAt(1, 1), 11));

  TFormBank& bank = OpenBank(0);
  PatchBank().Member(4).SetName(QStringLiteral("Choir"), false);
  QAccessibleTableInterface* members =
      QAccessible::queryAccessibleInterface(bank.Grid())->tableInterface();
  ASSERT_NE(members, nullptr);
  QAccessibleInterface* name = members->cellAt(4, 1);
  EXPECT_EQ(
      std::tuple(name->text(QAccessible::Name), members->cellAt(4, 2)->text(QAccessible::Name)),
      std::tuple(QStringLiteral("Choir"), QStringLiteral("  005")));
  EXPECT_EQ(
      std::tuple(name->tableCellInterface()->rowIndex(), name->tableCellInterface()->columnIndex()),
      std::tuple(4, 1));
  EXPECT_EQ(members->cellAt(128, 0), nullptr);
}

TEST_F(TBankWindows, WithoutADataCardFourGlobalRowsShowTheUserBanksAndTheSystem) {
  auto& window = OpenEditor<TFormGlobal>(Global());
  const std::pair<int, int> rows[] = {{0, 0}, {1, 2}, {3, 6}, {4, -1}};
  for (const auto& [row, entry] : rows) EXPECT_EQ(window.CalcInd(row), entry) << row;
  EXPECT_EQ(std::tuple(window.MemberAt(2), window.MemberAt(3), window.MemberAt(4)),
            std::tuple(&Global().RhythmBank(true), &Global().System(), nullptr));

  QApplication::processEvents();
  Config().DataCard = true;
  RelayoutGlobalWindows(*main_);
  EXPECT_EQ(std::tuple(window.Grid()->RowCount(), window.CalcInd(5), window.MemberAt(1)),
            std::tuple(7, 5, &Global().PatchBank(false)));
  EXPECT_EQ(window.RowTexts(6).mid(0, 3), QStringList({"System", "Untitled", ""}));
  // The rows it gained are on the screen at once: the screen shows what the grid draws.
  QApplication::processEvents();
  QWidget* grid = window.Grid()->viewport();
  const QImage drawn = grid->grab().toImage();
  const QPoint origin = grid->mapTo(main_.get(), QPoint(0, 0));
  const QImage screen =
      main_->screen()
          ->grabWindow(main_->winId(), origin.x(), origin.y(), grid->width(), grid->height())
          .toImage()
          .convertToFormat(drawn.format());
  ASSERT_EQ(screen.size(), drawn.size());
  for (int row = 4; row < 7; ++row)
    for (int y = row * 18; y < row * 18 + 18; y += 3)
      for (int x = 0; x < drawn.width(); x += 3)
        ASSERT_EQ(screen.pixel(x, y), drawn.pixel(x, y)) << "row " << row << " at " << x;
}

TEST_F(TBankWindows, AGlobalTakesOneBankOrSystemIntoItsCardOrUserEntry) {
  auto& window = OpenEditor<TFormGlobal>(Global());
  DropOn(window, DragFromLibrary({ekPatchBank}, false), 0, "PopupCopy");
  EXPECT_EQ(std::tuple(Global().PatchBank(false).GetName(), Global().PatchBank(true).GetName()),
            std::tuple(QStringLiteral("New 0"), QStringLiteral("Untitled")));
  TFormLibrary& user = DragFromLibrary({ekPerformanceBank});
  DropOn(window, user, 3, "PopupMove");
  EXPECT_EQ(std::tuple(Global().PerformanceBank(true).GetName(), user.Library()->Count()),
            std::tuple(QStringLiteral("New 0"), 0));
  // The system has one entry, whatever its memory setting.
  ASSERT_TRUE(window.DragOverGrid(&DragFromLibrary({ekSystem}, false), 1));
  window.ProcCopy(main_->DragInfo());
  EXPECT_EQ(Global().System().GetName(), QStringLiteral("New 0"));
  // Only one bank or system, of a kind a global holds.
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekPatchBank, ekRhythmBank}), 0));
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekPatch}), 0));
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekGlobal}), 0));
}

TEST_F(TBankWindows, AGlobalDraggedOntoAnotherCopiesItsEntriesAndClosingClosesItsBanks) {
  auto& window = OpenEditor<TFormGlobal>(Global());
  Global().RhythmBank(true).SetName(QStringLiteral("Kits"), false);
  window.GridMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(60, RowY(2)));
  auto& other = static_cast<TGlobal&>(Home().NewElement(ekGlobal));
  auto& otherWindow = OpenEditor<TFormGlobal>(other);
  ASSERT_TRUE(otherWindow.DragOverGrid(&window, 0));
  window.EndDrag(otherWindow.Grid()->viewport());
  EXPECT_EQ(std::tuple(other.RhythmBank(true).GetName(), other.RhythmBank(false).GetName()),
            std::tuple(QStringLiteral("Kits"), QStringLiteral("Untitled")));

  window.GridDoubleClick(QPoint(60, 4));
  auto* bankWindow = qobject_cast<TFormBank*>(Global().PatchBank(true).Editor);
  ASSERT_NE(bankWindow, nullptr);
  EXPECT_EQ(main_->ActiveLibrary(bankWindow), &Home());
  otherWindow.Frame()->close();
  window.Frame()->close();
  Flush();
  EXPECT_EQ(
      std::tuple(Global().PatchBank(true).WindowOpen, main_->findChildren<TFormBank*>().size(),
                 main_->findChildren<TFormGlobal*>().size()),
      std::tuple(false, 0, 0));
}

}  // namespace
