// Printed listings: what is printed, where, and on how many pages; and the failures.
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "app/printing.h"
#include "library_fixture.h"
#include "model/patchbank.h"
#include "recordingprinter.h"

namespace {
class TPrintTest : public TLibraryWindowTest {
 protected:
  TRecordingOutput* Last() const { return printer_.Last(); }
  TRecordingPrinter printer_;
};
}  // namespace

TEST_F(TPrintTest, ListingPrintsMaskedElementsAndPrintSelectedDoesNot) {
  TFormLibrary& window = Open({ekPatch, ekPerformance, ekRhythm}, QStringLiteral("Set.Lib"));
  SetNames(*window.Library(), {"Piano", "Split", "Kit"});
  for (auto& element : window.Library()->Elements) element->Selected = true;
  window.SetMasked(ekPerformance, true);

  ASSERT_TRUE(PrintLibrary(*window.Library()));
  QStringList texts = Last()->Texts();
  ASSERT_FALSE(texts.isEmpty());
  EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Library Set.Lib                Printed ")))
      << texts[0].toStdString();
  for (const char* name : {"Piano", "Split", "Kit"})
    EXPECT_TRUE(texts.contains(QString::fromLatin1(name))) << name;
  EXPECT_EQ(texts.back(), QStringLiteral("Page Nº 1"));

  window.PrintSelected();
  texts = Last()->Texts();
  EXPECT_TRUE(texts.contains(QStringLiteral("Piano")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Kit")));
  EXPECT_FALSE(texts.contains(QStringLiteral("Split")));
  EXPECT_FALSE(texts[0].startsWith(QStringLiteral("Library ")));  // no title box
}

TEST_F(TPrintTest, RowColumnsStandWhereTheLayoutPutsThem) {
  TFormLibrary& window = Open({ekPatch});
  TLibElem& patch = window.Library()->Element(0);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 12;
  patch.SetName(QStringLiteral("Brass"), false);
  ASSERT_TRUE(PrintElements({&patch}, false));
  // Plain rows: four columns of W div 4, W = 1000 - 60.
  const int c = 940 / 4;
  std::map<QString, double> x;
  for (const TPrinted& printed : Last()->Engine().Texts) x[printed.Text] = printed.At.x();
  EXPECT_EQ(x[QStringLiteral("Patch")], 40);
  EXPECT_EQ(x[QStringLiteral("Brass")], c + 40);
  EXPECT_EQ(x[QStringLiteral("User : 12")], 2 * c + 40);
  std::vector<double> verticals;
  for (const QLineF& line : Last()->Engine().Lines)
    if (line.x1() == line.x2()) verticals.push_back(line.x1());
  EXPECT_EQ(verticals, (std::vector<double>{30, 30 + c, 30 + 2 * c, 30 + 3 * c, 940 - 30}));

  // Detailed rows add the place of the element after a shifted date column.
  ASSERT_TRUE(PrintElements({&patch}, true));
  const int cd = 940 / 5;
  const int s = cd / 3;
  bool located = false;
  for (const TPrinted& printed : Last()->Engine().Texts)
    if (printed.Text == QStringLiteral("Loc : Untitled.Lib")) {
      located = true;
      EXPECT_EQ(printed.At.x(), 4 * cd + 40 - s);
    }
  EXPECT_TRUE(located);
}

TEST_F(TPrintTest, LongListingsBreakPagesWithNumberedFooters) {
  auto library = std::make_unique<TLibrary>();
  library->NewElement(ekPatchBank);  // a title and 128 rows
  TFormLibrary& window = OpenLibrary(std::move(library));
  ASSERT_TRUE(PrintLibrary(*window.Library()));
  QStringList footers;
  int lastPage = 0;
  for (const TPrinted& printed : Last()->Engine().Texts) {
    if (printed.Text.startsWith(QStringLiteral("Page Nº "))) footers << printed.Text;
    lastPage = printed.Page;
  }
  ASSERT_GT(footers.size(), 2);
  EXPECT_EQ(lastPage, footers.size());
  for (int i = 0; i < footers.size(); ++i)
    EXPECT_EQ(footers[i], QStringLiteral("Page Nº %1").arg(i + 1));
  // Every row stays above the footer.
  for (const TPrinted& printed : Last()->Engine().Texts) {
    if (!printed.Text.startsWith(QStringLiteral("Page"))) {
      EXPECT_LT(printed.At.y(), 1400 - 70);
    }
  }
  EXPECT_TRUE(Last()->Texts().first().startsWith(QStringLiteral("Library ")));
  EXPECT_TRUE(Last()->Texts()[1].startsWith(QStringLiteral("Patch Bank")));
}

TEST_F(TPrintTest, APrinterFailureIsReportedAndEndsTheJob) {
  printer_.FailNewPage = true;
  auto library = std::make_unique<TLibrary>();
  library->NewElement(ekPatchBank);
  TFormLibrary& window = OpenLibrary(std::move(library));
  EXPECT_FALSE(PrintLibrary(*window.Library()));
  EXPECT_EQ(ui_.LastText(), QStringLiteral("Printer Error"));
  EXPECT_EQ(ui_.Questions.back().Kind, TMsgKind::Error);
  EXPECT_EQ(Last()->Engine().Page, 2);  // no page after the failed one
}

TEST(PrinterOutput, PrintsAListingIntoAPdfFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("listing.pdf"));
  struct TPdf : TPrintOutput {
    QPrinter printer{QPrinter::HighResolution};
    QPaintDevice& Device() override { return printer; }
    bool NewPage() override { return printer.newPage(); }
  };
  auto previous = SetPrintOutputFactory([&path] {
    auto pdf = std::make_unique<TPdf>();
    pdf->printer.setOutputFormat(QPrinter::PdfFormat);
    pdf->printer.setOutputFileName(path);
    return std::unique_ptr<TPrintOutput>(std::move(pdf));
  });
  TScopedScriptedUI ui;
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekPatchBank);
  EXPECT_TRUE(PrintLibrary(library));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray pdf = file.readAll();
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_GE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type/Page"), 1);
  EXPECT_TRUE(ui.Questions.empty());

  // A printer that cannot start its job is a printer error.
  SetPrintOutputFactory([] {
    auto pdf = std::make_unique<TPdf>();
    pdf->printer.setOutputFormat(QPrinter::PdfFormat);
    pdf->printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x/listing.pdf"));
    return std::unique_ptr<TPrintOutput>(std::move(pdf));
  });
  EXPECT_FALSE(PrintLibrary(library));
  EXPECT_EQ(ui.LastText(), QStringLiteral("Printer Error"));
  SetPrintOutputFactory(previous);
}
