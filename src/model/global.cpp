#include "model/global.h"

#include <QDir>

#include "midi/config.h"
#include "midi/midisession.h"
#include "midi/userinterface.h"
#include "model/fileio.h"
#include "model/listingprinter.h"
#include "model/modelhooks.h"
#include "model/sendable.h"
#include "model/transfer.h"

namespace {
template <class T>
std::unique_ptr<TLibElem> NewBank(TLibElem* owner, bool user) {
  auto bank = std::make_unique<T>(owner);
  bank->User = user;
  return bank;
}
}  // namespace

TGlobal::TGlobal(TLibElem* owner) : TBank(owner) {
  Kind = ekGlobal;
  FileName = QStringLiteral("Untitled.Glb");
  Members.reserve(kMemberCount);
  Members.push_back(NewBank<TPatchBank>(this, true));
  Members.push_back(NewBank<TPatchBank>(this, false));
  Members.push_back(NewBank<TPerformanceBank>(this, true));
  Members.push_back(NewBank<TPerformanceBank>(this, false));
  Members.push_back(NewBank<TRhythmBank>(this, true));
  Members.push_back(NewBank<TRhythmBank>(this, false));
  Members.push_back(std::make_unique<TSystem>(this));
}

void TGlobal::WriteSysex(TByteWriter& out) {
  TLibElem::WriteSysex(out);
  for (auto& member : Members) member->SaveToLibrary(out);
}

void TGlobal::ReadSysex(TByteReader& in) {
  for (auto& member : Members) {
    const qint64 at = in.Position();
    const std::uint16_t kind = in.U16();
    if (kind != member->Kind)
      throw TFormatError(at, QStringLiteral("kind code %1 where a global dump holds its %2")
                                 .arg(kind)
                                 .arg(member->KindName()));
    member->LoadFromLibrary(in);
  }
}

void TGlobal::Print(TListingPrinter& printer, bool detailed) {
  const bool card = printer.DataCardInstalled();
  for (int i = 0; i < gmSystem; ++i)
    if (card || i % 2 == 0) Member(i).Print(printer, detailed);
  printer.Title(QStringLiteral("System  [ Global : ") + Name + QStringLiteral(" ]"));
  Member(gmSystem).Print(printer, detailed);
}

QString TGlobal::ReadGlbBytes(std::span<const std::uint8_t> bytes, bool xp) {
  if (bytes.size() != static_cast<std::size_t>(GlbSize(xp)))
    return QStringLiteral("it is %1 bytes long; a global dump is %2 bytes")
        .arg(bytes.size())
        .arg(GlbSize(xp));
  try {
    // Checked whole on a fresh object first, so a refused file leaves this one as it was.
    TGlobal fresh(nullptr);
    TByteReader check(bytes, xp);
    const std::uint16_t kind = check.U16();
    if (kind != ekGlobal)
      throw TFormatError(0, QStringLiteral("kind code %1 where a global dump has 7").arg(kind));
    fresh.LoadFromLibrary(check);
  } catch (const TFormatError& error) {
    return QStringLiteral("%1 at byte %2").arg(error.What).arg(error.Offset);
  }
  TByteReader reader(bytes, xp);
  reader.U16();
  LoadFromLibrary(reader);
  return QString();
}

bool TGlobal::LoadGlobal() {
  const QString path =
      UI().ChooseOpenFile(DialogFor(QStringLiteral("Load Global"), QStringLiteral("Glb"),
                                    QStringLiteral("Glb file|*.Glb"), FileName, true));
  if (path.isEmpty()) return false;
  QByteArray data;
  if (!ReadWholeFile(path, data)) return false;
  const QString problem = ReadGlbBytes(Bytes(data), XpFlag());
  if (!problem.isEmpty()) {
    UI().Show(TMsgKind::Error, QStringLiteral("%1 is not a global dump: %2.")
                                   .arg(QDir::toNativeSeparators(path), problem));
    return false;
  }
  FileName = path;
  Name = NameFromFile(path);
  // The contents changed, so the library holding the global has unsaved changes.
  Modified();
  UpdateViews();
  if (ModelHooks().FileLoaded) ModelHooks().FileLoaded(*this, path);
  return true;
}

bool TGlobal::SaveGlobal(bool saveAs) {
  const QString target = SaveTarget(saveAs, FileName, SavedToFile, QStringLiteral("Untitled.Glb"),
                                    DialogFor(QStringLiteral("Save Global"), QStringLiteral("Glb"),
                                              QStringLiteral("Glb file|*.Glb"), FileName, false));
  if (target.isEmpty()) return false;
  if (!WriteFileAtomic(target, GlbBytes(XpFlag()))) return false;
  FileName = target;
  SavedToFile = true;
  return true;
}

bool TGlobal::TakesPart(int member) const {
  const bool cardBank = member != gmSystem && member % 2 == 1;
  return !cardBank || Config().DataCard;
}

bool TGlobal::EachMember(const std::function<void(TLibElem&)>& transfer) {
  for (int i = 0; i < Count(); ++i) {
    if (!TakesPart(i)) continue;
    transfer(Member(i));
    if (!Transfer().Finished) return false;
  }
  return true;
}

void TGlobal::Transmit(bool toTemporary) {
  // Nothing of the dump leaves when a member that would be sent cannot be.
  if (MidiSession().MidiOpen())
    for (int i = 0; i < Count(); ++i)
      if (TakesPart(i) && !CheckSendable(Member(i))) return;
  EachMember([toTemporary](TLibElem& member) { member.Transmit(toTemporary); });
}

void TGlobal::Receive(bool fromTemporary) {
  if (EachMember([fromTemporary](TLibElem& member) { member.Receive(fromTemporary); }))
    UpdateViews();
}
