// The library grid: masks, rows, selection by mouse, sorting and scrolling.
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "app/rowgrid.h"
#include "library_fixture.h"
#include "model/viewregistry.h"

namespace {
QPoint RowPoint(TFormLibrary& window, int row) {
  return QPoint(100, (row - window.Grid()->TopRow()) * TLibraryGrid::kRowHeight + 5);
}
}  // namespace

TEST_F(TLibraryWindowTest, MasksHideRowsButKeepListPositions) {
  TFormLibrary& window = Open({ekPatch, ekPerformance, ekPerformance, ekPatch, ekRhythm});
  window.SetMasked(ekPerformance, true);
  EXPECT_EQ(window.MaxVis(), 2);
  EXPECT_EQ(window.Grid()->RowCount(), 3);
  EXPECT_EQ(window.CalcIndex(0), 0);
  EXPECT_EQ(window.CalcIndex(1), 3);
  EXPECT_EQ(window.CalcIndex(2), 4);
  EXPECT_EQ(window.CalcIndex(3), -1);

  // Click the first row, Shift-click the last: the range runs over the hidden performances.
  QTest::mouseClick(window.Grid()->viewport(), Qt::LeftButton, {}, RowPoint(window, 0));
  QTest::mouseClick(window.Grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    RowPoint(window, 2));
  TLibrary& library = *window.Library();
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(library.Element(i).Selected) << i;
  // What a command acts on is what shows.
  EXPECT_EQ(window.SelectedVisible().size(), 3u);
}

TEST_F(TLibraryWindowTest, AllMasksDownShowNothingAndSelectNothing) {
  int previews = 0;
  LibraryWindowHooks().StartPreview = [&previews] { ++previews; };
  TFormLibrary& window = Open({ekPatch, ekPatchBank, ekSystem});
  for (int kind = 0; kind < kKindCount; ++kind) window.SetMasked(kind, true);
  EXPECT_EQ(window.MaxVis(), -1);
  EXPECT_EQ(window.Grid()->RowCount(), 0);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(window.CalcIndex(row), -1);

  QTest::mouseClick(window.Grid()->viewport(), Qt::LeftButton, {}, RowPoint(window, 0));
  for (auto& element : window.Library()->Elements) EXPECT_FALSE(element->Selected);
  // Shift + right button with no element under the mouse sounds the preview at once.
  QTest::mousePress(window.Grid()->viewport(), Qt::RightButton, Qt::ShiftModifier,
                    RowPoint(window, 0));
  EXPECT_EQ(previews, 1);

  window.UnmaskAll();
  EXPECT_EQ(window.MaxVis(), 2);
  for (int kind = 0; kind < kKindCount; ++kind) EXPECT_FALSE(window.MaskButton(kind)->isChecked());
  LibraryWindowHooks().StartPreview = nullptr;
}

TEST_F(TLibraryWindowTest, ClicksSelectPlainCtrlAndShift) {
  TFormLibrary& window = Open({ekPatch, ekPatch, ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  QWidget* grid = window.Grid()->viewport();
  QTest::mouseClick(grid, Qt::LeftButton, {}, RowPoint(window, 1));
  QTest::mouseClick(grid, Qt::LeftButton, Qt::ControlModifier, RowPoint(window, 3));
  EXPECT_EQ(window.SelectedVisible(),
            (std::vector<TLibElem*>{&library.Element(1), &library.Element(3)}));
  // Shift with two selected starts again from the clicked element alone.
  QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, RowPoint(window, 0));
  EXPECT_EQ(window.SelectedVisible(), std::vector<TLibElem*>{&library.Element(0)});
  // Ctrl toggles (an unselected element; a click on a selected one keeps the selection).
  window.SelectElement(0, TSelectMode::Ctrl);
  EXPECT_TRUE(window.SelectedVisible().empty());
  // A right click selects that element alone and opens the menu for it.
  window.SelectElement(1, TSelectMode::Plain);
  window.SelectElement(2, TSelectMode::Ctrl);
  QTest::mouseClick(grid, Qt::RightButton, {}, RowPoint(window, 3));
  EXPECT_EQ(window.SelectedVisible(), std::vector<TLibElem*>{&library.Element(3)});
  EXPECT_EQ(window.MenuElement(), &library.Element(3));
  window.ContextMenu()->close();
  // A click beside the grid clears the selection.
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(454, 200));
  EXPECT_TRUE(window.SelectedVisible().empty());
}

TEST_F(TLibraryWindowTest, ExchangeSortOrdersByButtonAndNeverSwapsEqualNeighbours) {
  TFormLibrary& window = Open({ekPatch, ekPatch, ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  SetNames(library, {"C", "a", "B", "b"});
  const double dates[] = {3, 1, 1, 2};
  for (int i = 0; i < 4; ++i) {
    library.Element(i).ModifiedDate = dates[i];
    library.Element(i).ModifiedTime = 0.5;
    library.Element(i).CreatedDate = 10 - i;
  }
  // Date: oldest first; a and B carry the same date and time and keep their order.
  window.SortButton(2)->click();
  EXPECT_EQ(Names(library), QStringLiteral("a B b C"));
  // Name, without regard to case; B and b compare equal and are not exchanged.
  window.SortButton(1)->click();
  EXPECT_FALSE(window.SortButton(2)->isChecked());
  EXPECT_EQ(Names(library), QStringLiteral("a B b C"));
  // Same modified date, the time decides.
  library.Element(1).ModifiedTime = 0.1;
  window.SortButton(2)->click();
  EXPECT_EQ(Names(library), QStringLiteral("B a b C"));
  // All buttons up: creation order.
  window.SortButton(2)->click();
  EXPECT_EQ(Names(library), QStringLiteral("b B a C"));
}

TEST_F(TLibraryWindowTest, TypeSortGroupsKindsAndKeepsEqualKindsInPlace) {
  TFormLibrary& window = Open({ekSystem, ekPatch, ekPatchBank, ekPatch});
  TLibrary& library = *window.Library();
  TLibElem* firstPatch = &library.Element(1);
  window.SortButton(0)->click();
  EXPECT_EQ(library.Element(0).Kind, ekPatch);
  EXPECT_EQ(&library.Element(0), firstPatch);
  EXPECT_EQ(library.Element(2).Kind, ekPatchBank);
  EXPECT_EQ(library.Element(3).Kind, ekSystem);
}

TEST_F(TLibraryWindowTest, NewElementsScrollToTheLastRowUnlessSortedByTypeOrName) {
  std::vector<int> kinds(40, ekPatch);
  auto library = std::make_unique<TLibrary>();
  for (int kind : kinds) library->NewElement(kind);
  TFormLibrary& window = OpenLibrary(std::move(library));
  const int visible = window.Grid()->VisibleRows();
  ASSERT_LT(visible, 40);
  EXPECT_EQ(window.Grid()->TopRow(), 40 - visible);
  window.NewElement(ekRhythm);
  EXPECT_EQ(window.Grid()->TopRow(), 41 - visible);
  EXPECT_EQ(window.CalcIndex(40), 40);
  window.Grid()->SetTopRow(0);
  window.SortButton(1)->click();
  window.NewElement(ekRhythm);
  EXPECT_EQ(window.Grid()->TopRow(), 0);
}

TEST_F(TLibraryWindowTest, CaptionsAndTrashLayout) {
  TFormLibrary& window = Open({}, QStringLiteral("/tmp/some/Strings.Lib"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Library : Strings.Lib[*]"));
  EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("NewPatch"))->isVisibleTo(&window));
  EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("BtnEmpty"))->isVisibleTo(&window));
  EXPECT_EQ(window.findChild<QHeaderView*>(QStringLiteral("Header"))->y(), 42);
  // Saving under another name renames the window.
  ui_.Files = {dir_.filePath(QStringLiteral("Renamed.Lib"))};
  ASSERT_TRUE(window.Library()->Save(true));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Library : Renamed.Lib[*]"));

  TFormLibrary& trash = OpenTrash();
  EXPECT_TRUE(trash.IsTrash());
  EXPECT_EQ(trash.windowTitle(), QStringLiteral("Trash Library"));
  EXPECT_EQ(trash.HelpContext(), 55);
  for (const char* name :
       {"SpeedNuovo", "Speedcomment", "SpeedPrint", "SpeedDelete", "speedtransmet", "speedreceive",
        "SpeedSearch", "Speeddebug", "speedMorph", "RandomBtn", "NewPatch", "Newglobal"})
    EXPECT_FALSE(trash.findChild<QWidget*>(QString::fromLatin1(name))->isVisibleTo(&trash)) << name;
  EXPECT_TRUE(trash.findChild<QWidget*>(QStringLiteral("BtnEmpty"))->isVisibleTo(&trash));
  EXPECT_TRUE(trash.findChild<QWidget*>(QStringLiteral("SpeedPatch"))->isVisibleTo(&trash));
  EXPECT_EQ(trash.findChild<QHeaderView*>(QStringLiteral("Header"))->y(), 8);
  // The grid always shows whole rows.
  EXPECT_EQ(trash.Grid()->viewport()->height() % TLibraryGrid::kRowHeight, 0);
}

TEST_F(TLibraryWindowTest, DoubleClickOpensTheElementUnderTheMouse) {
  std::vector<TLibElem*> opened;
  for (int kind : {ekPatchBank, ekGlobal, ekRhythmBank})
    Views().SetFactory(kind, [&opened](TLibElem& element) -> QObject* {
      opened.push_back(&element);
      return nullptr;
    });
  TFormLibrary& window = Open({ekPatchBank, ekGlobal, ekRhythmBank});
  window.SetMasked(ekGlobal, true);
  QTest::mouseDClick(window.Grid()->viewport(), Qt::LeftButton, {}, RowPoint(window, 1));
  for (int kind : {ekPatchBank, ekGlobal, ekRhythmBank}) Views().SetFactory(kind, nullptr);
  EXPECT_EQ(opened, std::vector<TLibElem*>{&window.Library()->Element(2)});
  EXPECT_TRUE(main_->DoubleClickFlag);
}

namespace {
class TCountingGrid : public TRowGrid {
 public:
  using TRowGrid::TRowGrid;
  int Drags = 0;

 protected:
  void DrawRow(QPainter&, int, const QRect&) override {}
  void mousePressEvent(QMouseEvent* event) override {
    ArmDrag(event->position().toPoint(), event->button() == Qt::LeftButton);
  }
  void mouseReleaseEvent(QMouseEvent*) override { DisarmDrag(); }
  void StartDrag() override { ++Drags; }
};

void Move(QWidget* target, QPoint to, Qt::MouseButtons buttons) {
  QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, buttons, {});
  QApplication::sendEvent(target, &move);
}
}  // namespace

// A click, a shaking hand or a move without the button held never starts a drag; one drag
// per press.
TEST(RowGrid, DragStartsOncePastTheDragDistanceWithTheLeftButtonHeld) {
  TCountingGrid grid(nullptr);
  grid.resize(200, 200);
  QWidget* viewport = grid.viewport();
  const QPoint start(20, 20);
  const QPoint far = start + QPoint(QApplication::startDragDistance() + 2, 0);
  QTest::mousePress(viewport, Qt::LeftButton, {}, start);
  Move(viewport, start + QPoint(1, 0), Qt::LeftButton);
  EXPECT_EQ(grid.Drags, 0);
  Move(viewport, far, Qt::LeftButton);
  Move(viewport, far + QPoint(10, 10), Qt::LeftButton);
  EXPECT_EQ(grid.Drags, 1);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, far);
  Move(viewport, start, Qt::NoButton);
  Move(viewport, far + far, Qt::NoButton);
  QTest::mousePress(viewport, Qt::RightButton, {}, start);
  Move(viewport, far, Qt::RightButton);
  EXPECT_EQ(grid.Drags, 1);
}
