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

// Shown: step 0 sent; the effect box is off for two effect types. A box makes the step again
// and it is heard after the pause; Play walks the slider by the step to 127; Stop ends it.
TEST_F(TMorphWindowTest, ABoxOrPlayMakesTheStepAgainAndItIsHeardUntilStop) {
  b->Common.StoreByte(12, static_cast<std::uint8_t>(a->Common.GetByte(12) ^ 1));
  Show();
  EXPECT_FALSE(form.Box(mbEfxParameter)->isEnabled());
  EXPECT_EQ(form.Result()->Common.Image, a->Common.Image);
  EXPECT_EQ(loop->Sent().size(), 5u);  // the whole patch, to the temporary area
  form.Slider()->SetValue(127);
  loop->ClearSent();
  QTest::mouseClick(form.Box(mbCoarseTune), Qt::LeftButton);
  EXPECT_EQ(loop->Sent().size(), 5u);
  form.NoteLength()->SetCode(1);
  form.PlayClick();  // a box clears the flag again
  QTest::mouseClick(form.Box(mbCoarseTune), Qt::LeftButton);
  EXPECT_FALSE(form.PlayingFlag());
  WaitForPlayer();
  EXPECT_EQ(heard, (std::vector<int>{127}));
  EXPECT_EQ(stopped, 1);

  // From 117 by 10: 127, then the end, heard once more.
  form.NoteLength()->SetCode(2);
  form.MorphStep()->SetCode(10);
  Q_EMIT form.MorphStep()->OnEndChange();
  heard.clear();
  form.Slider()->SetValue(117);
  form.PlayClick();
  WaitForPlayer();
  EXPECT_EQ(heard, (std::vector<int>{117, 127, 127}));
  heard.clear();
  form.Slider()->SetValue(0);
  form.PlayClick();
  form.StopClick();
  EXPECT_FALSE(form.Starter()->isActive());
  QTest::qWait(30);
  EXPECT_TRUE(heard.empty());
}

// Create Bank adds the bank (its contents are the morph's, checked there) and closes; boxes and
// lengths are kept in the settings for the next opening.
TEST_F(TMorphWindowTest, CreateBankAddsTheBankAndTheSettingsKeepTheChoices) {
  Show();
  const bool firstWas = form.Box(0)->isChecked();
  form.Box(0)->setChecked(!firstWas);
  form.NoteLength()->SetCode(2500);
  form.MorphStep()->SetCode(7);
  form.CreateBankClick();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(library.Count(), 3);
  EXPECT_EQ(library.Element(2).Kind, ekPatchBank);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(std::tuple(refreshed, menusEnabled, form.Result()), std::tuple(1, 1, nullptr));
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
  EXPECT_EQ(std::tuple(patch.Kind, patch.GetName(), patch.Temporary),
            std::tuple(int(ekPatch), QString("Rnd Patch1"), true));
  EXPECT_EQ(static_cast<TPatch&>(patch).Tones[2].Image, form.Result()->Patch(1).Tones[2].Image);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(std::tuple(refreshed, menusEnabled), std::tuple(1, 1));

  library.Saved = true;
  Click("CreateBank");
  EXPECT_FALSE(library.Saved);
  ASSERT_EQ(library.Count(), 3);
  auto& bank = static_cast<TPatchBank&>(library.Element(2));
  EXPECT_EQ(bank.SysexBytes(false), form.Result()->SysexBytes(false));
  EXPECT_TRUE(form.isVisible());
  // The source bank is never changed by any of it.
  TPatchBank fresh(nullptr);
  FillRandom(fresh, 21);
  EXPECT_EQ(source->SysexBytes(false), fresh.SysexBytes(false));
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
  EXPECT_EQ(form.Result()->SysexBytes(false), expected.SysexBytes(false));
  form.reject();

  // Another window, as in a later run reading the same settings.
  TFormRandom again;
  again.Prepare(*source, library, [] {});
  EXPECT_EQ(again.Result()->SysexBytes(false), expected.SysexBytes(false));
}
