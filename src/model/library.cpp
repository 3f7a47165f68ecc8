#include "model/library.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include <QDir>
#include <QRegularExpression>

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
  const int count = Count();
  const QString loaded =
      count == 0   ? QStringLiteral("No element before that point could be loaded.")
      : count == 1 ? QStringLiteral("The element before that point was loaded.")
                   : QStringLiteral("The %1 elements before that point were loaded.").arg(count);
  return QStringLiteral(
             "The library file %1 is damaged at byte %2: %3.\n"
             "%4\n"
             "Save writes a new file; the damaged file is kept as it is.")
      .arg(QDir::toNativeSeparators(path))
      .arg(damage.Offset)
      .arg(damage.Problem)
      .arg(loaded);
}

bool TLibrary::LoadFromFile(const QString& path) {
  QByteArray data;
  if (!ReadWholeFile(path, data)) return false;
  const TLibraryDamage damage = LoadFromFileBytes(path, data);
  if (damage.Damaged()) UI().Show(TMsgKind::Error, DamageMessage(path, damage));
  if (ModelHooks().FileLoaded) ModelHooks().FileLoaded(*this, path);
  return true;
}

TLibraryDamage TLibrary::LoadFromFileBytes(const QString& path, const QByteArray& data) {
  const TLibraryDamage damage = LoadFromBytes(Bytes(data), XpFlag());
  // The name stays, so that the window says where the library came from and the save dialog
  // starts there; the file itself is only replaced after the user chose it again.
  FileName = path;
  Untied = damage.Damaged();
  Saved = true;
  return damage;
}

bool TLibrary::IsUntitled() const {
  return Untied || (!SavedToFile && UntitledNumber(FileName) > 0);
}

QString TLibrary::UntitledName(int number) {
  return number <= 1 ? QStringLiteral("Untitled.Lib") : QStringLiteral("Untitled %1.Lib").arg(number);
}

int TLibrary::UntitledNumber(const QString& fileName) {
  static const QRegularExpression pattern(QStringLiteral("^Untitled(?: ([0-9]{1,6}))?\\.Lib$"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(fileName);
  if (!match.hasMatch()) return 0;
  return match.hasCaptured(1) ? match.captured(1).toInt() : 1;
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
  const bool untitled = saveAs || IsUntitled();
  const QString target = SaveTarget(untitled, FileName, SavedToFile, QStringLiteral("Untitled.Lib"),
                                    DialogFor(QStringLiteral("Save Library"), QStringLiteral("Lib"),
                                              QStringLiteral("Lib file|*.Lib"), FileName, false));
  if (target.isEmpty()) return false;
  if (!WriteFileAtomic(target, SaveToBytes(XpFlag()))) return false;
  FileName = target;
  SavedToFile = true;
  Untied = false;
  // A new file name shows in the library window's caption.
  if (untitled) NotifyViews();
  Saved = true;
  MenusChanged();
  return true;
}

void TLibrary::Sort(TSortKey key) {
  // The exchange sort decides the order of equal keys, so it is kept; it compares each
  // element's rank under the key, worked out once, instead of decoding names and dates on each
  // of its n^2 / 2 comparisons (10,000 patches by name took seconds).
  const std::size_t n = Elements.size();
  std::vector<std::size_t> byKey(n);
  std::iota(byKey.begin(), byKey.end(), std::size_t{0});
  std::vector<QString> names;
  std::vector<std::pair<double, double>> dates;  // date, then time of day
  if (key == TSortKey::Name) {
    names.reserve(n);
    for (const auto& element : Elements) names.push_back(element->GetName());
  } else if (key != TSortKey::Kind) {
    // A damaged record may hold NaN, which compares with nothing: it goes first, so that the
    // ranking below stays a true ordering.
    auto clean = [](double v) { return std::isnan(v) ? -HUGE_VAL : v; };
    dates.reserve(n);
    for (const auto& e : Elements)
      dates.emplace_back(key == TSortKey::ModifiedDate
                             ? std::pair(clean(e->ModifiedDate), clean(e->ModifiedTime))
                             : std::pair(clean(e->CreatedDate), clean(e->CreatedTime)));
  }
  auto before = [&](std::size_t a, std::size_t b) {
    if (key == TSortKey::Name) return names[a].compare(names[b], Qt::CaseInsensitive) < 0;
    if (key == TSortKey::Kind) return Elements[a]->Kind < Elements[b]->Kind;
    return dates[a] < dates[b];
  };
  std::stable_sort(byKey.begin(), byKey.end(), before);
  std::vector<std::size_t> rank(n, 0);
  for (std::size_t k = 1; k < n; ++k)
    rank[byKey[k]] = rank[byKey[k - 1]] + (before(byKey[k - 1], byKey[k]) ? 1 : 0);

  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (rank[order[j]] < rank[order[i]]) std::swap(order[i], order[j]);

  std::vector<std::unique_ptr<TLibElem>> sorted;
  sorted.reserve(n);
  for (std::size_t index : order) sorted.push_back(std::move(Elements[index]));
  Elements = std::move(sorted);
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
