// The librarian windows' lists from the keyboard and where the windows put things: keys moving
// and extending the selection, F1 on windows, dialogs and menu items, whole rows in the grids,
// larger windows showing more, and the pop-up after a drop on a bank.
#include <QDropEvent>
#include <QHeaderView>

#include "mainwindow_fixture.h"

namespace {

class TLibrarianViews : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    RegisterBankWindows(*main_);
    Config().DataCard = false;
  }
  void TearDown() override {
    delete THelpWindow::Current();
    TMainWindowTest::TearDown();
  }
  static QHeaderView* Header(QWidget& window) {
    return window.findChild<QHeaderView*>(QStringLiteral("Header"));
  }
  // F1 pressed in widget (offscreen the key is sent to it: no window becomes active there).
  static void F1(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  }
  static QUrl HelpPage() {
    THelpWindow* help = THelpWindow::Current();
    return help && help->isVisible() ? help->Browser()->source() : QUrl();
  }
};

TEST_F(TLibrarianViews, KeysMoveTheLibrarySelectionShiftExtendsItOverHiddenPositionsToo) {
  auto owned = std::make_unique<TLibrary>();
  for (int i = 0; i < 30; ++i) owned->NewElement(ekPatch);
  TFormLibrary& window = OpenLibrary(std::move(owned));
  TLibrary& lib = *window.Library();
  TRowGrid* grid = window.Grid();
  window.Frame()->resize(window.Frame()->width(), 300);
  const int page = grid->VisibleRows();
  ASSERT_LT(page, 30);
  grid->SetTopRow(0);
  std::vector<int> lastPage;
  for (int i = 29 - page; i <= 29; ++i) lastPage.push_back(i);
  const struct {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    std::vector<int> Selected;
    int Top;  // -1: not checked
  } steps[] = {
      // Down with nothing current starts at the first row; each key selects its row alone.
      {Qt::Key_Down, {}, {0}, -1},
      {Qt::Key_Down, {}, {1}, -1},
      // Shift extends from where the plain moves left off, both ways.
      {Qt::Key_Down, Qt::ShiftModifier, {1, 2}, -1},
      {Qt::Key_Up, Qt::ShiftModifier, {1}, -1},
      {Qt::Key_Home, Qt::ShiftModifier, {0, 1}, -1},
      // Page Down moves by what the grid shows, and the row stays in view.
      {Qt::Key_PageDown, {}, {page}, 1},
      {Qt::Key_End, {}, {29}, 30 - page},
      {Qt::Key_Down, {}, {29}, 30 - page},  // past the end: stays
      {Qt::Key_PageUp, Qt::ShiftModifier, lastPage, -1},
      {Qt::Key_Home, {}, {0}, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(QKeySequence(step.Key | step.Modifiers).toString().toStdString());
    QTest::keyClick(grid, step.Key, step.Modifiers);
    EXPECT_EQ(Selected(lib), step.Selected);
    if (step.Top >= 0) {
      EXPECT_EQ(grid->TopRow(), step.Top);
    }
  }
  // A click makes its row the one the keys go on from; Shift-click keeps the anchor.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(100, 5 * 18 + 5));
  QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(lib), (std::vector<int>{5, 6}));

  // Keys walk the visible rows; Shift covers the hidden positions between, as a Shift-click.
  TFormLibrary& masked = Open({ekPatch, ekPerformance, ekPatch, ekPerformance, ekPatch});
  masked.SetMasked(ekPerformance, true);
  QTest::keyClick(masked.Grid(), Qt::Key_Down);
  QTest::keyClick(masked.Grid(), Qt::Key_Down);
  EXPECT_EQ(Selected(*masked.Library()), std::vector<int>{2});
  QTest::keyClick(masked.Grid(), Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Selected(*masked.Library()), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(masked.SelectedVisible().size(), 2u);
}

TEST_F(TLibrarianViews, BankAndGlobalListsMoveTheirSelectionFromTheKeyboard) {
  TFormLibrary& library = Open({ekPerformanceBank, ekGlobal});
  auto& bank = static_cast<TBank&>(library.Library()->Element(0));
  TRowGrid* grid = OpenEditor(bank).Grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(60, 2 * 18 + 5));
  QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(bank), (std::vector<int>{2, 3}));
  QTest::keyClick(grid, Qt::Key_End);
  EXPECT_EQ(Selected(bank), std::vector<int>{31});
  // Without a data card the global's rows are its even entries.
  auto& global = static_cast<TBank&>(library.Library()->Element(1));
  TRowGrid* rows = OpenEditor<TFormGlobal>(global).Grid();
  QTest::keyClick(rows, Qt::Key_End);
  EXPECT_EQ(Selected(global), std::vector<int>{6});
}

TEST_F(TLibrarianViews, F1OpensThePageOfTheWindowInFrontOfTheDialogOrOfTheMenuItem) {
  QAction* f1 = main_->Action(QStringLiteral("HelpKeyItem"));
  TFormLibrary& library = Open({ekPatchBank, ekGlobal});
  QWidget* bank = OpenEditor(library.Library()->Element(0)).Frame();
  QWidget* global = OpenEditor<TFormGlobal>(library.Library()->Element(1)).Frame();
  main_->OpenTrashWindow();
  const std::pair<QWidget*, const char*> windows[] = {
      {bank, "bank.html"},
      {global, "global.html"},
      {library.Frame(), "library.html"},
      {main_->TrashWindow()->parentWidget(), "trash.html"},
  };
  for (const auto& [frame, page] : windows) {
    main_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
    f1->trigger();
    EXPECT_EQ(HelpPage(), QUrl(QStringLiteral("qrc:/help/") + QLatin1String(page)));
  }
  // The Index item stays on its own page; Escape closes the help.
  main_->Action(QStringLiteral("HelpIndexItem"))->trigger();
  EXPECT_EQ(HelpPage(), QUrl("qrc:/help/index.html"));
  QTest::keyClick(THelpWindow::Current()->Browser(), Qt::Key_Escape);
  EXPECT_FALSE(THelpWindow::Current()->isVisible());

  // In a modal dialog's list: the dialog's page, in a help window usable while the dialog waits.
  TFormExpansion expansion(*vesta_, main_.get());
  WhenShown<TFormExpansion>([](TFormExpansion& dialog) {
    F1(dialog.findChild<QComboBox*>());
    THelpWindow* help = THelpWindow::Current();
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_EQ(std::tuple(help->Browser()->source(), help->parentWidget()),
              std::tuple(QUrl("qrc:/help/expansion.html"), &dialog));
  });
  expansion.exec();

  // A highlighted menu item: File, New is context 6, on the main window's page.
  auto* file = main_->findChild<QMenu*>(QStringLiteral("File"));
  ASSERT_NE(file, nullptr);
  file->popup(main_->mapToGlobal(QPoint(10, 10)));
  file->setActiveAction(main_->Action(QStringLiteral("FileNewItem")));
  F1(file);
  EXPECT_EQ(HelpPage(), QUrl(QStringLiteral("qrc:/help/mainwindow.html#file")));
}

TEST_F(TLibrarianViews, GridsShowWholeRowsAndLargerWindowsShowMoreRowsAndWiderColumns) {
  TFormLibrary& nine =
      Open({ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch});
  nine.Frame()->resize(nine.Frame()->width(), 250);
  const int rows = (nine.Grid()->height() - 2) / TRowGrid::kRowHeight;
  // The rows sized for show, nothing more; the last element shows in the bottom row.
  EXPECT_EQ(nine.Grid()->viewport()->height(), rows * TRowGrid::kRowHeight);
  nine.PosizionaOtt();
  EXPECT_EQ(nine.Grid()->TopRow(), 9 - rows);

  // Larger, a library shows more rows and a wider name; never smaller than the panel.
  TFormLibrary& window = Open({ekPatchBank, ekRhythmBank});
  QWidget* frame = window.Frame();
  const int rowsBefore = window.Grid()->VisibleRows();
  frame->resize(frame->size() + QSize(200, 90));
  EXPECT_EQ(std::tuple(window.Grid()->VisibleRows(), Header(window)->sectionSize(1)),
            std::tuple(rowsBefore + 5, 110 + 100));
  frame->resize(100, 100);
  EXPECT_EQ(window.width(), TFormLibrary::kPanelWidth);
  // A bank window grows both ways; a rhythm bank only sideways.
  TFormBank& bank = OpenEditor(window.Library()->Element(0));
  const int bankRows = bank.Grid()->VisibleRows();
  bank.Frame()->resize(bank.Frame()->size() + QSize(100, 36));
  EXPECT_EQ(bank.Grid()->VisibleRows(), bankRows + 2);
  TFormBank& rhythms = OpenEditor(window.Library()->Element(1));
  const int rhythmHeight = rhythms.height();
  rhythms.Frame()->resize(rhythms.Frame()->size() + QSize(60, 60));
  EXPECT_EQ(rhythms.height(), rhythmHeight);

  // A bank opened from a maximised library opens at its own size, with all its rows.
  TFormLibrary& maximised = Open({ekPatchBank});
  auto* library = qobject_cast<QMdiSubWindow*>(maximised.Frame());
  library->showMaximized();
  TFormBank& over = OpenEditor(maximised.Library()->Element(0));
  auto* overFrame = qobject_cast<QMdiSubWindow*>(over.Frame());
  QApplication::processEvents();
  EXPECT_EQ(std::tuple(overFrame->isMaximized(), overFrame->mdiArea()->activeSubWindow()),
            std::tuple(false, overFrame));
}

TEST_F(TLibrarianViews, ADropOnABankIsNotedWhereItLandedAndOpensTheCopyMovePopUp) {
  TFormLibrary& window = Open({ekPatchBank, ekPatch});
  // A patch dropped on a bank: the pop-up opens 40 pixels above the drop point.
  TFormBank& bank = OpenEditor(window.Library()->Element(0));
  QWidget* viewport = bank.Grid()->viewport();
  TFormLibrary& source = Open({ekPatch});
  source.Library()->Element(0).Selected = true;
  source.BeginDrag();
  const QPoint drop(30, 5 * 18 + 7);
  // The grid notes where a drop landed; the dragging window reads it there.
  QMimeData data;
  data.setData(QStringLiteral("application/x-vesta-librarian-drag"), QByteArray());
  QDragEnterEvent enter(drop, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(viewport, &enter);
  QDropEvent event(drop, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(viewport, &event);
  EXPECT_EQ(bank.Grid()->LastDrop(), drop);
  ASSERT_TRUE(bank.DragOverGrid(&source, bank.Grid()->RowAt(drop.y())));
  source.EndDrag(viewport, bank.Grid()->LastDrop());
  auto* popup = main_->findChild<QMenu*>(QStringLiteral("PopupCopyMove"));
  ASSERT_TRUE(popup && popup->isVisible());
  popup->close();
}

}  // namespace
