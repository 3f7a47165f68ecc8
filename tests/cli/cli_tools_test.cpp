// vesta-cli random and morph: the files they write are the engines' results for the options
// given, in the patch bank and patch .Syx layouts; wrong command lines are refused.
#include <random>

#include "model/patchbank.h"
#include "tests/cli/clitest.h"
#include "tools/bankrandomizer.h"
#include "tools/patchmorph.h"

namespace {
void Scramble(TPatch& patch, std::mt19937& gen) {
  std::uniform_int_distribution<int> byte(0, 127);
  for (int b = 12; b < 72; ++b) patch.Common.StoreByte(b, static_cast<std::uint8_t>(byte(gen)));
  for (TTone& tone : patch.Tones)
    for (int b = 0; b < 129; ++b) tone.StoreByte(b, static_cast<std::uint8_t>(byte(gen)));
}

class TCliToolsTest : public TCliTest {
 protected:
  void SetUp() override {
    std::mt19937 gen(3);
    for (int i = 0; i < 128; ++i) {
      Scramble(source.Patch(i), gen);
      source.Patch(i).SetName(QStringLiteral("Sound %1").arg(i), false);
    }
    Write("bank.Syx", source.SysexBytes(false));
    Scramble(a, gen);
    Scramble(b, gen);
    a.SetName("Alpha", false);
    b.SetName("Beta", false);
    b.Common.StoreByte(12, a.Common.GetByte(12));
    Write("a.Syx", a.SysexBytes(false));
    Write("b.Syx", b.SysexBytes(false));
  }

  TPatchBank source{nullptr};
  TPatch a{nullptr};
  TPatch b{nullptr};
};
}  // namespace

TEST_F(TCliToolsTest, RandomWritesTheGeneratorsBankForTheSeedAndBoxes) {
  struct {
    const char* options;
    TRandomOptions expected;
  } cases[] = {
      {"", {}},
      {"--no-common --no-tone 2 4", {false, true, {true, false, true, false}, false}},
      {"--no-name --no-tone 1,3 --tone-common", {true, false, {false, true, false, true}, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const TCliRun run =
        Run("random bank.Syx -o out.Syx --seed 4000000000 " + QLatin1String(c.options));
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    TPatchBank expected(nullptr);
    TBankRandomizer randomizer;
    randomizer.Options = c.expected;
    randomizer.RandomizeBank(source, expected, 4000000000u);
    EXPECT_EQ(Read("out.Syx"), expected.SysexBytes(false));
  }
}

TEST_F(TCliToolsTest, MorphWritesOneStepOrTheBank) {
  ASSERT_EQ(Run("morph a.Syx b.Syx -o step.Syx --factor 100").Exit, 0);
  TPatchMorph morph;
  morph.SetPatches(a, b);
  TPatch expected(nullptr);
  morph.UpdatePatch(100, expected);
  EXPECT_EQ(Read("step.Syx"), expected.SysexBytes(false));
  struct {
    const char* options;
    std::vector<TMorphBox> on, off;
  } cases[] = {
      {"--include coarse-tune --exclude On/Off --exclude Tone2",
       {mbCoarseTune},
       {mbOnOff, mbTone2}},
      {"--all --exclude chorus-output-assign", {mbCoarseTune, mbFineTune}, {mbChorusOutputAssign}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const TCliRun run = Run("morph a.Syx b.Syx -o bank.Syx --bank " + QLatin1String(c.options));
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    TPatchMorph boxes;
    boxes.SetPatches(a, b);
    for (TMorphBox box : c.on) boxes.Checked[box] = true;
    for (TMorphBox box : c.off) boxes.Checked[box] = false;
    TPatchBank bank(nullptr);
    boxes.FillBank(bank);
    EXPECT_EQ(Read("bank.Syx"), bank.SysexBytes(false));
  }
}
