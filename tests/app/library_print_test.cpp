// Printed listings: what is printed, where, and on how many pages; and the failures.
#include "mainwindow_fixture.h"
#include "recordingprinter.h"

namespace {

class TPrintTest : public TMainWindowTest {
 protected:
  const TPrintedJob& Last() const { return *printer_.Last(); }
  TRecordingPrinter printer_;
};

TEST_F(TPrintTest, ListingsPrintMaskedElementsPrintSelectedDoesNotAndDetailedRowsAddThePlace) {
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
  EXPECT_EQ(
      std::tuple(Last().Texts().contains("User : 12"), Last().Texts().contains("Loc : Set.Lib")),
      std::tuple(true, false));
  // Detailed rows add the place of the element.
  ASSERT_TRUE(PrintElements({&patch}, true));
  EXPECT_TRUE(Last().Texts().contains("Loc : Set.Lib"));
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
