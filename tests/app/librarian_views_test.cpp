// The librarian windows' lists from the keyboard and where the windows put things: keys moving
// and extending the selection, F1 on windows, dialogs and menu items, a bank opened from a
// maximised library, and the pop-up after a drop on a bank.
#include <QDropEvent>

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

TEST_F(TLibrarianViews, KeysMoveTheLibrarySelectionAndShiftExtendsIt) {
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
      // Shift extends from where the plain moves left off, both ways.
      {Qt::Key_Down, Qt::ShiftModifier, {0, 1}, -1},
      {Qt::Key_Up, Qt::ShiftModifier, {0}, -1},
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
}

TEST_F(TLibrarianViews, BankListsMoveTheirSelectionFromTheKeyboard) {
  TFormLibrary& library = Open({ekPerformanceBank});
  auto& bank = static_cast<TBank&>(library.Library()->Element(0));
  TRowGrid* grid = OpenEditor(bank).Grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(60, 2 * 18 + 5));
  QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(bank), (std::vector<int>{2, 3}));
  QTest::keyClick(grid, Qt::Key_End);
  EXPECT_EQ(Selected(bank), std::vector<int>{31});
}

TEST_F(TLibrarianViews, F1OpensThePageOfTheWindowInFrontOfTheDialogOrOfTheMenuItem) {
  OpenEditor(Open({ekPatchBank}).Library()->Element(0));
  main_->Action(QStringLiteral("HelpKeyItem"))->trigger();
  EXPECT_EQ(HelpPage(), QUrl(QStringLiteral("qrc:/help/bank.html")));
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

// A bank opened from a maximised library opens at its own size, with all its rows.
TEST_F(TLibrarianViews, ABankOpenedFromAMaximisedLibraryIsNotMaximised) {
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
  // A patch dropped on a bank.
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
