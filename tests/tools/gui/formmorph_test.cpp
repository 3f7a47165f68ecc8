// The morph window (the step heard, the player, the bank it adds) and the random bank window
// (stepping through the bank, the seed, what it adds to the library, its settings).
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "model/library.h"
#include "model/patchbank.h"
#include "tools/formmorph.h"
#include "tools/formrandom.h"
#include "toolsfixture.h"
#include "toolwindowfixture.h"

namespace {
class TMorphWindowTest : public TToolWindowTest {
 protected:
  void SetUp() override {
    TToolWindowTest::SetUp();
    std::mt19937 gen(5);
    a = static_cast<TPatch*>(&library.NewElement(ekPatch));
    b = static_cast<TPatch*>(&library.NewElement(ekPatch));
    FillRandom(*a, gen);
    FillRandom(*b, gen);
    a->SetName("Soft Strings", false);
    b->SetName("Hard Brass", false);
    library.Saved = true;
    ToolHost().StartPreview = [this] { heard.push_back(form.Slider()->Value()); };
    ToolHost().StopPreview = [this] { ++stopped; };
  }
  void Show() {
    form.Prepare(*a, *b, library, [this] { ++refreshed; });
    form.show();
  }
  // Runs the event loop until neither timer is waiting.
  void WaitForPlayer() {
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return !form.Starter()->isActive() && !form.Timer1()->isActive(); }, 5000));
  }

  TLibrary library;
  TPatch* a = nullptr;
  TPatch* b = nullptr;
  TFormMorph form;
  std::vector<int> heard;
  int stopped = 0;
  int refreshed = 0;
};
}  // namespace

TEST_F(TMorphWindowTest, ShowingItMakesStepZeroAndEnablesTheEffectsOnlyForOneType) {
  b->Common.StoreByte(12, static_cast<std::uint8_t>(a->Common.GetByte(12) ^ 1));
  Show();
  EXPECT_FALSE(form.Box(mbEfxParameter)->isEnabled());
  EXPECT_TRUE(form.Box(mbEfxParameter)->isChecked());
  EXPECT_FALSE(form.Box(mbCoarseTune)->isChecked());
  EXPECT_EQ(form.findChild<QLineEdit*>("NameA")->text(), "Soft Strings");
  EXPECT_EQ(form.findChild<QLineEdit*>("NameB")->text(), "Hard Brass");
  EXPECT_EQ(form.Slider()->Value(), 0);
  EXPECT_EQ(form.Result()->Common.Image, a->Common.Image);
  EXPECT_EQ(loop->Sent().size(), 5u);  // the whole patch, to the temporary area
  // At the end of the slider the effect parameters stay A's.
  form.Slider()->SetValue(127);
  Q_EMIT form.Slider()->OnEndchange();
  EXPECT_EQ(form.Result()->Common.GetByte(13), a->Common.GetByte(13));
  EXPECT_EQ(form.Result()->Common.GetByte(47), b->Common.GetByte(47));

  // Types equal: the box is enabled again.
  b->Common.StoreByte(12, a->Common.GetByte(12));
  Show();
  EXPECT_TRUE(form.Box(mbEfxParameter)->isEnabled());
}

TEST_F(TMorphWindowTest, ABoxMakesTheStepAgainAndItIsHeardAfterThePause) {
  Show();
  form.Slider()->SetValue(127);
  loop->ClearSent();
  QTest::mouseClick(form.Box(mbCoarseTune), Qt::LeftButton);
  EXPECT_TRUE(form.Box(mbCoarseTune)->isChecked());
  EXPECT_EQ(form.Result()->Tones[0].GetByte(61), b->Tones[0].GetByte(61));
  EXPECT_EQ(loop->Sent().size(), 5u);
  EXPECT_TRUE(form.Starter()->isActive());
  form.NoteLength()->SetCode(1);
  form.PlayClick();  // changes nothing here but the flag: a box clears it again
  QTest::mouseClick(form.Box(mbCoarseTune), Qt::LeftButton);
  EXPECT_FALSE(form.PlayingFlag());
  WaitForPlayer();
  EXPECT_EQ(heard, (std::vector<int>{127}));
  EXPECT_EQ(stopped, 1);
}

TEST_F(TMorphWindowTest, PlayWalksTheSliderToTheEndByTheStepLength) {
  Show();
  form.NoteLength()->SetCode(2);
  form.MorphStep()->SetCode(10);
  Q_EMIT form.MorphStep()->OnEndChange();
  EXPECT_EQ(form.Timer1()->interval(), 2);
  struct {
    int from;
    std::vector<int> heard;
  } cases[] = {{120, {120, 127}}, {117, {117, 127, 127}}, {127, {127, 127}}};
  for (const auto& c : cases) {
    heard.clear();
    stopped = 0;
    form.Slider()->SetValue(c.from);
    form.PlayClick();
    WaitForPlayer();
    EXPECT_EQ(heard, c.heard) << c.from;
    EXPECT_EQ(stopped, static_cast<int>(c.heard.size())) << c.from;
    EXPECT_FALSE(form.PlayingFlag());
    EXPECT_EQ(form.Slider()->Value(), 127);
  }
  // The patch of the last step is step 127.
  TPatch expected(nullptr);
  TPatchMorph morph;
  morph.SetPatches(*a, *b);
  morph.UpdatePatch(127, expected);
  EXPECT_EQ(form.Result()->Tones[3].Image, expected.Tones[3].Image);
  // Stop ends the player at once: nothing more is heard.
  heard.clear();
  form.Slider()->SetValue(0);
  form.PlayClick();
  form.StopClick();
  EXPECT_FALSE(form.PlayingFlag());
  EXPECT_FALSE(form.Starter()->isActive());
  EXPECT_FALSE(form.Timer1()->isActive());
  QTest::qWait(30);
  EXPECT_TRUE(heard.empty());
}

TEST_F(TMorphWindowTest, CreateBankAddsTheMorphBankAndCloses) {
  Show();
  form.Slider()->SetValue(40);
  form.CreateBankClick();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(library.Count(), 3);
  auto& bank = static_cast<TPatchBank&>(library.Element(2));
  EXPECT_EQ(bank.Kind, ekPatchBank);
  EXPECT_EQ(bank.Name, "MorphBank");
  EXPECT_EQ(bank.Patch(0).GetName(), "Soft Strings");
  EXPECT_EQ(bank.Patch(127).GetName(), "Morph127");
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(menusEnabled, 1);
  EXPECT_EQ(form.Result(), nullptr);

  // Every box checked: the last patch is B.
  Show();
  for (int box = 0; box < kMorphBoxCount; ++box) form.Box(box)->setChecked(true);
  form.CreateBankClick();
  EXPECT_EQ(static_cast<TPatchBank&>(library.Element(3)).Patch(127).GetName(), "Hard Brass");
}

TEST_F(TMorphWindowTest, BoxesAndLengthsAreKeptInTheSettingsForTheNextOpening) {
  Show();
  QCheckBox* first = form.Box(0);
  const bool firstWas = first->isChecked();
  first->setChecked(!firstWas);
  form.NoteLength()->SetCode(2500);
  form.MorphStep()->SetCode(7);
  form.reject();

  TFormMorph again;
  EXPECT_EQ(again.Box(0)->isChecked(), !firstWas);
  EXPECT_EQ(again.Box(1)->isChecked(), form.Box(1)->isChecked());
  EXPECT_EQ(again.NoteLength()->Code(), 2500);
  EXPECT_EQ(again.MorphStep()->Code(), 7);
  EXPECT_EQ(again.Timer1()->interval(), 2500);
}

namespace {
class TRandomWindowTest : public TToolWindowTest {
 protected:
  void SetUp() override {
    TToolWindowTest::SetUp();
    source = static_cast<TPatchBank*>(&library.NewElement(ekPatchBank));
    FillRandom(*source, 21);
    library.Saved = true;
    form.Prepare(*source, library, [this] { ++refreshed; });
    form.show();
  }
  // The data sets sent since the last look, as (address, block) starts.
  std::size_t TakeSent() {
    const std::size_t n = loop->Sent().size();
    loop->ClearSent();
    return n;
  }
  void Click(const char* name) {
    QTest::mouseClick(form.findChild<QWidget*>(QLatin1String(name)), Qt::LeftButton);
  }
  QString Shown() const { return form.findChild<QLineEdit*>("CurrPatch")->text(); }

  TLibrary library;
  TPatchBank* source = nullptr;
  TFormRandom form;
  int refreshed = 0;
};
}  // namespace

TEST_F(TRandomWindowTest, StepsThroughTheBankSendingEachPatch) {
  // Shown: position 1, its patch sent whole (common and four tones) to the temporary area.
  EXPECT_EQ(Shown(), " 1");
  const TSentBytes sent = loop->Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(TSentBytes::value_type(sent[0].begin() + 5, sent[0].begin() + 9),
            (TSentBytes::value_type{0x03, 0x00, 0x00, 0x00}));
  loop->ClearSent();
  Click("Precedente");
  EXPECT_EQ(Shown(), " 0");
  EXPECT_EQ(TakeSent(), 5u);
  Click("Precedente");  // at 0: nothing
  EXPECT_EQ(Shown(), " 0");
  EXPECT_EQ(TakeSent(), 0u);
  for (int i = 0; i < 127; ++i) Click("Successivo");
  EXPECT_EQ(Shown(), "127");
  TakeSent();
  Click("Successivo");  // at 127: nothing
  EXPECT_EQ(Shown(), "127");
  EXPECT_EQ(TakeSent(), 0u);
  // Randomize Patch continues the sequence and sends; Randomize Bank goes back to position 1.
  const auto before = form.Result()->Patch(127).Tones[0].Image;
  Click("BitBtn2");
  EXPECT_NE(form.Result()->Patch(127).Tones[0].Image, before);
  EXPECT_EQ(TakeSent(), 5u);
  Click("BitBtn1");
  EXPECT_EQ(Shown(), " 1");
  EXPECT_EQ(TakeSent(), 5u);
  EXPECT_TRUE(source->Patch(0).GetName() != form.Result()->Patch(0).GetName());
  // Test plays while held.
  int started = 0, stopped = 0;
  ToolHost().StartPreview = [&] { ++started; };
  ToolHost().StopPreview = [&] { ++stopped; };
  QTest::mousePress(form.findChild<QWidget*>("BitBtn4"), Qt::LeftButton);
  EXPECT_EQ(std::pair(started, stopped), std::pair(1, 0));
  QTest::mouseRelease(form.findChild<QWidget*>("BitBtn4"), Qt::LeftButton);
  EXPECT_EQ(stopped, 1);
}

TEST_F(TRandomWindowTest, CreatePatchAndCreateBankAddToTheLibraryAndStayOpen) {
  Click("CreatePatch");
  ASSERT_EQ(library.Count(), 2);
  TLibElem& patch = library.Element(1);
  EXPECT_EQ(patch.Kind, ekPatch);
  EXPECT_EQ(patch.GetName(), "Rnd Patch1");
  EXPECT_TRUE(patch.Temporary);
  EXPECT_EQ(static_cast<TPatch&>(patch).Tones[2].Image, form.Result()->Patch(1).Tones[2].Image);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(menusEnabled, 1);

  library.Saved = true;
  Click("Successivo");
  Click("CreatePatch");
  EXPECT_EQ(library.Element(2).GetName(), "Rnd Patch2");
  Click("CreateBank");
  ASSERT_EQ(library.Count(), 4);
  auto& bank = static_cast<TPatchBank&>(library.Element(3));
  EXPECT_EQ(bank.Kind, ekPatchBank);
  EXPECT_EQ(bank.Name, "RandomBank");
  EXPECT_EQ(bank.Owner, &library);
  for (int i = 0; i < 128; i += 9)
    EXPECT_EQ(bank.Patch(i).Common.Image, form.Result()->Patch(i).Common.Image);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(refreshed, 3);
  EXPECT_TRUE(form.isVisible());
  // The source bank is never changed by any of it.
  TPatchBank fresh(nullptr);
  FillRandom(fresh, 21);
  for (int i = 0; i < 128; ++i)
    ASSERT_EQ(source->Patch(i).Tones[1].Image, fresh.Patch(i).Tones[1].Image);
}

// A typed seed makes its bank again with the boxes as set; boxes, orientation and seed are kept
// in the settings for the next opening.
TEST_F(TRandomWindowTest, ATypedSeedMakesItsBankWithTheBoxesAsSetAndTheSettingsKeepThem) {
  form.findChild<QCheckBox*>("Common")->setChecked(false);
  form.findChild<QCheckBox*>("Tone3")->setChecked(false);
  form.findChild<QRadioButton*>("ToneComm")->setChecked(true);
  auto* seed = form.findChild<QLineEdit*>("Seed");
  seed->setText("4000000000");
  QTest::keyClick(seed, Qt::Key_Return);
  EXPECT_EQ(form.Seed(), 4000000000u);
  TPatchBank expected(nullptr);
  TBankRandomizer randomizer;
  randomizer.Options = {false, true, {true, true, false, true}, true};
  randomizer.RandomizeBank(*source, expected, 4000000000u);
  for (int i = 0; i < 128; ++i) {
    ASSERT_EQ(form.Result()->Patch(i).Common.Image, expected.Patch(i).Common.Image) << i;
    for (int t = 0; t < 4; ++t)
      ASSERT_EQ(form.Result()->Patch(i).Tones[t].Image, expected.Patch(i).Tones[t].Image) << i;
  }
  const auto made = form.Result()->Patch(9).Tones[1].Image;
  form.reject();
  EXPECT_EQ(settings["Random/Common"], 0);
  EXPECT_EQ(settings["Random/ToneComm"], 1);

  // Another window, as in a later run reading the same settings.
  TFormRandom again;
  EXPECT_FALSE(again.findChild<QCheckBox*>("Common")->isChecked());
  EXPECT_TRUE(again.findChild<QCheckBox*>("PatchName")->isChecked());
  EXPECT_FALSE(again.findChild<QCheckBox*>("Tone3")->isChecked());
  EXPECT_TRUE(again.findChild<QRadioButton*>("ToneComm")->isChecked());
  EXPECT_FALSE(again.findChild<QRadioButton*>("RadioButton2")->isChecked());
  again.Prepare(*source, library, [] {});
  EXPECT_EQ(again.Seed(), 4000000000u);
  EXPECT_EQ(again.findChild<QLineEdit*>("Seed")->text(), "4000000000");
  EXPECT_EQ(again.Result()->Patch(9).Tones[1].Image, made);
  // Randomize Bank takes a new seed from the clock and shows it.
  QTest::mouseClick(again.findChild<QWidget*>("BitBtn1"), Qt::LeftButton);
  EXPECT_NE(again.Seed(), 4000000000u);
  EXPECT_EQ(again.findChild<QLineEdit*>("Seed")->text(), QString::number(again.Seed()));
  again.reject();
}
