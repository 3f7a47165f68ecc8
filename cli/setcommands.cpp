#include "cli/setcommands.h"

#include <QDir>
#include <QRegularExpression>

#include "cli/clierror.h"
#include "cli/loadedfile.h"
#include "cli/outputfile.h"
#include "editors/params/paramlisting.h"
#include "model/bank.h"
#include "model/block.h"
#include "model/pagenames.h"

namespace {
// One "BLOCK/CAPTION=VALUE" of the command line.
struct TAssignment {
  QString Word;  // as given, for messages
  QStringList Blocks;  // the listing's block names it reaches: "tone 2", or all four tones
  QString Caption;
  QString Value;
};

// The listing's names of a block word: "tone2" is "tone 2", "tone" every tone, "scale3" is
// "scale tune 3". Empty for an unknown word.
QStringList BlockNames(const QString& word) {
  static const QRegularExpression pattern(QStringLiteral("^([a-z]+)(\\d*)$"));
  const auto match = pattern.match(word.toLower());
  if (!match.hasMatch()) return {};
  const QString kind = match.captured(1);
  const QString digits = match.captured(2);
  if (kind == QLatin1String("common")) return digits.isEmpty() ? QStringList{kind} : QStringList{};
  struct TKind {
    const char* word;
    const char* block;
    int first, last;
  };
  static const TKind kKinds[] = {
      {"tone", "tone", 1, 4}, {"part", "part", 1, 16}, {"note", "note", 35, 98},
      {"scale", "scale tune", 1, 17}};
  for (const TKind& k : kKinds) {
    if (kind != QLatin1String(k.word)) continue;
    QStringList names;
    bool ok = true;
    const int number = digits.toInt(&ok);
    if (!digits.isEmpty() && (!ok || number < k.first || number > k.last || digits[0] == u'0'))
      return {};
    for (int n = k.first; n <= k.last; ++n)
      if (digits.isEmpty() || n == number)
        names << QStringLiteral("%1 %2").arg(QLatin1String(k.block)).arg(n);
    return names;
  }
  return {};
}

TAssignment ParseAssignment(const QString& word) {
  const qsizetype slash = word.indexOf(u'/');
  const qsizetype equals = word.indexOf(u'=', slash + 1);
  if (slash <= 0 || equals < 0)
    throw TCliError::Usage(
        QStringLiteral("set: \"%1\" is not BLOCK/CAPTION=VALUE").arg(word));
  TAssignment assignment;
  assignment.Word = word;
  assignment.Blocks = BlockNames(word.left(slash).trimmed());
  if (assignment.Blocks.isEmpty())
    throw TCliError::BadInput(
        QStringLiteral("set: \"%1\": no block is named \"%2\" (common, tone1 to tone4 or tone, "
                       "part1 to part16 or part, note35 to note98 or note, scale1 to scale17 or "
                       "scale)")
            .arg(word, word.left(slash)));
  assignment.Caption = word.mid(slash + 1, equals - slash - 1).trimmed();
  assignment.Value = word.mid(equals + 1);
  return assignment;
}

// Every sound of the file in listing order, writable.
std::vector<TLibElem*> Sounds(TLoadedFile& file) {
  std::vector<TLibElem*> sounds;
  auto add = [&sounds](TLibElem& element) {
    if (auto* bank = dynamic_cast<TBank*>(&element)) {
      for (int i = 0; i < bank->Count(); ++i) sounds.push_back(&bank->Member(i));
    } else {
      sounds.push_back(&element);
    }
  };
  if (file.Library) {
    for (int i = 0; i < file.Library->Count(); ++i) add(file.Library->Element(i));
  } else {
    add(*file.Element);
  }
  return sounds;
}

// The row a caption names in a block: its caption (in any case), or for a caption the block
// holds more than once (LFO 1 and LFO 2 share theirs), its offset as show prints it.
const TParamRow* FindRow(const TShownBlock& block, const TAssignment& assignment) {
  bool isOffset = false;
  const int offset = assignment.Caption.toInt(&isOffset);
  std::vector<const TParamRow*> found;
  for (const TParamRow& row : block.Rows) {
    if (isOffset ? row.Offset == offset
                 : QString::fromLatin1(row.Caption).trimmed().compare(assignment.Caption,
                                                                     Qt::CaseInsensitive) == 0)
      found.push_back(&row);
  }
  if (found.size() > 1 && !isOffset) {
    QStringList offsets;
    for (const TParamRow* row : found) offsets << QString::number(row->Offset);
    throw TCliError::BadInput(
        QStringLiteral("set: \"%1\": %2 has %3 parameters named \"%4\" (offsets %5); name one by "
                       "its offset, as %6/%7=VALUE")
            .arg(assignment.Word, block.Block)
            .arg(found.size())
            .arg(assignment.Caption, offsets.join(QStringLiteral(", ")),
                 assignment.Word.left(assignment.Word.indexOf(u'/')), offsets.first()));
  }
  return found.empty() ? nullptr : found.front();
}

// Sets the assignment on one sound; false when the sound has none of its blocks.
bool Apply(const TAssignment& assignment, TLibElem& sound, int number) {
  bool reached = false;
  for (const QString& name : assignment.Blocks) {
    // Taken anew for each block: an earlier assignment may have changed the effect type, and
    // with it the rows of the effect's parameters.
    std::vector<TShownBlock> blocks = ShownBlocks(sound);
    const auto block = std::find_if(blocks.begin(), blocks.end(),
                                    [&](const TShownBlock& b) { return b.Block == name; });
    if (block == blocks.end()) continue;
    reached = true;
    const TParamRow* row = FindRow(*block, assignment);
    if (!row)
      throw TCliError::BadInput(
          QStringLiteral("set: \"%1\": %2 of sound %3 (%4) has no parameter \"%5\" "
                         "(`vesta-cli show` lists the captions)")
              .arg(assignment.Word, name)
              .arg(number)
              .arg(sound.KindName(), assignment.Caption));
    TBlock& data = *block->Data;
    const std::span<const std::uint8_t> bytes(data.Data(), static_cast<std::size_t>(data.Size()));
    QByteArray stored;
    if (!ParamFromText(*row, bytes, assignment.Value, stored))
      throw TCliError::BadInput(
          QStringLiteral("set: \"%1\": \"%2\" is not a value of %3 %4; it takes %5")
              .arg(assignment.Word, assignment.Value, name,
                   QString::fromLatin1(row->Caption).trimmed(), ParamValues(*row, bytes)));
    for (qsizetype i = 0; i < stored.size(); ++i)
      data.StoreByte(row->Offset + static_cast<int>(i), static_cast<std::uint8_t>(stored[i]));
  }
  return reached;
}

int RunSet(const TCliArgs& args) {
  QString input, output;
  int element = 0;
  bool all = false;
  QList<TAssignment> assignments;
  const QStringList& words = args.Words;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    if (word == QLatin1String("-o")) {
      if (i + 1 >= words.size()) throw TCliError::Usage(QStringLiteral("set: -o needs a file"));
      output = words[++i];
    } else if (word == QLatin1String("--all")) {
      all = true;
    } else if (word == QLatin1String("--element")) {
      bool ok = false;
      element = i + 1 < words.size() ? words[++i].toInt(&ok) : 0;
      if (!ok || element < 1)
        throw TCliError::Usage(QStringLiteral("set: --element takes a sound number from 1"));
    } else if (word.contains(u'/') && word.contains(u'=')) {
      assignments << ParseAssignment(word);
    } else if (input.isEmpty()) {
      input = word;
    } else {
      throw TCliError::Usage(
          QStringLiteral("set: \"%1\" is neither the file nor BLOCK/CAPTION=VALUE").arg(word));
    }
  }
  if (input.isEmpty()) throw TCliError::Usage(QStringLiteral("set: give the file to change"));
  if (output.isEmpty()) throw TCliError::Usage(QStringLiteral("set: give the file to write with -o"));
  if (assignments.isEmpty())
    throw TCliError::Usage(QStringLiteral("set: give at least one BLOCK/CAPTION=VALUE"));
  if (all && element)
    throw TCliError::Usage(QStringLiteral("set: give --element N or --all, not both"));

  // Wave and patch names as the editors show them, so that "Wave Name" takes what show prints.
  PageNames().Load();
  TLoadedFile file = TLoadedFile::Load(input);
  file.RequireWhole();
  const std::vector<TLibElem*> sounds = Sounds(file);
  const QString shownInput = QDir::toNativeSeparators(input);
  if (element > static_cast<int>(sounds.size()))
    throw TCliError::BadInput(QStringLiteral("%1 holds %2 sounds; there is no sound %3")
                                  .arg(shownInput)
                                  .arg(sounds.size())
                                  .arg(element));
  if (!all && !element && sounds.size() != 1)
    throw TCliError::Usage(QStringLiteral("set: %1 holds %2 sounds; give --element N or --all")
                               .arg(shownInput)
                               .arg(sounds.size()));
  std::vector<std::pair<TLibElem*, int>> targets;
  if (all) {
    for (std::size_t i = 0; i < sounds.size(); ++i)
      targets.emplace_back(sounds[i], static_cast<int>(i) + 1);
  } else {
    const int number = element ? element : 1;
    targets.emplace_back(sounds[static_cast<std::size_t>(number - 1)], number);
  }
  // Every assignment in the order given, each on every target that has its block; nothing is
  // written unless all of them could be set.
  for (const TAssignment& assignment : assignments) {
    bool reached = false;
    for (const auto& [sound, number] : targets) reached |= Apply(assignment, *sound, number);
    if (!reached)
      throw TCliError::BadInput(
          all ? QStringLiteral("set: \"%1\": no sound of %2 has a block %3")
                    .arg(assignment.Word, shownInput, assignment.Blocks.join(QStringLiteral(", ")))
              : QStringLiteral("set: \"%1\": sound %2 (%3) has no block %4")
                    .arg(assignment.Word)
                    .arg(targets.front().second)
                    .arg(targets.front().first->KindName(),
                         assignment.Blocks.join(QStringLiteral(", "))));
  }
  WriteOutputFile(output, file.Write(file.Xp()));
  return ecSuccess;
}
}  // namespace

TCliCommand SetCommand() {
  return {"set",
          "FILE -o OUT [--element N | --all] BLOCK/CAPTION=VALUE...",
          "set parameters of sounds by the values their controls show",
          "Sets each named parameter to VALUE, given as the editors and `vesta-cli show` show\n"
          "it, with or without its unit (\"100\", \"L 20\", \"-98 %\", \"5000\", \"D50:50E\", a list\n"
          "item), and writes the result to OUT in FILE's format and layout. Every other byte and\n"
          "the names stay as they were.\n"
          "  BLOCK    common, tone1..tone4 (tone: all four), part1..part16 (part), note35..note98\n"
          "           (note), scale1..scale17 (scale)\n"
          "  CAPTION  the caption `vesta-cli show` prints, in any case, or the block offset it\n"
          "           prints (needed where a block has two parameters of one caption)\n"
          "  --element N  the Nth sound, counting as `vesta-cli show` does (needed when FILE\n"
          "               holds more than one sound, unless --all)\n"
          "  --all        every sound of the kinds that have the block\n"
          "A value the parameter does not take, an unknown block or caption, or a sound number\n"
          "past the file's sounds is refused with the reason, and nothing is written.\n"
          "Example: vesta-cli set Bank.syx -o Out.syx --element 3 \"common/Patch Level=100\"",
          1,
          -1,
          {QStringLiteral("--element"), QStringLiteral("--all")},
          RunSet};
}
