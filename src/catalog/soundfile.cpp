#include "catalog/soundfile.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include "editors/params/paramlisting.h"
#include "model/global.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"

namespace {
template <class TBlockType>
void Append(QByteArray& out, const TBlockType& block) {
  out.append(reinterpret_cast<const char*>(block.Data()), block.Size());
}

// The kind whose .Syx file has this size; the normal layout when both layouts have it.
bool SyxKind(qint64 size, int& kind, bool& xp) {
  for (int k = ekPatch; k <= ekSystem; ++k) {
    if (size == TLibElem::SysexSize(k, false) || size == TLibElem::SysexSize(k, true)) {
      kind = k;
      xp = size != TLibElem::SysexSize(k, false);
      return true;
    }
  }
  return false;
}

void AddSounds(TSoundFile& file, const TLibElem& element) {
  for (const TLibElem* sound : SoundsOf(element)) {
    TCatalogSound entry = CatalogSound(*sound);
    entry.Element = static_cast<int>(file.Sounds.size()) + 1;
    file.Sounds.push_back(std::move(entry));
  }
}

// A library records no layout: it is read in the one in which it reads to its end.
QString ReadLibrary(TSoundFile& file, const QByteArray& bytes) {
  TLibraryDamage damage;
  for (const bool xp : {false, true}) {
    TLibrary library;
    damage = library.LoadFromBytes(Bytes(bytes), xp);
    if (!damage.Damaged()) {
      for (int i = 0; i < library.Count(); ++i)
        AddSounds(file, *library.Elements[static_cast<std::size_t>(i)]);
      return QString();
    }
  }
  TLibrary library;
  damage = library.LoadFromBytes(Bytes(bytes), false);
  return QStringLiteral("damaged library: at byte %1, %2").arg(damage.Offset).arg(damage.Problem);
}
}  // namespace

bool IsSoundFileName(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("syx") || suffix == QLatin1String("glb") ||
         suffix == QLatin1String("lib");
}

QByteArray SoundHash(int kind, const QByteArray& data) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  const char code = static_cast<char>(kind);
  hash.addData(QByteArrayView(&code, 1));
  hash.addData(data);
  return hash.result();
}

TCatalogSound CatalogSound(const TLibElem& sound) {
  TCatalogSound entry;
  entry.Kind = sound.Kind;
  entry.Name = sound.GetName();
  if (const auto* patch = dynamic_cast<const TPatch*>(&sound)) {
    Append(entry.Data, patch->Common);
    for (const TTone& tone : patch->Tones) Append(entry.Data, tone);
  } else if (const auto* performance = dynamic_cast<const TPerformance*>(&sound)) {
    Append(entry.Data, performance->Common);
    for (const TPerformancePart& part : performance->Parts) Append(entry.Data, part);
  } else if (const auto* rhythm = dynamic_cast<const TRhythm*>(&sound)) {
    Append(entry.Data, rhythm->Common);
    for (const TRhythmNote& note : rhythm->Notes) Append(entry.Data, note);
  } else if (const auto* system = dynamic_cast<const TSystem*>(&sound)) {
    Append(entry.Data, system->Common);
    for (const TPartScaleTune& scale : system->ScaleTunes) Append(entry.Data, scale);
  }
  entry.Hash = SoundHash(entry.Kind, entry.Data);
  return entry;
}

namespace {
template <class TBlockType>
void Take(TBlockType& block, const char*& from) {
  std::copy(from, from + block.Size(), reinterpret_cast<char*>(block.Data()));
  from += block.Size();
}
}  // namespace

std::unique_ptr<TLibElem> SoundElement(int kind, const QByteArray& data) {
  if (kind != ekPatch && kind != ekPerformance && kind != ekRhythm && kind != ekSystem)
    return nullptr;
  auto element = CreateElement(kind, nullptr);
  // The size the blocks take, measured on the new element itself.
  if (CatalogSound(*element).Data.size() != data.size()) return nullptr;
  const char* from = data.constData();
  if (auto* patch = dynamic_cast<TPatch*>(element.get())) {
    Take(patch->Common, from);
    for (TTone& tone : patch->Tones) Take(tone, from);
  } else if (auto* performance = dynamic_cast<TPerformance*>(element.get())) {
    Take(performance->Common, from);
    for (TPerformancePart& part : performance->Parts) Take(part, from);
  } else if (auto* rhythm = dynamic_cast<TRhythm*>(element.get())) {
    Take(rhythm->Common, from);
    for (TRhythmNote& note : rhythm->Notes) Take(note, from);
  } else if (auto* system = dynamic_cast<TSystem*>(element.get())) {
    Take(system->Common, from);
    for (TPartScaleTune& scale : system->ScaleTunes) Take(scale, from);
  }
  // Patches, performances and rhythm sets keep their names in their data; a system takes none.
  element->Name = element->GetName();
  return element;
}

TSoundFile ReadSoundFile(const QString& path, const QByteArray& bytes) {
  TSoundFile file;
  if (bytes.isEmpty()) {
    file.Damage = QStringLiteral("the file is empty");
    return file;
  }
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("syx")) {
    int kind = 0;
    bool xp = false;
    if (!SyxKind(bytes.size(), kind, xp)) {
      file.Damage = QStringLiteral("wrong size for a .Syx file: %1 bytes").arg(bytes.size());
      return file;
    }
    const auto element = CreateElement(kind, nullptr);
    if (!element->ReadSysexBytes(Bytes(bytes), xp)) {
      file.Damage = QStringLiteral("cannot be read as a .Syx file");
      return file;
    }
    AddSounds(file, *element);
  } else if (suffix == QLatin1String("glb")) {
    const bool xp = bytes.size() == TGlobal::GlbSize(true);
    if (bytes.size() != TGlobal::GlbSize(false) && !xp) {
      file.Damage = QStringLiteral("wrong size for a .Glb file: %1 bytes").arg(bytes.size());
      return file;
    }
    TGlobal global(nullptr);
    const QString problem = global.ReadGlbBytes(Bytes(bytes), xp);
    if (!problem.isEmpty()) {
      file.Damage = QStringLiteral("not a global dump: %1").arg(problem);
      return file;
    }
    AddSounds(file, global);
  } else {
    file.Damage = ReadLibrary(file, bytes);
  }
  if (!file.Damage.isEmpty()) file.Sounds.clear();
  return file;
}
