#include "catalog/soundrows.h"

#include <map>
#include <set>

#include "editors/params/paramlisting.h"
#include "editors/params/params.h"
#include "model/libelem.h"

namespace {
constexpr int kPatchCommon = 72, kTone = 129, kPerformanceCommon = 64, kPart = 19;
constexpr int kRhythmCommon = 12, kNote = 58, kSystemCommon = 40, kScale = 12;
constexpr int kFirstNote = 35, kNotes = 64, kScales = 17, kParts = 16, kTones = 4;

std::vector<TSoundBlock> Make(int commonSize, const char* family, int first, int count,
                              int size) {
  std::vector<TSoundBlock> blocks{{QStringLiteral("common"), 0, 0, commonSize}};
  for (int i = 0; i < count; ++i)
    blocks.push_back({QString::fromLatin1(family), first + i, commonSize + i * size, size});
  return blocks;
}

void AddCaptions(std::set<QString>& to, std::span<const TParamRow> rows) {
  for (const TParamRow& row : rows) to.insert(QString::fromLatin1(row.Caption).trimmed().toLower());
}

const std::map<QString, std::set<QString>>& Captions() {
  static const std::map<QString, std::set<QString>> captions = [] {
    std::map<QString, std::set<QString>> all;
    auto& common = all[QStringLiteral("common")];
    AddCaptions(common, PatchCommonRows());
    AddCaptions(common, PerformanceCommonRows());
    AddCaptions(common, RhythmCommonRows());
    AddCaptions(common, SystemCommonRows());
    AddCaptions(common, EffectPageRows());
    AddCaptions(common, std::span<const TParamRow>(&EfxSourceRow(), 1));
    for (const TEffectType& type : EffectTypes()) AddCaptions(common, type.Rows);
    // A type the table does not know shows its bytes as "EFX Parameter 1" to 12.
    const auto unknown = EffectRowsFor(-1, 0);
    AddCaptions(common, unknown);
    AddCaptions(all[QStringLiteral("tone")], ToneRows());
    AddCaptions(all[QStringLiteral("part")], PerformancePartRows());
    AddCaptions(all[QStringLiteral("part")], RhythmPartRows());
    AddCaptions(all[QStringLiteral("note")], RhythmNoteRows());
    AddCaptions(all[QStringLiteral("scale")], ScaleTuneRows());
    return all;
  }();
  return captions;
}
}  // namespace

const std::vector<TSoundBlock>& SoundBlocks(int kind) {
  static const std::vector<TSoundBlock> patch = Make(kPatchCommon, "tone", 1, kTones, kTone);
  static const std::vector<TSoundBlock> performance =
      Make(kPerformanceCommon, "part", 1, kParts, kPart);
  static const std::vector<TSoundBlock> rhythm =
      Make(kRhythmCommon, "note", kFirstNote, kNotes, kNote);
  static const std::vector<TSoundBlock> system = Make(kSystemCommon, "scale", 1, kScales, kScale);
  static const std::vector<TSoundBlock> none;
  switch (kind) {
    case ekPatch:
      return patch;
    case ekPerformance:
      return performance;
    case ekRhythm:
      return rhythm;
    case ekSystem:
      return system;
    default:
      return none;
  }
}

int SoundDataSize(int kind) {
  const auto& blocks = SoundBlocks(kind);
  return blocks.empty() ? 0 : blocks.back().Offset + blocks.back().Size;
}

std::vector<TParamRow> BlockRows(int kind, const TSoundBlock& block, const std::uint8_t* data) {
  std::vector<TParamRow> rows;
  auto add = [&rows](std::span<const TParamRow> more) {
    rows.insert(rows.end(), more.begin(), more.end());
  };
  if (block.Number == 0) {
    switch (kind) {
      case ekPatch:
        add(PatchCommonRows());
        add(EffectRowsFor(data[12], 0));
        break;
      case ekPerformance:
        add(PerformanceCommonRows());
        rows.push_back(EfxSourceRow());
        add(EffectRowsFor(data[13], 1));
        break;
      case ekRhythm:
        add(RhythmCommonRows());
        break;
      case ekSystem:
        add(SystemCommonRows());
        break;
    }
    return rows;
  }
  switch (kind) {
    case ekPatch:
      add(ToneRows());
      break;
    case ekPerformance:
      add(block.Number == 10 ? RhythmPartRows() : PerformancePartRows());
      break;
    case ekRhythm:
      add(RhythmNoteRows());
      break;
    case ekSystem:
      add(ScaleTuneRows());
      break;
  }
  return rows;
}

bool FamilyRange(const QString& family, int& first, int& last) {
  static const std::map<QString, std::pair<int, int>> ranges = {
      {QStringLiteral("common"), {0, 0}},
      {QStringLiteral("tone"), {1, kTones}},
      {QStringLiteral("part"), {1, kParts}},
      {QStringLiteral("note"), {kFirstNote, kFirstNote + kNotes - 1}},
      {QStringLiteral("scale"), {1, kScales}}};
  const auto found = ranges.find(family);
  if (found == ranges.end()) return false;
  first = found->second.first;
  last = found->second.second;
  return true;
}

bool FamilyHasCaption(const QString& family, const QString& lowerCaption) {
  const auto found = Captions().find(family);
  return found != Captions().end() && found->second.count(lowerCaption) > 0;
}
