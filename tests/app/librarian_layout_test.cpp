// Where the librarian windows put things: whole rows in the grids, larger windows showing more,
// the context menu and the Copy/Move pop-up at their offsets, and the search window's dates and
// state.
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/formbank.h"
#include "app/formbankgrid.h"
#include "app/formsearch.h"
#include "app/libraryrow.h"
#include "library_fixture.h"
#include "model/bank.h"

namespace {

class TLibrarianLayoutTest : public TLibraryWindowTest {
 protected:
  void SetUp() override {
    TLibraryWindowTest::SetUp();
    RegisterBankWindows();
  }
  void TearDown() override {
    QLocale::setDefault(locale_);
    TLibraryWindowTest::TearDown();
  }
  static QHeaderView* Header(QWidget& window) {
    return window.findChild<QHeaderView*>(QStringLiteral("Header"));
  }
  // The rows a grid was given room for: its height less its frame.
  static int SizedRows(const TRowGrid& grid) { return (grid.height() - 2) / TRowGrid::kRowHeight; }

  QLocale locale_;
};

TEST_F(TLibrarianLayoutTest, TheLastElementShowsInTheBottomRowOfAGridOfWholeRows) {
  TFormLibrary& window =
      Open({ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch, ekPatch});
  for (const int height : {240, 250, 262, 280}) {
    SCOPED_TRACE(height);
    window.Frame()->resize(window.Frame()->width(), height);
    const int rows = SizedRows(*window.Grid());
    ASSERT_LT(rows, 9);
    // Every row the grid was sized for shows, and the viewport holds nothing more.
    EXPECT_EQ(window.Grid()->viewport()->height(), rows * TRowGrid::kRowHeight);
    window.PosizionaOtt();
    EXPECT_EQ(window.Grid()->TopRow(), 9 - rows);
  }
}

TEST_F(TLibrarianLayoutTest, LargerLibraryAndBankWindowsShowMoreRowsAndWiderColumns) {
  TFormLibrary& window = Open({ekPatchBank, ekRhythmBank});
  QWidget* frame = window.Frame();
  const QSize least = frame->size();
  const int gridWidth = window.Grid()->width();
  const int rows = window.Grid()->VisibleRows();
  auto* newPatch = window.NewButton(ekPatch);
  const int newX = newPatch->mapTo(&window, QPoint(0, 0)).x();
  frame->resize(least + QSize(200, 90));
  EXPECT_EQ(window.Grid()->width(), gridWidth + 200);
  EXPECT_EQ(window.Grid()->VisibleRows(), rows + 5);
  EXPECT_EQ(Header(window)->sectionSize(1), 110 + 100);  // name
  EXPECT_GE(Header(window)->sectionSize(3), 90 + 100);   // date
  EXPECT_EQ(newPatch->mapTo(&window, QPoint(0, 0)).x(), newX + 200);  // buttons keep the right
  // Maximised, it fills the frame.
  qobject_cast<QMdiSubWindow*>(frame)->showMaximized();
  EXPECT_GT(window.Grid()->width(), gridWidth + 200);
  frame->showNormal();
  // Never smaller than the panel.
  frame->resize(100, 100);
  EXPECT_EQ(window.width(), TFormLibrary::kPanelWidth);

  // A bank window grows both ways; a rhythm bank only sideways.
  window.Library()->Element(0).OpenEditor();
  auto* bank = qobject_cast<TFormBank*>(window.Library()->Element(0).Editor);
  ASSERT_NE(bank, nullptr);
  const int nameWidth = Header(*bank)->sectionSize(1);
  const int bankRows = bank->Grid()->VisibleRows();
  bank->Frame()->resize(bank->Frame()->size() + QSize(100, 36));
  EXPECT_EQ(Header(*bank)->sectionSize(1), nameWidth + 50);
  EXPECT_EQ(bank->Grid()->VisibleRows(), bankRows + 2);
  window.Library()->Element(1).OpenEditor();
  auto* rhythms = qobject_cast<TFormBank*>(window.Library()->Element(1).Editor);
  ASSERT_NE(rhythms, nullptr);
  const int rhythmHeight = rhythms->height();
  rhythms->Frame()->resize(rhythms->Frame()->size() + QSize(60, 60));
  EXPECT_EQ(rhythms->height(), rhythmHeight);
  EXPECT_EQ(Header(*rhythms)->sectionSize(1), nameWidth + 30);
}

TEST_F(TLibrarianLayoutTest, ABankOpenedFromAMaximisedLibraryOpensAtItsOwnSizeOverIt) {
  TFormLibrary& window = Open({ekPatchBank});
  auto* library = qobject_cast<QMdiSubWindow*>(window.Frame());
  library->showMaximized();
  window.Library()->Element(0).OpenEditor();
  auto* bank = qobject_cast<TFormBank*>(window.Library()->Element(0).Editor);
  ASSERT_NE(bank, nullptr);
  auto* frame = qobject_cast<QMdiSubWindow*>(bank->Frame());
  QApplication::processEvents();
  EXPECT_TRUE(library->isMaximized());
  EXPECT_FALSE(frame->isMaximized());
  // Its list shows the rows it was made for, not the two a collapsed window keeps.
  EXPECT_GE(bank->Grid()->VisibleRows(), 16);
  EXPECT_EQ(frame->mdiArea()->activeSubWindow(), frame);
}

TEST_F(TLibrarianLayoutTest, MenusAndPopUpsOpenAtTheirOffsetsFromTheClick) {
  TFormLibrary& window = Open({ekPatchBank, ekPatch});
  window.Frame()->move(0, 0);
  // The library's menu: the grid's point taken in the window, 15 right and 60 down.
  const QPoint click(40, 18 + 5);
  QTest::mouseClick(window.Grid()->viewport(), Qt::RightButton, {}, click);
  ASSERT_TRUE(window.ContextMenu()->isVisible());
  EXPECT_EQ(window.ContextMenu()->pos(), window.mapToGlobal(click) + QPoint(15, 60));
  window.ContextMenu()->close();

  // A patch dropped on a bank: the pop-up opens 40 pixels above the drop point.
  window.Library()->Element(0).OpenEditor();
  auto* bank = qobject_cast<TFormBank*>(window.Library()->Element(0).Editor);
  ASSERT_NE(bank, nullptr);
  QWidget* viewport = bank->Grid()->viewport();
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
  EXPECT_EQ(bank->Grid()->LastDrop(), drop);
  ASSERT_TRUE(bank->DragOverGrid(&source, bank->Grid()->RowAt(drop.y())));
  source.EndDrag(viewport, bank->Grid()->LastDrop());
  auto* popup = main_->findChild<QMenu*>(QStringLiteral("PopupCopyMove"));
  ASSERT_TRUE(popup && popup->isVisible());
  EXPECT_EQ(popup->pos(), viewport->mapToGlobal(drop) - QPoint(0, 40));
  popup->close();
}

TEST_F(TLibrarianLayoutTest, SearchDatesAreTypedAsTheListsShowThem) {
  struct TCase {
    QLocale Locale;
    const char* Typed;
    QDate Meant;
  };
  const TCase cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), "12/09/25", QDate(2025, 12, 9)},
      {QLocale(QLocale::English, QLocale::UnitedKingdom), "12/09/2025", QDate(2025, 9, 12)},
      {QLocale(QLocale::German, QLocale::Germany), "12.09.25", QDate(2025, 9, 12)},
      {QLocale(QLocale::English, QLocale::UnitedStates), "2/29/00", QDate(2000, 2, 29)},
      {QLocale(QLocale::English, QLocale::UnitedStates), "1/1/99", QDate(1999, 1, 1)},
  };
  TFormLibrary& window = Open({ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  const QDate dayZero(1899, 12, 30);
  TFormSearch form(library, false);
  form.Date()->setChecked(true);
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Typed);
    QLocale::setDefault(test.Locale);
    double day = 0;
    ASSERT_TRUE(TFormSearch::ParseDate(QString::fromLatin1(test.Typed), day));
    EXPECT_EQ(day, dayZero.daysTo(test.Meant));

    // The date as the list shows it, typed into both edits, finds that element alone.
    library.Element(0).ModifiedDate = static_cast<double>(dayZero.daysTo(test.Meant));
    library.Element(1).ModifiedDate = library.Element(0).ModifiedDate + 1;
    const QString shown = ModifiedText(library.Element(0)).section(QStringLiteral("  "), 0, 0);
    form.show();
    for (QLineEdit* edit : {form.FromDate(), form.ToDate()}) {
      edit->clear();
      edit->setFocus();
      edit->home(false);
      QTest::keyClicks(edit, shown);
    }
    ASSERT_TRUE(form.Search()) << shown.toStdString();
    ASSERT_EQ(form.Results().size(), 1u) << shown.toStdString();
    EXPECT_EQ(form.Results()[0], &library.Element(0));
    // The whole date and time fit their column.
    const int room = Header(form)->sectionSize(2) - 5;
    EXPECT_LE(form.findChild<TRowGrid*>()->viewport()->fontMetrics().horizontalAdvance(
                  form.RowTexts(0)[2]),
              room);
    form.hide();
  }
}

TEST_F(TLibrarianLayoutTest, TheSearchWindowKeepsItsChoicesFromOneOpeningToTheNext) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  TFormLibrary& window = Open({ekPatch});
  auto once = [&window](const std::function<void(TFormSearch&)>& check, bool duplicates) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<TFormSearch*>(QApplication::activeModalWidget());
      if (!form) return;
      seen = true;
      check(*form);
      form->CloseButton()->click();
    });
    window.SearchClick(duplicates);
    EXPECT_TRUE(seen);
  };
  TFormSearch* first = nullptr;
  once(
      [&first](TFormSearch& form) {
        first = &form;
        form.SearchString()->setText(QStringLiteral("Pad"));
        form.Date()->setChecked(true);
        form.FromDate()->setText(QStringLiteral("01/02/03"));
        form.Patch()->setChecked(false);
        form.Substring()->setChecked(false);
      },
      false);
  // Find Duplicate on the same window, then Search again: the choices are still there.
  once([](TFormSearch& form) { EXPECT_TRUE(form.Duplicates()); }, true);
  once(
      [&first](TFormSearch& form) {
        EXPECT_EQ(&form, first);
        EXPECT_FALSE(form.Duplicates());
        EXPECT_TRUE(form.SearchString()->text().isEmpty());  // the name starts empty
        EXPECT_TRUE(form.Date()->isChecked());
        EXPECT_TRUE(form.FromDate()->isEnabled());
        EXPECT_EQ(form.FromDate()->text(), QStringLiteral("01/02/03"));
        EXPECT_FALSE(form.Patch()->isChecked());
        EXPECT_FALSE(form.Substring()->isChecked());
      },
      false);
}

}  // namespace
