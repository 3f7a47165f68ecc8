#include "model/libelem.h"

#include <algorithm>

#include <QDateTime>

#include "midi/userinterface.h"
#include "model/fileio.h"
#include "model/library.h"
#include "model/listingprinter.h"
#include "model/modelhooks.h"
#include "model/viewregistry.h"

namespace {
bool xpFlag = false;

// Bank kinds whose members take their user/card memory from the bank.
bool IsMemberBank(const TLibElem* owner) {
  return owner && (owner->Kind == ekPatchBank || owner->Kind == ekPerformanceBank ||
                   owner->Kind == ekRhythmBank);
}
}  // namespace

bool XpFlag() {
  return xpFlag;
}
void SetXpFlag(bool on) {
  xpFlag = on;
}

TModelHooks& ModelHooks() {
  static TModelHooks hooks;
  return hooks;
}

TDayTime NowDayTime() {
  // Converting to local time costs microseconds, and every new element asks for the time, so
  // the offset from UTC is looked up once a minute (offsets only change on whole minutes).
  constexpr qint64 kMsPerDay = 86400000;
  constexpr qint64 kUnixEpochDay = 25569;  // 1 January 1970 counted from 30 December 1899
  thread_local qint64 cachedMinute = -1;
  thread_local qint64 offsetMs = 0;
  const qint64 utc = QDateTime::currentMSecsSinceEpoch();
  if (utc / 60000 != cachedMinute) {
    cachedMinute = utc / 60000;
    offsetMs = QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc() * qint64(1000);
  }
  const qint64 local = utc + offsetMs;
  const qint64 day = local >= 0 ? local / kMsPerDay : (local - kMsPerDay + 1) / kMsPerDay;
  return {static_cast<double>(day + kUnixEpochDay),
          static_cast<double>(local - day * kMsPerDay) / kMsPerDay};
}

QString FileNamePart(const QString& path) {
  const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.mid(slash + 1);
}

QString FolderPart(const QString& path) {
  const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return slash < 0 ? QString() : path.left(slash == 0 ? 1 : slash);
}

QString NameFromFile(const QString& path) {
  const QString name = FileNamePart(path).left(kNameLength);
  const qsizetype dot = name.indexOf(u'.');
  return dot < 0 ? name : name.left(dot);
}

TLibElem::TLibElem(TLibElem* owner) : Owner(owner) {
  const TDayTime now = NowDayTime();
  ModifiedDate = CreatedDate = now.Date;
  ModifiedTime = CreatedTime = now.Time;
}

TLibElem::~TLibElem() = default;

void TLibElem::Assign(const TLibElem& source) {
  Name = source.Name;
  Selected = source.Selected;
  FileName = source.FileName;
  Temporary = source.Temporary;
  User = source.User;
  Number = source.Number;
  Modified();
}

QString TLibElem::GetName() const {
  return Name;
}

void TLibElem::SetName(const QString& name, bool) {
  Name = name.left(kNameLength);
}

void TLibElem::UpdateViews() {}
void TLibElem::PrepareMessages() {}
void TLibElem::WriteSysex(TByteWriter&) {
  PrepareMessages();
}
void TLibElem::ReadSysex(TByteReader&) {}

void TLibElem::SaveToLibrary(TByteWriter& out) {
  StorePositions();
  out.U16(Kind);
  out.String(Name, kNameLength + 1);
  out.String(FileName, kFileNameLength + 1);
  out.F64(CreatedDate);
  out.F64(CreatedTime);
  out.F64(ModifiedDate);
  out.F64(ModifiedTime);
  out.U8(Temporary ? 1 : 0);
  out.U8(User ? 1 : 0);
  out.U16(Number);
  out.U16(WinLeft);
  out.U16(WinTop);
}

void TLibElem::LoadFromLibrary(TByteReader& in) {
  Name = in.String(kNameLength + 1);
  FileName = in.String(kFileNameLength + 1);
  CreatedDate = in.F64();
  CreatedTime = in.F64();
  ModifiedDate = in.F64();
  ModifiedTime = in.F64();
  Temporary = in.U8() != 0;
  User = in.U8() != 0;
  Number = in.U16();
  WinLeft = in.U16();
  WinTop = in.U16();
}

bool TLibElem::SaveSysexFile(bool saveAs) {
  const QString target = SaveTarget(saveAs, FileName, SavedToFile, QStringLiteral("Untitled.Syx"),
                                    DialogFor(QStringLiteral("Save SysEx"), QStringLiteral("Syx"),
                                              QStringLiteral("Syx file|*.Syx"), FileName, false));
  if (target.isEmpty()) return false;
  if (!WriteFileAtomic(target, SysexBytes(XpFlag()))) return false;
  FileName = target;
  SavedToFile = true;
  return true;
}

bool TLibElem::LoadSysexFile() {
  const QString path =
      UI().ChooseOpenFile(DialogFor(QStringLiteral("Load SysEx"), QStringLiteral("Syx"),
                                    QStringLiteral("Syx file|*.Syx"), FileName, true));
  if (path.isEmpty()) return false;
  QByteArray data;
  if (!ReadWholeFile(path, data)) return false;
  if (!ReadSysexBytes(Bytes(data), XpFlag())) {
    UI().Show(TMsgKind::Information, QStringLiteral("Incorrect SysEx File Type."));
    return false;
  }
  FileName = path;
  Modified();
  if (Kind == ekPatchBank || Kind == ekPerformanceBank || Kind == ekRhythmBank || Kind == ekSystem)
    Name = NameFromFile(path);
  UpdateViews();
  if (ModelHooks().FileLoaded) ModelHooks().FileLoaded(*this, path);
  return true;
}

void TLibElem::Transmit(bool) {}
void TLibElem::Receive(bool) {
  Modified();
}
void TLibElem::Init() {}
void TLibElem::RequestNext() {}
void TLibElem::StorePositions() {
  StorePlace(Editor, WindowOpen, WinLeft, WinTop);
}
void TLibElem::TransmitNext() {}
void TLibElem::Print(TListingPrinter& printer, bool detailed) {
  printer.Row(*this, detailed);
}

void TLibElem::Modified() {
  const TDayTime now = NowDayTime();
  for (TLibElem* element = this; element; element = element->Owner) {
    element->ModifiedDate = now.Date;
    element->ModifiedTime = now.Time;
  }
  ClearTopSaved();
  if (ModelHooks().EnableMenuItems) ModelHooks().EnableMenuItems();
}

void TLibElem::OpenEditor() {
  if (WindowOpen) {
    if (Editor && ModelHooks().BringToFront) ModelHooks().BringToFront(Editor);
    return;
  }
  WindowOpen = true;
  if (Kind == ekPatch || Kind == ekPerformance || Kind == ekRhythm || Kind == ekSystem)
    Transmit(true);
  Editor = Views().CreateEditor(*this);
  // Nothing could show it: the element is not left marked as open.
  if (!Editor) WindowOpen = false;
}

QString TLibElem::LocationText() const {
  const bool user = IsMemberBank(Owner) ? Owner->User : User;
  const QString memory = user ? QStringLiteral("User") : QStringLiteral("Card");
  switch (Kind) {
    case ekPatch:
    case ekPerformance:
    case ekRhythm:
      if (Temporary) return QStringLiteral("Temporary");
      return memory + QStringLiteral(" : ") + QString::number(Number);
    case ekPatchBank:
    case ekPerformanceBank:
    case ekRhythmBank:
      return memory;
    default:
      return QString();
  }
}

QString TLibElem::KindName(int kind) {
  static const char* const names[kKindCount] = {
      "Patch",  "Patch Bank",  "Performance", "Performance Bank",
      "Rhythm", "Rhythm Bank", "System",      "Global"};
  return kind >= 0 && kind < kKindCount ? QString::fromLatin1(names[kind]) : QString();
}

QString TLibElem::KindName() const {
  return KindName(Kind);
}

int TLibElem::SysexSize(int kind, bool xp) {
  const int x = xp ? 1 : 0;
  switch (kind) {
    case ekPatch:
      return 643 + x;
    case ekPatchBank:
      return (643 + x) * 128;
    case ekPerformance:
      return 555 + 98 * x;
    case ekPerformanceBank:
      return (555 + 98 * x) * 32;
    case ekRhythm:
      return 4439;
    case ekRhythmBank:
      return 8878;
    case ekSystem:
      return 442 + 42 * x;
    default:
      return -1;
  }
}

TLibElem* TLibElem::TopOwner() const {
  TLibElem* top = nullptr;
  TLibElem* next = Owner;
  for (int step = 0; step < 3 && next; ++step) {
    top = next;
    next = next->Owner;
  }
  return top;
}

QByteArray TLibElem::SysexBytes(bool xp) {
  QByteArray out;
  out.reserve(std::max(SysexSize(Kind, xp), 0));
  TByteWriter writer(out, xp);
  WriteSysex(writer);
  return out;
}

bool TLibElem::ReadSysexBytes(std::span<const std::uint8_t> bytes, bool xp) {
  const int expected = SysexSize(Kind, xp);
  if (expected < 0 || bytes.size() != static_cast<std::size_t>(expected)) return false;
  TByteReader reader(bytes, xp);
  ReadSysex(reader);
  return true;
}

QByteArray TLibElem::RecordBytes(bool xp) {
  QByteArray out;
  TByteWriter writer(out, xp);
  SaveToLibrary(writer);
  return out;
}

void TLibElem::NotifyViews() {
  Views().Update(*this);
}

void TLibElem::CloseViews() {
  Views().Close(*this);
}

void TLibElem::StorePlace(const QObject* window, bool open, std::uint16_t& left,
                          std::uint16_t& top) {
  if (!open || !window || !ModelHooks().WindowPlace) return;
  TWindowPlace place;
  if (!ModelHooks().WindowPlace(window, place)) return;
  if (place.Left == left && place.Top == top) return;
  left = place.Left;
  top = place.Top;
  ClearTopSaved();
}

std::uint32_t TLibElem::MemoryBase(std::uint32_t temporary, std::uint32_t user, std::uint32_t card,
                                   int count) const {
  if (Temporary) return temporary;
  const bool inUser = IsMemberBank(Owner) ? Owner->User : User;
  const int number = std::clamp<int>(Number, 1, count);
  return (inUser ? user : card) + static_cast<std::uint32_t>(number - 1) * 0x10000;
}

void TLibElem::ClearTopSaved() const {
  if (auto* library = dynamic_cast<TLibrary*>(TopOwner())) library->Saved = false;
}
