#include "editors/params/paramlisting.h"

#include <algorithm>

#include "editors/params/params.h"
#include "model/bank.h"
#include "model/patch.h"

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
void ShowPatch(const TPatch& patch, std::vector<TShownParam>& out) {
  std::vector<TParamRow> common(PatchCommonRows().begin(), PatchCommonRows().end());
  const auto effects = EffectRowsFor(patch.Common.GetByte(12), 0);
  common.insert(common.end(), effects.begin(), effects.end());
  AddBlock(out, QStringLiteral("common"), patch.Common.Data(), common);
  for (const TTone& tone : patch.Tones)
    AddBlock(out, QStringLiteral("tone %1").arg(tone.Number), tone.Data(), ToneRows());
}
}  // namespace

TShownSound ShowSound(const TLibElem& sound) {
  TShownSound shown;
  shown.Kind = sound.KindName();
  shown.Name = sound.GetName();
  if (const auto* patch = dynamic_cast<const TPatch*>(&sound)) ShowPatch(*patch, shown.Parameters);
  return shown;
}
