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

TEST(FrameHelp, EveryHelpContextOpensAPageOfTheManual) {
  for (int context :
       {1, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 25, 28, 32, 39, 40, 48, 55, 99}) {
    const QUrl url(THelpWindow::PageFor(context));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":") + url.path())) << context;
  }
  EXPECT_EQ("qrc:/help/index.html", THelpWindow::PageFor(99));
  THelpWindow help;
  help.ShowContext(55);
  EXPECT_TRUE(help.Browser()->toPlainText().contains("The trash"));
  help.close();
}

}  // namespace
