// The tone pages of a patch, driven through their controls: where each byte goes, the wave
// group and name, the envelopes, the LFO and control pages' own rules.

#include <QButtonGroup>
#include <QTableWidget>
#include <QTimer>

#include "app/editorhooks.h"
#include "dialogs/formnames.h"
#include "dialogs/formselectname.h"
#include "editorfixture.h"
#include "editors/common/envelopebinding.h"

namespace {
class TonePage : public TEditorTest {
 protected:
  // Internal A's wave names are "Wave 0" to "Wave 255".
  void SetUp() override {
    TEditorTest::SetUp();
    saved_ = Config();
    savedNames_ = PageNames();
    names_ = std::make_unique<TFormNames>();
    QByteArray internalA;
    for (int i = 0; i < 256; ++i) internalA += "Wave " + QByteArray::number(i) + "\n";
    names_->Lists().ReadLines(internalA, 1);
    InstallEditorNameHooks(*names_);
    window_ = &OpenPatch(Patch(0));
  }
  void TearDown() override {
    RemoveEditorNameHooks();
    names_.reset();
    PageNames() = savedNames_;
    Config() = saved_;
    TEditorTest::TearDown();
  }
  template <class TPage, class... TArgs>
  TPage& Open(TTone::TPage kind, int tone, TArgs... args) {
    TPage& page = OpenTonePage<TPage>(kind, tone, args...);
    library_->Saved = true;
    return page;
  }
  TTone& Tone(int tone) { return Patch(0).Tones[static_cast<std::size_t>(tone - 1)]; }
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

  TConfig saved_;
  TPageNames savedNames_;
  std::unique_ptr<TFormNames> names_;
  TFormPatch* window_ = nullptr;
};
}  // namespace

TEST_F(TonePage, ThePatchWindowsButtonsOpenEachTonePageOnItsTone) {
  const struct {
    const char* Button;
    TTone::TPage Kind;
    const char* Class;
  } cases[] = {{"Control2", TTone::pgControl, "TFormControl"},
               {"Wave2", TTone::pgWave, "TFormWave"},
               {"Pitch2", TTone::pgPitch, "TFormPitch"},
               {"Lfo12", TTone::pgLFO1, "TFormLFO"},
               {"Lfo22", TTone::pgLFO2, "TFormLFO"},
               {"Tva2", TTone::pgTVA, "TFormTVA"},
               {"Tvf2", TTone::pgTVF, "TFormTVF"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Button);
    QTest::mouseDClick(window_->Part(QString::fromLatin1(c.Button)), Qt::LeftButton);
    auto* page = qobject_cast<TPageWindow*>(Tone(2).Pages[c.Kind].Window);
    ASSERT_NE(page, nullptr);
    EXPECT_STREQ(page->metaObject()->className(), c.Class);
    EXPECT_TRUE(page->windowTitle().contains(" [Tone 2] "));
  }
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
}

TEST_F(TonePage, AnEnvelopeChangeIsOneMessageAndOneUndoAndTheAmplitudeNeverStoresItsFourthLevel) {
  const auto check = [this](auto& page, int time, int level, bool locked) {
    SCOPED_TRACE(time);
    const TBytes before(Tone(1).Data() + time, Tone(1).Data() + level + 4);
    TGraphPoints points = page.Envelope()->Graph()->Points();
    points[4] += 10;  // time 2
    points[9] = 100;  // level 4 (the amplitude graph holds it at 0)
    page.Envelope()->Graph()->SetPoints(points);
    page.Envelope()->Store();
    const std::vector<TBytes> sent = Taken();
    // From the first changed byte to the last, in one data set.
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(AddressOf(sent[0]), ToneAddress(1, time + 1));
    EXPECT_EQ(sent[0].size(), 11u + (locked ? 1u : level + 3 - time));
    // The byte after the amplitude levels is LFO 1's amplifier depth: never touched.
    EXPECT_EQ(Tone(1).GetByte(117), 0);
    page.Undo();
    EXPECT_EQ(TBytes(Tone(1).Data() + time, Tone(1).Data() + level + 4), before);
    EXPECT_EQ(Taken().size(), 1u);
  };
  check(Open<TFormPitch>(TTone::pgPitch, 1), 70, 74, false);
  check(Open<TFormTVF>(TTone::pgTVF, 1), 91, 95, false);
  check(Open<TFormTVA>(TTone::pgTVA, 1), 110, 114, true);
}

TEST_F(TonePage, TheArrowsOfASteppedPictureStopAtItsEnds) {
  for (int offset : {80, 102}) {  // the filter type, the bias direction
    TPageWindow& page = offset == 80 ? static_cast<TPageWindow&>(Open<TFormTVF>(TTone::pgTVF, 1))
                                     : static_cast<TPageWindow&>(Open<TFormTVA>(TTone::pgTVA, 1));
    page.show();
    QApplication::processEvents();  // painted
    QWidget* box = page.Binding(offset)->Widget();
    auto* prev = box->findChild<QToolButton*>(QStringLiteral("Precedente"));
    auto* next = box->findChild<QToolButton*>(QStringLiteral("Successivo"));
    ASSERT_NE(next, nullptr);
    QTest::mouseClick(prev, Qt::LeftButton);  // at the first item: nothing
    EXPECT_TRUE(Taken().empty());
    const TParamRow& row = page.Binding(offset)->Row();
    for (int step = row.Min; step <= row.Max + 1; ++step) QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Taken().size(), static_cast<std::size_t>(row.Max - row.Min));  // none past the end
    EXPECT_EQ(Tone(1).GetByte(offset), row.Max);
  }
}

TEST_F(TonePage, LfoTwoOfToneThreeHasItsOwnBytesAndFollowsTheFadeMode) {
  auto& page = Open<TFormLFO>(TTone::pgLFO2, 3, 2);
  ASSERT_NE(page.Binding(79), nullptr);  // the pitch depth of LFO 2
  EXPECT_EQ(page.Binding(78), nullptr);  // LFO 1's

  auto* mode = qobject_cast<QComboBox*>(page.Binding(58)->Widget());
  ASSERT_NE(mode, nullptr);
  mode->setCurrentIndex(3);
  EXPECT_EQ(page.Fade()->FadeMode(), OFF_OUT);  // at once
  page.Fade()->SetFadeDelay(20);
  page.Fade()->SetFadeTime(30);
  Taken();
  Q_EMIT page.Fade()->OnEndchange();
  const std::vector<TBytes> sent = Taken();
  // Delay at b + 4 to time at b + 6 in one data set.
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(AddressOf(sent[0]), 0x03001400u + 57);
  EXPECT_EQ(sent[0].size(), 11u + 3u);
}

TEST_F(TonePage, ControllersAreShownOneAtATimeAndKeyRangesHoldEachOther) {
  auto& page = Open<TFormControl>(TTone::pgControl, 1);
  EXPECT_EQ(page.Controller(), 1);
  page.ControllerButtons()->button(3)->click();
  EXPECT_EQ(page.Controller(), 3);
  EXPECT_TRUE(page.Binding(37)->Widget()->isVisibleTo(&page));
  EXPECT_FALSE(page.Binding(21)->Widget()->isVisibleTo(&page));
  EXPECT_TRUE(Taken().empty());

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

// The "B" button of the wave page opens the program's "Select Name" picker on the group's list.
TEST_F(TonePage, ChosenNameBecomesTheWaveInOneMessageAndCancelChangesNothing) {
  Tone(2).StoreByte(4, 7);
  auto& page = Open<TFormWave>(TTone::pgWave, 2);
  EXPECT_EQ(page.WaveName()->text(), "Wave 7");

  PickWith(page, [](TFormSelectName& picker) {
    picker.Grid()->setCurrentCell(42, 2);  // wave 254, two nibbles 15 and 14
    picker.OkButton()->click();
  });
  // The group as the list shows it (a new tone's 0, 0 shows as Internal A) goes with the wave,
  // all four bytes in one data set.
  EXPECT_EQ(Taken(), std::vector<TBytes>{Set(ToneAddress(2, 1), {0, 1, 15, 14})});
  EXPECT_EQ(page.WaveName()->text(), "Wave 254");
  EXPECT_FALSE(library_->Saved);

  library_->Saved = true;
  PickWith(page, [](TFormSelectName& picker) {
    picker.Grid()->setCurrentCell(0, 2);
    picker.CancelButton()->click();
  });
  EXPECT_TRUE(Taken().empty());
  EXPECT_EQ(Tone(2).GetByte(4), 14);
  EXPECT_TRUE(library_->Saved);
  page.Undo();
  EXPECT_EQ(Taken(), std::vector<TBytes>{Set(ToneAddress(2, 1), {0, 0, 0, 7})});
  EXPECT_EQ(page.WaveName()->text(), "Wave 7");
}
