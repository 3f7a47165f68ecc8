// vesta-cli show, diff and set: every parameter as the editors show it, what differs, and
// parameters set by their shown text, checked against show and the model.
#include "editors/params/paramlisting.h"
#include "model/block.h"
#include "model/library.h"
#include "model/pagenames.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "tests/cli/clitest.h"

namespace {
// The parameter of a shown sound at block and offset.
QJsonObject Param(const QJsonValue& sound, const QString& block, int offset) {
  for (const QJsonValue& p : sound.toObject()[QLatin1String("parameters")].toArray())
    if (Str(p, "block") == block && p.toObject()[QLatin1String("offset")].toInt() == offset)
      return p.toObject();
  ADD_FAILURE() << "no parameter " << block.toStdString() << " " << offset;
  return {};
}

QByteArray PatchSyx(const QString& name, const std::function<void(TPatch&)>& edit) {
  TPatch patch(nullptr);
  patch.Init();
  patch.SetName(name, false);
  edit(patch);
  return patch.SysexBytes(false);
}
}  // namespace

TEST_F(TCliTest, ShowListsEveryPatchParameterWithItsStoredBytesAndText) {
  Write("p.syx", PatchSyx("Warm Pad", [](TPatch& p) {
          p.Common.StoreByte(44, 15);  // tempo 250
          p.Common.StoreByte(45, 10);
          p.Common.StoreByte(47, 0);  // pan L 64
          p.Tones[3].StoreByte(128, 7);
          p.Tones[2].StoreByte(80, 9);  // no such filter type
          p.Common.StoreByte(12, 0);    // stereo equalizer
          p.Common.StoreByte(14, 30);   // low gain +15 dB
        }));
  const QJsonArray sounds = JsonArray("show p.syx --json");
  ASSERT_EQ(sounds.size(), 1);
  EXPECT_EQ(Str(sounds[0], "kind"), "Patch");
  EXPECT_EQ(Str(sounds[0], "name"), "Warm Pad");
  // Stored bytes as written, the text the editors show, and a byte outside its row flagged.
  const struct {
    const char* Block;
    int Offset;
    const char* Caption;
    QJsonArray Stored;
    const char* Text;
  } rows[] = {{"common", 44, "Default Tempo", {15, 10}, "250"},
              {"common", 47, "Pan", {0}, "L 64"},
              {"common", 14, "Low Gain ", {30}, "+15 dB"},
              {"tone 4", 128, "Reverb Send Level", {7}, "7"},
              {"tone 3", 80, "Filter Type", {9}, "9"}};
  for (const auto& r : rows) {
    QJsonObject expected{{"block", r.Block},
                         {"offset", r.Offset},
                         {"caption", r.Caption},
                         {"stored", r.Stored},
                         {"text", r.Text}};
    if (r.Offset == 80) expected["outOfRange"] = true;
    EXPECT_EQ(Param(sounds[0], r.Block, r.Offset), expected) << r.Block << " " << r.Offset;
  }
  EXPECT_EQ(Param(sounds[0], "common", 0)["text"], "Warm Pad");

  // The text listing says the same, one line a parameter, and flags the odd byte.
  const TCliRun text = Run("show p.syx");
  EXPECT_TRUE(text.Out.startsWith("1: Patch \"Warm Pad\"\n"));
  EXPECT_TRUE(text.Out.contains(QRegularExpression("common +44  Default Tempo +250\n")));
  EXPECT_TRUE(
      text.Out.contains(QRegularExpression("tone 3 +80  Filter Type +9  \\(out of range: 09\\)")));
}

TEST_F(TCliTest, DiffListsOnlyTheParametersWhoseBytesDiffer) {
  Write("a.syx", PatchSyx("Same", [](TPatch&) {}));
  Write("b.syx", PatchSyx("Same", [](TPatch& p) {
          p.Tones[1].StoreByte(81, 64);
          p.Common.StoreByte(45, 5);  // tempo 21
        }));
  const QStringList lines = Lines("diff a.syx b.syx");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "1: Patch \"Same\" | \"Same\"");
  EXPECT_TRUE(lines[1].contains(QRegularExpression("common +44  Default Tempo +20 \\| 21$")));
  EXPECT_TRUE(lines[2].contains(QRegularExpression("tone 2 +81  Cutoff Frequency +0 \\| 64$")));
  EXPECT_EQ(Run("diff a.syx a.syx").Out, "No differences.\n");
  const QJsonArray json = JsonArray("diff a.syx b.syx --json");
  ASSERT_EQ(json.size(), 2);
  EXPECT_EQ(json[1].toObject()["b"].toObject()["stored"].toArray(), QJsonArray{64});
  // Under a type the tables do not know, the effect bytes are numbers, flagged.
  Write("odd.syx", PatchSyx("Odd", [](TPatch& p) { p.Common.StoreByte(12, 45); }));
  const QJsonArray odd = JsonArray("show odd.syx --json");
  ASSERT_EQ(odd.size(), 1);
  EXPECT_TRUE(Param(odd[0], "common", 12)["outOfRange"].toBool());
  EXPECT_EQ(Param(odd[0], "common", 20)["text"].toString(), "0");
}

TEST_F(TCliTest, ShowNamesTheBlocksOfEveryKindOfSound) {
  TLibrary library;
  for (int kind : {ekPatch, ekPerformance, ekRhythm, ekSystem, ekPatchBank})
    library.NewElement(kind);
  Write("all.Lib", library.SaveToBytes(false));
  const QJsonArray sounds = JsonArray("show all.Lib --json");
  ASSERT_EQ(sounds.size(), 4 + 128);  // a bank's members one by one
  QStringList kinds;
  for (const QJsonValue& sound : sounds) kinds << Str(sound, "kind");
  EXPECT_EQ(kinds.mid(0, 5), (QStringList{"Patch", "Performance", "Rhythm", "System", "Patch"}));
  // The performance's effects sit one byte later than a patch's, its EFX Source before them.
  EXPECT_EQ(Param(sounds[1], "common", 13)["caption"].toString(), "EFX Type");
  EXPECT_EQ(Param(sounds[1], "common", 12)["caption"].toString(), "EFX Source");
  Param(sounds[1], "part 16", 0);
  Param(sounds[2], "note 35", 0);
  Param(sounds[2], "note 98", 0);
  Param(sounds[3], "scale tune 17", 0);
  // Every data byte is some parameter's, but the twelfth effect parameter, which the stereo
  // equalizer of a new patch or performance does not use.
  const int bytes[] = {72 + 4 * 129 - 1, 64 + 16 * 19 - 1, 12 + 64 * 58, 40 + 17 * 12};
  for (int i = 0; i < 4; ++i) {
    int covered = 0;
    for (const QJsonValue& p : sounds[i].toObject()["parameters"].toArray())
      covered += p.toObject()["stored"].toArray().size();
    EXPECT_EQ(covered, bytes[i]) << kinds[i].toStdString();
  }
}

namespace {
// The set command's word for a block: "tone 2" is "tone2", "scale tune 3" "scale3".
QString BlockWord(QString block) {
  block.replace(QLatin1String("scale tune"), QLatin1String("scale"));
  return block.remove(u' ');
}

// One assignment per shown parameter that shows a value of its row, in listing order: the
// effect type before its parameters, a wave group before its wave.
QStringList Assignments(const QJsonArray& parameters) {
  // A caption a block holds twice is named by its offset.
  QHash<QString, int> count;
  auto caption = [](const QJsonObject& p) {
    return BlockWord(p["block"].toString()) + u'/' + p["caption"].toString().trimmed();
  };
  for (const QJsonValue& value : parameters) ++count[caption(value.toObject()).toLower()];
  QStringList words;
  for (const QJsonValue& value : parameters) {
    const QJsonObject p = value.toObject();
    if (p.contains(QLatin1String("outOfRange"))) continue;
    const QString key = count[caption(p).toLower()] > 1 ? BlockWord(p["block"].toString()) + u'/' +
                                                              QString::number(p["offset"].toInt())
                                                        : caption(p);
    words << key + u'=' + p["text"].toString();
  }
  return words;
}

// Whether no other value of the row shows what stored shows in this block: only such a text
// names its bytes (names from a list may repeat, and a list without names shows blanks).
bool Unique(const TParamRow& row, const TBlock& block, int stored) {
  std::vector<std::uint8_t> data(block.Data(), block.Data() + block.Size());
  auto text = [&](int value) {
    ParamSplit(row, value, data.data() + row.Offset);
    return ParamText(row, data.data());
  };
  const QString wanted = text(stored);
  for (int value = row.Min; value <= row.Max; ++value)
    if (value != stored && text(value) == wanted) return false;
  return true;
}

// The sound with every row's bytes at one end of its range, rows taken anew after each one (an
// effect type changes its parameters' rows). A row whose text there is not its own keeps its
// bytes.
void SetEveryRowTo(TLibElem& sound, bool high) {
  for (std::size_t b = 0; b < ShownBlocks(sound).size(); ++b) {
    for (std::size_t r = 0;; ++r) {
      auto blocks = ShownBlocks(sound);
      if (r >= blocks[b].Rows.size()) break;
      const TParamRow& row = blocks[b].Rows[r];
      TBlock& block = *blocks[b].Data;
      if (row.Control == TParamControl::Name) {
        for (int i = 0; i < row.Size; ++i) block.StoreByte(row.Offset + i, high ? '~' : ' ');
        continue;
      }
      const int stored = high ? row.Max : row.Min;
      if (!Unique(row, block, stored)) continue;
      std::uint8_t bytes[2];
      ParamSplit(row, stored, bytes);
      for (int i = 0; i < std::min<int>(row.Size, 2); ++i)
        block.StoreByte(row.Offset + i, bytes[i]);
    }
  }
}
}  // namespace

TEST_F(TCliTest, SetTakesEveryRowOfEveryTableToItsEndsAndBackAsShowShowsThem) {
  // The name lists vesta-cli shows, so that the names' texts here are its texts.
  PageNames().Load();
  const auto shown = [&](const QString& name) {  // the parameters of the file's one sound
    const QJsonArray sounds = JsonArray("show " + name + " --json");
    EXPECT_EQ(sounds.size(), 1);
    return sounds[0].toObject()[QLatin1String("parameters")].toArray();
  };
  for (int kind : {ekPatch, ekPerformance, ekRhythm, ekSystem}) {
    SCOPED_TRACE(kind);
    auto original = CreateElement(kind, nullptr);
    original->Init();
    // Bytes a new sound holds outside their rows (a rhythm note's pan 0) cannot be typed back.
    for (const TShownBlock& block : ShownBlocks(*original))
      for (const TParamRow& row : block.Rows)
        if (row.Size <= 2 && !ParamInRange(row, block.Data->Data())) {
          std::uint8_t bytes[2];
          ParamSplit(row, row.Min, bytes);
          for (int i = 0; i < row.Size; ++i) block.Data->StoreByte(row.Offset + i, bytes[i]);
        }
    Write("in.syx", original->SysexBytes(false));
    const QStringList back = Assignments(shown("in.syx"));
    for (bool high : {false, true}) {
      auto end = CreateElement(kind, nullptr);
      end->Init();
      SetEveryRowTo(*end, high);
      Write("end.syx", end->SysexBytes(false));
      const QJsonArray shownEnd = shown("end.syx");
      const TCliRun set =
          Cli(QStringList{"set", "in.syx", "-o", "out.syx"} + Assignments(shownEnd));
      ASSERT_EQ(set.Exit, 0) << set.Err.toStdString();
      // The bytes of the sound at that end, with valid checksums, and show agrees.
      EXPECT_EQ(Read("out.syx"), Read("end.syx"))
          << (high ? "high\n" : "low\n") << Run("diff out.syx end.syx").Out.toStdString();
      EXPECT_EQ(shown("out.syx"), shownEnd);
      const TCliRun again = Cli(QStringList{"set", "out.syx", "-o", "back.syx"} + back);
      ASSERT_EQ(again.Exit, 0) << again.Err.toStdString();
      EXPECT_EQ(Read("back.syx"), Read("in.syx")) << Run("diff back.syx in.syx").Out.toStdString();
    }
  }
}

TEST_F(TCliTest, SetWritesOneOrEverySoundInTheInputsFormatAndLayout) {
  TPatchBank bank(nullptr);
  bank.Init();
  Write("bank.syx", bank.SysexBytes(true));
  ASSERT_EQ(Cli({"set", "bank.syx", "-o", "one.syx", "--element", "3", "common/patch level=100",
                 "tone2/Cutoff Frequency=84", "common/pan=L 20", "tone/Tone Switch=Off"})
                .Exit,
            0);
  TPatchBank expected(nullptr);
  expected.Init();
  auto& third = static_cast<TPatch&>(expected.Member(2));
  third.Common.StoreByte(46, 100);
  third.Tones[1].StoreByte(81, 84);
  third.Common.StoreByte(47, 44);
  for (TTone& tone : third.Tones) tone.StoreByte(0, 0);
  EXPECT_EQ(Read("one.syx"), expected.SysexBytes(true));

  ASSERT_EQ(Cli({"set", "bank.syx", "-o", "all.syx", "--all", "common/Patch Level=7"}).Exit, 0);
  TPatchBank all(nullptr);
  all.Init();
  for (int i = 0; i < all.Count(); ++i) all.Patch(i).Common.StoreByte(46, 7);
  EXPECT_EQ(Read("all.syx"), all.SysexBytes(true));

  // A library stays a library; --all skips the sounds without the block.
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekSystem);
  Write("lib.Lib", library.SaveToBytes(false));
  ASSERT_EQ(Cli({"set", "lib.Lib", "-o", "out.Lib", "--all", "tone1/Cutoff Frequency=99"}).Exit, 0);
  static_cast<TPatch&>(library.Element(0)).Tones[0].StoreByte(81, 99);
  Write("expected.Lib", library.SaveToBytes(false));
  EXPECT_EQ(Read("out.Lib"), Read("expected.Lib"))
      << Run("diff out.Lib expected.Lib").Out.toStdString();
}
