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
void ShowPatch(const TPatch& patch, std::vector<TShownParam>& out) {
  AddBlock(out, QStringLiteral("common"), patch.Common.Data(), PatchCommonRows());
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
