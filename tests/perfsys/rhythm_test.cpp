// The rhythm editor's windows against a loopback port: the key choice, what each edit stores
// and sends, the note clipboard, Revert All and a section drag.

#include "controls/filterpicture.h"
#include "controls/keyselector.h"
#include "controls/pangraph.h"
#include "editorfixture.h"

namespace {

class RhythmEditor : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    rhythm.Init();
    CurrentRhythm = &rhythm;
    Clipboard() = TClipboard();
  }
  void TearDown() override {
    CurrentRhythm = nullptr;
    TEditorTest::TearDown();
  }
  // A note window as it is opened (key 35, every history empty).
  template <class W>
  std::unique_ptr<W> Open() {
    auto window = std::make_unique<W>(rhythm);
    window->show();
    return window;
  }
  TRhythm rhythm{nullptr};
  TScopedHeadlessHost host;
};

TEST_F(RhythmEditor, KeyMinusOneEditsNoteThirtyFive) {
  auto window = Open<TFormRhyPitch>();
  EXPECT_EQ(-1, window->KeySelector()->KeySelected());
  EXPECT_EQ(35, window->Key());
  // Pressing key 1 (C#) shows note 37; releasing on it keeps it.
  QTest::mousePress(window->KeySelector(), Qt::LeftButton, {}, QPoint(17, 5));
  QTest::mouseRelease(window->KeySelector(), Qt::LeftButton, {}, QPoint(17, 5));
  EXPECT_EQ("C# 2  ", window->KeyBox()->text());
  window->SelectKey(35);
  Step(static_cast<TMyEdit*>(window->Control(12)), true);
  EXPECT_EQ(std::vector<TBytes>{DataSet(0x0209230C, {1})}, Sent());
}

TEST_F(RhythmEditor, EachWindowPastesOnlyTheSectionItCopied) {
  auto pitch = Open<TFormRhyPitch>();
  auto filter = Open<TFormRhyTVF>();
  rhythm.Note(35).StoreByte(13, 70);
  rhythm.Note(35).StoreByte(27, 90);
  pitch->BtnCopyClick();
  filter->UpdateView();
  EXPECT_FALSE(filter->BtnPaste()->isEnabled());
  filter->BtnPasteClick();
  EXPECT_EQ(0, rhythm.Note(36).GetByte(27));

  // Pitch pasted onto another key: bytes 12 to 25 only, no undo record, the set sent whole.
  pitch->SelectKey(40);
  ClearSent();
  pitch->BtnPasteClick();
  EXPECT_EQ(70, rhythm.Note(40).GetByte(13));
  EXPECT_EQ(0, rhythm.Note(40).GetByte(27));
  EXPECT_TRUE(pitch->History(40).Empty());
  EXPECT_EQ(65u, DataSets().size());
}

TEST_F(RhythmEditor, FilterTypeStopsAtNoFilterAndPeaking) {
  auto window = Open<TFormRhyTVF>();
  EXPECT_EQ("No Filter", window->TypeLabel()->text());
  window->Precedente();
  EXPECT_TRUE(Sent().empty());
  for (int i = 0; i < 6; ++i) window->Successivo();
  EXPECT_EQ(4, rhythm.Note(35).GetByte(26));
  EXPECT_EQ("Peaking", window->TypeLabel()->text());
  EXPECT_EQ(4u, Sent().size());
}

TEST_F(RhythmEditor, MovingOneEnvelopePointIsOneDataSetFromItsFirstToItsLastByte) {
  auto window = Open<TFormrhyTva>();
  TGraphPoints points = window->Graph()->Points();
  points[4] = 40;   // T2
  points[5] = 100;  // L2
  points[9] = 50;   // L4: the amplifier's last level stays 0
  window->Graph()->SetPoints(points);
  Q_EMIT window->Graph()->OnEndchange();
  // Time 2 at 45 to level 2 at 49, the bytes between as they were.
  const auto& note = rhythm.Note(35);
  ASSERT_EQ(1u, Sent().size());
  EXPECT_EQ(DataSet(0x0209232D, {40, note.GetByte(46), note.GetByte(47), note.GetByte(48), 100}),
            Sent()[0]);
  EXPECT_EQ(0, window->Graph()->Level(5));
}

TEST_F(RhythmEditor, AWaveGroupWithoutItsBoardPutsThePreviousBack) {
  auto window = Open<TFormRhyMain>();
  window->WaveGroup()->setCurrentIndex(3);
  Q_EMIT window->WaveGroup()->activated(3);  // "Expansion B", nothing in slot B
  EXPECT_EQ(0, window->WaveGroup()->currentIndex());
  EXPECT_TRUE(Sent().empty());
  Q_EMIT window->WaveGroup()->activated(1);  // "Internal B"
  EXPECT_EQ(DataSet(0x02092301, {0, 2}), Sent().at(0));
}

// Group bytes (0, 0) show as "Internal A": a wave chosen there goes with that group, (0, 1).
TEST_F(RhythmEditor, AWaveChosenUnderTheGroupShownSendsThatGroup) {
  rhythm.Note(35).StoreByte(1, 0);
  rhythm.Note(35).StoreByte(2, 0);
  WaveNameListHook() = [](int) { return QStringList{"W0", "W1", "W2", "W3", "W4", "W5"}; };
  NamePickerHook() = [](int list, int& index, QWidget*) {
    index = 5;
    return list == 1;  // Internal A's list
  };
  auto window = Open<TFormRhyMain>();
  EXPECT_EQ("Internal A", window->WaveGroup()->currentText());
  ClearSent();
  window->BrowseClick();
  EXPECT_EQ(std::vector<TBytes>{DataSet(0x02092301, {0, 1, 0, 5})}, DataSets());
  WaveNameListHook() = nullptr;
  NamePickerHook() = nullptr;
}

TEST_F(RhythmEditor, RevertAllTakesEveryKeyBackAndSendsTheSet) {
  auto window = Open<TFormrhyTva>();
  auto* level = static_cast<TPanSlider*>(window->Control(41));
  ASSERT_NE(nullptr, level);
  for (int key : {35, 98}) {
    window->SelectKey(key);
    level->SetValue(key);
    Q_EMIT level->OnEndchange();
  }
  ClearSent();
  window->BtnRevertAllClick();
  EXPECT_EQ(0, rhythm.Note(98).GetByte(41));
  EXPECT_TRUE(window->History(98).Empty());
  EXPECT_EQ(35, window->Key());
  EXPECT_EQ(65u, DataSets().size());
}

// Which bytes a section copies the rows tests check; here the drop reaches every note.
TEST_F(RhythmEditor, TheTvaSectionOfAllNotesIsCopiedByADrop) {
  TRhythm other(nullptr);
  other.Init();
  for (TRhythmNote& note : rhythm.Notes) note.StoreByte(41, 7);
  TFormRhythm source(rhythm), target(other);
  source.SelectPart(source.Panel(pkRhyTVA), false);
  source.BeginDrag();
  source.EndDrag(target.Panel(pkRhyTVA));
  for (const TRhythmNote& note : other.Notes) EXPECT_EQ(7, note.GetByte(41)) << note.Key;
}

TEST_F(RhythmEditor, TheNameIsSentAtEveryKeyWithoutUndo) {
  TFormRhythm hub(rhythm);
  QTest::keyClicks(hub.NameBox(), QStringLiteral("Kit"));
  ASSERT_EQ(3u, Sent().size());
  EXPECT_EQ(DataSet(0x02090000, {'K', 'i', 't', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}),
            Sent()[2]);
  EXPECT_EQ("Kit", rhythm.GetName());
}

}  // namespace
