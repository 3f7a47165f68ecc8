// The random bank window: stepping through the new bank and sending each patch, the seed that
// makes a bank again, and the patches and banks it adds to the library.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "model/library.h"
#include "model/patchbank.h"
#include "tools/formrandom.h"
#include "toolsfixture.h"
#include "toolwindowfixture.h"

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
  EXPECT_EQ(Shown(), QStringLiteral(" 1"));
  const TSentBytes sent = loop->Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(TSentBytes::value_type(sent[0].begin() + 5, sent[0].begin() + 9),
            (TSentBytes::value_type{0x03, 0x00, 0x00, 0x00}));
  loop->ClearSent();
  Click("Precedente");
  EXPECT_EQ(Shown(), QStringLiteral(" 0"));
  EXPECT_EQ(TakeSent(), 5u);
  Click("Precedente");  // at 0: nothing
  EXPECT_EQ(Shown(), QStringLiteral(" 0"));
  EXPECT_EQ(TakeSent(), 0u);
  for (int i = 0; i < 127; ++i) Click("Successivo");
  EXPECT_EQ(Shown(), QStringLiteral("127"));
  TakeSent();
  Click("Successivo");  // at 127: nothing
  EXPECT_EQ(Shown(), QStringLiteral("127"));
  EXPECT_EQ(TakeSent(), 0u);
  // Randomize Patch continues the sequence and sends; Randomize Bank goes back to position 1.
  const auto before = form.Result()->Patch(127).Tones[0].Image;
  Click("BitBtn2");
  EXPECT_NE(form.Result()->Patch(127).Tones[0].Image, before);
  EXPECT_EQ(TakeSent(), 5u);
  Click("BitBtn1");
  EXPECT_EQ(Shown(), QStringLiteral(" 1"));
  EXPECT_EQ(TakeSent(), 5u);
  EXPECT_TRUE(source->Patch(0).GetName() != form.Result()->Patch(0).GetName());
}

TEST_F(TRandomWindowTest, ATypedSeedMakesItsBankAgainWithTheBoxesAsSet) {
  form.findChild<QRadioButton*>("ToneComm")->setChecked(true);
  auto* seed = form.findChild<QLineEdit*>("Seed");
  seed->setText(QStringLiteral("123456789"));
  QTest::keyClick(seed, Qt::Key_Return);
  EXPECT_EQ(form.Seed(), 123456789u);
  TPatchBank expected(nullptr);
  TBankRandomizer randomizer;
  randomizer.Options.ToneCommonOriented = true;
  randomizer.RandomizeBank(*source, expected, 123456789u);
  for (int i = 0; i < 128; ++i) {
    ASSERT_EQ(form.Result()->Patch(i).Common.Image, expected.Patch(i).Common.Image) << i;
    for (int t = 0; t < 4; ++t)
      ASSERT_EQ(form.Result()->Patch(i).Tones[t].Image, expected.Patch(i).Tones[t].Image) << i;
  }
  // Randomize Bank takes a new seed from the clock and shows it.
  Click("BitBtn1");
  EXPECT_EQ(seed->text(), QString::number(form.Seed()));
}

TEST_F(TRandomWindowTest, CreatePatchAndCreateBankAddToTheLibraryAndStayOpen) {
  Click("CreatePatch");
  ASSERT_EQ(library.Count(), 2);
  TLibElem& patch = library.Element(1);
  EXPECT_EQ(patch.Kind, ekPatch);
  EXPECT_EQ(patch.GetName(), QStringLiteral("Rnd Patch1"));
  EXPECT_TRUE(patch.Temporary);
  EXPECT_EQ(static_cast<TPatch&>(patch).Tones[2].Image, form.Result()->Patch(1).Tones[2].Image);
  EXPECT_FALSE(library.Saved);
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(menusEnabled, 1);

  library.Saved = true;
  Click("Successivo");
  Click("CreatePatch");
  EXPECT_EQ(library.Element(2).GetName(), QStringLiteral("Rnd Patch2"));
  Click("CreateBank");
  ASSERT_EQ(library.Count(), 4);
  auto& bank = static_cast<TPatchBank&>(library.Element(3));
  EXPECT_EQ(bank.Kind, ekPatchBank);
  EXPECT_EQ(bank.Name, QStringLiteral("RandomBank"));
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

TEST_F(TRandomWindowTest, TestPlaysWhileHeld) {
  int started = 0, stopped = 0;
  ToolHost().StartPreview = [&] { ++started; };
  ToolHost().StopPreview = [&] { ++stopped; };
  QWidget* test = form.findChild<QWidget*>("BitBtn4");
  QTest::mousePress(test, Qt::LeftButton);
  EXPECT_EQ(started, 1);
  EXPECT_EQ(stopped, 0);
  QTest::mouseRelease(test, Qt::LeftButton);
  EXPECT_EQ(stopped, 1);
}

TEST_F(TRandomWindowTest, BoxesOrientationAndSeedAreKeptInTheSettingsForTheNextOpening) {
  form.findChild<QCheckBox*>("Common")->setChecked(false);
  form.findChild<QCheckBox*>("Tone3")->setChecked(false);
  form.findChild<QRadioButton*>("ToneComm")->setChecked(true);
  auto* seed = form.findChild<QLineEdit*>("Seed");
  seed->setText(QStringLiteral("4000000000"));
  QTest::keyClick(seed, Qt::Key_Return);
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
  again.reject();
}
