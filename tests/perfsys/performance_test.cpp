// The performance editor's windows against a loopback port: what each edit stores and sends.

#include "editorfixture.h"
#include "model/rhythmnames.h"

namespace {

class PerformanceEditor : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    performance.Init();
    CurrentPerformance = &performance;
  }
  void TearDown() override {
    CurrentPerformance = nullptr;
    TEditorTest::TearDown();
  }
  TPerformance performance{nullptr};
};

TEST_F(PerformanceEditor, VoiceReservesNeverPassSixtyFourVoicesAndOutOfRangeOnesAreNotCounted) {
  // As in a generated file: two reserves far past the 64 voices.
  for (int p = 1; p <= 16; ++p) performance.Common.StoreByte(47 + p, 2);
  performance.Common.StoreByte(50, 100);
  performance.Common.StoreByte(52, 127);
  TFormPerComm window(performance);
  window.show();
  EXPECT_EQ("   36", window.VoiceAvailable()->text());
  EXPECT_EQ(QColor(Qt::red), window.VoiceAvailable()->palette().color(QPalette::Text));
  EXPECT_EQ("Out of range and not counted here: part 3, part 5.",
            window.VoiceAvailable()->toolTip());
  // Part 3 steps to the top of its range, then back to the voices that are left.
  Step(window.VoiceReserve(3), false);
  EXPECT_EQ(36, performance.Common.GetByte(50));
  EXPECT_EQ("Out of range and not counted here: part 5.", window.VoiceAvailable()->toolTip());
  // With no voice left a step up stores and sends nothing; a step down is sent on release.
  ClearSent();
  Step(window.VoiceReserve(16), true);
  EXPECT_EQ(2, performance.Common.GetByte(63));
  EXPECT_TRUE(Sent().empty());
  Step(window.VoiceReserve(16), false);
  EXPECT_EQ("   1", window.VoiceAvailable()->text());
  EXPECT_EQ(std::vector<TBytes>{DataSet(0x0100003F, {1})}, Sent());
}

TEST_F(PerformanceEditor, TempoAndNameAreOneMessageAndOneUndoEachAndOtherKeysNoStep) {
  TFormPerComm window(performance);
  window.show();
  window.Tempo()->SetCode(119);
  Step(window.Tempo(), true);
  EXPECT_EQ(std::vector<TBytes>{DataSet(0x0100002D, {7, 8})}, Sent());

  ClearSent();
  QTest::keyClicks(window.NameBox(), QStringLiteral("Abc"));
  EXPECT_EQ(DataSet(0x01000000, {'A', 'b', 'c', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}),
            Sent().back());
  // Keys that leave the name as it is send nothing and are no Undo steps.
  ClearSent();
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Control}) QTest::keyClick(window.NameBox(), key);
  EXPECT_TRUE(Sent().empty());
  window.BtnUndo()->click();
  EXPECT_EQ("Ab", window.NameBox()->text());
  // A key that changes nothing keeps what Redo can bring back.
  QTest::keyClick(window.NameBox(), Qt::Key_End);
  window.BtnRedo()->click();
  EXPECT_EQ("Abc", performance.GetName());

  // Undo takes the name back a key at a time, then the tempo's two bytes at once.
  for (int i = 0; i < 3; ++i) window.BtnUndo()->click();
  ClearSent();
  window.BtnUndo()->click();
  EXPECT_EQ(std::vector<TBytes>{DataSet(0x0100002D, {1, 4})}, Sent());
}

TEST_F(PerformanceEditor, AGroupWithoutItsBoardPutsThePreviousBack) {
  performance.Parts[0].StoreByte(3, 3);  // Preset A
  TFormPart window(performance);
  window.show();
  window.PatchGroup()->setCurrentIndex(7);
  Q_EMIT window.PatchGroup()->activated(7);  // "Expansion B", no board in slot B
  EXPECT_EQ(2, window.PatchGroup()->currentIndex());
  EXPECT_TRUE(Sent().empty());
  // With a board there the group is sent as type 2 and the board's number.
  Config().Expansion[1] = 5;
  window.PatchGroup()->setCurrentIndex(7);
  Q_EMIT window.PatchGroup()->activated(7);
  EXPECT_EQ(DataSet(0x01001002, {2, 5}), Sent().at(0));
}

TEST_F(PerformanceEditor, PartTenChoosesRhythmSetsOfItsGroup) {
  MidiSession().SetMidiOpen(false);      // no name requests in the way
  performance.Parts[9].StoreByte(3, 6);  // GM
  TFormPart window(performance);
  window.show();
  window.SelectPart(10);
  EXPECT_EQ(6, window.PatchGroup()->count());
  ASSERT_EQ(2, window.RhythmSet()->count());
  EXPECT_EQ("BrusDrumSet", window.RhythmSet()->itemText(1));
  Q_EMIT window.RhythmSet()->activated(1);
  EXPECT_EQ(1, performance.Parts[9].GetByte(5));
  window.SelectPart(1);
  EXPECT_EQ(11, window.PatchGroup()->count());
}

TEST_F(PerformanceEditor, CopyPasteAndRevertAllBypassOrEmptyTheHistories) {
  Clipboard() = TClipboard();
  TFormPart window(performance);
  window.show();
  auto* level = static_cast<TPanSlider*>(window.Control(6));
  level->SetValue(100);
  Q_EMIT level->OnEndchange();
  window.BtnCopyClick();
  EXPECT_TRUE(window.BtnPaste()->isEnabled());
  window.SelectPart(5);
  ClearSent();
  window.BtnPasteClick();
  EXPECT_EQ(100, performance.Parts[4].GetByte(6));
  EXPECT_TRUE(window.History(5).Empty());
  ASSERT_EQ(16u, DataSets().size());  // every part sent once
  EXPECT_EQ(0x01001400u, AddressOf(DataSets()[4]));

  // Revert All takes part 1's change back and shows part 1.
  window.SelectPart(3);
  level->SetValue(30);
  Q_EMIT level->OnEndchange();
  ClearSent();
  window.BtnRevertAllClick();
  EXPECT_EQ(0, performance.Parts[2].GetByte(6));
  EXPECT_EQ(100, performance.Parts[4].GetByte(6));  // the paste stays
  EXPECT_EQ(1, window.SelectedPart());
  EXPECT_TRUE(window.History(3).Empty());
}

TEST_F(PerformanceEditor, SectionsGoOnlyOntoTheirOwnKindInAnotherWindow) {
  TPerformance other(nullptr);
  other.Init();
  for (int b = 0; b < 64; ++b) performance.Common.StoreByte(b, static_cast<std::uint8_t>(b + 1));
  for (TPerformancePart& part : performance.Parts) part.StoreByte(6, 99);
  TFormPerformance source(performance), target(other);
  const auto common = [](TFormPerformance& w) { return w.Panel(pkPerCom); };
  const auto parts = [](TFormPerformance& w) { return w.Panel(pkPerParts); };

  source.SelectPart(common(source), false);
  source.BeginDrag();
  EXPECT_FALSE(THubWindow::DragOver(parts(target)));
  // Onto the window it came from: refused, nothing copied.
  EXPECT_FALSE(THubWindow::DragOver(common(source)));
  source.EndDrag(parts(source));
  EXPECT_EQ(0, other.Common.GetByte(47 + 1));

  // Common and Parts together (a Ctrl click adds Parts): accepted on Parts, both copied.
  QTest::mouseClick(parts(source), Qt::LeftButton, Qt::ControlModifier);
  source.SelectPart(common(source), false);
  source.BeginDrag();
  EXPECT_TRUE(THubWindow::DragOver(parts(target)));
  source.EndDrag(parts(target));
  for (int b : {0, 63}) EXPECT_EQ(b + 1, other.Common.GetByte(b)) << b;
  EXPECT_NE(13, other.Common.GetByte(12));
  EXPECT_EQ(99, other.Parts[15].GetByte(6));
  EXPECT_EQ(&other, CurrentPerformance);  // sent to the instrument
}

TEST_F(PerformanceEditor, OpeningThePartsAsksForTheRhythmSetNamesButWithoutMidiNothingGoesOut) {
  Config().DataCard = true;
  for (const bool open : {true, false}) {
    SCOPED_TRACE(open);
    MidiSession().SetMidiOpen(open);
    ClearSent();
    TFormPart window(performance);
    window.show();
    QApplication::processEvents();
    std::vector<std::uint32_t> asked;
    for (const TBytes& m : Sent())
      if (m[4] == 0x11) asked.push_back(AddressOf(m));
    if (open) {
      EXPECT_EQ(std::vector<std::uint32_t>({0x10400000, 0x10410000, 0x20400000, 0x20410000}),
                asked);
      window.NamesReader().Stop();
      continue;
    }
    auto* level = static_cast<TPanSlider*>(window.Control(6));
    level->SetValue(77);
    Q_EMIT level->OnEndchange();
    EXPECT_EQ(77, performance.Parts[0].GetByte(6));
    EXPECT_FALSE(window.NamesReader().Running());
    EXPECT_TRUE(Sent().empty());
  }
}

}  // namespace
