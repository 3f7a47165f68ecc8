// The morph window: showing it, a box or the slider changing the step that is heard, the player
// that walks the slider to 127, and the bank it adds to the library.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "model/library.h"
#include "model/patchbank.h"
#include "tools/formmorph.h"
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
    a->SetName(QStringLiteral("Soft Strings"), false);
    b->SetName(QStringLiteral("Hard Brass"), false);
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
  EXPECT_EQ(form.findChild<QLineEdit*>("NameA")->text(), QStringLiteral("Soft Strings"));
  EXPECT_EQ(form.findChild<QLineEdit*>("NameB")->text(), QStringLiteral("Hard Brass"));
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
}

TEST_F(TMorphWindowTest, StopEndsThePlayerAtOnce) {
  Show();
  form.NoteLength()->SetCode(2);
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
  EXPECT_EQ(bank.Name, QStringLiteral("MorphBank"));
  EXPECT_EQ(bank.Patch(0).GetName(), QStringLiteral("Soft Strings"));
  EXPECT_EQ(bank.Patch(127).GetName(), QStringLiteral("Morph127"));
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(menusEnabled, 1);
  EXPECT_EQ(form.Result(), nullptr);

  // Every box checked: the last patch is B.
  Show();
  for (int box = 0; box < kMorphBoxCount; ++box) form.Box(box)->setChecked(true);
  form.CreateBankClick();
  EXPECT_EQ(static_cast<TPatchBank&>(library.Element(3)).Patch(127).GetName(),
            QStringLiteral("Hard Brass"));
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
