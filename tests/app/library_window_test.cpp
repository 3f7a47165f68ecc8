// The library window: masks, selection, sorting, scrolling, commands, the trash, closing, drags
// between library windows, and the element property dialog.
#include <QRadioButton>

#include "librarian/rowgrid.h"
#include "mainwindow_fixture.h"

namespace {

class TLibraryWindow : public TMainWindowTest {
 protected:
  static QPoint RowPoint(TFormLibrary& window, int row) {
    return QPoint(100, (row - window.Grid()->TopRow()) * TRowGrid::kRowHeight + 5);
  }
  static void Click(TFormLibrary& window, int row, Qt::KeyboardModifiers modifiers = {},
                    Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window.Grid()->viewport(), button, modifiers, RowPoint(window, row));
  }
  static QMdiSubWindow* SubWindow(TFormLibrary& window) {
    return qobject_cast<QMdiSubWindow*>(window.parentWidget());
  }
  static void Drag(TFormLibrary& window, std::initializer_list<int> indexes) {
    for (auto& element : window.Library()->Elements) element->Selected = false;
    for (int i : indexes) window.Library()->Element(i).Selected = true;
    window.BeginDrag();
  }
  void DropAndPick(TFormLibrary& source, TFormLibrary& target, const char* item) {
    ASSERT_TRUE(target.DragOverGrid(&source));
    source.EndDrag(target.Grid()->viewport(), QPoint(20, 20));
    Pick(item);
  }
};

TEST_F(TLibraryWindow, MasksHideRowsButKeepListPositionsAndDoubleClicksOpenWhatShows) {
  int previews = 0;
  LibraryWindowHooks().StartPreview = [&previews] { ++previews; };
  TFormLibrary& window = Open({ekPatch, ekPerformance, ekPerformance, ekPatch, ekRhythm});
  window.SetMasked(ekPerformance, true);
  EXPECT_EQ(std::tuple(window.MaxVis(), window.Grid()->RowCount()), std::tuple(2, 3));
  const std::pair<int, int> rows[] = {{0, 0}, {1, 3}, {2, 4}, {3, -1}};
  for (const auto& [row, index] : rows) EXPECT_EQ(window.CalcIndex(row), index) << row;
  // A Shift-click range runs over hidden elements; commands act on what shows.
  Click(window, 0);
  Click(window, 2, Qt::ShiftModifier);
  EXPECT_EQ(Selected(*window.Library()), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(window.SelectedVisible().size(), 3u);

  // All masks down: no rows; Shift + right button on no element sounds the preview at once.
  for (int kind = 0; kind < kKindCount; ++kind) window.SetMasked(kind, true);
  EXPECT_EQ(std::tuple(window.MaxVis(), window.Grid()->RowCount(), window.CalcIndex(0)),
            std::tuple(-1, 0, -1));
  QTest::mousePress(window.Grid()->viewport(), Qt::RightButton, Qt::ShiftModifier,
                    RowPoint(window, 0));
  EXPECT_EQ(previews, 1);
  LibraryWindowHooks().StartPreview = nullptr;
  window.UnmaskAll();
  EXPECT_EQ(std::tuple(window.MaxVis(), window.MaskButton(ekPerformance)->isChecked()),
            std::tuple(4, false));

  // A double click opens the element under the mouse, with the masks applied.
  RegisterBankWindows(*main_);
  TFormLibrary& banks = Open({ekPatchBank, ekGlobal, ekRhythmBank});
  banks.SetMasked(ekGlobal, true);
  QTest::mouseDClick(banks.Grid()->viewport(), Qt::LeftButton, {}, RowPoint(banks, 1));
  EXPECT_EQ(std::tuple(banks.Library()->Element(1).Editor != nullptr,
                       banks.Library()->Element(2).Editor != nullptr),
            std::tuple(false, true));
}

TEST_F(TLibraryWindow, ClicksSelectPlainCtrlAndShiftAndTheRightButtonOpensTheMenu) {
  TFormLibrary& window = Open({ekPatch, ekPatch, ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  Click(window, 1);
  Click(window, 3, Qt::ControlModifier);
  EXPECT_EQ(Selected(library), (std::vector<int>{1, 3}));
  // Shift with two selected starts again from the clicked element alone.
  Click(window, 0, Qt::ShiftModifier);
  EXPECT_EQ(Selected(library), std::vector<int>{0});
  // Ctrl toggles (an unselected element; a click on a selected one keeps the selection).
  window.SelectElement(0, TSelectMode::Ctrl);
  EXPECT_TRUE(window.SelectedVisible().empty());
  // A right click selects that element alone and opens the menu for it.
  window.SelectElement(1, TSelectMode::Plain);
  window.SelectElement(2, TSelectMode::Ctrl);
  Click(window, 3, {}, Qt::RightButton);
  EXPECT_EQ(std::tuple(Selected(library), window.MenuElement()),
            std::tuple(std::vector<int>{3}, &library.Element(3)));
  window.ContextMenu()->close();
  // A click beside the grid clears the selection.
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(454, 200));
  EXPECT_TRUE(window.SelectedVisible().empty());
}

// How elements compare is the library's; the window keeps one sort button down at a time.
TEST_F(TLibraryWindow, OneSortButtonIsDownAtATimeAndAllUpIsTheCreationOrder) {
  TFormLibrary& window = Open({ekPatch, ekPatch, ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  SetNames(library, {"C", "a", "B", "b"});
  for (int i = 0; i < 4; ++i) {
    library.Element(i).ModifiedDate = 4 - i;
    library.Element(i).CreatedDate = 10 + i % 2 * 10 - i;
  }
  // Date: oldest first; then name, without regard to case, which lets the date button up.
  window.SortButton(2)->click();
  EXPECT_EQ(Names(library), QStringLiteral("b B a C"));
  window.SortButton(1)->click();
  EXPECT_FALSE(window.SortButton(2)->isChecked());
  EXPECT_EQ(Names(library), QStringLiteral("a B b C"));
  // All buttons up: creation order.
  window.SortButton(1)->click();
  EXPECT_EQ(Names(library), QStringLiteral("B C b a"));
}

TEST_F(TLibraryWindow, NewElementsScrollToTheLastRowUnlessSortedByTypeOrName) {
  auto library = std::make_unique<TLibrary>();
  for (int i = 0; i < 40; ++i) library->NewElement(ekPatch);
  TFormLibrary& window = OpenLibrary(std::move(library));
  const int visible = window.Grid()->VisibleRows();
  ASSERT_LT(visible, 40);
  EXPECT_EQ(window.Grid()->TopRow(), 40 - visible);
  window.NewElement(ekRhythm);
  EXPECT_EQ(window.Grid()->TopRow(), 41 - visible);
  EXPECT_EQ(window.CalcIndex(40), 40);
  window.Grid()->SetTopRow(0);
  window.SortButton(0)->click();
  window.NewElement(ekRhythm);
  EXPECT_EQ(window.Grid()->TopRow(), 0);
}

// A shaking hand never starts a drag; a press starts one at most.
TEST(RowGrid, DragStartsOncePastTheDragDistance) {
  struct TCountingGrid : TRowGrid {
    using TRowGrid::TRowGrid;
    int Drags = 0;
    void DrawRow(QPainter&, int, const QRect&) override {}
    void mousePressEvent(QMouseEvent* event) override {
      ArmDrag(event->position().toPoint(), event->button() == Qt::LeftButton);
    }
    void mouseReleaseEvent(QMouseEvent*) override { DisarmDrag(); }
    void StartDrag() override { ++Drags; }
  } grid(nullptr);
  grid.resize(200, 200);
  QWidget* viewport = grid.viewport();
  const auto move = [viewport](QPoint to, Qt::MouseButtons buttons) {
    QMouseEvent event(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, buttons, {});
    QApplication::sendEvent(viewport, &event);
  };
  const QPoint start(20, 20);
  const QPoint far = start + QPoint(QApplication::startDragDistance() + 2, 0);
  QTest::mousePress(viewport, Qt::LeftButton, {}, start);
  move(start + QPoint(1, 0), Qt::LeftButton);
  move(far, Qt::LeftButton);
  move(far + QPoint(10, 10), Qt::LeftButton);
  EXPECT_EQ(grid.Drags, 1);
}

TEST_F(TLibraryWindow, NewElementButtonsAppendTheirKindAndEmptyingAsksFirst) {
  TFormLibrary& window = Open({}, QStringLiteral("Saved.Lib"));
  TLibrary& library = *window.Library();
  ASSERT_TRUE(library.Saved);
  for (int kind = 0; kind < kKindCount; ++kind) window.NewButton(kind)->click();
  ASSERT_EQ(library.Count(), kKindCount);
  for (int kind = 0; kind < kKindCount; ++kind) EXPECT_EQ(library.Element(kind).Kind, kind);
  library.Comment = QStringList{QStringLiteral("keep")};
  library.Saved = true;
  ui_.Answers = {mbNo};
  window.EmptyLibrary();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("Are You Sure ?"));
  EXPECT_EQ(std::tuple(library.Count(), library.Saved), std::tuple(kKindCount, true));
  ui_.Answers = {mbYes};
  window.EmptyLibrary();
  EXPECT_EQ(std::tuple(library.Count(), library.Comment.size(), library.Saved),
            std::tuple(0, 0, false));
}

TEST_F(TLibraryWindow, DeleteKeyMovesSelectedVisibleElementsToTheTrashAndTheMenusDeleteFrees) {
  TFormLibrary& window = Open({ekPatch, ekPerformance, ekPatch, ekRhythm});
  TLibrary& library = *window.Library();
  SetNames(library, {"P1", "F1", "P2", "R1"});
  TFormLibrary& trash = OpenTrash();
  main_->MdiArea()->setActiveSubWindow(SubWindow(window));
  for (int i = 0; i < 4; ++i) library.Element(i).Selected = true;
  window.SetMasked(ekPerformance, true);
  QApplication::setActiveWindow(main_.get());
  window.Grid()->setFocus();
  QTest::keyClick(window.Grid(), Qt::Key_Delete);
  TLibrary& bin = main_->TrashLibrary();
  EXPECT_EQ(std::tuple(Names(library), Names(bin), bin.Element(0).Owner, trash.Grid()->RowCount()),
            std::tuple(QStringLiteral("F1"), QStringLiteral("P1 P2 R1"), &bin, 3));

  // The menu names globals and leaves XP out for rhythms; its Delete frees the element at once.
  TFormLibrary& other = Open({ekGlobal, ekRhythmBank, ekPatch});
  auto item = [&other](const char* name) {
    return other.ContextMenu()->findChild<QAction*>(QString::fromLatin1(name));
  };
  other.PopupMenu(0, QPoint(10, 5));
  EXPECT_EQ(item("LoadSysex")->text(), QStringLiteral("Load Global"));
  other.PopupMenu(1, QPoint(10, 23));
  EXPECT_FALSE(item("ExportToXP")->isEnabled());
  other.PopupMenu(2, QPoint(10, 41));
  item("Delete")->trigger();
  EXPECT_EQ(std::tuple(other.Library()->Count(), bin.Count(), other.Library()->Saved),
            std::tuple(2, 3, false));
  // An action for an element that has left the list does nothing.
  other.PopupMenu(1, QPoint(10, 23));
  other.Library()->Take(1);
  item("Delete")->trigger();
  EXPECT_EQ(other.Library()->Count(), 1);
}

TEST_F(TLibraryWindow, ReceiveStopsAfterAnUnfinishedTransferAndToolsCheckTheirSelection) {
  struct TFakeReceiver : TLibElem {
    TFakeReceiver(TLibElem* owner, bool finishes, int& calls)
        : TLibElem(owner), finishes_(finishes), calls_(calls) {}
    void Receive(bool) override {
      ++calls_;
      Transfer().Finished = finishes_;
    }
    bool finishes_;
    int& calls_;
  };
  TFormLibrary& receivers = Open({});
  int calls[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i)
    receivers.Library()->Add(
        std::make_unique<TFakeReceiver>(receivers.Library(), i != 1, calls[i]));
  receivers.RefreshList();
  for (auto& element : receivers.Library()->Elements) element->Selected = true;
  receivers.ReceiveSelected();
  EXPECT_EQ(std::vector<int>(calls, calls + 3), (std::vector<int>{1, 1, 0}));

  int morphs = 0;
  int randoms = 0;
  LibraryWindowHooks().Morph = [&morphs](QWidget&, TLibElem&, TLibElem&) { ++morphs; };
  LibraryWindowHooks().Random = [&randoms](QWidget&, TLibElem&) { ++randoms; };
  TFormLibrary& window = Open({ekPatch, ekPatchBank, ekPatch, ekPatch, ekPatchBank});
  TLibrary& library = *window.Library();
  for (int i : {0, 2, 3}) library.Element(i).Selected = true;
  window.findChild<QToolButton*>(QStringLiteral("speedMorph"))->click();
  EXPECT_EQ(std::tuple(ui_.LastText(), morphs),
            std::tuple(QStringLiteral("You Must Select two Patch."), 0));
  library.Element(3).Selected = false;
  window.MorphClick();
  EXPECT_EQ(morphs, 1);
  window.findChild<QToolButton*>(QStringLiteral("RandomBtn"))->click();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("You Must Select One Patch Bank."));
  library.Element(1).Selected = true;
  library.Element(4).Selected = true;
  window.RandomClick();
  EXPECT_EQ(randoms, 0);
  library.Element(4).Selected = false;
  const std::size_t asked = ui_.Questions.size();
  window.RandomClick();
  EXPECT_EQ(std::tuple(randoms, ui_.Questions.size()), std::tuple(1, asked));
  LibraryWindowHooks().Morph = nullptr;
  LibraryWindowHooks().Random = nullptr;
}

TEST_F(TLibraryWindow, ItsPlaceIsPartOfTheLibraryAndMovingItIsAChange) {
  auto stored = std::make_unique<TLibrary>();
  stored->WinLeft = 30;
  stored->WinTop = 40;
  stored->Height = 300;
  TFormLibrary& placed = OpenLibrary(std::move(stored));
  EXPECT_EQ(
      std::tuple(SubWindow(placed)->pos(), SubWindow(placed)->height(), placed.Library()->Saved),
      std::tuple(QPoint(30, 40), 300, true));
  // Moving it marks the library unsaved.
  TFormLibrary& moved = Open({}, QStringLiteral("Moved.Lib"));
  SubWindow(moved)->move(SubWindow(moved)->pos() + QPoint(17, 9));
  EXPECT_EQ(std::tuple(moved.Library()->Saved, moved.Library()->WinLeft),
            std::tuple(false, SubWindow(moved)->x()));
}

TEST_F(TLibraryWindow, YesSavesAnUntitledLibraryUnderTheChosenNameAndACancelledDialogKeepsIt) {
  TFormLibrary& window = Open({});
  window.NewElement(ekPatch);
  const QString path = dir_.filePath(QStringLiteral("Chosen.Lib"));
  ui_.Answers = {mbYes};
  ui_.Files = {path};
  QPointer<TFormLibrary> guard(&window);
  window.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
  EXPECT_EQ(std::tuple(ui_.LastText(), ui_.Questions[0].Buttons, QFile::exists(path)),
            std::tuple(QStringLiteral("Untitled.Lib") + kNotSaved, mbYes | mbNo | mbCancel, true));
  Flush();
  EXPECT_TRUE(guard.isNull());

  TFormLibrary& kept = Open({ekPatch});
  kept.NewElement(ekRhythm);
  TLibrary* library = kept.Library();
  ui_.Answers = {mbYes};  // and no file: the save dialog is cancelled
  guard = &kept;
  EXPECT_FALSE(SubWindow(kept)->close());
  Flush();
  ASSERT_FALSE(guard.isNull());
  EXPECT_EQ(std::tuple(library->Count(), library->Saved, ui_.FileRequests.size(),
                       main_->CloseCancelled()),
            std::tuple(2, false, 2u, true));
  // During exit the same answer cancels the exit.
  main_->SetCloseCancelled(false);
  ui_.Answers = {mbYes};
  EXPECT_FALSE(main_->close());
  Flush();
  EXPECT_EQ(std::tuple(main_->isVisible(), guard.isNull()), std::tuple(true, false));
}

class TLibraryDrag : public TLibraryWindow {
 protected:
  void SetUp() override {
    TLibraryWindow::SetUp();
    source_ = &Open({ekPatch, ekPerformance, ekRhythm}, QStringLiteral("Source.Lib"));
    SetNames(*source_->Library(), {"P", "F", "R"});
    target_ = &Open({ekSystem}, QStringLiteral("Target.Lib"));
  }
  TFormLibrary* source_ = nullptr;
  TFormLibrary* target_ = nullptr;
};

TEST_F(TLibraryDrag, NotOntoItselfNorOnTheSecondClickAndCopyLeavesTheSourceSelectingTheCopies) {
  Drag(*source_, {0});
  EXPECT_FALSE(source_->DragOverGrid(source_));
  source_->EndDrag(source_->Grid()->viewport(), QPoint(20, 20));
  EXPECT_EQ(source_->Library()->Count(), 3);
  EXPECT_FALSE(target_->DragOverGrid(nullptr));  // nothing comes from nowhere
  // The second click of a double click is no drop.
  Drag(*source_, {0});
  ASSERT_TRUE(target_->DragOverGrid(source_));
  main_->DoubleClickFlag = true;
  source_->EndDrag(target_->Grid()->viewport(), QPoint(5, 5));
  Pick("PopupMove");
  EXPECT_EQ(std::tuple(source_->Library()->Count(), target_->Library()->Count()), std::tuple(3, 1));

  main_->DoubleClickFlag = false;
  TLibrary& target = *target_->Library();
  target.Element(0).Selected = true;
  Drag(*source_, {0, 2});
  DropAndPick(*source_, *target_, "PopupCopy");
  EXPECT_EQ(std::tuple(Names(*source_->Library()), Names(target), Selected(target), target.Saved),
            std::tuple(QStringLiteral("P F R"), QStringLiteral("Untitled P R"),
                       std::vector<int>{1, 2}, false));
}

TEST_F(TLibraryDrag, TheTrashWindowAndTheBinTakeDropsWithoutAskingAndTheTrashClosesSilently) {
  TFormLibrary& trash = OpenTrash();
  Drag(*source_, {0});
  ASSERT_TRUE(trash.DragOverGrid(source_));
  source_->EndDrag(trash.Grid()->viewport(), QPoint(5, 5));
  EXPECT_EQ(std::tuple(Names(*source_->Library()), Names(main_->TrashLibrary()),
                       trash.Grid()->RowCount()),
            std::tuple(QStringLiteral("F R"), QStringLiteral("P"), 1));
  // Out of the trash again, into a library.
  Drag(trash, {0});
  DropAndPick(trash, *target_, "PopupMove");
  EXPECT_EQ(std::tuple(main_->TrashLibrary().Count(), Names(*target_->Library()).endsWith("P")),
            std::tuple(0, true));
  // The bin in the corner accepts drags from library windows.
  Drag(*source_, {1});
  main_->DragInfo().Accepted = true;
  QWidget* bin = main_->findChild<QWidget*>(QStringLiteral("TrashVuoto"));
  ASSERT_NE(bin, nullptr);
  source_->EndDrag(bin, QPoint(5, 5));
  EXPECT_EQ(std::tuple(Names(*source_->Library()), Names(main_->TrashLibrary())),
            std::tuple(QStringLiteral("F"), QStringLiteral("R")));
  // The trash closes without asking and keeps its elements.
  EXPECT_TRUE(SubWindow(trash)->close());
  Flush();
  EXPECT_EQ(std::tuple(main_->TrashWindow(), main_->TrashLibrary().Count(), ui_.Questions.size()),
            std::tuple(nullptr, 1, 0u));
}

TEST(FormEdit, ControlsFollowKindPlaceDataCardAndTemporaryAndOkStoresTheChanges) {
  TLibrary library;
  TFormEdit dialog;
  // User, card and temporary enabled, the position shown: "+" or "-" each.
  const auto offered = [&dialog] {
    QString marks;
    for (QWidget* place : std::initializer_list<QWidget*>{dialog.UserButton(), dialog.CardButton(),
                                                          dialog.TemporaryButton()})
      marks += place->isEnabled() ? u'+' : u'-';
    return marks + (dialog.PositionBox()->isVisibleTo(&dialog) ? u'+' : u'-');
  };
  // A patch in a bank keeps its place.
  dialog.SetElement(static_cast<TPatchBank&>(library.NewElement(ekPatchBank)).Member(5), true);
  EXPECT_EQ(offered(), "----");
  TLibElem& performance = library.NewElement(ekPerformance);
  performance.Temporary = false;
  performance.User = true;
  performance.Number = 7;
  dialog.SetElement(performance, false);
  EXPECT_EQ(offered(), "+-++");  // no data card
  EXPECT_EQ(std::tuple(dialog.UserButton()->isChecked(), dialog.PositionBox()->maximum(),
                       dialog.PositionBox()->value()),
            std::tuple(true, 32, 7));
  dialog.SetElement(library.NewElement(ekRhythmBank), true);
  EXPECT_EQ(offered(), "++--");

  TLibElem& patch = library.NewElement(ekPatch);
  library.Saved = true;
  patch.ModifiedDate = 1;
  dialog.SetElement(patch, true);
  dialog.accept();  // nothing changed
  EXPECT_EQ(std::tuple(library.Saved, patch.ModifiedDate, dialog.NameEdit()->maxLength()),
            std::tuple(true, 1.0, 12));
  dialog.SetElement(patch, true);
  dialog.NameEdit()->setText(QStringLiteral("Warm Pad"));
  dialog.CardButton()->click();
  dialog.PositionBox()->setValue(128);
  dialog.accept();
  EXPECT_EQ(std::tuple(patch.GetName(), patch.Temporary, patch.User, patch.Number, library.Saved),
            std::tuple(QStringLiteral("Warm Pad"), false, false, 128, false));
  EXPECT_GT(patch.ModifiedDate, 1);
  // Made temporary, the patch is no longer in the user memory either.
  patch.User = true;
  dialog.SetElement(patch, true);
  dialog.TemporaryButton()->click();
  dialog.accept();
  EXPECT_EQ(std::tuple(patch.Temporary, patch.User), std::tuple(true, false));
}

}  // namespace
