#pragma once
// The name lists the editor pages show names from: 65 lists numbered 1 to 65, read from
// "Names.Txt" (fixed names of the installation) and then "UserCard.Txt" (the instrument's user
// and card memories).
//
// Both files hold one name per line; a line whose first character has the code 199 ends a
// section and moves on to the next list; empty lines are skipped. "Names.Txt" fills lists from
// 1; "UserCard.Txt" starts one list after the list "Names.Txt" ended on. "Names.Txt" is taken
// from the start directory, or, when there is none, from the copy built into the program.
//
// The numbering of the installed "Names.Txt" (45 separator lines, so it ends on list 46):
//   1, 2            wave names of Internal A and Internal B
//   2b + 1          wave names of expansion board b (1 to 11): lists 3, 5, ... 23
//   2b + 2          patch names of expansion board b: lists 4, 6, ... 24
//   25 to 28        patch names of Preset A, Preset B, Preset C, GM
//   2c + 27         wave names of PCM card c (1 to 8): lists 29, 31, ... 43
//   2c + 28         patch names of PCM card c: lists 30, 32, ... 44
//   45, 46          performance names of Preset A and Preset B
// and from "UserCard.Txt", in its section order:
//   47 card performances, 48 user performances, 49 user patches, 50 card patches.
// Lists 51 to 65 stay empty.
#include <array>

#include <QByteArray>
#include <QString>
#include <QStringList>

class TPageNames {
 public:
  static constexpr int kListCount = 65;
  static inline const QString NamesFile = QStringLiteral("Names.Txt");
  // The installed copy, used when the start directory has no "Names.Txt".
  static inline const QString BuiltInNames = QStringLiteral(":/data/Names.Txt");

  // Clears every list and reads both files. A file that cannot be read shows "Unable to Load
  // File Names.Txt Or UserCard.Txt"; the lists keep what was read before. A missing
  // "UserCard.Txt" is created with blank names when userCardRequired (the program's lists: on a
  // first start the names are not fetched yet, which is no fault); a command-line listing does
  // without it.
  bool Load(bool userCardRequired = false);

  // Reads one file's lines into the lists from list first on; returns the list it ended on.
  int ReadLines(const QByteArray& bytes, int first);

  // List number (1 to 65); an empty list for any other number.
  const QStringList& List(int number) const;
  // The name at index in the list, or an empty name past its end.
  QString Name(int list, int index) const;

 private:
  std::array<QStringList, kListCount> lists_;
};

// The program's name lists.
TPageNames& PageNames();
