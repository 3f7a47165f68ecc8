#include <random>

#include <gtest/gtest.h>

#include "model/global.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "model/search.h"
#include "modelfixture.h"

namespace {
class TSearchTest : public TModelTest {
 protected:
  TLibElem& Add(int kind, const QString& name) {
    TLibElem& element = library.NewElement(kind);
    element.SetName(name, false);
    return element;
  }
  TPatchBank& AddPatchBank(const QString& prefix) {
    auto& bank = static_cast<TPatchBank&>(library.NewElement(ekPatchBank));
    for (int i = 0; i < bank.Count(); ++i)
      bank.Member(i).SetName(prefix + QString::number(i + 1), false);
    return bank;
  }
  static QStringList Names(const std::vector<TLibElem*>& results) {
    QStringList names;
    for (const TLibElem* element : results) names << element->GetName();
    return names;
  }
  QStringList Found(const TSearchOptions& options) { return Names(TSearch::Run(library, options)); }
  std::vector<TLibElem*> Duplicates(bool caseSensitive = false) {
    TSearchOptions options;
    options.Mode = TSearchMode::DuplicateNames;
    options.CaseSensitive = caseSensitive;
    return TSearch::Run(library, options);
  }
  TLibrary library;
};

TEST_F(TSearchTest, EmptyPatternListsEveryElementOfTheCheckedKindsBankAndGlobalMembers) {
  Add(ekPatch, "Solo");
  Add(ekPerformance, "Split");
  AddPatchBank("B");
  Add(ekSystem, "Sys");
  TSearchOptions options;
  std::vector<TLibElem*> results = TSearch::Run(library, options);
  ASSERT_EQ(results.size(), 3u + TPatchBank::kMemberCount);
  EXPECT_EQ(Names({results[0], results[1], results[2], results[129]}),
            QStringList({"Solo", "Split", "B1", "B128"}));
  EXPECT_EQ(results[130]->Kind, ekSystem);
  for (const TLibElem* element : results) EXPECT_NE(element->Kind, ekPatchBank);
  // Without " Patch" neither single patches nor the patch bank's members are listed.
  options.Patch = false;
  EXPECT_EQ(Found(options), QStringList({"Split", "Sys"}));
  // A global's card banks are searched only with a data card.
  auto& global = static_cast<TGlobal&>(library.NewElement(ekGlobal));
  global.PatchBank(true).Member(0).SetName("UserOne", false);
  global.PatchBank(false).Member(0).SetName("CardOne", false);
  options = TSearchOptions();
  options.Pattern = "One";
  EXPECT_EQ(Found(options), QStringList({"UserOne"}));
  options.DataCard = true;
  EXPECT_EQ(Found(options), QStringList({"UserOne", "CardOne"}));
}

TEST_F(TSearchTest, NameTestsCaseSubstringTrailingBlanksDatesAndTimes) {
  TLibElem& a = Add(ekPatch, "Warm Pad");
  TLibElem& b = Add(ekPatch, "PAD");
  Add(ekRhythm, "pad kit");
  TSearchOptions options;
  options.Pattern = "pad  ";
  EXPECT_EQ(TSearch::Run(library, options).size(), 3u);
  options.CaseSensitive = true;
  EXPECT_EQ(Found(options), QStringList({"pad kit"}));
  options.CaseSensitive = false;
  options.Substring = false;
  EXPECT_EQ(Found(options), QStringList({"PAD"}));

  // Date and time ranges include their ends.
  a.ModifiedDate = 45000;
  a.ModifiedTime = 0.25;
  b.ModifiedDate = 45010;
  b.ModifiedTime = 0.75;
  library.Element(2).ModifiedDate = 44000;
  library.Element(2).ModifiedTime = 0.1;
  options = TSearchOptions();
  options.UseDate = true;
  options.FromDate = 45000;
  options.ToDate = 45005;
  EXPECT_EQ(Found(options), QStringList({"Warm Pad"}));
  options.UseDate = false;
  options.UseTime = true;
  options.FromTime = 0.5;
  options.ToTime = 0.75;
  EXPECT_EQ(Found(options), QStringList({"PAD"}));
}

TEST_F(TSearchTest, DuplicatesAreListedTogetherSortedAndOnlyFromTheSelection) {
  for (const char* name : {"Zeta", "Bass", "Zeta", "Alpha", "Bass", "Bass", "Unique"})
    Add(ekPatch, name);
  EXPECT_EQ(Names(Duplicates()), QStringList({"Bass", "Bass", "Bass", "Zeta", "Zeta"}));
  library.Element(0).Selected = library.Element(2).Selected = library.Element(4).Selected = true;
  TSearchOptions options;
  options.Mode = TSearchMode::DuplicateNames;
  options.SelectedOnly = true;
  const auto results = TSearch::Run(library, options);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], &library.Element(0));
  EXPECT_EQ(results[1], &library.Element(2));
  // Trailing blanks and case are ignored unless case-sensitive.
  library.Elements.clear();
  for (const char* name : {"Studio  ", "Studio"}) Add(ekSystem, name);
  for (const char* name : {"Lead", "LEAD", "   ", ""}) Add(ekPatch, name);
  EXPECT_EQ(Duplicates().size(), 4u);
  EXPECT_EQ(Names(Duplicates(true)), QStringList({"Studio", "Studio  "}));
}

TEST_F(TSearchTest, SameSoundFindsRenamedCopiesButNotNearCopiesAndKeepsGroupsTogether) {
  auto& original = static_cast<TPatch&>(Add(ekPatch, "Original"));
  original.Tones[1].StoreByte(3, 0x21);
  auto& renamed = static_cast<TPatch&>(Add(ekPatch, "Renamed"));
  renamed.Assign(original);
  renamed.SetName("Renamed", false);
  auto& near = static_cast<TPatch&>(Add(ekPatch, "Near"));
  near.Assign(original);
  near.SetName("Near", false);
  near.Tones[3].StoreByte(10, static_cast<std::uint8_t>(near.Tones[3].GetByte(10) ^ 1));
  // A different header (another location) does not make a different sound.
  renamed.Temporary = false;
  renamed.PrepareMessages();
  TSearchOptions options;
  options.Mode = TSearchMode::SameSound;
  EXPECT_EQ(Found(options), QStringList({"Original", "Renamed"}));

  library.Elements.clear();
  auto& a = static_cast<TPatch&>(Add(ekPatch, "Mmm"));
  a.Tones[0].StoreByte(1, 5);
  auto& b = static_cast<TPatch&>(Add(ekPatch, "Aaa"));
  b.Tones[0].StoreByte(1, 6);
  for (const char* name : {"Zzz", "Bbb"}) {
    Add(ekPatch, QString()).Assign(a);
    library.Element(library.Count() - 1).SetName(name, false);
    Add(ekPatch, QString()).Assign(b);
    library.Element(library.Count() - 1).SetName(name, false);
  }
  EXPECT_EQ(Found(options), QStringList({"Aaa", "Zzz", "Bbb", "Mmm", "Zzz", "Bbb"}));
}

TEST_F(TSearchTest, IndexedDuplicateSearchEqualsOneByOneOnRandomLibraries) {
  std::mt19937 random(1234);
  const QStringList pool = {"a", "A", "a ", "b", "B", "c", "Ab", "ab", QString()};
  for (int round = 0; round < 30; ++round) {
    library.Elements.clear();
    const int count = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
      const int kind = std::array{ekPatch, ekPerformance, ekRhythm, ekSystem}[random() % 4];
      TLibElem& element = Add(kind, pool[static_cast<int>(random() % pool.size())]);
      if (auto* patch = dynamic_cast<TPatch*>(&element))
        patch->Tones[0].StoreByte(0, static_cast<std::uint8_t>(random() % 3));
      element.Selected = random() % 2;
    }
    if (round % 3 == 0) AddPatchBank("a");
    for (auto mode : {TSearchMode::DuplicateNames, TSearchMode::SameSound})
      for (int flags = 0; flags < 8; ++flags) {
        TSearchOptions options;
        options.Mode = mode;
        options.CaseSensitive = flags & 1;
        options.SelectedOnly = flags & 2;
        options.Performance = flags & 4;
        EXPECT_EQ(TSearch::Run(library, options), TSearch::RunOneByOne(library, options))
            << "round " << round << " flags " << flags;
      }
  }
}

TEST_F(TSearchTest, SortByNameReplaysTheExchangeSortOnEqualNames) {
  std::mt19937 random(99);
  for (int round = 0; round < 300; ++round) {
    library.Elements.clear();
    const int count = static_cast<int>(random() % 60);
    const int letters = 1 + round % 6;
    for (int i = 0; i < count; ++i)
      Add(ekPatch, QString(QChar(u'a' + static_cast<char16_t>(random() % letters))));
    std::vector<TLibElem*> fast, slow;
    for (auto& element : library.Elements) fast.push_back(element.get());
    slow = fast;
    TSearch::SortByName(fast);
    for (std::size_t i = 0; i + 1 < slow.size(); ++i)
      for (std::size_t j = i + 1; j < slow.size(); ++j)
        if (slow[j]->GetName().toUpper() < slow[i]->GetName().toUpper())
          std::swap(slow[i], slow[j]);
    EXPECT_EQ(fast, slow) << "round " << round;
  }
}

TEST_F(TSearchTest, ExportLinePadsColumnsAndWritesLongFieldsWhole) {
  auto& bank = AddPatchBank("P");
  bank.Name = "Bank1";
  library.FileName = "/x/My.Lib";
  const QString line = TSearch::ExportLine(bank.Member(4), "01/02/24  10:00");
  EXPECT_EQ(line, QStringLiteral("Patch               P5                  User : 5       "
                                 "01/02/24  10:00          Loc : Bank1"));
  const QString longDate = QString(30, u'9');
  EXPECT_EQ(TSearch::ExportLine(bank.Member(0), longDate).mid(55, 36), longDate + "Loc : ");
}
}  // namespace
