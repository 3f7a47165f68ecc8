#pragma once
// The names of the instrument's user and card patches and performances, kept in "UserCard.Txt"
// in the start directory: four sections (card performances, user performances, user patches,
// card patches), each ended by a separator line holding the single character of code 199.
// The update-names dialog fills them from the instrument; bank transfers keep them in step.
#include <array>
#include <functional>

#include <QString>
#include <QStringList>

class TNameLists {
 public:
  enum TList { nlCardPerformances, nlUserPerformances, nlUserPatches, nlCardPatches, kListCount };
  static constexpr char kSeparator = '\xC7';  // code 199
  static inline const QString FileName = QStringLiteral("UserCard.Txt");

  // The list of a memory: performances or patches, user or card.
  static TList ListOf(bool patches, bool user);
  // How many names a list holds at most (128 patches, 32 performances).
  static int Capacity(TList list);

  // Reads the file; a missing file gives four empty lists. A section longer than its memory is
  // cut, and empty lines are skipped. False (lists empty) when the file exists but is unreadable.
  bool Load();
  // Writes the file whole or not at all; a failure is shown with the file's name and the
  // system's text. False when it failed.
  bool Save() const;
  // The member's name at its index in the list, or appended when the list is not that long yet.
  void SetEntry(TList list, int index, const QString& name);

  // Every list full of blank names (twelve spaces, as the instrument pads a name): the file of a
  // first start, before the names were fetched.
  static TNameLists Blank();

  // The file's contents: each name on a line of its own (CR LF), each section ended by the
  // separator line.
  QByteArray Bytes() const;
  void SetBytes(const QByteArray& bytes);

  std::array<QStringList, kListCount> Lists;
};

// The program-wide name lists.
TNameLists& NameLists();

// The folder "UserCard.Txt" lives in: the working directory when the program started, unless
// the program sets another.
QString StartDirectory();
void SetStartDirectory(const QString& path);

// Reloads the name lists window after the file changed (its Load); the window installs it.
std::function<void()>& NamesWindowLoadHook();
