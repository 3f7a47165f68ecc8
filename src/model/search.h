#pragma once
// TSearch: finds the elements of a library that match a name, date and time (Search), or whose
// names occur more than once (Find Duplicate), or whose sound data are stored more than once
// under any name (Same Sound). Banks are searched member by member, global dumps bank by bank;
// the banks themselves never appear in the results. The search window and vesta-cli share it.
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

class TLibElem;
class TLibrary;

enum class TSearchMode { Search, DuplicateNames, SameSound };

struct TSearchOptions {
  TSearchMode Mode = TSearchMode::Search;
  // The "Search For" boxes: the kinds tested, and the banks looked into.
  bool Patch = true;
  bool Performance = true;
  bool Rhythm = true;
  bool System = true;
  bool CaseSensitive = false;
  bool Substring = true;
  bool SelectedOnly = false;
  // The card banks of global dumps are looked into only with a data card.
  bool DataCard = false;
  QString Pattern;  // trailing blanks are ignored; empty matches every name
  bool UseDate = false;
  double FromDate = 0;
  double ToDate = 0;
  bool UseTime = false;
  double FromTime = 0;
  double ToTime = 0;
};

// Percent done (0 to 100), reported only when it changes.
using TSearchProgress = std::function<void(int percent)>;

class TSearch {
 public:
  // The results in the order the window lists them: duplicates sorted by name.
  static std::vector<TLibElem*> Run(TLibrary& library, const TSearchOptions& options,
                                    const TSearchProgress& progress = {});
  // The duplicate search comparing each element with every one seen before it. Quadratic; kept
  // as the reference the indexed search is measured and checked against.
  static std::vector<TLibElem*> RunOneByOne(TLibrary& library, const TSearchOptions& options);

  // The name without its trailing blanks.
  static QString Trimmed(const QString& name);
  // Every data byte of a sound except its name: what Same Sound compares. Empty for banks.
  static QByteArray SoundData(TLibElem& element);
  // Orders elements by upper-case name exactly as an exchange sort does (equal names keep
  // the places that sort gives them), in O(n log n) plus the insertions into each group of
  // equal names.
  static void SortByName(std::vector<TLibElem*>& elements);

  // One line of the text export (no line end): kind, name, Src/Dst and date padded to 20, 20,
  // 15 and 25 characters, then "Loc : " and the location; a longer field is written whole.
  static QString ExportLine(const TLibElem& element, const QString& modifiedText);
  // Where an element lives: its owner, or "library\bank" for a member of a bank in a library.
  static QString Location(const TLibElem& element);
};
