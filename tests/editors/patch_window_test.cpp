// The patch window: its tone switches, sending what waits when it closes, activation, the drag
// and drop of parts with its acceptance rules and copies, Compare, and a bank member's caption.

#include <QMouseEvent>

#include "editorfixture.h"
#include "editors/patch/patchcopy.h"
#include "model/patchbank.h"

namespace {
class PatchWindow : public TEditorTest {
 protected:
  // A drag from one part to another as the mouse makes it: press, move over the target,
  // release there (the pressed part keeps the mouse meanwhile).
  static void DragPart(QWidget* from, QWidget* to, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(from, Qt::LeftButton, modifiers, QPoint(5, 5));
    const QPoint global = to->mapToGlobal(to->rect().center());
    for (QPoint step : {global - QPoint(30, 30), global}) {
      QMouseEvent move(QEvent::MouseMove, from->mapFromGlobal(step), step, Qt::NoButton,
                       Qt::LeftButton, modifiers);
      QCoreApplication::sendEvent(from, &move);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, from->mapFromGlobal(global), global,
                        Qt::LeftButton, Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(from, &release);
  }
  static void Fill(TTone& tone, std::uint8_t seed) {
    for (int i = 0; i < TTone::kDataSize; ++i) tone.StoreByte(i, (seed + i * 7) & 0x7F);
  }
};
TEST_F(PatchWindow, ClosingAWindowOrTheProgramSendsWhatStillWaitsInOrder) {
  TFormPatch& window = OpenPatch(Patch(0));
  TFormCommon& page = OpenCommon(window);
  Idle(5);
  Taken();
  // Long enough that the edits wait in the queue.
  Timing().MessagePauseMs = 8;
  for (int offset : {0x10, 0x11, 0x12}) page.SendandStore(offset, 5);
  EXPECT_EQ(Sender().Waiting(), 3);
  page.Frame()->close();
  window.Frame()->close();
  Flush();
  SendDataByte(TCommon::kTemporaryBase, 0, 0x13, 5);
  EXPECT_TRUE(form_->close());
  EXPECT_EQ(Sender().Waiting(), 0);
  const std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(AddressOf(sent[i]), 0x03000010u + i);
}

}  // namespace

TEST_F(PatchWindow, ActivationSendsAnotherPatchButNotTheCurrentOne) {
  TFormPatch& first = OpenPatch(Patch(0));
  TFormCommon& page = OpenCommon(first);
  OpenPatch(Patch(1));
  EXPECT_EQ(CurrentPatch, &Patch(1));
  Taken();
  // The first patch's page: the first patch goes to the instrument.
  form_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(page.Frame()));
  std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03000000u);
  EXPECT_EQ(CurrentPatch, &Patch(0));
  // Another window of the same patch: nothing.
  form_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first.Frame()));
  EXPECT_TRUE(Taken().empty());
  // Not while a drag runs.
  ChildFrame().DragInProgress = true;
  form_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Patch(1).Editor->parent()));
  ChildFrame().DragInProgress = false;
  EXPECT_TRUE(Taken().empty());
}

TEST_F(PatchWindow, SelectionFollowsPanelsCtrlAndPlainClicks) {
  TFormPatch& window = OpenPatch(Patch(0));
  QTest::mouseClick(window.TonePanel(2), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(window.Selection().size(), 7u);
  for (TPartButton* part : window.Selection()) EXPECT_EQ(part->Tag(), 2);
  // Ctrl on a part of another panel: that panel's part alone joins.
  QTest::mouseClick(window.Part(QStringLiteral("Wave3")), Qt::LeftButton, Qt::ControlModifier);
  QTest::mouseClick(window.Part(QStringLiteral("Pitch3")), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(window.Selection().size(), 2u);
  // A plain click on a selected part keeps the selection; on another one selects it alone.
  QTest::mouseClick(window.Part(QStringLiteral("Wave3")), Qt::LeftButton);
  EXPECT_EQ(window.Selection().size(), 2u);
  QTest::mouseClick(window.Part(QStringLiteral("Tva1")), Qt::LeftButton);
  ASSERT_EQ(window.Selection().size(), 1u);
  EXPECT_TRUE(window.Part(QStringLiteral("Tva1"))->Selected());
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(window.width() - 3, window.height() - 3));
  EXPECT_TRUE(window.Selection().empty());
  EXPECT_FALSE(ChildFrame().DragInProgress);
}

TEST_F(PatchWindow, DropRulesAndTheCopiesTheyMake) {
  TFormPatch& a = OpenPatch(Patch(0));
  TFormPatch& b = OpenPatch(Patch(1));
  // Side by side: a drop lands on the window under the mouse.
  b.Frame()->move(a.Frame()->geometry().right() + 10, a.Frame()->y());
  Fill(Patch(0).Tones[0], 1);
  Fill(Patch(0).Tones[2], 40);
  const auto tone3 = Patch(0).Tones[2].Image;

  // LFO 1 onto LFO 2 of the same tone, with its depth bytes.
  DragPart(a.Part(QStringLiteral("Lfo11")), a.Part(QStringLiteral("Lfo21")));
  const TTone& t1 = Patch(0).Tones[0];
  for (int i = 0; i < 8; ++i) EXPECT_EQ(t1.GetByte(53 + i), t1.GetByte(45 + i)) << i;
  EXPECT_EQ(t1.GetByte(79), t1.GetByte(78));
  EXPECT_EQ(t1.GetByte(100), t1.GetByte(99));
  EXPECT_EQ(t1.GetByte(118), t1.GetByte(117));
  EXPECT_EQ(t1.GetByte(124), t1.GetByte(123));
  EXPECT_EQ(t1.GetByte(61), (1 + 61 * 7) & 0x7F);  // pitch untouched

  // A part on its own panel is refused; and on itself.
  QTest::mouseClick(a.TonePanel(1), Qt::LeftButton, {}, QPoint(3, 3));
  DragPart(a.Part(QStringLiteral("Wave1")), a.Part(QStringLiteral("Pitch1")));
  EXPECT_FALSE(ChildFrame().DragInProgress);
  EXPECT_EQ(Patch(0).Tones[2].Image, tone3);
  Taken();
  DragPart(a.Part(QStringLiteral("Wave1")), a.Part(QStringLiteral("Wave1")));
  EXPECT_TRUE(Taken().empty());

  // A whole tone onto any part of another tone of another patch: all seven parts.
  QTest::mouseClick(a.TonePanel(3), Qt::LeftButton, {}, QPoint(3, 3));
  DragPart(a.Part(QStringLiteral("Pitch3")), b.Part(QStringLiteral("Control2")));
  EXPECT_EQ(TBytes(Patch(1).Tones[1].Data(), Patch(1).Tones[1].Data() + 129),
            TBytes(Patch(0).Tones[2].Data(), Patch(0).Tones[2].Data() + 129));
  EXPECT_EQ(CurrentPatch, &Patch(1));  // the target was sent
  EXPECT_FALSE(library_->Saved);

  // One part onto a part of another kind: refused. Common onto Common of another window.
  Patch(0).Common.StoreByte(46, 99);
  Patch(0).Common.StoreByte(20, 33);  // effects: not part of Common
  DragPart(a.Part(QStringLiteral("Wave1")), b.Part(QStringLiteral("Pitch4")));
  EXPECT_NE(Patch(1).Tones[3].GetByte(61), Patch(0).Tones[0].GetByte(61));
  DragPart(a.Part(QStringLiteral("Common")), b.Part(QStringLiteral("Common")));
  EXPECT_EQ(Patch(1).Common.GetByte(46), 99);
  EXPECT_NE(Patch(1).Common.GetByte(20), 33);
  EXPECT_FALSE(ChildFrame().DragInProgress);
}

TEST_F(PatchWindow, CopyRangesCoverEveryToneByteOnceAndTheCommonBlockOnce) {
  std::array<int, TTone::kDataSize> tone{};
  for (int kind : {pkControl, pkWave, pkPitch, pkLFO1, pkLFO2, pkTVA, pkTVF})
    for (const TPartRange& range : PatchPartRanges(kind, kind))
      for (int i = range.First; i <= range.Last; ++i) ++tone[static_cast<std::size_t>(i)];
  for (int i = 0; i < TTone::kDataSize; ++i) EXPECT_EQ(tone[static_cast<std::size_t>(i)], 1) << i;
  std::array<int, TCommon::kDataSize> common{};
  for (int kind : {pkCommon, pkEffects})
    for (const TPartRange& range : PatchPartRanges(kind, kind))
      for (int i = range.First; i <= range.Last; ++i) ++common[static_cast<std::size_t>(i)];
  for (int i = 0; i < TCommon::kDataSize; ++i)
    EXPECT_EQ(common[static_cast<std::size_t>(i)], 1) << i;
  EXPECT_TRUE(PatchPartRanges(pkWave, pkPitch).empty());
}

// Compare never stays down over a patch the instrument does not hold as shown: leaving the
// window releases it (the edited patch goes out), and an edit while it is down first sends the
// edited patch, then the edit. While down, the caption says so.
TEST_F(PatchWindow, CompareSendsTheOpeningStateAndEndsWhenLeftOrEdited) {
  struct TCase {
    const char* Name;
    std::function<void(TFormPatch&, TFormCommon&)> Act;
    std::size_t EditMessages;
  };
  const TCase cases[] = {
      {"the library window activated",
       [this](TFormPatch&, TFormCommon&) {
         form_->MdiArea()->setActiveSubWindow(
             qobject_cast<QMdiSubWindow*>(libraryWindow_->parentWidget()));
       },
       0},
      {"a tone switch clicked",
       [](TFormPatch& window, TFormCommon&) { window.ToneCheck(2)->click(); }, 1},
      {"a page edit", [](TFormPatch&, TFormCommon& page) { page.SendandStore(46, 78); }, 1},
  };
  TFormPatch& window = OpenPatch(Patch(0));
  TFormCommon& page = OpenCommon(window);
  page.SendandStore(46, 77);
  Taken();
  library_->Saved = true;
  // Down: the opening state; up again: the edit. Neither marks the library or a history.
  window.CompareButton()->click();
  std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03000000u);
  EXPECT_EQ(DataOf(sent[0])[46], 0);
  EXPECT_EQ(AddressOf(sent[4]), 0x03001600u);
  EXPECT_EQ(Patch(0).Common.GetByte(46), 77);
  window.CompareButton()->click();
  sent = Taken();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(DataOf(sent[0])[46], 77);
  EXPECT_TRUE(library_->Saved);
  EXPECT_EQ(page.UndoList().Count(), 1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    form_->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window.Frame()));
    window.CompareButton()->click();
    ASSERT_TRUE(window.CompareButton()->isChecked());
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral(" [Compare]")));
    Taken();
    const std::uint8_t edited = Patch(0).Common.GetByte(46);
    c.Act(window, page);
    sent = Taken();
    EXPECT_FALSE(window.CompareButton()->isChecked());
    ASSERT_EQ(sent.size(), 5u + c.EditMessages);
    EXPECT_EQ(AddressOf(sent[0]), 0x03000000u);
    EXPECT_EQ(DataOf(sent[0])[46], edited);  // the edited patch, before the edit
    EXPECT_EQ(CurrentPatch, &Patch(0));
  }
}

// The tone switch is one byte shown in two windows: each shows it at once after either changes
// it, and after Undo on the wave page (the patch window keeps no history of it).
TEST_F(PatchWindow, TheToneSwitchIsStoredWithoutUndoAndShowsAtOnceInBothItsWindows) {
  TFormPatch& window = OpenPatch(Patch(0));
  Taken();
  library_->Saved = true;
  window.ToneCheck(2)->click();
  EXPECT_EQ(Taken(), std::vector<TBytes>{Set(0x03001200, {1})});
  EXPECT_EQ(Patch(0).Tones[1].GetByte(0), 1);
  EXPECT_FALSE(library_->Saved);
  QTest::mouseDClick(window.Part(QStringLiteral("Wave2")), Qt::LeftButton);
  auto* wave = qobject_cast<TPageWindow*>(Patch(0).Tones[1].Pages[TTone::pgWave].Window);
  ASSERT_NE(wave, nullptr);
  auto* waveSwitch = qobject_cast<QCheckBox*>(wave->Control(0));
  ASSERT_NE(waveSwitch, nullptr);
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"patch window", [&] { window.ToneCheck(2)->click(); }},
      {"wave page", [&] { waveSwitch->click(); }},
      {"Undo", [&] { wave->Undo(); }},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    const std::uint8_t before = Patch(0).Tones[1].GetByte(0);
    step();
    const bool on = Patch(0).Tones[1].GetByte(0) != 0;
    EXPECT_NE(Patch(0).Tones[1].GetByte(0), before);
    EXPECT_EQ(window.ToneCheck(2)->isChecked(), on);
    EXPECT_EQ(waveSwitch->isChecked(), on);
  }
}

TEST_F(PatchWindow, APatchFromABankSaysWhichBankAndPositionAndUnsavedChangesShowInTitles) {
  auto& bank = static_cast<TPatchBank&>(library_->NewElement(ekPatchBank));
  bank.FileName = QStringLiteral("/tmp/banks/real-bank-1.syx");
  bank.Name = QStringLiteral("Real 1");
  bank.Patch(3).SetName(QStringLiteral("Fourth"), false);
  bank.Patch(3).OpenEditor();
  auto* window = qobject_cast<TFormPatch*>(bank.Patch(3).Editor);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Fourth [Bank : real-bank-1.syx : 4]   [Loc : Real 1][*]");
  // A bank with no file of its own is named instead.
  bank.FileName = QStringLiteral("Untitled.Syx");
  bank.Patch(0).OpenEditor();
  EXPECT_TRUE(qobject_cast<QWidget*>(bank.Patch(0).Editor)
                  ->windowTitle()
                  .startsWith(bank.Patch(0).GetName() + " [Bank : Real 1 : 1]"));

  library_->Saved = true;
  form_->EnableMenuItems();
  EXPECT_FALSE(window->isWindowModified());
  bank.Patch(3).Modified();
  EXPECT_TRUE(TChildFrame::SubWindowOf(window)->isWindowModified());
}
