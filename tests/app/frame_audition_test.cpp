// The audition gesture (Shift + right button anywhere, release to stop), the preview timer, and
// the manual's pages behind every help context.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/formlibrary.h"
#include "app/formvesta.h"
#include "app/helpwindow.h"
#include "tools/preview.h"
#include "app/vesta.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/transfer.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

class FrameAudition : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    auto backend = std::make_unique<TLoopbackBackend>();
    loop_ = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    RegisterLibraryWindow();
    PreviewChannel = 1;
    form_ = std::make_unique<TFormvesta>(vesta_);
    form_->resize(900, 600);
    form_->show();
    form_->FinishStart();  // ports open, settings read (note 40, velocity 70)
    ASSERT_TRUE(MidiSession().MidiOpen());
    loop_->ClearSent();
  }
  void TearDown() override {
    if (AuditionCursorShown()) StopPreview();
    form_.reset();
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming{};
  }
  QWidget* Background() const { return form_->MdiArea()->viewport(); }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  TVesta vesta_{dir_.filePath("VESTA95.INI")};
  TLoopbackBackend* loop_ = nullptr;
  std::unique_ptr<TFormvesta> form_;
};

TEST_F(FrameAudition, ShiftRightButtonOverTheBackgroundPlaysUntilReleased) {
  QTest::mouseClick(Background(), Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_TRUE(loop_->Sent().empty());  // a plain right click does nothing
  QTest::mousePress(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 100));
  EXPECT_TRUE(AuditionCursorShown());
  EXPECT_EQ(std::vector<TBytes>({{0x90, 40, 70}}), loop_->Sent());
  QTest::mouseRelease(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 100));
  EXPECT_FALSE(AuditionCursorShown());
  EXPECT_EQ(std::vector<TBytes>({{0x90, 40, 70}, {0x80, 40, 0}}), loop_->Sent());

  // Rhythm sets audition on channel 10; the release needs no Shift.
  loop_->ClearSent();
  PreviewChannel = 10;
  QTest::mousePress(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(50, 50));
  QTest::mouseRelease(Background(), Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_EQ(std::vector<TBytes>({{0x99, 40, 70}, {0x89, 40, 0}}), loop_->Sent());

  // With the ports closed only the cursor changes.
  loop_->ClearSent();
  MidiSession().SetMidiOpen(false);
  QTest::mousePress(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 10));
  EXPECT_TRUE(AuditionCursorShown());
  QTest::mouseRelease(Background(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 10));
  EXPECT_FALSE(AuditionCursorShown());
  EXPECT_TRUE(loop_->Sent().empty());
}

TEST_F(FrameAudition, ThePressOnAPatchInALibraryGridIsLeftToTheGrid) {
  form_->FileNewItemClick();
  auto* library = qobject_cast<TFormLibrary*>(form_->ActiveChild());
  ASSERT_NE(nullptr, library);
  library->NewElement(ekPatch);
  QWidget* grid = library->findChild<QWidget*>("DrawGrid");
  ASSERT_NE(nullptr, grid);
  QWidget* target = grid;
  if (auto* area = qobject_cast<QAbstractScrollArea*>(grid)) target = area->viewport();
  loop_->ClearSent();
  // The grid sends the patch first; the note follows on the preview timer.
  QTest::mousePress(target, Qt::RightButton, Qt::ShiftModifier, QPoint(60, 9));
  const std::vector<TBytes> sent = loop_->Sent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(0xF0, sent.front().front());
  for (const TBytes& message : sent) EXPECT_NE(0x90, message.front());
  EXPECT_TRUE(form_->TimerPreview()->isActive());
  EXPECT_TRUE(AuditionCursorShown());
}

TEST_F(FrameAudition, PreviewTimerPlaysTheNoteOnceWhenItFires) {
  ShowAuditionCursor();
  form_->TimerPreview()->start(Timing().PreviewMs);
  EXPECT_TRUE(loop_->Sent().empty());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !loop_->Sent().empty(); }, 2000));
  EXPECT_EQ(std::vector<TBytes>({{0x90, 40, 70}}), loop_->Sent());
  EXPECT_FALSE(form_->TimerPreview()->isActive());
}

TEST(FrameHelp, EveryHelpContextOpensItsOwnPage) {
  struct TCase {
    int Context;
    const char* Page;   // with the anchor of the context's part, if any
    const char* Title;  // of that page
  };
  const TCase cases[] = {
      {1, "index.html", "Vesta Help"},
      {3, "mainwindow.html", "The main window"},
      {6, "mainwindow.html#file", "The main window"},
      {7, "mainwindow.html#file", "The main window"},
      {8, "mainwindow.html#xp", "The main window"},
      {9, "mainwindow.html#xp", "The main window"},
      {10, "mainwindow.html#file", "The main window"},
      {11, "mainwindow.html#file", "The main window"},
      {12, "mainwindow.html#file", "The main window"},
      {13, "mainwindow.html#file", "The main window"},
      {14, "mainwindow.html#print", "The main window"},
      {15, "mainwindow.html#exit", "The main window"},
      {18, "midisettings.html", "MIDI settings"},
      {19, "preview.html", "Auditioning and the preview setup"},
      {23, "expansion.html", "Expansion setup"},
      {24, "names.html#update", "Name lists"},
      {25, "monitor.html", "The MIDI monitor"},
      {26, "keyboard.html", "The keyboard"},
      {27, "preview.html", "Auditioning and the preview setup"},
      {28, "library.html", "Library windows"},
      {29, "search.html", "Search and Find Duplicate"},
      {30, "search.html#duplicates", "Search and Find Duplicate"},
      {31, "common.html", "The common page"},
      {32, "effects.html", "The effects page"},
      {33, "control.html", "The control page"},
      {34, "wave.html", "The wave page"},
      {35, "pitch.html", "The pitch page"},
      {36, "lfo.html", "The LFO pages"},
      {37, "tva.html", "The TVA page"},
      {38, "tvf.html", "The TVF page"},
      {39, "library.html#menu", "Library windows"},
      {40, "properties.html", "Element properties"},
      {42, "patch.html", "The patch window"},
      {43, "performance.html", "The performance editor"},
      {44, "rhythm.html", "The rhythm editor"},
      {45, "system.html", "The system editor"},
      {48, "effects.html#performance", "The effects page"},
      {50, "morph.html", "Patch Morphing"},
      {51, "random.html", "Bank Random"},
      {53, "bank.html", "Bank windows"},
      {54, "global.html", "Global windows"},
      {55, "trash.html", "The trash"},
  };
  THelpWindow help;
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Context);
    const QUrl url(QStringLiteral("qrc:/help/") + QLatin1String(test.Page));
    EXPECT_EQ(THelpWindow::PageFor(test.Context), url.toString());
    QFile page(QStringLiteral(":") + url.path());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    if (url.hasFragment()) {
      EXPECT_TRUE(page.readAll().contains("id=\"" + url.fragment().toLatin1() + "\""));
    }
    help.ShowContext(test.Context);
    EXPECT_EQ(help.Browser()->documentTitle(), QLatin1String(test.Title));
  }
  // A context without a page of its own opens the contents.
  EXPECT_FALSE(THelpWindow::HasPage(99));
  EXPECT_EQ("qrc:/help/index.html", THelpWindow::PageFor(99));
  help.close();
}

}  // namespace
