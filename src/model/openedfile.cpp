#include "model/openedfile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include "model/global.h"

namespace {
constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::uint8_t kModelId = 0x6A;
constexpr qsizetype kModelIdOffset = 3;

QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

// Complete messages of this instrument from the first byte to the last: a library starts with
// a comment length, never with F0.
bool HoldsSysex(const QByteArray& data) {
  return data.size() > kModelIdOffset && std::uint8_t(data.front()) == kSysexStart &&
         std::uint8_t(data.at(kModelIdOffset)) == kModelId &&
         std::uint8_t(data.back()) == kSysexEnd;
}

int SysexKindOfSize(qsizetype size, bool xp) {
  for (int kind = ekPatch; kind <= ekSystem; ++kind)
    if (size == TLibElem::SysexSize(kind, xp)) return kind;
  return -1;
}

QString SysexSizes(bool xp) {
  QStringList sizes;
  for (int kind = ekPatch; kind <= ekSystem; ++kind)
    sizes << QStringLiteral("%1 %2").arg(TLibElem::KindName(kind)).arg(TLibElem::SysexSize(kind, xp));
  return sizes.join(QStringLiteral(", "));
}

bool HoldsGlobal(const QByteArray& data, bool xp) {
  return data.size() == TGlobal::GlbSize(xp) && std::uint8_t(data.at(0)) == ekGlobal &&
         data.at(1) == 0;
}

// The element goes into a library of its own that no file stands behind yet.
TOpenedFile InNewLibrary(std::unique_ptr<TLibElem> element, const QString& path) {
  // A sound's name is part of its data; a bank, the system and a global dump are named after
  // their file, as when a .Syx is loaded into them.
  if (element->Kind != ekPatch && element->Kind != ekPerformance && element->Kind != ekRhythm)
    element->Name = NameFromFile(path);
  element->FileName = path;
  TOpenedFile opened;
  opened.Library = std::make_unique<TLibrary>();
  opened.Library->Untied = true;
  opened.Library->Add(std::move(element));
  return opened;
}

TOpenedFile Refused(const QString& message) {
  TOpenedFile opened;
  opened.Message = message;
  return opened;
}
}  // namespace

TOpenedFile OpenByContent(const QString& path, bool xp) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return Refused(QStringLiteral("%1 cannot be read: %2.").arg(Shown(path), file.errorString()));
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return Refused(QStringLiteral("%1 cannot be read: %2.").arg(Shown(path), file.errorString()));
  if (data.isEmpty()) return Refused(QStringLiteral("%1 is empty.").arg(Shown(path)));

  if (HoldsSysex(data)) {
    const int kind = SysexKindOfSize(data.size(), xp);
    if (kind < 0 && !xp && SysexKindOfSize(data.size(), true) >= 0)
      return Refused(QStringLiteral("%1 holds a %2 in the XP layout: open it with Import From XP.")
                         .arg(Shown(path), TLibElem::KindName(SysexKindOfSize(data.size(), true))));
    if (kind < 0)
      return Refused(QStringLiteral("%1 holds SysEx messages, but is %2 bytes long, which is no "
                                    "sound's or bank's size (%3).")
                         .arg(Shown(path))
                         .arg(data.size())
                         .arg(SysexSizes(xp)));
    std::unique_ptr<TLibElem> element = CreateElement(kind, nullptr);
    element->ReadSysexBytes(Bytes(data), xp);
    return InNewLibrary(std::move(element), path);
  }
  if (HoldsGlobal(data, xp)) {
    auto global = std::make_unique<TGlobal>(nullptr);
    const QString problem = global->ReadGlbBytes(Bytes(data), xp);
    if (!problem.isEmpty())
      return Refused(QStringLiteral("%1 is not a global dump: %2.").arg(Shown(path), problem));
    return InNewLibrary(std::move(global), path);
  }

  TOpenedFile opened;
  opened.Library = std::make_unique<TLibrary>();
  const TLibraryDamage damage = opened.Library->LoadFromFileBytes(path, data);
  if (!damage.Damaged()) return opened;
  // Nothing kept: not a library, or one of which nothing can be saved.
  if (opened.Library->Count() == 0)
    return Refused(QStringLiteral("%1 is neither a library, a SysEx file nor a global dump: read "
                                  "as a library, it is damaged at byte %2 (%3).")
                       .arg(Shown(path))
                       .arg(damage.Offset)
                       .arg(damage.Problem));
  opened.Message = opened.Library->DamageMessage(path, damage);
  return opened;
}
