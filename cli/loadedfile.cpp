#include "cli/loadedfile.h"

#include <algorithm>

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "cli/clierror.h"
#include "cli/listing.h"
#include "model/bank.h"
#include "model/fileio.h"
#include "model/global.h"

namespace {
QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

bool Fits(TLayout layout, bool xp) {
  return layout == TLayout::Either || (layout == TLayout::Xp) == xp;
}

QString LayoutWord(bool xp) {
  return xp ? QStringLiteral("the XP layout") : QStringLiteral("the normal layout");
}

QByteArray ReadFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists())
    throw TCliError::BadInput(QStringLiteral("%1: no such file").arg(Shown(path)));
  if (info.isDir())
    throw TCliError::BadInput(QStringLiteral("%1: is a folder, not a file").arg(Shown(path)));
  QByteArray data;
  if (!ReadWholeFile(path, data)) FailWithRecordedMessages(Shown(path) + ": cannot be read");
  if (data.isEmpty())
    throw TCliError::BadInput(QStringLiteral("%1: the file is empty").arg(Shown(path)));
  return data;
}

// The file's last change as a day count, which is when a .Syx's contents were last modified.
TDayTime FileDayTime(const QString& path) {
  const QDateTime changed = QFileInfo(path).lastModified();
  return {static_cast<double>(QDate(1899, 12, 30).daysTo(changed.date())),
          changed.time().msecsSinceStartOfDay() / 86400000.0};
}

void DateAll(TLibElem& element, const TDayTime& when) {
  element.ModifiedDate = when.Date;
  element.ModifiedTime = when.Time;
  if (auto* bank = dynamic_cast<TBank*>(&element))
    for (auto& member : bank->Members) DateAll(*member, when);
}

bool LayoutSensitive(const TLibElem& element) {
  return element.Kind != ekRhythm && element.Kind != ekRhythmBank;
}

QString SyxSizes() {
  QStringList sizes;
  for (int kind = ekPatch; kind <= ekSystem; ++kind) {
    const int normal = TLibElem::SysexSize(kind, false);
    const int xp = TLibElem::SysexSize(kind, true);
    sizes
        << (normal == xp
                ? QStringLiteral("%1 %2").arg(TLibElem::KindName(kind)).arg(normal)
                : QStringLiteral("%1 %2 or %3").arg(TLibElem::KindName(kind)).arg(normal).arg(xp));
  }
  return sizes.join(QStringLiteral(", "));
}

void LoadSyx(TLoadedFile& file, const QByteArray& data, std::optional<bool> xp) {
  int kind = 0;
  if (!TLoadedFile::SyxKindOfSize(data.size(), kind, file.Layout))
    throw TCliError::BadInput(
        QStringLiteral("%1: wrong size for a .Syx file: %2 bytes, where a .Syx file is one of: %3")
            .arg(Shown(file.Path))
            .arg(data.size())
            .arg(SyxSizes()));
  if (xp && !Fits(file.Layout, *xp))
    throw TCliError::BadInput(
        QStringLiteral("%1: a %2 .Syx file in %3, not in %4")
            .arg(Shown(file.Path), TLibElem::KindName(kind), LayoutWord(!*xp), LayoutWord(*xp)));
  file.Element = CreateElement(kind, nullptr);
  if (!file.Element->ReadSysexBytes(Bytes(data), file.Xp()))
    throw TCliError::BadInput(Shown(file.Path) + ": cannot be read as a .Syx file");
  DateAll(*file.Element, FileDayTime(file.Path));
}

void LoadGlb(TLoadedFile& file, const QByteArray& data, std::optional<bool> xp) {
  const bool fileXp = data.size() == TGlobal::GlbSize(true);
  if (data.size() != TGlobal::GlbSize(false) && !fileXp)
    throw TCliError::BadInput(
        QStringLiteral("%1: wrong size for a .Glb file: %2 bytes, where a global dump is %3 "
                       "bytes (%4 in the XP layout)")
            .arg(Shown(file.Path))
            .arg(data.size())
            .arg(TGlobal::GlbSize(false))
            .arg(TGlobal::GlbSize(true)));
  if (xp && *xp != fileXp)
    throw TCliError::BadInput(QStringLiteral("%1: a .Glb file in %2, not in %3")
                                  .arg(Shown(file.Path), LayoutWord(fileXp), LayoutWord(*xp)));
  file.Layout = fileXp ? TLayout::Xp : TLayout::Normal;
  auto global = std::make_unique<TGlobal>(nullptr);
  const QString problem = global->ReadGlbBytes(Bytes(data), fileXp);
  if (!problem.isEmpty())
    throw TCliError::BadInput(
        QStringLiteral("%1: not a global dump: %2").arg(Shown(file.Path), problem));
  file.Element = std::move(global);
}

// Reads a library in one layout; true when it was read to its end.
bool ReadLibrary(TLoadedFile& file, const QByteArray& data, bool xp) {
  file.Library = std::make_unique<TLibrary>();
  file.Damage = file.Library->LoadFromBytes(Bytes(data), xp);
  file.Library->FileName = file.Path;
  file.Layout = xp ? TLayout::Xp : TLayout::Normal;
  return !file.Damage.Damaged();
}

// A library says nothing of its layout, so it is read in the one asked for, or in the one in
// which it reads to its end (the normal one when both do; when none does, the one that kept more
// elements, the normal one on a tie).
bool LoadLib(TLoadedFile& file, const QByteArray& data, std::optional<bool> xp) {
  if (xp) return ReadLibrary(file, data, *xp);
  if (!ReadLibrary(file, data, false)) {
    const int normalKept = file.Library->Count();
    if (ReadLibrary(file, data, true)) return true;
    if (file.Library->Count() <= normalKept) ReadLibrary(file, data, false);
    return false;
  }
  const auto& elements = file.Library->Elements;
  if (std::none_of(elements.begin(), elements.end(),
                   [](const auto& element) { return LayoutSensitive(*element); }))
    file.Layout = TLayout::Either;
  return true;
}
}  // namespace

bool TLoadedFile::SyxKindOfSize(qint64 size, int& kind, TLayout& layout) {
  for (int k = ekPatch; k <= ekSystem; ++k) {
    const bool normal = size == TLibElem::SysexSize(k, false);
    const bool xp = size == TLibElem::SysexSize(k, true);
    if (normal || xp) {
      kind = k;
      layout = normal && xp ? TLayout::Either : xp ? TLayout::Xp : TLayout::Normal;
      return true;
    }
  }
  return false;
}

TLoadedFile TLoadedFile::Load(const QString& path, std::optional<bool> xp) {
  TLoadedFile file;
  file.Path = path;
  const QByteArray data = ReadFile(path);
  file.Size = data.size();
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("syx")) {
    file.Format = TFileFormat::Syx;
    LoadSyx(file, data, xp);
  } else if (suffix == QLatin1String("glb")) {
    file.Format = TFileFormat::Glb;
    LoadGlb(file, data, xp);
  } else if (suffix == QLatin1String("lib")) {
    file.Format = TFileFormat::Lib;
    LoadLib(file, data, xp);
  } else {
    // The extension says nothing: a .Syx starts with a message, a .Glb with the global's kind.
    int kind = 0;
    TLayout layout = TLayout::Normal;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    if (SyxKindOfSize(data.size(), kind, layout) && bytes[0] == 0xF0) {
      file.Format = TFileFormat::Syx;
      LoadSyx(file, data, xp);
    } else if ((data.size() == TGlobal::GlbSize(false) || data.size() == TGlobal::GlbSize(true)) &&
               bytes[0] == ekGlobal && bytes[1] == 0) {
      file.Format = TFileFormat::Glb;
      LoadGlb(file, data, xp);
    } else if (LoadLib(file, data, xp) || file.Library->Count() > 0) {
      file.Format = TFileFormat::Lib;
    } else {
      throw TCliError::BadInput(
          QStringLiteral("%1: unknown kind of file: not a .Syx or .Glb file by its size (%2 "
                         "bytes), and not a library (%3 at byte %4)")
              .arg(Shown(path))
              .arg(data.size())
              .arg(file.Damage.Problem)
              .arg(file.Damage.Offset));
    }
  }
  return file;
}

void TLoadedFile::RequireWhole() const {
  if (Library && Damage.Damaged())
    throw TCliError::BadInput(
        QStringLiteral("%1: damaged library: at byte %2, %3 (intact before it: %4)")
            .arg(Shown(Path))
            .arg(Damage.Offset)
            .arg(Damage.Problem, TListing::ElementCount(Library->Count())));
}

QByteArray TLoadedFile::Write(bool xp) const {
  switch (Format) {
    case TFileFormat::Syx:
      return Element->SysexBytes(xp);
    case TFileFormat::Glb:
      return static_cast<TGlobal&>(*Element).GlbBytes(xp);
    case TFileFormat::Lib:
      return Library->SaveToBytes(xp);
  }
  return QByteArray();
}

QString TLoadedFile::FormatName(TFileFormat format) {
  switch (format) {
    case TFileFormat::Syx:
      return QStringLiteral("syx");
    case TFileFormat::Glb:
      return QStringLiteral("glb");
    case TFileFormat::Lib:
      return QStringLiteral("lib");
  }
  return QString();
}

QString TLoadedFile::LayoutName(TLayout layout) {
  switch (layout) {
    case TLayout::Normal:
      return QStringLiteral("normal");
    case TLayout::Xp:
      return QStringLiteral("xp");
    case TLayout::Either:
      return QStringLiteral("either");
  }
  return QString();
}
