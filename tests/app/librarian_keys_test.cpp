// The librarian windows from the keyboard: moving and extending the selection in the library,
// bank, global and search lists, Enter in the search window, and F1 on windows, dialogs and menu
// items.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/formbank.h"
#include "app/formbankgrid.h"
#include "app/formexpansion.h"
#include "app/formglobal.h"
#include "app/formsearch.h"
#include "app/helpwindow.h"
#include "library_fixture.h"
#include "midi/config.h"
#include "model/bank.h"

namespace {

class TLibrarianKeysTest : public TLibraryWindowTest {
 protected:
  void SetUp() override {
    TLibraryWindowTest::SetUp();
    RegisterBankWindows();
    Config().DataCard = false;
  }
  void Activate(QWidget* frame) {
    main_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame));
  }
  void TearDown() override {
    if (THelpWindow* help = THelpWindow::Current()) delete help;
    Config().DataCard = false;
    TLibraryWindowTest::TearDown();
  }
  // The list indexes selected, in order.
  static std::vector<int> Selected(TLibrary& library) {
    std::vector<int> indexes;
    for (int i = 0; i < library.Count(); ++i)
      if (library.Element(i).Selected) indexes.push_back(i);
    return indexes;
  }
  static std::vector<int> Selected(TBank& bank) {
    std::vector<int> indexes;
    for (int i = 0; i < bank.Count(); ++i)
      if (bank.Member(i).Selected) indexes.push_back(i);
    return indexes;
  }
  static void Key(QWidget* grid, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(grid, key, modifiers);
  }
  // F1 pressed in widget (offscreen the key is sent to it: no window becomes active there).
  static void F1(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  }
  // The title of the page the help window shows; empty when none is open.
  static QString HelpTitle() {
    THelpWindow* help = THelpWindow::Current();
    return help && help->isVisible() ? help->Browser()->documentTitle() : QString();
  }
};

TEST_F(TLibrarianKeysTest, ArrowsPagesHomeAndEndMoveTheLibrarySelectionAndShiftExtendsIt) {
  std::vector<int> kinds(30, ekPatch);
  auto library = std::make_unique<TLibrary>();
  for (int kind : kinds) library->NewElement(kind);
  TFormLibrary& window = OpenLibrary(std::move(library));
  TLibrary& lib = *window.Library();
  TRowGrid* grid = window.Grid();
  window.Frame()->resize(window.Frame()->width(), 300);
  const int page = grid->VisibleRows();
  ASSERT_LT(page, 30);
  grid->SetTopRow(0);

  // Down with nothing current starts at the first row; each key selects its row alone.
  Key(grid, Qt::Key_Down);
  EXPECT_EQ(Selected(lib), std::vector<int>{0});
  Key(grid, Qt::Key_Down);
  Key(grid, Qt::Key_Down);
  EXPECT_EQ(Selected(lib), std::vector<int>{2});
  Key(grid, Qt::Key_Up);
  EXPECT_EQ(Selected(lib), std::vector<int>{1});
  // Shift extends from where the plain moves left off, both ways.
  Key(grid, Qt::Key_Down, Qt::ShiftModifier);
  Key(grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(lib), (std::vector<int>{1, 2, 3}));
  Key(grid, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(Selected(lib), (std::vector<int>{1, 2}));
  Key(grid, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(Selected(lib), (std::vector<int>{0, 1}));

  // Page Down moves by what the grid shows, and the row stays in view.
  Key(grid, Qt::Key_PageDown);
  EXPECT_EQ(Selected(lib), std::vector<int>{page});
  EXPECT_EQ(grid->TopRow(), 1);
  Key(grid, Qt::Key_End);
  EXPECT_EQ(Selected(lib), std::vector<int>{29});
  EXPECT_EQ(grid->TopRow(), 30 - page);
  Key(grid, Qt::Key_Down);  // past the end: stays
  EXPECT_EQ(Selected(lib), std::vector<int>{29});
  Key(grid, Qt::Key_PageUp, Qt::ShiftModifier);
  EXPECT_EQ(Selected(lib).size(), static_cast<std::size_t>(page + 1));
  Key(grid, Qt::Key_Home);
  EXPECT_EQ(Selected(lib), std::vector<int>{0});
  EXPECT_EQ(grid->TopRow(), 0);

  // A click makes its row the one the keys go on from; Shift-click keeps the anchor.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(100, 5 * 18 + 5));
  Key(grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(lib), (std::vector<int>{5, 6}));
}

TEST_F(TLibrarianKeysTest, KeysWalkTheVisibleRowsAndShiftCoversTheHiddenListPositionsBetween) {
  TFormLibrary& window =
      Open({ekPatch, ekPerformance, ekPatch, ekPerformance, ekPatch});
  window.SetMasked(ekPerformance, true);
  TRowGrid* grid = window.Grid();
  Key(grid, Qt::Key_Down);
  Key(grid, Qt::Key_Down);
  EXPECT_EQ(Selected(*window.Library()), std::vector<int>{2});
  Key(grid, Qt::Key_End, Qt::ShiftModifier);
  // As with a Shift-click: list positions 2 to 4, the hidden performance too.
  EXPECT_EQ(Selected(*window.Library()), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(window.SelectedVisible().size(), 2u);
}

TEST_F(TLibrarianKeysTest, BankAndGlobalListsMoveTheirSelectionFromTheKeyboard) {
  TFormLibrary& library = Open({ekPerformanceBank, ekGlobal});
  TLibElem& bankElement = library.Library()->Element(0);
  bankElement.OpenEditor();
  auto* bankWindow = qobject_cast<TFormBank*>(bankElement.Editor);
  ASSERT_NE(bankWindow, nullptr);
  auto& bank = static_cast<TBank&>(bankElement);
  TRowGrid* grid = bankWindow->Grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(60, 2 * 18 + 5));
  Key(grid, Qt::Key_Down, Qt::ShiftModifier);
  Key(grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(bank), (std::vector<int>{2, 3, 4}));
  Key(grid, Qt::Key_End);
  EXPECT_EQ(Selected(bank), std::vector<int>{31});
  EXPECT_EQ(grid->TopRow() + grid->VisibleRows(), 32);  // the last member shows

  // Without a data card the global's rows are its even entries.
  TLibElem& globalElement = library.Library()->Element(1);
  globalElement.OpenEditor();
  auto* globalWindow = qobject_cast<TFormGlobal*>(globalElement.Editor);
  ASSERT_NE(globalWindow, nullptr);
  auto& global = static_cast<TBank&>(globalElement);
  Key(globalWindow->Grid(), Qt::Key_Down);
  Key(globalWindow->Grid(), Qt::Key_Down);
  EXPECT_EQ(Selected(global), std::vector<int>{2});
  Key(globalWindow->Grid(), Qt::Key_End);
  EXPECT_EQ(Selected(global), std::vector<int>{6});
}

TEST_F(TLibrarianKeysTest, EnterInTheNameRunsTheSearchAndKeysWalkTheResults) {
  TFormLibrary& window = Open({ekPatchBank});
  auto& bank = static_cast<TBank&>(window.Library()->Element(0));
  for (int i = 0; i < bank.Count(); ++i)
    bank.Member(i).SetName(QStringLiteral("Pad %1").arg(i), false);
  TFormSearch form(*window.Library(), false);
  form.show();
  QTest::keyClicks(form.SearchString(), QStringLiteral("pad 1"));
  QTest::keyClick(form.SearchString(), Qt::Key_Return);
  // Pad 1, Pad 10 to Pad 19, Pad 100 to Pad 127.
  ASSERT_EQ(form.Results().size(), 1u + 10u + 28u);
  EXPECT_TRUE(form.isVisible());  // Enter searched; it did not close the window

  auto* grid = form.findChild<TRowGrid*>();
  ASSERT_NE(grid, nullptr);
  Key(grid, Qt::Key_Down);
  EXPECT_EQ(grid->CurrentRow(), 0);
  Key(grid, Qt::Key_End);
  EXPECT_EQ(grid->CurrentRow(), 38);
  EXPECT_EQ(grid->TopRow() + grid->VisibleRows(), 39);
  // A new search starts at the top with no row marked.
  form.SearchButton()->click();
  EXPECT_EQ(grid->CurrentRow(), -1);
  EXPECT_EQ(grid->TopRow(), 0);
}

TEST_F(TLibrarianKeysTest, F1OpensThePageOfTheWindowInFront) {
  TFormLibrary& library = Open({ekPatchBank, ekGlobal});
  QAction* f1 = main_->Action(QStringLiteral("HelpKeyItem"));
  ASSERT_EQ(f1->shortcut(), QKeySequence(Qt::Key_F1));
  library.Library()->Element(0).OpenEditor();
  library.Library()->Element(1).OpenEditor();
  main_->OpenTrashWindow();
  auto frameOf = [](TLibElem& element) {
    return static_cast<TFormBankBase*>(element.Editor)->Frame();
  };
  const std::pair<QWidget*, const char*> windows[] = {
      {frameOf(library.Library()->Element(0)), "Bank windows"},
      {frameOf(library.Library()->Element(1)), "Global windows"},
      {library.Frame(), "Library windows"},
      {main_->TrashWindow()->parentWidget(), "The trash"},
  };
  for (const auto& [frame, title] : windows) {
    Activate(frame);
    f1->trigger();
    EXPECT_EQ(HelpTitle(), QLatin1String(title));
  }
}

TEST_F(TLibrarianKeysTest, F1InADialogOrOnAMenuItemOpensItsPage) {
  // A modal dialog: the help window opens over it, usable while the dialog waits.
  TFormExpansion expansion(*vesta_, main_.get());
  QString title;
  bool usable = false;
  QTimer::singleShot(0, [&] {
    // Pressed in a list of the dialog: the list passes it on to the dialog.
    F1(QApplication::activeModalWidget()->findChild<QComboBox*>());
    title = HelpTitle();
    // A window of the modal dialog's own is not blocked by it.
    usable = THelpWindow::Current() && THelpWindow::Current()->parentWidget() == &expansion &&
             THelpWindow::Current()->isWindow();
    expansion.reject();
  });
  expansion.exec();
  EXPECT_EQ(title, "Expansion setup");
  EXPECT_TRUE(usable);

  // The search window's page follows its mode.
  TFormLibrary& window = Open({ekPatch});
  for (const bool duplicates : {false, true}) {
    QUrl page;
    QTimer::singleShot(0, [&] {
      F1(TFormSearch::Instance()->SearchString());
      if (THelpWindow::Current()) page = THelpWindow::Current()->Browser()->source();
      TFormSearch::Instance()->CloseButton()->click();
    });
    window.SearchClick(duplicates);
    EXPECT_EQ(page, QUrl(duplicates ? "qrc:/help/search.html#duplicates"
                                    : "qrc:/help/search.html"));
  }

  // A highlighted menu item: File, New is context 6, on the main window's page.
  auto* file = main_->findChild<QMenu*>(QStringLiteral("File"));
  ASSERT_NE(file, nullptr);
  file->popup(main_->mapToGlobal(QPoint(10, 10)));
  file->setActiveAction(main_->Action(QStringLiteral("FileNewItem")));
  F1(file);
  EXPECT_FALSE(file->isVisible());
  EXPECT_EQ(THelpWindow::Current()->Browser()->source(),
            QUrl(QStringLiteral("qrc:/help/mainwindow.html#file")));
  // The library's menu: every item is context 39.
  window.PopupMenu(0, QPoint(5, 5));
  window.ContextMenu()->setActiveAction(window.ContextMenu()->actions().first());
  F1(window.ContextMenu());
  EXPECT_EQ(THelpWindow::Current()->Browser()->source(),
            QUrl(QStringLiteral("qrc:/help/library.html#menu")));
}

}  // namespace
