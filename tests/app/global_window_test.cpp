// The global window: its rows with and without a data card, and the banks it takes from drops.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QScreen>

#include "app/formbank.h"
#include "app/formbankgrid.h"
#include "app/formglobal.h"
#include "library_fixture.h"
#include "midi/config.h"
#include "model/global.h"

class TGlobalWindowTest : public TLibraryWindowTest {
 protected:
  void SetUp() override {
    TLibraryWindowTest::SetUp();
    RegisterBankWindows();
    dataCard_ = Config().DataCard;
    Config().DataCard = false;
    library_ = &Open({ekGlobal}, QStringLiteral("Dumps.Lib"));
    Global().SetName(QStringLiteral("Studio"), false);
    library_->Library()->Saved = true;
  }
  void TearDown() override {
    Config().DataCard = dataCard_;
    TLibraryWindowTest::TearDown();
  }
  TGlobal& Global() { return static_cast<TGlobal&>(library_->Library()->Element(0)); }
  TFormGlobal& OpenGlobal() {
    Global().OpenEditor();
    auto* window = qobject_cast<TFormGlobal*>(Global().Editor);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // Drags one new element of a kind from a library window of its own; card when user is false.
  TFormLibrary& DragFromLibrary(std::initializer_list<int> kinds, bool user) {
    TFormLibrary& source = Open(kinds, QStringLiteral("Source.Lib"));
    for (auto& element : source.Library()->Elements) {
      element->User = user;
      element->SetName(user ? QStringLiteral("Mine") : QStringLiteral("OnCard"), false);
      element->Selected = true;
    }
    source.BeginDrag();
    return source;
  }

  TFormLibrary* library_ = nullptr;
  bool dataCard_ = false;
};

TEST_F(TGlobalWindowTest, WithoutADataCardFourRowsShowTheUserBanksAndTheSystem) {
  TFormGlobal& window = OpenGlobal();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Global Studio [Location : Dumps.Lib][*]"));
  EXPECT_EQ(window.Grid()->RowCount(), 4);
  EXPECT_EQ(window.CalcInd(0), 0);
  EXPECT_EQ(window.CalcInd(1), 2);
  EXPECT_EQ(window.CalcInd(3), 6);
  EXPECT_EQ(window.CalcInd(4), -1);
  EXPECT_EQ(window.MemberAt(2), &Global().RhythmBank(true));
  EXPECT_EQ(window.MemberAt(3), &Global().System());
  EXPECT_EQ(window.MemberAt(4), nullptr);
  // Every row shows whole, and no more than the rows.
  EXPECT_EQ(window.Grid()->viewport()->height(), 4 * 18);
  const int shortHeight = window.height();
  QApplication::processEvents();

  Config().DataCard = true;
  RelayoutGlobalWindows();
  EXPECT_EQ(window.Grid()->RowCount(), 7);
  EXPECT_EQ(window.CalcInd(5), 5);
  EXPECT_EQ(window.MemberAt(1), &Global().PatchBank(false));
  EXPECT_EQ(window.MemberAt(6), &Global().System());
  EXPECT_EQ(window.Grid()->viewport()->height(), 7 * 18);
  EXPECT_EQ(window.height() - shortHeight, 3 * 18);

  // The rows it gained are on the screen at once, not after the next click: what the screen
  // shows of the grid is what the grid draws.
  QApplication::processEvents();
  QWidget* grid = window.Grid()->viewport();
  const QImage drawn = grid->grab().toImage();
  const QPoint origin = grid->mapTo(main_.get(), QPoint(0, 0));
  const QImage screen = main_->screen()
                            ->grabWindow(main_->winId(), origin.x(), origin.y(), grid->width(),
                                         grid->height())
                            .toImage()
                            .convertToFormat(drawn.format());
  ASSERT_EQ(screen.size(), drawn.size());
  for (int row = 4; row < 7; ++row)
    for (int y = row * 18; y < row * 18 + 18; y += 3)
      for (int x = 0; x < drawn.width(); x += 3)
        ASSERT_EQ(screen.pixel(x, y), drawn.pixel(x, y)) << "row " << row << " at " << x;
}

TEST_F(TGlobalWindowTest, CardAndUserBanksLandInTheirOwnEntries) {
  TFormGlobal& window = OpenGlobal();
  TFormLibrary& card = DragFromLibrary({ekPatchBank}, false);
  ASSERT_TRUE(window.DragOverGrid(&card, 0));
  card.EndDrag(window.Grid()->viewport(), QPoint(20, 20));
  main_->findChild<QAction*>(QStringLiteral("PopupCopy"))->trigger();
  EXPECT_EQ(Global().PatchBank(false).GetName(), QStringLiteral("OnCard"));
  EXPECT_EQ(Global().PatchBank(true).GetName(), QStringLiteral("Untitled"));
  EXPECT_FALSE(library_->Library()->Saved);

  TFormLibrary& user = DragFromLibrary({ekPerformanceBank}, true);
  ASSERT_TRUE(window.DragOverGrid(&user, 3));
  user.EndDrag(window.Grid()->viewport(), QPoint(20, 20));
  main_->findChild<QAction*>(QStringLiteral("PopupMove"))->trigger();
  EXPECT_EQ(Global().PerformanceBank(true).GetName(), QStringLiteral("Mine"));
  EXPECT_EQ(Global().PerformanceBank(false).GetName(), QStringLiteral("Untitled"));
  EXPECT_EQ(Global().PerformanceBank(true).Owner, &Global());
  EXPECT_EQ(user.Library()->Count(), 0);

  // The system has one entry, whatever its memory setting.
  TFormLibrary& system = DragFromLibrary({ekSystem}, false);
  ASSERT_TRUE(window.DragOverGrid(&system, 1));
  window.ProcCopy(main_->DragInfo());
  EXPECT_EQ(Global().System().GetName(), QStringLiteral("OnCard"));
}

TEST_F(TGlobalWindowTest, OnlyOneBankOrSystemIsTaken) {
  TFormGlobal& window = OpenGlobal();
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekPatchBank, ekRhythmBank}, true), 0));
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekPatch}, true), 0));
  EXPECT_FALSE(window.DragOverGrid(&DragFromLibrary({ekGlobal}, true), 0));
  EXPECT_TRUE(window.DragOverGrid(&DragFromLibrary({ekRhythmBank}, true), 0));
}

TEST_F(TGlobalWindowTest, AGlobalDraggedOntoAnotherCopiesItsEntries) {
  TFormGlobal& window = OpenGlobal();
  Global().RhythmBank(true).SetName(QStringLiteral("Kits"), false);
  window.GridMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(60, 2 * 18 + 4));
  ASSERT_EQ(main_->DragInfo().Items.size(), 1u);

  TLibrary& library = *library_->Library();
  library.NewElement(ekGlobal);
  auto& other = static_cast<TGlobal&>(library.Element(1));
  other.OpenEditor();
  auto* otherWindow = qobject_cast<TFormGlobal*>(other.Editor);
  ASSERT_NE(otherWindow, nullptr);
  ASSERT_TRUE(otherWindow->DragOverGrid(&window, 0));
  window.EndDrag(otherWindow->Grid()->viewport());
  EXPECT_EQ(other.RhythmBank(true).GetName(), QStringLiteral("Kits"));
  EXPECT_EQ(other.RhythmBank(false).GetName(), QStringLiteral("Untitled"));
}

TEST_F(TGlobalWindowTest, ClosingClosesTheWindowsOfItsBanks) {
  TFormGlobal& window = OpenGlobal();
  window.GridDoubleClick(QPoint(60, 4));
  auto* bankWindow = qobject_cast<TFormBank*>(Global().PatchBank(true).Editor);
  ASSERT_NE(bankWindow, nullptr);
  EXPECT_EQ(bankWindow->windowTitle(), QStringLiteral("Patch Bank Untitled [Location : Studio][*]"));
  EXPECT_EQ(main_->ActiveLibrary(bankWindow), library_->Library());
  window.Frame()->close();
  Flush();
  EXPECT_FALSE(Global().WindowOpen);
  EXPECT_FALSE(Global().PatchBank(true).WindowOpen);
  EXPECT_TRUE(main_->findChildren<TFormBank*>().isEmpty());
  EXPECT_TRUE(main_->findChildren<TFormGlobal*>().isEmpty());
}
