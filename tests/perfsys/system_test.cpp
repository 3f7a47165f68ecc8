// The system editor's windows against a loopback port: GM System Off before every change of the
// panel mode, the performance and scale tune choices, Paste, and a section drag.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>

#include "editorfixture.h"

namespace {

const TBytes kGmSystemOff = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};

class SystemEditor : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    system.Init();
    CurrentSystem = &system;
    Clipboard() = TClipboard();
  }
  void TearDown() override {
    CurrentSystem = nullptr;
    NamePickerHook() = nullptr;
    WaveNameListHook() = nullptr;
    TEditorTest::TearDown();
  }
  // A click on one of the panel mode's buttons.
  static void ClickMode(TFormSysSetup& window, int mode) {
    const QList<QRadioButton*> buttons = window.findChildren<QRadioButton*>();
    ASSERT_EQ(3, buttons.size());
    buttons[mode]->click();
  }
  TSystem system{nullptr};
};

TEST_F(SystemEditor, EveryChangeOfThePanelModeFollowsGmSystemOff) {
  TFormSysSetup window(system);
  window.show();
  const std::pair<std::function<void()>, std::vector<TBytes>> steps[] = {
      {[&] { ClickMode(window, 2); }, {kGmSystemOff, DataSet(0x00000000, {2})}},  // " GM"
      {[&] { ClickMode(window, 0); }, {kGmSystemOff, DataSet(0x00000000, {0})}},  // " Performance"
      {[&] { window.BtnUndo()->click(); }, {kGmSystemOff, DataSet(0x00000000, {2})}},
      // A store of another byte sends no mode message.
      {[&] { Step(static_cast<TMyEdit*>(window.Control(6)), true); },
       {DataSet(0x00000006, {0x40})}},
  };
  for (const auto& [act, sent] : steps) {
    ClearSent();
    act();
    EXPECT_EQ(Sent(), sent);
  }
  // Revert: GM System Off for the entry of the mode, then the whole system (18 blocks).
  ClearSent();
  window.BtnRevert()->click();
  EXPECT_EQ(1, system.Common.GetByte(0));
  ASSERT_EQ(19u, Sent().size());
  EXPECT_EQ(kGmSystemOff, Sent()[0]);
  EXPECT_EQ(DataSet(0x00000000, TBytes(system.Common.Data(), system.Common.Data() + 40)),
            Sent()[1]);
}

TEST_F(SystemEditor, ThePerformanceIsItsGroupTimesThirtyTwoPlusItsNumber) {
  WaveNameListHook() = [](int list) {
    return list == 46 ? QStringList{"B1", "B2", "B3", "B4", "B5", "B6"} : QStringList();
  };
  NamePickerHook() = [](int list, int& index, QWidget*) {
    index = list == 46 ? 5 : index;
    return true;
  };
  system.Common.StoreByte(0, 0);  // performance mode
  TFormSysSetup window(system);
  window.show();
  window.PerformanceGroup()->setCurrentIndex(3);
  Q_EMIT window.PerformanceGroup()->activated(3);  // "Preset B", number 0
  EXPECT_EQ(96, system.Common.GetByte(1));
  EXPECT_EQ("B1", window.PerformanceName()->text());  // the name follows the group at once
  EXPECT_EQ(DataSet(0x00000001, {96}), Sent().back());
  window.PerformanceBrowseClick();
  EXPECT_EQ(101, system.Common.GetByte(1));
  EXPECT_EQ("B6", window.PerformanceName()->text());
  EXPECT_EQ(DataSet(0x00000001, {101}), Sent().back());
}

TEST_F(SystemEditor, ScaleTunesPasteWholeAndSendTheSystem) {
  TFormScaleTune window(system);
  window.show();
  window.SelectBlock(17);
  auto* tuneC = static_cast<TMyEdit*>(window.Control(0));
  auto* tuneB = static_cast<TMyEdit*>(window.Control(11));
  ClearSent();
  tuneB->SetCode(-64);
  Q_EMIT tuneB->OnEndChange();
  ASSERT_EQ(1u, Sent().size());
  EXPECT_EQ(DataSet(0x0000200B, {0}), Sent()[0]);  // patch mode, pitch class B
  tuneC->SetCode(10);
  Q_EMIT tuneC->OnEndChange();
  window.BtnCopyClick();
  window.SelectBlock(4);
  ClearSent();
  window.BtnPasteClick();
  EXPECT_EQ(0, system.ScaleTunes[3].GetByte(11));
  EXPECT_TRUE(window.History(4).Empty());
  EXPECT_EQ(18u, Sent().size());
  // Revert All takes the patch mode's changes back and shows block 1.
  window.BtnRevertAllClick();
  EXPECT_EQ(0x40, system.ScaleTunes[16].GetByte(11));
  EXPECT_EQ(74, system.ScaleTunes[3].GetByte(0));  // the paste stays
  EXPECT_EQ(1, window.SelectedBlock());
}

TEST_F(SystemEditor, AMidiDropCopiesOnlyTheMidiBytesAndMarksThePanel) {
  TSystem other(nullptr);
  other.Init();
  system.Common.StoreByte(12, 99);
  system.Common.StoreByte(6, 99);  // Master Tune, of the setup section
  TFormSystem source(system), target(other);
  source.SelectPart(source.Panel(pkSysMidi), false);
  source.BeginDrag();
  source.EndDrag(target.Panel(pkSysMidi));
  EXPECT_EQ(99, other.Common.GetByte(12));
  EXPECT_NE(99, other.Common.GetByte(6));
  EXPECT_TRUE(target.Panel(pkSysMidi)->Selected());
  EXPECT_FALSE(target.Panel(pkSysSetup)->Selected());
}

}  // namespace

// Group bytes (2, 5) with board 5 in no expansion slot, in a performance part and in the system's
// patch mode: the group shows as "Board 5", which the drop-down does not offer, and the patch by
// its number; choosing a group replaces it and sends that group.
TEST_F(SystemEditor, ABoardNoSlotHoldsShowsAsThatBoardUntilAGroupIsChosen) {
  WaveNameListHook() = [](int) { return QStringList{"N1", "N2", "N3", "N4", "N5"}; };
  TPerformance performance(nullptr);
  performance.Init();
  CurrentPerformance = &performance;
  const std::uint8_t bytes[] = {2, 5, 0, 3};
  for (int i = 0; i < 4; ++i) {
    performance.Parts[0].StoreByte(2 + i, bytes[i]);
    system.Common.StoreByte(2 + i, bytes[i]);
  }
  system.Common.StoreByte(0, 1);  // patch mode
  struct TCase {
    const char* Name;
    std::function<std::unique_ptr<QWidget>()> Make;
    std::function<QComboBox*(QWidget&)> Group;
    std::function<QLineEdit*(QWidget&)> PatchName;
    std::uint32_t Address;
  };
  const TCase cases[] = {
      {"part", [&] { return std::unique_ptr<QWidget>(new TFormPart(performance)); },
       [](QWidget& w) { return static_cast<TFormPart&>(w).PatchGroup(); },
       [](QWidget& w) { return static_cast<TFormPart&>(w).PatchName(); }, 0x01001002},
      {"system", [&] { return std::unique_ptr<QWidget>(new TFormSysSetup(system)); },
       [](QWidget& w) { return static_cast<TFormSysSetup&>(w).PatchGroup(); },
       [](QWidget& w) { return static_cast<TFormSysSetup&>(w).PatchName(); }, 0x00000002},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<QWidget> window = c.Make();
    window->show();
    QComboBox* group = c.Group(*window);
    EXPECT_EQ(QStringLiteral("Board 5"), group->currentText());
    EXPECT_EQ(QStringLiteral("4"), c.PatchName(*window)->text());
    ClearSent();
    group->setCurrentIndex(2);
    Q_EMIT group->activated(2);  // "Preset A"
    EXPECT_EQ(DataSet(c.Address, {0, 3}), Sent().at(0));
    EXPECT_EQ(11, group->count());
    EXPECT_EQ(QStringLiteral("N4"), c.PatchName(*window)->text());
  }
  CurrentPerformance = nullptr;
  WaveNameListHook() = nullptr;
}
