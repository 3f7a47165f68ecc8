// The search window: opened from a library window in both modes, its controls, the result rows,
// and the results printed and saved as text.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/formsearch.h"
#include "app/printing.h"
#include "library_fixture.h"
#include "midi/config.h"
#include "model/bank.h"
#include "model/search.h"
#include "recordingprinter.h"

namespace {
class TSearchWindowTest : public TLibraryWindowTest {
 protected:
  void TearDown() override {
    Config().DataCard = false;
    TLibraryWindowTest::TearDown();
  }
  // The library window's button opens the window modally; check runs on it, then it closes.
  void OpenFrom(TFormLibrary& window, bool duplicates,
                const std::function<void(TFormSearch&)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<TFormSearch*>(QApplication::activeModalWidget());
      if (form) {
        seen = true;
        check(*form);
        form->CloseButton()->click();
      }
    });
    window.SearchClick(duplicates);
    EXPECT_TRUE(seen);
  }
  static TBank& Bank(TLibrary& library, int index) {
    return dynamic_cast<TBank&>(library.Element(index));
  }
};
}  // namespace

TEST_F(TSearchWindowTest, LibraryButtonsOpenTheWindowInEachMode) {
  TFormLibrary& window = Open({ekPatch});
  OpenFrom(window, false, [](TFormSearch& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Search Items"));
    EXPECT_EQ(form.HelpContext(), 29);
    EXPECT_TRUE(form.SearchString()->isVisible());
    EXPECT_TRUE(form.CaseSens()->isVisible());
    EXPECT_FALSE(form.DebCaseSens()->isVisible());
    EXPECT_TRUE(form.SearchString()->text().isEmpty());
    EXPECT_EQ(form.Gauge()->value(), 0);
  });
  OpenFrom(window, true, [](TFormSearch& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Find Duplicate Items"));
    EXPECT_EQ(form.HelpContext(), 30);
    EXPECT_FALSE(form.SearchString()->isVisible());
    EXPECT_FALSE(form.Date()->isVisible());
    EXPECT_TRUE(form.DebCaseSens()->isVisible());
    EXPECT_TRUE(form.SelectedDebug()->isVisible());
    EXPECT_TRUE(form.SameSound()->isVisible());
    EXPECT_TRUE(form.Patch()->isVisible());
    EXPECT_TRUE(form.SearchButton()->isVisible());
  });
}

TEST_F(TSearchWindowTest, DateAndTimeBoxesEnableTheirEditsAndStartUnchecked) {
  TFormLibrary& window = Open({ekPatch});
  TFormSearch form(*window.Library(), false);
  form.show();
  for (QCheckBox* box :
       {form.Patch(), form.Performance(), form.Rhythm(), form.System(), form.Substring()})
    EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
  for (QCheckBox* box : {form.CaseSens(), form.Date(), form.Time(), form.Selected()})
    EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
  EXPECT_FALSE(form.FromDate()->isEnabled());
  EXPECT_FALSE(form.ToTime()->isEnabled());
  form.Date()->click();
  EXPECT_TRUE(form.FromDate()->isEnabled());
  EXPECT_TRUE(form.ToDate()->isEnabled());
  EXPECT_FALSE(form.FromTime()->isEnabled());
  form.Time()->click();
  EXPECT_TRUE(form.FromTime()->isEnabled());
  form.Date()->click();
  EXPECT_FALSE(form.ToDate()->isEnabled());
  EXPECT_TRUE(form.ToTime()->isEnabled());
}

TEST_F(TSearchWindowTest, NothingFoundShowsOneRowSayingSo) {
  TFormLibrary& window = Open({ekPatch});
  SetNames(*window.Library(), {"Piano"});
  TFormSearch form(*window.Library(), false);
  form.show();
  EXPECT_TRUE(form.RowTexts(0).isEmpty());  // before any search
  form.SearchString()->setText(QStringLiteral("Organ"));
  form.SearchButton()->click();
  EXPECT_EQ(form.RowTexts(0), QStringList{QStringLiteral("No Items Found")});
  EXPECT_EQ(form.Gauge()->value(), 100);
  form.SearchString()->setText(QStringLiteral("pian  "));
  form.SearchButton()->click();
  ASSERT_EQ(form.Results().size(), 1u);
  EXPECT_EQ(form.RowTexts(0)[1], QStringLiteral("Piano"));
}

TEST_F(TSearchWindowTest, BankMembersAreRowsWithTheirLocation) {
  auto library = std::make_unique<TLibrary>();
  library->FileName = QStringLiteral("Main.Lib");
  library->NewElement(ekPatchBank);
  library->NewElement(ekPatch);
  TFormLibrary& window = OpenLibrary(std::move(library));
  TLibrary& lib = *window.Library();
  TBank& bank = Bank(lib, 0);
  bank.SetName(QStringLiteral("Bank A"), false);
  for (int i = 0; i < bank.Count(); ++i) bank.Member(i).SetName(QStringLiteral("Pad"), false);
  bank.Member(5).SetName(QStringLiteral("Strings 1"), false);
  bank.Member(9).SetName(QStringLiteral("strings 2"), false);
  lib.Element(1).SetName(QStringLiteral("Strings 3"), false);

  TFormSearch form(lib, false);
  form.show();
  form.SearchString()->setText(QStringLiteral("STRINGS"));
  ASSERT_TRUE(form.Search());
  ASSERT_EQ(form.RowCount(), 3);
  const QStringList first = form.RowTexts(0);
  ASSERT_EQ(first.size(), 4);
  EXPECT_EQ(first[0], QStringLiteral("Patch"));
  EXPECT_EQ(first[1], QStringLiteral("Strings 1"));
  EXPECT_EQ(first[3], QStringLiteral("Bank A"));
  EXPECT_EQ(form.RowTexts(1)[1], QStringLiteral("strings 2"));
  EXPECT_EQ(form.RowTexts(2)[1], QStringLiteral("Strings 3"));

  // Case sensitive, and a bank is not looked into without its kind.
  form.CaseSens()->setChecked(true);
  form.SearchString()->setText(QStringLiteral("Strings"));
  form.Search();
  EXPECT_EQ(form.RowCount(), 2);
  form.SearchString()->clear();
  form.Patch()->setChecked(false);
  form.Search();
  EXPECT_EQ(form.RowTexts(0), QStringList{QStringLiteral("No Items Found")});
}

TEST_F(TSearchWindowTest, DatesAreReadFromTheEditsAndBadOnesStopTheSearch) {
  // Dates are typed as the lists show them: day/month/two-digit year here.
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  double day = 0, time = 0;
  ASSERT_TRUE(TFormSearch::ParseDate(QStringLiteral("01/01/00"), day));
  EXPECT_EQ(day, 36526);
  ASSERT_TRUE(TFormSearch::ParseDate(QStringLiteral("31/12/99"), day));
  EXPECT_EQ(day, 36525);
  EXPECT_FALSE(TFormSearch::ParseDate(QStringLiteral("31/02/20"), day));
  EXPECT_FALSE(TFormSearch::ParseDate(QStringLiteral("  /  /  "), day));
  ASSERT_TRUE(TFormSearch::ParseTime(QStringLiteral("18:00:00"), time));
  EXPECT_DOUBLE_EQ(time, 0.75);
  EXPECT_FALSE(TFormSearch::ParseTime(QStringLiteral("25:00:00"), time));

  TFormLibrary& window = Open({ekPatch, ekPatch});
  TLibrary& lib = *window.Library();
  lib.Element(0).ModifiedDate = 36526;  // 1 January 2000
  lib.Element(1).ModifiedDate = 40000;
  TFormSearch form(lib, false);
  form.show();
  form.Date()->setChecked(true);
  form.FromDate()->setText(QStringLiteral("31/12/99"));
  form.ToDate()->setText(QStringLiteral("02/01/00"));
  ASSERT_TRUE(form.Search());
  ASSERT_EQ(form.Results().size(), 1u);
  EXPECT_EQ(form.Results()[0], &lib.Element(0));

  form.ToDate()->clear();
  EXPECT_FALSE(form.Search());
  QLocale::setDefault(before);
  ASSERT_FALSE(ui_.Questions.empty());
  EXPECT_EQ(ui_.Questions.back().Kind, TMsgKind::Error);
  EXPECT_TRUE(form.Results().empty());
}

TEST_F(TSearchWindowTest, DuplicatesListSameNamesTogetherAndSameSoundFindsRenamedCopies) {
  TFormLibrary& window = Open({ekPatch, ekRhythm, ekPatch, ekPatch, ekPatch});
  TLibrary& lib = *window.Library();
  SetNames(lib, {"Bell ", "Kit", "Organ", "BELL", "bell"});
  TFormSearch form(lib, true);
  form.show();
  ASSERT_TRUE(form.Search());
  ASSERT_EQ(form.Results().size(), 3u);
  for (int row = 0; row < 3; ++row)
    EXPECT_EQ(TSearch::Trimmed(form.RowTexts(row)[1]).toUpper(), QStringLiteral("BELL"));
  form.DebCaseSens()->setChecked(true);
  form.Search();
  EXPECT_EQ(form.RowTexts(0), QStringList{QStringLiteral("No Items Found")});

  // New patches hold the same sound whatever their names.
  form.SameSound()->setChecked(true);
  form.Search();
  EXPECT_EQ(form.Results().size(), 4u);
  form.Patch()->setChecked(false);
  form.Search();
  EXPECT_TRUE(form.Results().empty());
}

TEST_F(TSearchWindowTest, SaveToDiskWritesTheExportLayout) {
  TFormLibrary& window = Open({ekPatch, ekPerformance});
  TLibrary& lib = *window.Library();
  SetNames(lib, {"Piano", "Split"});
  TFormSearch form(lib, false);
  form.show();
  form.Search();
  const QString path = dir_.filePath(QStringLiteral("Result.Txt"));
  ui_.Files.push_back(path);
  form.SaveButton()->click();
  ASSERT_EQ(ui_.FileRequests.size(), 1u);
  const TFileDialogOptions& asked = ui_.FileRequests[0].Options;
  EXPECT_EQ(asked.Title, QStringLiteral("Save as Text"));
  EXPECT_EQ(asked.DefaultExt, QStringLiteral("Txt"));
  EXPECT_EQ(asked.Filter, QStringLiteral("Txt file|*.Txt"));
  EXPECT_EQ(asked.FileName, QStringLiteral("Result.Txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_TRUE(lines[0].startsWith("Patch               Piano               "));
  EXPECT_EQ(lines[0].indexOf("Loc : "), 80);
  EXPECT_TRUE(lines[1].startsWith("Performance         Split               "));
  EXPECT_TRUE(ui_.Questions.empty());

  // A folder cannot be written as a file.
  ui_.Files.push_back(dir_.path());
  form.SaveToDisk();
  EXPECT_EQ(ui_.LastText(), QStringLiteral("Error Saving text file"));
  EXPECT_TRUE(QFileInfo(dir_.path()).isDir());
}

TEST_F(TSearchWindowTest, PrintListsTheResultsInDetail) {
  TRecordingPrinter printer;
  auto library = std::make_unique<TLibrary>();
  library->FileName = QStringLiteral("Main.Lib");
  library->NewElement(ekPatchBank);
  TFormLibrary& window = OpenLibrary(std::move(library));
  TBank& bank = Bank(*window.Library(), 0);
  bank.SetName(QStringLiteral("Bank A"), false);
  bank.Member(3).SetName(QStringLiteral("Choir"), false);
  TFormSearch form(*window.Library(), false);
  form.show();
  form.SearchString()->setText(QStringLiteral("choir"));
  form.Search();
  form.PrintButton()->click();
  ASSERT_NE(printer.Last(), nullptr);
  const QStringList texts = printer.Last()->Texts();
  EXPECT_TRUE(texts.contains(QStringLiteral("Choir")));
  EXPECT_TRUE(texts.filter(QStringLiteral("Loc : ")).size() == 1) << texts.join(u'|').toStdString();
  EXPECT_TRUE(texts.filter(QStringLiteral("Bank A")).size() == 1);
  EXPECT_EQ(texts.back(), QStringLiteral("Page Nº 1"));
}
