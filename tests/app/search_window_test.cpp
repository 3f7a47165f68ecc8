// The search window: opened from a library window in both modes and keeping its choices, its
// controls, the result rows and the keys on them, dates typed as the lists show them, and the
// results printed and saved as text.

#include "librarian/formsearch.h"
#include "librarian/libraryrow.h"
#include "mainwindow_fixture.h"
#include "model/search.h"
#include "recordingprinter.h"

namespace {

class TSearchWindowTest : public TMainWindowTest {
 protected:
  void TearDown() override {
    QLocale::setDefault(locale_);
    TMainWindowTest::TearDown();
  }
  // The library window's button opens the window modally; check runs on it, then it closes.
  static void OpenFrom(TFormLibrary& window, bool duplicates,
                       const std::function<void(TFormSearch&)>& check) {
    WhenShown<TFormSearch>([check](TFormSearch& form) {
      check(form);
      form.CloseButton()->click();
    });
    window.SearchClick(duplicates);
  }
  // The library of a window holding a patch bank "Bank A" whose members are named by name(i).
  TLibrary& BankLibrary(const std::function<QString(int)>& name) {
    TLibrary& library = *Open({ekPatchBank}, QStringLiteral("Main.Lib")).Library();
    library.Element(0).SetName(QStringLiteral("Bank A"), false);
    for (int i = 0; i < Bank(library).Count(); ++i) Bank(library).Member(i).SetName(name(i), false);
    return library;
  }
  static TBank& Bank(TLibrary& library) { return dynamic_cast<TBank&>(library.Element(0)); }

  QLocale locale_;
};

TEST_F(TSearchWindowTest, OpensInEachModeKeepsItsChoicesAndItsHelpFollowsTheMode) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  TFormLibrary& window = Open({ekPatch});
  TFormSearch* first = nullptr;
  OpenFrom(window, false, [&first](TFormSearch& form) {
    first = &form;
    form.SearchString()->setText(QStringLiteral("Pad"));
    form.Date()->setChecked(true);
    form.FromDate()->setText(QStringLiteral("01/02/03"));
    form.Patch()->setChecked(false);
    form.Substring()->setChecked(false);
  });
  OpenFrom(window, true, [](TFormSearch& form) {
    EXPECT_EQ(std::tuple(form.Duplicates(), form.SearchString()->isVisible(),
                         form.DebCaseSens()->isVisible(), form.SelectedDebug()->isVisible()),
              std::tuple(true, false, true, true));
    // F1 in it opens the page of its mode.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(form.SearchString(), &f1);
    ASSERT_NE(THelpWindow::Current(), nullptr);
    EXPECT_EQ(THelpWindow::Current()->Browser()->source(),
              QUrl("qrc:/help/search.html#duplicates"));
  });
  // Search again: the same window, the choices still there, the name empty.
  OpenFrom(window, false, [&first](TFormSearch& form) {
    EXPECT_EQ(&form, first);
    EXPECT_EQ(std::tuple(form.SearchString()->text(), form.Date()->isChecked(),
                         form.FromDate()->text(), form.Patch()->isChecked()),
              std::tuple(QString(), true, QStringLiteral("01/02/03"), false));
  });
  delete THelpWindow::Current();
}

TEST_F(TSearchWindowTest, BoxesStartAsTheyShouldAndRowsSayWhatWasFoundAndWhere) {
  TLibrary& lib = BankLibrary([](int) { return QStringLiteral("Pad"); });
  TBank& bank = Bank(lib);
  bank.Member(5).SetName(QStringLiteral("Strings 1"), false);
  bank.Member(9).SetName(QStringLiteral("strings 2"), false);
  lib.NewElement(ekPatch).SetName(QStringLiteral("Strings 3"), false);
  lib.NewElement(ekPatch).SetName(QStringLiteral("Piano"), false);
  TFormSearch form(lib, false);
  form.show();
  // The time box enables the time edits alone.
  form.Time()->click();
  EXPECT_EQ(std::tuple(form.ToDate()->isEnabled(), form.FromTime()->isEnabled(),
                       form.ToTime()->isEnabled()),
            std::tuple(false, true, true));
  form.Time()->click();

  EXPECT_TRUE(form.RowTexts(0).isEmpty());  // before any search
  form.SearchString()->setText(QStringLiteral("Organ"));
  form.SearchButton()->click();
  EXPECT_EQ(std::tuple(form.RowTexts(0), form.Gauge()->value()),
            std::tuple(QStringList{QStringLiteral("No Items Found")}, 100));
  // Bank members are rows with their bank.
  form.SearchString()->setText(QStringLiteral("STRINGS"));
  ASSERT_TRUE(form.Search());
  ASSERT_EQ(form.RowCount(), 3);
  const QStringList row = form.RowTexts(0);
  ASSERT_EQ(row.size(), 4);
  EXPECT_EQ(QStringList({row[0], row[1], row[3]}), QStringList({"Patch", "Strings 1", "Bank A"}));
  // Case sensitive, and a bank is not looked into without its kind.
  form.CaseSens()->setChecked(true);
  form.SearchString()->setText(QStringLiteral("Strings"));
  form.Search();
  EXPECT_EQ(form.RowCount(), 2);
}

TEST_F(TSearchWindowTest, EnterInTheNameRunsTheSearchAndKeysWalkTheResults) {
  TFormSearch form(BankLibrary([](int i) { return QStringLiteral("Pad %1").arg(i); }), false);
  form.show();
  QTest::keyClicks(form.SearchString(), QStringLiteral("pad 1"));
  QTest::keyClick(form.SearchString(), Qt::Key_Return);
  // Pad 1, Pad 10 to Pad 19, Pad 100 to Pad 127.
  ASSERT_EQ(form.Results().size(), 1u + 10u + 28u);
  auto* grid = form.findChild<TRowGrid*>();
  ASSERT_NE(grid, nullptr);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->CurrentRow(), 0);
  QTest::keyClick(grid, Qt::Key_End);
  EXPECT_EQ(std::tuple(grid->CurrentRow(), grid->TopRow() + grid->VisibleRows()),
            std::tuple(38, 39));
  // A new search starts at the top with no row marked.
  form.SearchButton()->click();
  EXPECT_EQ(std::tuple(grid->CurrentRow(), grid->TopRow()), std::tuple(-1, 0));
}

TEST_F(TSearchWindowTest, DatesAreTypedAsTheListsShowThemAndBadOnesStopTheSearch) {
  const struct {
    QLocale Locale;
    const char* Typed;
    QDate Meant;  // invalid: refused
  } cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), "12/09/25", QDate(2025, 12, 9)},
      {QLocale(QLocale::English, QLocale::UnitedKingdom), "12/09/2025", QDate(2025, 9, 12)},
      {QLocale(QLocale::German, QLocale::Germany), "12.09.25", QDate(2025, 9, 12)},
      {QLocale(QLocale::English, QLocale::UnitedStates), "2/29/00", QDate(2000, 2, 29)},
      {QLocale(QLocale::Italian, QLocale::Italy), "31/12/99", QDate(1999, 12, 31)},
      {QLocale(QLocale::Italian, QLocale::Italy), "31/02/20", QDate()},
      {QLocale(QLocale::Italian, QLocale::Italy), "  /  /  ", QDate()},
  };
  TFormLibrary& window = Open({ekPatch, ekPatch});
  TLibrary& library = *window.Library();
  const QDate dayZero(1899, 12, 30);
  TFormSearch form(library, false);
  form.Date()->setChecked(true);
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Typed);
    QLocale::setDefault(test.Locale);
    double day = 0;
    ASSERT_EQ(TFormSearch::ParseDate(QString::fromLatin1(test.Typed), day), test.Meant.isValid());
    if (!test.Meant.isValid()) continue;
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
    ASSERT_EQ(form.Results(), std::vector<TLibElem*>{&library.Element(0)}) << shown.toStdString();
    form.hide();
  }
  double time = 0;
  ASSERT_TRUE(TFormSearch::ParseTime(QStringLiteral("18:00:00"), time));
  EXPECT_DOUBLE_EQ(time, 0.75);
  EXPECT_FALSE(TFormSearch::ParseTime(QStringLiteral("25:00:00"), time));
  // A range with a bad end stops the search with an error and no results.
  form.show();
  form.FromDate()->setText(QStringLiteral("31/12/99"));
  form.ToDate()->clear();
  EXPECT_FALSE(form.Search());
  EXPECT_EQ(std::tuple(ui_.LastText(), form.Results().size()),
            std::tuple(QStringLiteral("'//' is not a valid date"), 0u));
}

// The search itself is the model's; the window hands it its boxes and lists what it found.
TEST_F(TSearchWindowTest, DuplicatesListSameNamesTogetherAndTheBoxesReachTheSearch) {
  TFormLibrary& window = Open({ekPatch, ekRhythm, ekPatch, ekPatch, ekPatch});
  SetNames(*window.Library(), {"Bell ", "Kit", "Organ", "BELL", "bell"});
  TFormSearch form(*window.Library(), true);
  form.show();
  ASSERT_TRUE(form.Search());
  ASSERT_EQ(form.Results().size(), 3u);
  EXPECT_EQ(form.RowTexts(2)[1], QStringLiteral("bell"));
  form.SameSound()->click();  // the four new patches sound the same
  form.Search();
  EXPECT_EQ(form.Results().size(), 4u);
}

TEST_F(TSearchWindowTest, ResultsAreSavedInTheExportLayoutAndPrintedInDetail) {
  TRecordingPrinter printer;
  TLibrary& lib = BankLibrary([](int i) { return i == 3 ? QStringLiteral("Choir") : QString(); });
  lib.NewElement(ekPatch).SetName(QStringLiteral("Piano"), false);
  lib.NewElement(ekPerformance).SetName(QStringLiteral("Split"), false);
  TFormSearch form(lib, false);
  form.show();
  form.SearchString()->setText(QStringLiteral("choir"));
  form.Search();
  form.PrintButton()->click();
  ASSERT_NE(printer.Last(), nullptr);
  const QStringList texts = printer.Last()->Texts();
  EXPECT_EQ(std::tuple(texts.contains("Choir"), texts.filter("Loc : ").size()), std::tuple(true, 1))
      << texts.join(u'|').toStdString();

  form.SearchString()->setText(QStringLiteral("i"));
  form.Patch()->setChecked(false);
  form.Search();
  const QString path = dir_.filePath(QStringLiteral("Result.Txt"));
  ui_.Files.push_back(path);
  form.SaveButton()->click();
  ASSERT_EQ(ui_.FileRequests.size(), 1u);
  EXPECT_EQ(ui_.FileRequests[0].Options.DefaultExt, QStringLiteral("Txt"));
  const QList<QByteArray> lines = ReadFile(path).split('\n');
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].isEmpty());
  EXPECT_TRUE(lines[0].startsWith("Performance         Split               "));
  EXPECT_EQ(lines[0].indexOf("Loc : "), 80);
  // A folder cannot be written as a file.
  ui_.Files.push_back(dir_.path());
  form.SaveToDisk();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("Error Saving text file"));
}

}  // namespace
