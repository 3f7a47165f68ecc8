// The tone pages of a patch, driven through their controls: where each byte goes, the wave
// group and name, the envelopes, the LFO and control pages' own rules.
#include <functional>
#include <memory>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "app/editorhooks.h"
#include "app/formnames.h"
#include "app/formselectname.h"
#include "app/helpwindow.h"
#include "controls/fadegraph.h"
#include "controls/finedrag.h"
#include "controls/myedit.h"
#include "controls/panslider.h"
#include "editorfixture.h"
#include "editors/common/envelopebinding.h"
#include "editors/common/parambinding.h"
#include "editors/params/wavegroup.h"
#include "editors/patch/formcontrol.h"
#include "editors/patch/formlfo.h"
#include "editors/patch/formpitch.h"
#include "editors/patch/formtva.h"
#include "editors/patch/formtvf.h"
#include "editors/patch/formwave.h"
#include "midi/config.h"

namespace {
// The address of a tone byte: 03 00 10 00 + (tone − 1) × 200H, byte 128 at 01 00 past it.
std::uint32_t ToneAddress(int tone, int offset) {
  return 0x03001000 + static_cast<std::uint32_t>(tone - 1) * 0x200 +
         static_cast<std::uint32_t>(offset < 128 ? offset : 0x100 + offset - 128);
}

class TonePage : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    saved_ = Config();
    window_ = &OpenPatch(Patch(0));
  }
  void TearDown() override {
    Config() = saved_;
    WaveNameListHook() = nullptr;
    WaveNamePickerHook() = nullptr;
    TEditorTest::TearDown();
  }
  template <class TPage, class... TArgs>
  TPage& Open(TTone::TPage kind, int tone, TArgs... args) {
    TPage* page = TPageWindow::OpenPage<TPage>(
        Patch(0).Tones[static_cast<std::size_t>(tone - 1)].Pages[kind], Patch(0), tone, args...);
    EXPECT_NE(page, nullptr);
    Taken();
    library_->Saved = true;
    return *page;
  }
  TTone& Tone(int tone) { return Patch(0).Tones[static_cast<std::size_t>(tone - 1)]; }

  TConfig saved_;
  TFormPatch* window_ = nullptr;
};
}  // namespace

TEST_F(TonePage, ThePatchWindowsButtonsOpenEachTonePageOnItsTone) {
  struct TCase {
    const char* Button;
    TTone::TPage Kind;
    const char* Class;
  } cases[] = {{"Wave3", TTone::pgWave, "TFormWave"},
               {"Pitch3", TTone::pgPitch, "TFormPitch"},
               {"Tvf3", TTone::pgTVF, "TFormTVF"},
               {"Tva3", TTone::pgTVA, "TFormTVA"},
               {"Lfo13", TTone::pgLFO1, "TFormLFO"},
               {"Lfo23", TTone::pgLFO2, "TFormLFO"},
               {"Control3", TTone::pgControl, "TFormControl"}};
  for (const TCase& c : cases) {
    QTest::mouseDClick(window_->Part(QString::fromLatin1(c.Button)), Qt::LeftButton);
    QObject* page = Tone(3).Pages[c.Kind].Window;
    ASSERT_NE(page, nullptr) << c.Button;
    EXPECT_STREQ(page->metaObject()->className(), c.Class);
    EXPECT_TRUE(Tone(3).Pages[c.Kind].Open);
    EXPECT_TRUE(qobject_cast<QWidget*>(page)->windowTitle().contains(" [Tone 3] "));
  }
  EXPECT_TRUE(qobject_cast<QWidget*>(Tone(3).Pages[TTone::pgLFO2].Window)
                  ->windowTitle()
                  .contains(" [LFO 2] [Tone 3]"));
}

TEST_F(TonePage, WaveGroupIsStoredOnlyForInstalledBoardsAndShownFromTheBytes) {
  Config().Expansion[1] = 4;  // "Expansion B" holds board 4; slot A is empty
  auto& page = Open<TFormWave>(TTone::pgWave, 2);
  page.WaveGroup()->setCurrentIndex(2);
  page.GroupChosen(2);  // "Expansion A": nothing installed
  EXPECT_EQ(page.WaveGroup()->currentText(), "Internal A");
  EXPECT_TRUE(Taken().empty());
  EXPECT_TRUE(library_->Saved);

  page.WaveGroup()->setCurrentIndex(3);
  page.GroupChosen(3);
  const std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), ToneAddress(2, 1));
  EXPECT_EQ(DataOf(sent[0]), (TBytes{2, 4}));
  EXPECT_FALSE(library_->Saved);

  // A board no slot holds shows "Internal A".
  Tone(2).StoreByte(2, 9);
  page.UpdateView();
  EXPECT_EQ(page.WaveGroup()->currentText(), "Internal A");
}

TEST_F(TonePage, ChosenWaveStoresAllFourBytesInOneMessageAndUndoRestoresThem) {
  WaveNameListHook() = [](int code) {
    QStringList names;
    for (int i = 0; i < 256; ++i) names << QStringLiteral("List%1 Wave%2").arg(code).arg(i);
    return names;
  };
  WaveNamePickerHook() = [](int code, int current) {
    EXPECT_EQ(code, 1);  // Internal A's list
    EXPECT_EQ(current, 0);
    return 254;
  };
  auto& page = Open<TFormWave>(TTone::pgWave, 1);
  page.PickButton()->click();
  std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), ToneAddress(1, 1));
  // A new tone's group bytes (0, 0) show as "Internal A": that group goes with the wave, (0, 1),
  // and wave 254 as 15 and 14.
  EXPECT_EQ(page.WaveGroup()->currentText(), "Internal A");
  EXPECT_EQ(DataOf(sent[0]), (TBytes{0, 1, 15, 14}));
  EXPECT_EQ(page.WaveName()->text(), "List1 Wave254");
  page.Undo();
  sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(DataOf(sent[0]), (TBytes{0, 0, 0, 0}));
  EXPECT_EQ(page.WaveName()->text(), "List1 Wave0");
}

TEST_F(TonePage, AnEnvelopeChangeIsOneMessageAndOneUndoAndTheAmplitudeNeverStoresItsFourthLevel) {
  struct TCase {
    TTone::TPage Kind;
    int Time, Level;
  } cases[] = {{TTone::pgPitch, 70, 74}, {TTone::pgTVF, 91, 95}, {TTone::pgTVA, 110, 114}};
  for (const TCase& c : cases) {
    TPageWindow* page = nullptr;
    TEnvelopeBinding* envelope = nullptr;
    if (c.Kind == TTone::pgPitch) {
      auto& pitch = Open<TFormPitch>(c.Kind, 1);
      page = &pitch;
      envelope = pitch.Envelope();
    } else if (c.Kind == TTone::pgTVF) {
      auto& tvf = Open<TFormTVF>(c.Kind, 1);
      page = &tvf;
      envelope = tvf.Envelope();
    } else {
      auto& tva = Open<TFormTVA>(c.Kind, 1);
      page = &tva;
      envelope = tva.Envelope();
    }
    const TBytes before(Tone(1).Data() + c.Time, Tone(1).Data() + c.Level + 4);
    TGraphPoints points = envelope->Graph()->Points();
    points[4] += 10;  // time 2
    points[9] = 100;  // level 4 (the amplitude graph holds it at 0)
    envelope->Graph()->SetPoints(points);
    envelope->Store();
    const std::vector<TBytes> sent = Taken();
    const bool locked = c.Kind == TTone::pgTVA;
    // From the first changed byte to the last, in one data set.
    ASSERT_EQ(sent.size(), 1u) << c.Time;
    EXPECT_EQ(AddressOf(sent[0]), ToneAddress(1, c.Time + 1));
    EXPECT_EQ(sent[0].size(), 11u + (locked ? 1u : c.Level + 3 - c.Time));
    // The byte after the amplitude levels is LFO 1's amplifier depth: never touched.
    EXPECT_EQ(Tone(1).GetByte(117), 0);
    page->Undo();
    EXPECT_EQ(TBytes(Tone(1).Data() + c.Time, Tone(1).Data() + c.Level + 4), before);
    EXPECT_EQ(Taken().size(), 1u);
  }
}

TEST_F(TonePage, AShiftDragOfAGraphPointIsOneFineChangeAndOneUndo) {
  auto& tvf = Open<TFormTVF>(TTone::pgTVF, 1);
  tvf.show();
  TPanGraph* graph = tvf.Envelope()->Graph();
  const TBytes before(Tone(1).Data() + 91, Tone(1).Data() + 99);
  const QPoint point = graph->PointPixel(2);
  const int time = graph->Time(2), level = graph->Level(2);
  QTest::mousePress(graph, Qt::LeftButton, Qt::ShiftModifier, point);
  ASSERT_EQ(graph->Dragged(), 2);
  // 39 pixels right and 8 up: a few steps on each axis.
  const QPoint to = point + QPoint(39, -8);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), graph->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::ShiftModifier);
  QApplication::sendEvent(graph, &move);
  QTest::mouseRelease(graph, Qt::LeftButton, Qt::ShiftModifier, to);
  // Point 2 is time 1 and level 1.
  EXPECT_EQ(Tone(1).GetByte(91), time + 39 / TFineDrag::kPixelsPerStep);
  EXPECT_EQ(Tone(1).GetByte(95), level + 8 / TFineDrag::kPixelsPerStep);
  EXPECT_EQ(Taken().size(), 1u);
  tvf.Undo();
  EXPECT_EQ(TBytes(Tone(1).Data() + 91, Tone(1).Data() + 99), before);
  EXPECT_FALSE(tvf.CanUndo());
}

TEST_F(TonePage, TheArrowsOfASteppedPictureStayPutAndTheWindowKeepsItsSize) {
  for (int which : {TTone::pgTVF, TTone::pgTVA}) {
    TPageWindow& page = which == TTone::pgTVF
                            ? static_cast<TPageWindow&>(Open<TFormTVF>(TTone::pgTVF, 1))
                            : static_cast<TPageWindow&>(Open<TFormTVA>(TTone::pgTVA, 1));
    const int offset = which == TTone::pgTVF ? 80 : 102;
    page.show();
    QWidget* box = page.Binding(offset)->Widget();
    auto* prev = box->findChild<QToolButton*>(QStringLiteral("Precedente"));
    auto* next = box->findChild<QToolButton*>(QStringLiteral("Successivo"));
    ASSERT_NE(next, nullptr);
    QApplication::processEvents();
    const QPoint prevAt = prev->mapTo(&page, QPoint()), nextAt = next->mapTo(&page, QPoint());
    const QSize size = page.window()->size();
    const TParamRow& row = page.Binding(offset)->Row();
    for (int step = row.Min; step <= row.Max + 1; ++step) {
      QTest::mouseClick(next, Qt::LeftButton);
      QApplication::processEvents();
      EXPECT_EQ(next->mapTo(&page, QPoint()), nextAt) << step;
      EXPECT_EQ(prev->mapTo(&page, QPoint()), prevAt) << step;
      EXPECT_EQ(page.window()->size(), size) << step;
    }
  }
}

TEST_F(TonePage, PicturesStepWithinTheirRangeOnly) {
  auto& tvf = Open<TFormTVF>(TTone::pgTVF, 1);
  tvf.Binding(80)->StepPicture(-1);  // "No Filter" is the first type
  EXPECT_TRUE(Taken().empty());
  tvf.Binding(80)->StepPicture(+1);
  ASSERT_EQ(Taken().size(), 1u);
  EXPECT_EQ(Tone(1).GetByte(80), 1);
}

TEST_F(TonePage, LfoTwoOfToneThreeStoresItsOwnBytesAndFollowsTheFadeMode) {
  auto& page = Open<TFormLFO>(TTone::pgLFO2, 3, 2);
  page.Binding(53)->StepPicture(+1);
  std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03001400u + 53);
  ASSERT_NE(page.Binding(79), nullptr);  // the pitch depth of LFO 2
  EXPECT_EQ(page.Binding(78), nullptr);
  EXPECT_EQ(page.Binding(45), nullptr);

  auto* mode = qobject_cast<QComboBox*>(page.Binding(58)->Widget());
  ASSERT_NE(mode, nullptr);
  mode->setCurrentIndex(3);
  EXPECT_EQ(page.Fade()->FadeMode(), OFF_OUT);  // at once
  page.Fade()->SetFadeDelay(20);
  page.Fade()->SetFadeTime(30);
  Taken();
  Q_EMIT page.Fade()->OnEndchange();
  sent = Taken();
  // Delay at b + 4 to time at b + 6 in one data set.
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03001400u + 57);
  EXPECT_EQ(sent[0].size(), 11u + 3u);
}

TEST_F(TonePage, ReverbSendOfToneFourGoesPastTheSevenBitStepAndUndoSendsItThere) {
  auto& page = Open<TFormControl>(TTone::pgControl, 4);
  auto* level = qobject_cast<TPanSlider*>(page.Binding(128)->Widget());
  ASSERT_NE(level, nullptr);
  level->SetValue(90);
  page.Binding(128)->Store();
  std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03001700u);
  EXPECT_EQ(DataOf(sent[0]), TBytes{90});
  page.Undo();
  sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03001700u);
  EXPECT_EQ(DataOf(sent[0]), TBytes{0});
}

TEST_F(TonePage, ControllersAreShownOneAtATimeAndKeyRangesHoldEachOther) {
  auto& page = Open<TFormControl>(TTone::pgControl, 1);
  EXPECT_EQ(page.Controller(), 1);
  page.ControllerButtons()->button(3)->click();
  EXPECT_EQ(page.Controller(), 3);
  EXPECT_TRUE(page.Binding(37)->Widget()->isVisibleTo(&page));
  EXPECT_FALSE(page.Binding(21)->Widget()->isVisibleTo(&page));
  EXPECT_TRUE(Taken().empty());

  // Depth −63 is stored as 0.
  auto* depth = qobject_cast<TPanSlider*>(page.Binding(38)->Widget());
  depth->SetValue(-63);
  page.Binding(38)->Store();
  EXPECT_EQ(Tone(1).GetByte(38), 0);

  // The lower key steps no further than the upper one.
  Tone(1).StoreByte(14, 59);
  Tone(1).StoreByte(15, 60);
  page.UpdateView();
  auto* lower = qobject_cast<TMyEdit*>(page.Binding(14)->Widget());
  for (int i = 0; i < 3; ++i) {
    QTest::mousePress(lower->UpButton(), Qt::LeftButton);
    QTest::mouseRelease(lower->UpButton(), Qt::LeftButton);
  }
  EXPECT_EQ(lower->Code(), 60);
  EXPECT_EQ(Tone(1).GetByte(14), 60);
}

TEST_F(TonePage, MovingTheCutoffOfToneTwoReachesTheInstrumentsTemporaryMemory) {
  auto& page = Open<TFormTVF>(TTone::pgTVF, 2);
  auto* cutoff = qobject_cast<TPanSlider*>(page.Binding(81)->Widget());
  ASSERT_NE(cutoff, nullptr);
  cutoff->SetValue(99);
  Q_EMIT cutoff->OnEndchange();
  const std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  const auto device = static_cast<std::uint8_t>(Config().DeviceID - 1);
  EXPECT_EQ(sent[0], DataSet(0x03001251, TBytes{99}, device));
  EXPECT_EQ(Tone(2).GetByte(81), 99);
  EXPECT_FALSE(library_->Saved);
}

TEST_F(TonePage, EachTonePageOpensItsOwnHelpPage) {
  struct TCase {
    const char* Button;
    TTone::TPage Kind;
    int Context;
    const char* Title;
  } cases[] = {{"Control2", TTone::pgControl, 33, "The control page"},
               {"Wave2", TTone::pgWave, 34, "The wave page"},
               {"Pitch2", TTone::pgPitch, 35, "The pitch page"},
               {"Lfo12", TTone::pgLFO1, 36, "The LFO pages"},
               {"Lfo22", TTone::pgLFO2, 36, "The LFO pages"},
               {"Tva2", TTone::pgTVA, 37, "The TVA page"},
               {"Tvf2", TTone::pgTVF, 38, "The TVF page"}};
  THelpWindow help;
  for (const TCase& c : cases) {
    QTest::mouseDClick(window_->Part(QString::fromLatin1(c.Button)), Qt::LeftButton);
    auto* page = qobject_cast<TPageWindow*>(Tone(2).Pages[c.Kind].Window);
    ASSERT_NE(page, nullptr) << c.Button;
    EXPECT_EQ(page->HelpContext(), c.Context) << c.Button;
    help.ShowContext(page->HelpContext());
    EXPECT_EQ(help.Browser()->documentTitle(), QString::fromLatin1(c.Title)) << c.Button;
    // The page speaks of its own controls, not of another page's.
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Undo")) << c.Button;
  }
  help.ShowContext(38);
  EXPECT_TRUE(help.Browser()->toPlainText().contains("Cutoff Frequency"));
  help.ShowContext(33);
  EXPECT_TRUE(help.Browser()->toPlainText().contains("Reverb Send Level"));
  help.close();
}

// The "B" button of the wave page opens the program's "Select Name" picker on the group's list.
class WavePicker : public TonePage {
 protected:
  void SetUp() override {
    TonePage::SetUp();
    saved_ = PageNames();
    names_ = std::make_unique<TFormNames>();
    QByteArray internalA;
    for (int i = 0; i < 20; ++i) internalA += "Wave " + QByteArray::number(i) + "\n";
    names_->Lists().ReadLines(internalA, 1);
    InstallEditorNameHooks(*names_);
  }
  void TearDown() override {
    RemoveEditorNameHooks();
    names_.reset();
    PageNames() = saved_;
    TonePage::TearDown();
  }
  // Runs the picker that the click opens: choose selects a cell in it and presses a button.
  void PickWith(TFormWave& page, std::function<void(TFormSelectName&)> choose) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* picker = qobject_cast<TFormSelectName*>(QApplication::activeModalWidget());
      ASSERT_NE(picker, nullptr);
      seen = true;
      choose(*picker);
    });
    page.PickButton()->click();
    EXPECT_TRUE(seen);
  }

  TPageNames saved_;
  std::unique_ptr<TFormNames> names_;
};

TEST_F(WavePicker, ChosenNameBecomesTheWaveAndCancelChangesNothing) {
  Tone(2).StoreByte(4, 7);
  auto& page = Open<TFormWave>(TTone::pgWave, 2);
  EXPECT_EQ(page.WaveName()->text(), "Wave 7");

  PickWith(page, [](TFormSelectName& picker) {
    // Opened on Internal A's names with the tone's wave selected: 7 is row 1, column 1.
    EXPECT_EQ(picker.Grid()->item(3, 1)->text(), "Wave 19");
    EXPECT_EQ(picker.Grid()->currentRow(), 1);
    EXPECT_EQ(picker.Grid()->currentColumn(), 1);
    picker.Grid()->setCurrentCell(2, 5);  // wave 17
    picker.OkButton()->click();
  });
  const std::vector<TBytes> sent = Taken();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), ToneAddress(2, 1));
  EXPECT_EQ(DataOf(sent[0]), (TBytes{0, 1, 1, 1}));  // Internal A as the list shows it
  EXPECT_EQ(page.WaveName()->text(), "Wave 17");
  EXPECT_FALSE(library_->Saved);

  library_->Saved = true;
  PickWith(page, [](TFormSelectName& picker) {
    picker.Grid()->setCurrentCell(0, 2);
    picker.CancelButton()->click();
  });
  EXPECT_TRUE(Taken().empty());
  EXPECT_EQ(Tone(2).GetByte(4), 1);
  EXPECT_TRUE(library_->Saved);
}
