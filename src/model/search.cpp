#include "model/search.h"

#include <algorithm>
#include <numeric>

#include <QHash>

#include "model/bank.h"
#include "model/blockset.h"
#include "model/library.h"

namespace {
bool IsBank(int kind) {
  return kind == ekPatchBank || kind == ekPerformanceBank || kind == ekRhythmBank;
}

bool KindChecked(const TSearchOptions& options, int kind) {
  switch (kind) {
    case ekPatch:
    case ekPatchBank:
      return options.Patch;
    case ekPerformance:
    case ekPerformanceBank:
      return options.Performance;
    case ekRhythm:
    case ekRhythmBank:
      return options.Rhythm;
    case ekSystem:
      return options.System;
    default:
      return false;
  }
}

// Calls test on every element the search looks at, in the order the window lists them:
// library order, banks member by member, a global's user banks (and card banks with a card).
void Walk(TLibrary& library, const TSearchOptions& options, const TSearchProgress& progress,
          const std::function<void(TLibElem&)>& test) {
  int shown = -1;
  const int n = library.Count();
  auto searchBank = [&](TLibElem& element) {
    if (!KindChecked(options, element.Kind)) return;
    auto& bank = static_cast<TBank&>(element);
    for (auto& member : bank.Members) test(*member);
  };
  for (int i = 0; i < n; ++i) {
    const int percent = static_cast<int>(static_cast<double>(i) / n * 100);
    if (percent != shown && progress) progress(percent);
    shown = percent;
    TLibElem& element = library.Element(i);
    if (options.SelectedOnly && !element.Selected) continue;
    if (IsBank(element.Kind)) {
      searchBank(element);
    } else if (element.Kind == ekGlobal) {
      auto& global = static_cast<TBank&>(element);
      for (int b = 0; b < 6 && b < global.Count(); ++b)
        if (b % 2 == 0 || options.DataCard) searchBank(global.Member(b));
    } else {
      test(element);
    }
  }
  if (progress && shown != 100) progress(100);
}

bool Matches(TLibElem& element, const TSearchOptions& options, const QString& pattern) {
  if (!KindChecked(options, element.Kind)) return false;
  if (!pattern.isEmpty()) {
    QString name = TSearch::Trimmed(element.GetName());
    if (!options.CaseSensitive) name = name.toUpper();
    if (options.Substring ? !name.contains(pattern) : name != pattern) return false;
  }
  if (options.UseDate &&
      !(options.FromDate <= element.ModifiedDate && element.ModifiedDate <= options.ToDate))
    return false;
  if (options.UseTime &&
      !(options.FromTime <= element.ModifiedTime && element.ModifiedTime <= options.ToTime))
    return false;
  return true;
}

// What a duplicate search groups by: the name (upper case unless case sensitive), or the
// kind and the sound data. An empty key takes no part.
QByteArray DuplicateKey(TLibElem& element, const TSearchOptions& options) {
  if (!KindChecked(options, element.Kind)) return {};
  if (options.Mode == TSearchMode::SameSound) {
    const QByteArray data = TSearch::SoundData(element);
    if (data.isEmpty()) return {};
    return static_cast<char>(element.Kind) + data;
  }
  const QString name = TSearch::Trimmed(element.GetName());
  if (name.isEmpty()) return {};
  return (options.CaseSensitive ? name : name.toUpper()).toUtf8();
}

struct TSeen {
  TLibElem* Element;
  QByteArray Key;
  bool Reported = false;
};

// Results of a duplicate search with the seen record each one belongs to.
struct TDuplicates {
  std::vector<TLibElem*> Results;
  std::vector<std::size_t> Groups;
};

// The duplicate test on each element; find gives the seen record of an equal key, if any.
template <class TFind, class TAdd>
TDuplicates FindDuplicates(TLibrary& library, const TSearchOptions& options,
                           const TSearchProgress& progress, std::vector<TSeen>& seen, TFind find,
                           TAdd add) {
  TDuplicates found;
  Walk(library, options, progress, [&](TLibElem& element) {
    QByteArray key = DuplicateKey(element, options);
    if (key.isEmpty()) return;
    const std::ptrdiff_t index = find(key);
    if (index < 0) {
      add(key, seen.size());
      seen.push_back({&element, std::move(key)});
      return;
    }
    TSeen& record = seen[static_cast<std::size_t>(index)];
    if (!record.Reported) {
      found.Results.push_back(record.Element);
      found.Groups.push_back(static_cast<std::size_t>(index));
      record.Reported = true;
    }
    found.Results.push_back(&element);
    found.Groups.push_back(static_cast<std::size_t>(index));
  });
  return found;
}

// Renamed copies have different names, so sorting them by name would scatter them: groups of
// the same sound are ordered by the name of their first element and stay together.
std::vector<TLibElem*> SortGroups(const TDuplicates& found, const std::vector<TSeen>& seen) {
  std::vector<std::size_t> order(found.Results.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  QHash<std::size_t, QString> groupName;
  for (std::size_t group : found.Groups)
    if (!groupName.contains(group))
      groupName.insert(group, seen[group].Element->GetName().toUpper());
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const std::size_t ga = found.Groups[a], gb = found.Groups[b];
    if (ga == gb) return false;
    const int byName = QString::compare(groupName[ga], groupName[gb]);
    return byName != 0 ? byName < 0 : ga < gb;
  });
  std::vector<TLibElem*> sorted;
  sorted.reserve(order.size());
  for (std::size_t index : order) sorted.push_back(found.Results[index]);
  return sorted;
}

std::vector<TLibElem*> Finish(const TDuplicates& found, const std::vector<TSeen>& seen,
                              const TSearchOptions& options) {
  if (options.Mode == TSearchMode::SameSound) return SortGroups(found, seen);
  std::vector<TLibElem*> results = found.Results;
  TSearch::SortByName(results);
  return results;
}

}  // namespace

QString TSearch::Trimmed(const QString& name) {
  qsizetype end = name.size();
  while (end > 0 && name[end - 1] == u' ') --end;
  return name.left(end);
}

QByteArray TSearch::SoundData(TLibElem& element) {
  auto* blocks = dynamic_cast<TBlockSet*>(&element);
  if (!blocks) return {};
  // Patches, performances and rhythm sets keep their name in the first 12 bytes of block 0.
  const int nameBytes = element.Kind == ekSystem ? 0 : kNameLength;
  QByteArray data;
  for (int b = 0; b < blocks->BlockCount(); ++b) {
    const TTransferBlock block = blocks->TransferBlock(b);
    const int skip = b == 0 ? nameBytes : 0;
    data.append(reinterpret_cast<const char*>(block.Image) + 9 + skip, block.DataSize() - skip);
  }
  return data;
}

void TSearch::SortByName(std::vector<TLibElem*>& elements) {
  // The exchange sort (each later place j against each place i, exchanged when the name at j
  // is strictly smaller) leaves equal names in an order of its own, and it makes about n*n/16
  // exchanges on a typical duplicate list. Its result is built here without the exchanges.
  //
  // Elements equal to a name v move only against smaller names, and only while smaller names
  // remain: in each pass, the first element not above v, if it is a v, takes the place of the
  // next smaller element. Read in list order, the v elements therefore form a queue that turns
  // by one for every smaller element met after its last arrival; the queue's final order is
  // the order in which the sort leaves them.
  const std::size_t n = elements.size();
  if (n < 2) return;
  std::vector<QString> names;
  names.reserve(n);
  for (TLibElem* element : elements) names.push_back(element->GetName().toUpper());
  std::vector<std::size_t> byName(n);
  std::iota(byName.begin(), byName.end(), std::size_t{0});
  std::stable_sort(byName.begin(), byName.end(),
                   [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
  // Group g holds byName[start[g] .. start[g + 1]), its elements in list order; start[g] is
  // also how many elements have a smaller name.
  std::vector<std::size_t> rank(n), start;
  for (std::size_t k = 0; k < n; ++k) {
    if (k == 0 || names[byName[k - 1]] < names[byName[k]]) start.push_back(k);
    rank[byName[k]] = start.size() - 1;
  }
  const std::size_t groups = start.size();
  start.push_back(n);

  // smallerBefore[p]: elements before place p with a smaller name (a Fenwick tree over groups).
  std::vector<std::size_t> fenwick(groups + 1, 0), smallerBefore(n);
  for (std::size_t p = 0; p < n; ++p) {
    std::size_t count = 0;
    for (std::size_t i = rank[p]; i > 0; i -= i & (~i + 1)) count += fenwick[i];
    smallerBefore[p] = count;
    for (std::size_t i = rank[p] + 1; i <= groups; i += i & (~i + 1)) ++fenwick[i];
  }

  // The queue is a circle kept as a list and the index of its head; a newcomer joins the end
  // of the queue, just before the head.
  std::vector<TLibElem*> sorted(n);
  std::vector<std::size_t> circle;
  for (std::size_t g = 0; g < groups; ++g) {
    circle.clear();
    std::size_t head = 0;
    for (std::size_t k = start[g]; k < start[g + 1]; ++k) {
      const std::size_t place = byName[k];
      circle.insert(circle.begin() + static_cast<std::ptrdiff_t>(head), place);
      if (circle.size() > 1) ++head;
      const std::size_t smallerUntilNext =
          (k + 1 < start[g + 1] ? smallerBefore[byName[k + 1]] : start[g]) - smallerBefore[place];
      head = (head + smallerUntilNext) % circle.size();
    }
    for (std::size_t k = 0; k < circle.size(); ++k)
      sorted[start[g] + k] = elements[circle[(head + k) % circle.size()]];
  }
  elements = std::move(sorted);
}

std::vector<TLibElem*> TSearch::Run(TLibrary& library, const TSearchOptions& options,
                                    const TSearchProgress& progress) {
  if (options.Mode == TSearchMode::Search) {
    QString pattern = Trimmed(options.Pattern);
    if (!options.CaseSensitive) pattern = pattern.toUpper();
    std::vector<TLibElem*> results;
    Walk(library, options, progress, [&](TLibElem& element) {
      if (Matches(element, options, pattern)) results.push_back(&element);
    });
    return results;
  }
  // Each key is in the seen list at most once (a match is never added), so an index from key
  // to record finds the same first record as scanning the list.
  std::vector<TSeen> seen;
  QHash<QByteArray, std::size_t> index;
  const TDuplicates found = FindDuplicates(
      library, options, progress, seen,
      [&](const QByteArray& key) -> std::ptrdiff_t {
        const auto it = index.constFind(key);
        return it == index.cend() ? -1 : static_cast<std::ptrdiff_t>(*it);
      },
      [&](const QByteArray& key, std::size_t at) { index.insert(key, at); });
  return Finish(found, seen, options);
}

std::vector<TLibElem*> TSearch::RunOneByOne(TLibrary& library, const TSearchOptions& options) {
  if (options.Mode == TSearchMode::Search) return Run(library, options);
  std::vector<TSeen> seen;
  const TDuplicates found = FindDuplicates(
      library, options, {}, seen,
      [&](const QByteArray& key) -> std::ptrdiff_t {
        for (std::size_t i = 0; i < seen.size(); ++i)
          if (seen[i].Key == key) return static_cast<std::ptrdiff_t>(i);
        return -1;
      },
      [](const QByteArray&, std::size_t) {});
  std::vector<TLibElem*> results = found.Results;
  if (options.Mode == TSearchMode::SameSound) return SortGroups(found, seen);
  // The exchange sort itself, name against name.
  for (std::size_t i = 0; i + 1 < results.size(); ++i)
    for (std::size_t j = i + 1; j < results.size(); ++j)
      if (results[j]->GetName().toUpper() < results[i]->GetName().toUpper())
        std::swap(results[i], results[j]);
  return results;
}

QString TSearch::Location(const TLibElem& element) {
  const TLibElem* owner = element.Owner;
  if (!owner) return QString();
  if (owner->Owner && owner->Owner->Owner)
    return owner->Owner->GetName() + QLatin1Char('\\') + owner->GetName();
  return owner->GetName();
}

QString TSearch::ExportLine(const TLibElem& element, const QString& modifiedText) {
  return element.KindName().leftJustified(20) + element.GetName().leftJustified(20) +
         element.LocationText().leftJustified(15) + modifiedText.leftJustified(25) +
         QStringLiteral("Loc : ") + Location(element);
}
