#pragma once
// TLoadedFile: a .Syx, .Glb or .Lib file read whole and recognised, with the element or library
// it holds. A .Syx is recognised by its size, a .Glb by its size and kind code, a .Lib by its
// extension or, when the extension says nothing, by reading it to its end.
#include <memory>
#include <optional>

#include <QByteArray>
#include <QString>

#include "model/library.h"

enum class TFileFormat { Syx, Glb, Lib };
// Either: the file reads the same in both layouts (rhythm kinds, a library of only those).
enum class TLayout { Normal, Xp, Either };

class TLoadedFile {
 public:
  // Reads path. With xp given, the file must be in that layout (Either fits both); without it
  // the layout is recognised. A damaged library keeps the elements before the damage, which is
  // described in Damage. Throws TCliError naming the file and what is wrong.
  static TLoadedFile Load(const QString& path, std::optional<bool> xp = std::nullopt);

  // Throws a bad-input error when the library could not be read to its end.
  void RequireWhole() const;
  // Whether to write in the XP layout when keeping this file's layout.
  bool Xp() const { return Layout == TLayout::Xp; }
  // The file's contents written again in a layout.
  QByteArray Write(bool xp) const;

  static QString FormatName(TFileFormat format);
  static QString LayoutName(TLayout layout);
  // The kind (0 to 6) and layout of a .Syx file of size bytes; false when no kind has that size.
  static bool SyxKindOfSize(qint64 size, int& kind, TLayout& layout);

  QString Path;
  TFileFormat Format = TFileFormat::Syx;
  TLayout Layout = TLayout::Normal;
  qint64 Size = 0;
  std::unique_ptr<TLibElem> Element;  // a .Syx's sound or bank, or a .Glb's global
  std::unique_ptr<TLibrary> Library;  // a .Lib's library
  TLibraryDamage Damage;
};
