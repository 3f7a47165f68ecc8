#include "cli/toolcommands.h"

#include <QDir>
#include <QFileInfo>

#include "cli/clierror.h"
#include "cli/loadedfile.h"
#include "model/fileio.h"
#include "model/patchbank.h"
#include "tools/bankrandomizer.h"
#include "tools/patchmorph.h"

namespace {
QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

// Walks the words after the command: options with their values and the positional files.
class TWords {
 public:
  TWords(const char* command, const QStringList& words) : command_(command), words_(words) {}
  bool AtEnd() const { return next_ >= words_.size(); }
  QString Take() { return words_[next_++]; }
  bool NextIs(auto accept) const { return !AtEnd() && accept(words_[next_]); }
  QString Value(const QString& option) {
    if (AtEnd()) throw Usage(QStringLiteral("%1 needs a value").arg(option));
    return Take();
  }
  TCliError Usage(const QString& text) const {
    return TCliError::Usage(QStringLiteral("%1: %2").arg(QLatin1String(command_), text));
  }

 private:
  const char* command_;
  QStringList words_;
  qsizetype next_ = 0;
};

TLoadedFile LoadKind(const QString& path, int kind, const char* what) {
  TLoadedFile file = TLoadedFile::Load(path);
  if (file.Format != TFileFormat::Syx || !file.Element || file.Element->Kind != kind)
    throw TCliError::BadInput(QStringLiteral("%1: not a %2 .Syx file").arg(Shown(path), what));
  return file;
}

void WriteOutput(const QString& path, const QByteArray& data) {
  if (QFileInfo(path).isDir())
    throw TCliError::BadInput(
        QStringLiteral("%1: is a folder; give the name of the file to write").arg(Shown(path)));
  if (!WriteFileAtomic(path, data)) FailWithRecordedMessages(Shown(path) + ": cannot be written");
}

int RunRandom(const TCliArgs& args) {
  TWords words("random", args.Words);
  QString input, output;
  std::optional<std::uint32_t> seed;
  TRandomOptions options;
  while (!words.AtEnd()) {
    const QString word = words.Take();
    if (word == QLatin1String("-o")) {
      output = words.Value(word);
    } else if (word == QLatin1String("--seed")) {
      const QString text = words.Value(word);
      bool ok = false;
      const qulonglong value = text.toULongLong(&ok, 10);
      if (!ok || value > 0xFFFFFFFFull)
        throw words.Usage(
            QStringLiteral("the seed must be a whole number from 0 to 4294967295, not \"%1\"")
                .arg(text));
      seed = static_cast<std::uint32_t>(value);
    } else if (word == QLatin1String("--tone-common")) {
      options.ToneCommonOriented = true;
    } else if (word == QLatin1String("--no-common")) {
      options.Common = false;
    } else if (word == QLatin1String("--no-name")) {
      options.PatchName = false;
    } else if (word == QLatin1String("--no-tone")) {
      // One or more tone numbers follow, as separate words or with commas.
      int count = 0;
      auto isTones = [](const QString& w) {
        for (const QString& part : w.split(u',', Qt::SkipEmptyParts)) {
          bool ok = false;
          const int n = part.toInt(&ok);
          if (!ok || n < 1 || n > 4) return false;
        }
        return !w.isEmpty() && !w.startsWith(u',');
      };
      while (words.NextIs(isTones)) {
        for (const QString& part : words.Take().split(u',', Qt::SkipEmptyParts))
          options.Tones[static_cast<std::size_t>(part.toInt() - 1)] = false;
        ++count;
      }
      if (count == 0) throw words.Usage(QStringLiteral("--no-tone needs tone numbers 1 to 4"));
    } else if (word.startsWith(u'-') && word.size() > 1) {
      throw words.Usage(QStringLiteral("unknown option %1").arg(word));
    } else if (input.isEmpty()) {
      input = word;
    } else {
      throw words.Usage(QStringLiteral("give one patch bank"));
    }
  }
  if (input.isEmpty()) throw words.Usage(QStringLiteral("give a patch bank .Syx file"));
  if (output.isEmpty()) throw words.Usage(QStringLiteral("give the file to write with -o"));
  if (!seed) throw words.Usage(QStringLiteral("give the generator's seed with --seed"));

  TLoadedFile file = LoadKind(input, ekPatchBank, "patch bank");
  auto& source = static_cast<TPatchBank&>(*file.Element);
  TPatchBank result(nullptr);
  TBankRandomizer randomizer;
  randomizer.Options = options;
  randomizer.RandomizeBank(source, result, *seed);
  WriteOutput(output, result.SysexBytes(file.Xp()));
  return ecSuccess;
}

// The box named by the word: its caption without blanks, signs or case ("coarse-tune",
// "CoarseTune" and "Coarse Tune" all name " Coarse Tune").
int MorphBox(const TWords& words, const QString& name) {
  auto key = [](QString text) {
    QString out;
    for (QChar c : text)
      if (c.isLetterOrNumber()) out += c.toLower();
    return out;
  };
  const QString wanted = key(name);
  for (int box = 0; box < kMorphBoxCount; ++box) {
    const QString caption = key(MorphBoxCaption(box));
    if (wanted == caption || (box == mbChorusOutputAssign && wanted == "chorusoutputassign"))
      return box;
  }
  throw words.Usage(
      QStringLiteral("no box is named \"%1\" (`vesta-cli help morph` lists them)").arg(name));
}

int RunMorph(const TCliArgs& args) {
  TWords words("morph", args.Words);
  QStringList inputs;
  QString output;
  bool bank = false;
  std::optional<int> factor;
  bool all = false;
  QList<int> include, exclude;
  while (!words.AtEnd()) {
    const QString word = words.Take();
    if (word == QLatin1String("-o")) {
      output = words.Value(word);
    } else if (word == QLatin1String("--bank")) {
      bank = true;
    } else if (word == QLatin1String("--factor")) {
      const QString text = words.Value(word);
      bool ok = false;
      const int k = text.toInt(&ok);
      if (!ok || k < 0 || k > 127)
        throw words.Usage(
            QStringLiteral("the factor must be a step from 0 to 127, not \"%1\"").arg(text));
      factor = k;
    } else if (word == QLatin1String("--all")) {
      all = true;
    } else if (word == QLatin1String("--include")) {
      include << MorphBox(words, words.Value(word));
    } else if (word == QLatin1String("--exclude")) {
      exclude << MorphBox(words, words.Value(word));
    } else if (word.startsWith(u'-') && word.size() > 1) {
      throw words.Usage(QStringLiteral("unknown option %1").arg(word));
    } else {
      inputs << word;
    }
  }
  if (inputs.size() != 2) throw words.Usage(QStringLiteral("give two patch .Syx files, A and B"));
  if (output.isEmpty()) throw words.Usage(QStringLiteral("give the file to write with -o"));
  if (bank == factor.has_value())
    throw words.Usage(QStringLiteral("give exactly one of --bank and --factor K"));

  TLoadedFile fileA = LoadKind(inputs[0], ekPatch, "patch");
  TLoadedFile fileB = LoadKind(inputs[1], ekPatch, "patch");
  TPatchMorph morph;
  if (all) morph.Checked.fill(true);
  for (int box : include) morph.Checked[static_cast<std::size_t>(box)] = true;
  for (int box : exclude) morph.Checked[static_cast<std::size_t>(box)] = false;
  morph.SetPatches(static_cast<TPatch&>(*fileA.Element), static_cast<TPatch&>(*fileB.Element));
  if (bank) {
    TPatchBank result(nullptr);
    morph.FillBank(result);
    WriteOutput(output, result.SysexBytes(fileA.Xp()));
  } else {
    TPatch result(nullptr);
    morph.UpdatePatch(*factor, result);
    WriteOutput(output, result.SysexBytes(fileA.Xp()));
  }
  return ecSuccess;
}

QByteArray MorphDetails() {
  QByteArray text =
      "Blends patch A towards patch B, as the morph window does: at step K (0 is A, 127 is B)\n"
      "each value allowed by the boxes becomes the nearest integer to ((127 - K) A + K B) / 127;\n"
      "the name, the effect type and what the boxes leave out stay A's. The effect parameters\n"
      "are blended only when A and B have one effect type. A wave is one choice: within one\n"
      "wave group its number is blended; across groups A's wave is kept up to step 63 and B's\n"
      "taken from step 64.\n"
      "  --bank       write the 128 steps as a patch bank (\"Morph001\" to \"Morph127\"; step 0\n"
      "               keeps A's name; with every box checked the last patch is B itself)\n"
      "  --factor K   write the one patch at step K\n"
      "  --include NAME, --exclude NAME  check or uncheck a box (repeatable; blanks, signs and\n"
      "               case in NAME do not matter). Every box is checked at first except\n"
      "               \"Coarse Tune\" and \"Fine Tune\"; --all checks every box first.\n"
      "Boxes:";
  for (int box = 0; box < kMorphBoxCount; ++box) {
    text += (box % 5 == 0 ? "\n  " : ", ");
    text += MorphBoxCaption(box).trimmed().toLatin1();
  }
  text += "\nThe files are written in A's layout.";
  return text;
}
}  // namespace

TCliCommand RandomCommand() {
  return {"random",
          "BANK.syx -o OUT.syx --seed N [--tone-common] [--no-common] [--no-name] "
          "[--no-tone K ...]",
          "make a random patch bank from the patches of a patch bank",
          "Runs the random bank generator once, as the \"Bank Random\" window does, with its\n"
          "generator seeded with N (0 to 4294967295), and writes the 128 new patches as a patch\n"
          "bank in BANK's layout. Each new patch i starts from patch i of BANK; its common block\n"
          "and each tone are taken from randomly chosen patches of BANK (tones from their tone\n"
          "1, 2 or 3), group by group, and its name is scrambled. The same bank and seed always\n"
          "give the same file.\n"
          "  --tone-common  take each block whole from one source instead of group by group\n"
          "  --no-common    keep each patch's own common block\n"
          "  --no-name      leave names as the common block gives them\n"
          "  --no-tone K    keep each patch's own tone K (1 to 4; several may follow)",
          1,
          -1,
          {QStringLiteral("--seed"), QStringLiteral("--tone-common"), QStringLiteral("--no-common"),
           QStringLiteral("--no-name"), QStringLiteral("--no-tone")},
          RunRandom};
}

TCliCommand MorphCommand() {
  static const QByteArray details = MorphDetails();
  return {"morph",
          "A.syx B.syx -o OUT.syx (--bank | --factor K) [--include NAME ...] [--exclude NAME "
          "...] [--all]",
          "blend two patches into one patch or a bank of 128 steps",
          details.constData(),
          2,
          -1,
          {QStringLiteral("--bank"), QStringLiteral("--factor"), QStringLiteral("--include"),
           QStringLiteral("--exclude"), QStringLiteral("--all")},
          RunMorph};
}
