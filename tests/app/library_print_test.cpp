// Printed listings: what is printed, where, and on how many pages; and the failures.
#include "librarian/printing.h"
#include "mainwindow_fixture.h"
#include "recordingprinter.h"

namespace {

class TPrintTest : public TMainWindowTest {
 protected:
  const TPrintedJob& Last() const { return *printer_.Last(); }
  TRecordingPrinter printer_;
};

TEST_F(TPrintTest, ListingsPrintMaskedElementsPrintSelectedDoesNotAndColumnsStandInPlace) {
  TFormLibrary& window = Open({ekPatch, ekPerformance, ekRhythm}, QStringLiteral("Set.Lib"));
  SetNames(*window.Library(), {"Piano", "Split", "Kit"});
  for (auto& element : window.Library()->Elements) element->Selected = true;
  window.SetMasked(ekPerformance, true);
  ASSERT_TRUE(PrintLibrary(*window.Library()));
  QStringList texts = Last().Texts();
  ASSERT_FALSE(texts.isEmpty());
  EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Library Set.Lib                Printed ")))
      << texts[0].toStdString();
  EXPECT_EQ(std::tuple(texts.contains("Split"), texts.back()),
            std::tuple(true, QStringLiteral("Page Nº 1")));  // masked ones too
  window.PrintSelected();
  texts = Last().Texts();
  // No title box.
  EXPECT_EQ(std::tuple(texts.contains("Piano"), texts.contains("Kit"), texts.contains("Split"),
                       texts[0].startsWith("Library ")),
            std::tuple(true, true, false, false));

  TLibElem& patch = window.Library()->Element(0);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 12;
  patch.SetName(QStringLiteral("Brass"), false);
  ASSERT_TRUE(PrintElements({&patch}, false));
  // Plain rows: four columns of W div 4, W = 1000 - 60.
  const int c = 940 / 4;
  std::map<QString, double> x;
  for (const TPrinted& printed : Last().Printed) x[printed.Text] = printed.At.x();
  EXPECT_EQ(std::tuple(x["Patch"], x["Brass"], x["User : 12"]), std::tuple(40, c + 40, 2 * c + 40));
  std::vector<double> verticals;
  for (const QLineF& line : Last().Lines)
    if (line.x1() == line.x2()) verticals.push_back(line.x1());
  EXPECT_EQ(verticals, (std::vector<double>{30, 30 + c, 30 + 2 * c, 30 + 3 * c, 940 - 30}));
  // Detailed rows add the place of the element after a shifted date column.
  ASSERT_TRUE(PrintElements({&patch}, true));
  x.clear();
  for (const TPrinted& printed : Last().Printed) x[printed.Text] = printed.At.x();
  ASSERT_EQ(x.count(QStringLiteral("Loc : Set.Lib")), 1u);
  EXPECT_EQ(x[QStringLiteral("Loc : Set.Lib")], 4 * (940 / 5) + 40 - (940 / 5) / 3);
}

TEST_F(TPrintTest, LongListingsBreakPagesWithNumberedFootersAndAFailedPageEndsTheJob) {
  TFormLibrary& window = Open({ekPatchBank});  // a title and 128 rows
  ASSERT_TRUE(PrintLibrary(*window.Library()));
  QStringList footers;
  for (const TPrinted& printed : Last().Printed) {
    if (printed.Text.startsWith(QStringLiteral("Page Nº ")))
      footers << printed.Text;
    else
      EXPECT_LT(printed.At.y(), 1400 - 70);  // every row stays above the footer
  }
  ASSERT_GT(footers.size(), 2);
  EXPECT_EQ(Last().Printed.back().Page, footers.size());
  for (int i = 0; i < footers.size(); ++i)
    EXPECT_EQ(footers[i], QStringLiteral("Page Nº %1").arg(i + 1));

  printer_.FailNewPage = true;
  EXPECT_FALSE(PrintLibrary(*window.Library()));
  EXPECT_EQ(std::tuple(ui_.LastText(), Last().Page),
            std::tuple(QStringLiteral("Printer Error"), 2));  // no page after the failed one
  // A printer that cannot start prints nothing and says so.
  printer_.FailBegin = true;
  ui_.Questions.clear();
  EXPECT_FALSE(PrintLibrary(*window.Library()));
  EXPECT_EQ(std::tuple(ui_.Questions.size(), Last().Printed.size()), std::tuple(1u, 0u));
}

}  // namespace
