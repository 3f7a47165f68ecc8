#include "model/library.h"

#include <QDir>

#include "midi/userinterface.h"
#include "model/fileio.h"
#include "model/global.h"
#include "model/modelhooks.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "model/performance.h"
#include "model/performancebank.h"
#include "model/rhythm.h"
#include "model/rhythmbank.h"
#include "model/system.h"

namespace {
constexpr std::uint16_t kCommentEnd = 0xFFFF;

bool Before(const TLibElem& a, const TLibElem& b, TSortKey key) {
  switch (key) {
    case TSortKey::Kind:
      return a.Kind < b.Kind;
    case TSortKey::Name:
      return a.GetName().compare(b.GetName(), Qt::CaseInsensitive) < 0;
    case TSortKey::ModifiedDate:
      return a.ModifiedDate < b.ModifiedDate ||
             (a.ModifiedDate == b.ModifiedDate && a.ModifiedTime < b.ModifiedTime);
    case TSortKey::CreatedDate:
      return a.CreatedDate < b.CreatedDate ||
             (a.CreatedDate == b.CreatedDate && a.CreatedTime < b.CreatedTime);
  }
  return false;
}

// The size of an element's library record. The file is reserved whole before it is written:
// growing the array as records are appended briefly holds two copies of a file that may be
// tens of megabytes.
qint64 RecordSize(const TLibElem& element, bool xp) {
  qint64 normal = 0;
  switch (element.Kind) {
    case ekPatch:
      normal = TPatch::kRecordSize;
      break;
    case ekPatchBank:
      normal = TPatchBank::kRecordSize;
      break;
    case ekPerformance:
      normal = TPerformance::kRecordSize;
      break;
    case ekPerformanceBank:
      normal = TPerformanceBank::kRecordSize;
      break;
    case ekRhythm:
      normal = TRhythm::kRecordSize;
      break;
    case ekRhythmBank:
      normal = TRhythmBank::kRecordSize;
      break;
    case ekSystem:
      normal = TSystem::kRecordSize;
      break;
    case ekGlobal:
      return TGlobal::GlbSize(xp);
    default:
      return 0;
  }
  // The XP layout lengthens a record by as much as it lengthens the kind's .Syx file.
  return normal +
         (xp ? TLibElem::SysexSize(element.Kind, true) - TLibElem::SysexSize(element.Kind, false)
             : 0);
}

void MenusChanged() {
  if (ModelHooks().EnableMenuItems) ModelHooks().EnableMenuItems();
}
}  // namespace

TLibrary::TLibrary(TLibElem* owner) : TLibElem(owner) {
  FileName = QStringLiteral("Untitled.Lib");
}

TLibrary::~TLibrary() {
  Elements.clear();
}

QString TLibrary::GetName() const {
  return FileNamePart(FileName);
}

void TLibrary::StorePositions() {
  if (!WindowOpen || !Editor || !ModelHooks().WindowPlace) return;
  TWindowPlace place;
  if (!ModelHooks().WindowPlace(Editor, place)) return;
  if (place.Left != WinLeft || place.Top != WinTop || place.Width != Width ||
      place.Height != Height)
    Saved = false;
  WinLeft = place.Left;
  WinTop = place.Top;
  Width = place.Width;
  Height = place.Height;
}

void TLibrary::SaveToStream(TByteWriter& out) {
  StorePositions();
  for (const QString& line : Comment) {
    // A length of FFFF would read back as the end of the comment.
    const QByteArray latin = line.left(kCommentEnd - 1).toLatin1();
    out.U16(static_cast<std::uint16_t>(latin.size()));
    out.Append(reinterpret_cast<const std::uint8_t*>(latin.constData()), latin.size());
  }
  out.U16(kCommentEnd);
  out.U16(Width);
  out.U16(Height);
  out.U16(WinLeft);
  out.U16(WinTop);
  for (auto& element : Elements) element->SaveToLibrary(out);
}

TLibraryDamage TLibrary::LoadFromStream(TByteReader& in) {
  Elements.clear();
  Comment.clear();
  TLibraryDamage damage;
  try {
    // The end of the file ends the comment as well as its terminator does.
    while (!in.AtEnd()) {
      const std::uint16_t length = in.U16();
      if (length == kCommentEnd) break;
      Comment.append(QString::fromLatin1(reinterpret_cast<const char*>(in.Take(length)), length));
    }
    Width = in.U16();
    Height = in.U16();
    WinLeft = in.U16();
    WinTop = in.U16();
  } catch (const TFormatError& error) {
    damage.Offset = error.Offset;
    damage.Problem = QStringLiteral("the comment or the window values are incomplete");
    return damage;
  }
  while (!in.AtEnd()) {
    const qint64 start = in.Position();
    if (in.Remaining() < 2) {
      damage = {start, QStringLiteral("the file ends inside a kind code")};
      break;
    }
    const std::uint16_t kind = in.U16();
    std::unique_ptr<TLibElem> element = CreateElement(kind, this);
    if (!element) {
      damage = {start, QStringLiteral("unknown element kind %1").arg(kind)};
      break;
    }
    try {
      element->LoadFromLibrary(in);
    } catch (const TFormatError& error) {
      // A half-read element is never added.
      damage.Offset = start;
      damage.Problem = QStringLiteral("the %1 record that starts there is damaged: %2")
                           .arg(element->KindName(), error.What);
      if (error.Offset != start)
        damage.Problem += QStringLiteral(" (at byte %1)").arg(error.Offset);
      break;
    }
    Elements.push_back(std::move(element));
  }
  return damage;
}

QByteArray TLibrary::SaveToBytes(bool xp) {
  qint64 size = 10;
  for (const QString& line : Comment) size += 2 + line.size();
  for (const auto& element : Elements) size += RecordSize(*element, xp);
  QByteArray out;
  out.reserve(size);
  TByteWriter writer(out, xp);
  SaveToStream(writer);
  return out;
}

TLibraryDamage TLibrary::LoadFromBytes(std::span<const std::uint8_t> bytes, bool xp) {
  TByteReader reader(bytes, xp);
  return LoadFromStream(reader);
}

QString TLibrary::DamageMessage(const QString& path, const TLibraryDamage& damage) const {
  return QStringLiteral(
             "The library file %1 is damaged at byte %2: %3.\n"
             "The %4 elements before that point were loaded.")
      .arg(QDir::toNativeSeparators(path))
      .arg(damage.Offset)
      .arg(damage.Problem)
      .arg(Count());
}

bool TLibrary::LoadFromFile(const QString& path) {
  QByteArray data;
  if (!ReadWholeFile(path, data)) return false;
  const TLibraryDamage damage = LoadFromBytes(Bytes(data), XpFlag());
  FileName = path;
  Saved = true;
  if (damage.Damaged()) UI().Show(TMsgKind::Error, DamageMessage(path, damage));
  return true;
}

bool TLibrary::OpenDialogLoad() {
  const QString path =
      UI().ChooseOpenFile(DialogFor(QStringLiteral("Load Library"), QStringLiteral("Lib"),
                                    QStringLiteral("Lib file|*.Lib"), FileName, true));
  const bool loaded = !path.isEmpty() && LoadFromFile(path);
  Saved = true;
  MenusChanged();
  return loaded;
}

bool TLibrary::Save(bool saveAs) {
  const bool untitled =
      saveAs ||
      (FileName.compare(QStringLiteral("Untitled.Lib"), Qt::CaseInsensitive) == 0 && !SavedToFile);
  const QString target = SaveTarget(saveAs, FileName, SavedToFile, QStringLiteral("Untitled.Lib"),
                                    DialogFor(QStringLiteral("Save Library"), QStringLiteral("Lib"),
                                              QStringLiteral("Lib file|*.Lib"), FileName, false));
  if (target.isEmpty()) return false;
  if (!WriteFileAtomic(target, SaveToBytes(XpFlag()))) return false;
  FileName = target;
  SavedToFile = true;
  // A new file name shows in the library window's caption.
  if (untitled) NotifyViews();
  Saved = true;
  MenusChanged();
  return true;
}

void TLibrary::Sort(TSortKey key) {
  for (std::size_t i = 0; i + 1 < Elements.size(); ++i)
    for (std::size_t j = i + 1; j < Elements.size(); ++j)
      if (Before(*Elements[j], *Elements[i], key)) std::swap(Elements[i], Elements[j]);
}

void TLibrary::MoveElement(TLibrary& source, int index) {
  std::unique_ptr<TLibElem> element = source.Take(index);
  element->Selected = false;
  Add(std::move(element));
}

TLibElem& TLibrary::Add(std::unique_ptr<TLibElem> element) {
  element->Owner = this;
  Elements.push_back(std::move(element));
  return *Elements.back();
}

TLibElem& TLibrary::NewElement(int kind) {
  std::unique_ptr<TLibElem> element = CreateElement(kind, this);
  if (!element) throw std::invalid_argument("unknown element kind");
  return Add(std::move(element));
}

std::unique_ptr<TLibElem> TLibrary::Take(int index) {
  std::unique_ptr<TLibElem> element = std::move(Elements.at(static_cast<std::size_t>(index)));
  Elements.erase(Elements.begin() + index);
  return element;
}
