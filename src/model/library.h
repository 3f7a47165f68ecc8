#pragma once
// TLibrary: the user's collection of sound objects of every kind, kept in one .Lib file. It owns
// its elements in order, carries a comment, remembers its window's place and size, and knows
// whether it has unsaved changes (Saved, cleared by any change of an element it holds).
//
// .Lib file, little-endian: the comment lines (u16 length and that many characters each, then
// FFFF), the window's width, height, left and top (u16, FFFF = none), then the elements' library
// records to the end of the file. There is no signature and no count.
#include <memory>
#include <span>
#include <vector>

#include <QStringList>

#include "model/libelem.h"

enum class TSortKey { Kind, Name, ModifiedDate, CreatedDate };

// Where and why a .Lib could not be read to its end. The complete elements before that point
// were kept; nothing of the damaged record was.
struct TLibraryDamage {
  qint64 Offset = -1;  // start of the damaged part; -1 when the file was read to its end
  QString Problem;
  bool Damaged() const { return Offset >= 0; }
};

class TLibrary : public TLibElem {
 public:
  explicit TLibrary(TLibElem* owner = nullptr);
  ~TLibrary() override;

  // The file name without its folder.
  QString GetName() const override;
  // The window's place and size while it is open; any change clears Saved.
  void StorePositions() override;

  // The whole .Lib contents, after storing the window places.
  void SaveToStream(TByteWriter& out);
  // Replaces elements and comment with what the bytes hold, up to any damage.
  TLibraryDamage LoadFromStream(TByteReader& in);
  QByteArray SaveToBytes(bool xp);
  TLibraryDamage LoadFromBytes(std::span<const std::uint8_t> bytes, bool xp);
  // A damaged file's explanation for the user: file, offset, problem, elements kept.
  QString DamageMessage(const QString& path, const TLibraryDamage& damage) const;

  // Reads a .Lib without asking; damage is shown to the user. True when the file could be read
  // (a damaged file keeps the elements before the damage, and the library is untied from it);
  // Saved is then set.
  bool LoadFromFile(const QString& path);
  // Reads .Lib contents as LoadFromFile does, without reading the file or telling the user.
  TLibraryDamage LoadFromFileBytes(const QString& path, const QByteArray& data);
  // The open dialog, then LoadFromFile; false when cancelled or unreadable. Saved is set and the
  // menus refreshed in any case.
  bool OpenDialogLoad();
  // Writes the library under the save rules (dialog for an untitled library or with saveAs,
  // overwrite question); true when written, and only then are FileName and Saved changed.
  bool Save(bool saveAs);
  // The next Save asks for a file: the library was never written, or is untied from its file.
  bool IsUntitled() const;
  // "Untitled.Lib", "Untitled 2.Lib", ...: the names of new libraries.
  static QString UntitledName(int number);
  // The number of such a name (1 for "Untitled.Lib"), 0 for any other file name.
  static int UntitledNumber(const QString& fileName);

  // Orders the elements in place by exchange, ascending on the key (so equal keys may swap).
  void Sort(TSortKey key);
  // Takes the element at index out of source, deselected, and appends it here.
  void MoveElement(TLibrary& source, int index);

  int Count() const { return static_cast<int>(Elements.size()); }
  TLibElem& Element(int index) { return *Elements.at(static_cast<std::size_t>(index)); }
  // Appends an element and makes this library its owner.
  TLibElem& Add(std::unique_ptr<TLibElem> element);
  // Appends a new element of a kind (0 to 7).
  TLibElem& NewElement(int kind);
  // Removes the element at index from the list and hands it over.
  std::unique_ptr<TLibElem> Take(int index);

  std::vector<std::unique_ptr<TLibElem>> Elements;
  QStringList Comment;
  bool Saved = true;
  // Not written to FileName without a save dialog: a damaged read would write the part that was
  // read over the whole file, and a library made from a .Syx or .Glb must not replace it.
  bool Untied = false;
  std::uint16_t Width = 0xFFFF;
  std::uint16_t Height = 0xFFFF;
};
