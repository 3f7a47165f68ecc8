#include "editors/params/paramlisting.h"

#include <algorithm>

#include <QDir>
#include <QStringList>

#include "editors/params/params.h"
#include "model/bank.h"
#include "model/block.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"

std::vector<const TLibElem*> SoundsOf(const TLibElem& element) {
  std::vector<const TLibElem*> sounds;
  if (const auto* bank = dynamic_cast<const TBank*>(&element)) {
    for (int i = 0; i < bank->Count(); ++i) {
      const auto members = SoundsOf(bank->Member(i));
      sounds.insert(sounds.end(), members.begin(), members.end());
    }
  } else {
    sounds.push_back(&element);
  }
  return sounds;
}

void AddBlock(std::vector<TShownParam>& out, const QString& block, const std::uint8_t* data,
              std::span<const TParamRow> rows) {
  std::vector<const TParamRow*> ordered;
  ordered.reserve(rows.size());
  for (const TParamRow& row : rows) ordered.push_back(&row);
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const TParamRow* a, const TParamRow* b) { return a->Offset < b->Offset; });
  for (const TParamRow* row : ordered) {
    TShownParam param;
    param.Block = block;
    param.Offset = row->Offset;
    param.Caption = QString::fromLatin1(row->Caption);
    param.Stored = QByteArray(reinterpret_cast<const char*>(data + row->Offset), row->Size);
    param.Text = ParamText(*row, data, &param.InRange);
    out.push_back(std::move(param));
  }
}

namespace {
// Bytes 13 to 24 under a type the table does not know: each shown as its number, flagged.
const TParamRow kUnknownEffectRows[] = {
    {.Offset = 13, .Caption = "EFX Parameter 1", .Control = TParamControl::Custom},
    {.Offset = 14, .Caption = "EFX Parameter 2", .Control = TParamControl::Custom},
    {.Offset = 15, .Caption = "EFX Parameter 3", .Control = TParamControl::Custom},
    {.Offset = 16, .Caption = "EFX Parameter 4", .Control = TParamControl::Custom},
    {.Offset = 17, .Caption = "EFX Parameter 5", .Control = TParamControl::Custom},
    {.Offset = 18, .Caption = "EFX Parameter 6", .Control = TParamControl::Custom},
    {.Offset = 19, .Caption = "EFX Parameter 7", .Control = TParamControl::Custom},
    {.Offset = 20, .Caption = "EFX Parameter 8", .Control = TParamControl::Custom},
    {.Offset = 21, .Caption = "EFX Parameter 9", .Control = TParamControl::Custom},
    {.Offset = 22, .Caption = "EFX Parameter 10", .Control = TParamControl::Custom},
    {.Offset = 23, .Caption = "EFX Parameter 11", .Control = TParamControl::Custom},
    {.Offset = 24, .Caption = "EFX Parameter 12", .Control = TParamControl::Custom},
};
}  // namespace

std::vector<TParamRow> EffectRowsFor(int type, int shift) {
  std::vector<TParamRow> rows;
  for (const TParamRow& row : EffectPageRows()) rows.push_back(ShiftedRow(row, shift));
  const auto types = EffectTypes();
  const std::span<const TParamRow> parameters =
      type >= 0 && type < static_cast<int>(types.size())
          ? types[static_cast<std::size_t>(type)].Rows
          : std::span<const TParamRow>(kUnknownEffectRows);
  for (const TParamRow& row : parameters) rows.push_back(ShiftedRow(row, shift));
  return rows;
}

namespace {
std::vector<TParamRow> Rows(std::span<const TParamRow> rows) {
  return {rows.begin(), rows.end()};
}

void PatchBlocks(TPatch& patch, std::vector<TShownBlock>& out) {
  std::vector<TParamRow> common = Rows(PatchCommonRows());
  const auto effects = EffectRowsFor(patch.Common.GetByte(12), 0);
  common.insert(common.end(), effects.begin(), effects.end());
  out.push_back({QStringLiteral("common"), &patch.Common, std::move(common)});
  for (TTone& tone : patch.Tones)
    out.push_back({QStringLiteral("tone %1").arg(tone.Number), &tone, Rows(ToneRows())});
}

void PerformanceBlocks(TPerformance& performance, std::vector<TShownBlock>& out) {
  std::vector<TParamRow> common = Rows(PerformanceCommonRows());
  common.push_back(EfxSourceRow());
  // The performance holds the patch's effect bytes one later.
  const auto effects = EffectRowsFor(performance.Common.GetByte(13), 1);
  common.insert(common.end(), effects.begin(), effects.end());
  out.push_back({QStringLiteral("common"), &performance.Common, std::move(common)});
  for (int part = 1; part <= TPerformance::kPartCount; ++part)
    out.push_back({QStringLiteral("part %1").arg(part),
                   &performance.Parts[static_cast<std::size_t>(part - 1)],
                   Rows(part == 10 ? RhythmPartRows() : PerformancePartRows())});
}

void RhythmBlocks(TRhythm& rhythm, std::vector<TShownBlock>& out) {
  out.push_back({QStringLiteral("common"), &rhythm.Common, Rows(RhythmCommonRows())});
  for (TRhythmNote& note : rhythm.Notes)
    out.push_back({QStringLiteral("note %1").arg(note.Key), &note, Rows(RhythmNoteRows())});
}

void SystemBlocks(TSystem& system, std::vector<TShownBlock>& out) {
  out.push_back({QStringLiteral("common"), &system.Common, Rows(SystemCommonRows())});
  for (std::size_t i = 0; i < system.ScaleTunes.size(); ++i)
    out.push_back({QStringLiteral("scale tune %1").arg(i + 1), &system.ScaleTunes[i],
                   Rows(ScaleTuneRows())});
}
}  // namespace

std::vector<TShownBlock> ShownBlocks(TLibElem& sound) {
  std::vector<TShownBlock> blocks;
  if (auto* patch = dynamic_cast<TPatch*>(&sound))
    PatchBlocks(*patch, blocks);
  else if (auto* performance = dynamic_cast<TPerformance*>(&sound))
    PerformanceBlocks(*performance, blocks);
  else if (auto* rhythm = dynamic_cast<TRhythm*>(&sound))
    RhythmBlocks(*rhythm, blocks);
  else if (auto* system = dynamic_cast<TSystem*>(&sound))
    SystemBlocks(*system, blocks);
  return blocks;
}

TShownSound ShowSound(const TLibElem& sound) {
  TShownSound shown;
  shown.Kind = sound.KindName();
  shown.Name = sound.GetName();
  // Read only: the blocks are taken as the set command takes them.
  for (const TShownBlock& block : ShownBlocks(const_cast<TLibElem&>(sound)))
    AddBlock(shown.Parameters, block.Block, block.Data->Data(), block.Rows);
  return shown;
}

std::vector<TShownParam> OutOfRangeParams(const TLibElem& sound) {
  std::vector<TShownParam> found;
  // Read only, as ShowSound.
  for (const TShownBlock& block : ShownBlocks(const_cast<TLibElem&>(sound))) {
    const std::uint8_t* data = block.Data->Data();
    std::vector<TParamRow> flagged;
    for (const TParamRow& row : block.Rows) {
      bool inRange = ParamInRange(row, data);
      // Only rows whose text may still find a byte it cannot show pay for making the text.
      const bool textDecides =
          row.Control == TParamControl::List || row.Control == TParamControl::Radio ||
          row.Control == TParamControl::Buttons || row.Control == TParamControl::Picture ||
          row.Control == TParamControl::Custom;
      if (inRange && textDecides) ParamText(row, data, &inRange);
      if (!inRange) flagged.push_back(row);
    }
    if (!flagged.empty()) AddBlock(found, block.Block, data, flagged);
  }
  return found;
}

QString OutOfRangeReport(const TLibElem& loaded, const QString& path) {
  std::vector<const TLibElem*> sounds;
  if (const auto* library = dynamic_cast<const TLibrary*>(&loaded)) {
    for (int i = 0; i < library->Count(); ++i) {
      const auto members = SoundsOf(*library->Elements[static_cast<std::size_t>(i)]);
      sounds.insert(sounds.end(), members.begin(), members.end());
    }
  } else {
    sounds = SoundsOf(loaded);
  }
  constexpr int kSoundsListed = 10;
  constexpr std::size_t kParamsListed = 3;
  QString lines;
  int flagged = 0;
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    const std::vector<TShownParam> params = OutOfRangeParams(*sounds[i]);
    if (params.empty()) continue;
    if (++flagged > kSoundsListed) continue;
    QStringList where;
    for (std::size_t p = 0; p < params.size() && p < kParamsListed; ++p)
      where << QStringLiteral("%1 %2 %3")
                   .arg(params[p].Block)
                   .arg(params[p].Offset)
                   .arg(params[p].Caption.trimmed());
    if (params.size() > kParamsListed)
      where << QStringLiteral("and %1 more").arg(params.size() - kParamsListed);
    lines += QStringLiteral("  %1: %2 \"%3\": %4\n")
                 .arg(i + 1)
                 .arg(sounds[i]->KindName(), sounds[i]->GetName(), where.join(QStringLiteral(", ")));
  }
  if (flagged == 0) return QString();
  if (flagged > kSoundsListed)
    lines += QStringLiteral("  and %1 more sounds\n").arg(flagged - kSoundsListed);
  return QStringLiteral(
             "%1 holds bytes outside the range of their parameters, in these sounds (numbered as "
             "vesta-cli show numbers them):\n%2"
             "The editors show each such byte as its number, in red; the first change of the "
             "parameter brings it into range.")
      .arg(QDir::toNativeSeparators(path), lines);
}
