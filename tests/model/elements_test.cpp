// Elements: sizes, initial contents, names, locations, addresses, owner chain, sorting.
#include <cmath>
#include <random>

#include <QDateTime>

#include "model/global.h"
#include "model/library.h"
#include "model/modelhooks.h"
#include "modelfixture.h"

using TElements = TModelTest;

TEST_F(TElements, SysexAndRecordSizesFollowTheKindTableInBothLayouts) {
  // .Syx normal and XP, library record normal and XP; a global has no .Syx.
  const int sizes[kKindCount][4] = {{643, 644, 898, 899},     {82304, 82432, 82443, 82571},
                                    {555, 653, 702, 800},     {17760, 20896, 17899, 21035},
                                    {4439, 4439, 4590, 4590}, {8878, 8878, 9017, 9017},
                                    {442, 484, 593, 635},     {-1, -1, 219450, 226020}};
  for (int kind = 0; kind < kKindCount; ++kind) {
    SCOPED_TRACE(kind);
    auto element = CreateElement(kind, nullptr);
    EXPECT_EQ(element->Kind, kind);
    for (int xp : {0, 1}) {
      EXPECT_EQ(TLibElem::SysexSize(kind, xp), sizes[kind][xp]);
      if (kind != ekGlobal) {
        EXPECT_EQ(element->SysexBytes(xp).size(), sizes[kind][xp]);
      }
      EXPECT_EQ(element->RecordBytes(xp).size(), sizes[kind][2 + xp]);
    }
  }
  EXPECT_EQ(TLibElem::SysexSize(8, false), -1);
  EXPECT_EQ(CreateElement(8, nullptr), nullptr);
  SetXpFlag(true);
  EXPECT_EQ(TLibElem::SysexSize(ekPatch), 644);
}

TEST_F(TElements, NewElementsDefaultsNamesAndLocations) {
  TPatch patch(nullptr);
  EXPECT_EQ(patch.FileName, "Untitled.Syx");
  EXPECT_EQ(patch.WinLeft, 0xFFFF);
  EXPECT_EQ(patch.GetName(), "");
  // The last of several blocks is initialised too.
  EXPECT_EQ(patch.Common.GetByte(44), 1);
  EXPECT_EQ(patch.Tones[3].GetByte(12), 1);
  EXPECT_EQ(patch.Tones[3].Pages[TTone::pgControl].Top, 0xFFFF);
  TSystem system(nullptr);
  EXPECT_EQ(system.Name, "Untitled");
  EXPECT_EQ(system.Common.GetByte(18), 0x61);
  EXPECT_EQ(system.ScaleTunes[16].GetByte(11), 0x40);
  EXPECT_EQ(TRhythm(nullptr).Note(98).GetByte(53), 1);
  EXPECT_EQ(TPerformance(nullptr).Common.GetByte(46), 4);
  EXPECT_EQ(TLibrary().FileName, "Untitled.Lib");

  // Names are padded with blanks and cut to twelve; banks are named after their file.
  patch.SetName("Piano", false);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(patch.Common.Data()), 12), "Piano       ");
  EXPECT_EQ(patch.GetName(), "Piano");
  patch.SetName("A Very Long Name", false);
  EXPECT_EQ(patch.GetName(), "A Very Long");  // cut to 12, trailing blank dropped
  TPatchBank bank(nullptr);
  bank.SetName("ThirteenChars", false);
  EXPECT_EQ(bank.GetName(), "ThirteenChar");
  EXPECT_EQ(NameFromFile("/any/folder/MyBank.Syx"), "MyBank");
  EXPECT_EQ(NameFromFile("C:\\Sounds\\LongBankName1.syx"), "LongBankName");

  // Locations: a new patch is temporary, number 1; members of a global are user or card.
  EXPECT_EQ(patch.Number, 1);
  EXPECT_EQ(patch.LocationText(), "Temporary");
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 12;
  EXPECT_EQ(patch.LocationText(), "User : 12");
  patch.User = false;
  EXPECT_EQ(patch.LocationText(), "Card : 12");
  TGlobal global(nullptr);
  EXPECT_EQ(global.FileName, "Untitled.Glb");
  EXPECT_EQ(global.Name, "Untitled");
  EXPECT_EQ(global.PatchBank(true).Patch(127).LocationText(), "User : 128");
  EXPECT_EQ(global.PatchBank(false).LocationText(), "Card");
  EXPECT_EQ(global.PatchBank(false).Patch(4).LocationText(), "Card : 5");
  EXPECT_EQ(global.System().LocationText(), "");
  EXPECT_EQ(global.LocationText(), "");
}

TEST_F(TElements, ImagesCarryTheAddressesOfTheirMemory) {
  TGlobal global(nullptr);
  auto prepared = [](TLibElem& element, int messageStart) {
    element.PrepareMessages();
    const QByteArray bytes = element.SysexBytes(false);
    TBytes message(bytes.begin() + messageStart, bytes.begin() + messageStart + 9);
    return AddressOf(message);
  };
  TPatch& user128 = global.PatchBank(true).Patch(127);
  TRhythm& rhythm2 = global.RhythmBank(true).Rhythm(1);
  TPerformance& performance32 = global.PerformanceBank(true).Performance(31);
  const std::pair<std::uint32_t, std::uint32_t> addresses[] = {
      {global.PatchBank(true).Patch(0).BlockAddress(0), 0x11000000},
      {user128.BlockAddress(0), 0x117F0000},
      {user128.BlockAddress(4), 0x117F1600},
      {global.PatchBank(false).Patch(0).BlockAddress(0), 0x21000000},
      {global.PatchBank(false).Patch(127).BlockAddress(4), 0x217F1600},
      {prepared(user128, 83 + 3 * 140), 0x117F1600},
      {performance32.BlockAddress(0), 0x101F0000},
      {performance32.BlockAddress(16), 0x101F1F00},
      {rhythm2.BlockAddress(0), 0x10410000},
      {rhythm2.BlockAddress(64), 0x10416200},
      {prepared(rhythm2, 23 + 63 * 69), 0x10416200},
      {global.System().BlockAddress(17), 0x00002000},
      {prepared(global.System(), 51 + 16 * 23), 0x00002000},
      {TPatch(nullptr).BlockAddress(2), 0x03001200}};
  for (const auto& [address, expected] : addresses) EXPECT_EQ(address, expected) << &address;
  TPatch patch(nullptr);
  // Damaged numbers stay inside the address map.
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 0xFFFF;
  EXPECT_EQ(patch.BaseAddress(), 0x117F0000u);
  patch.Number = 0;
  EXPECT_EQ(patch.BaseAddress(), 0x11000000u);
}

TEST_F(TElements, ModifiedReachesTheTopLibraryThroughBankAndGlobal) {
  int menuUpdates = 0;
  ModelHooks().EnableMenuItems = [&] { ++menuUpdates; };
  TLibrary library;
  auto& global = static_cast<TGlobal&>(library.NewElement(ekGlobal));
  TPatch& patch = global.PatchBank(true).Patch(3);
  global.ModifiedDate = global.PatchBank(true).ModifiedDate = 0;
  EXPECT_EQ(patch.TopOwner(), &library);
  EXPECT_EQ(global.TopOwner(), &library);
  EXPECT_EQ(library.TopOwner(), nullptr);
  EXPECT_TRUE(library.Saved);
  patch.Modified();
  ModelHooks().EnableMenuItems = nullptr;
  EXPECT_FALSE(library.Saved);
  EXPECT_GT(global.ModifiedDate, 0);
  EXPECT_GT(global.PatchBank(true).ModifiedDate, 0);
  EXPECT_EQ(menuUpdates, 1);
  TPatch loose(nullptr);
  loose.Modified();  // no owner: only its dates change
}

TEST_F(TElements, AssignCopiesContentsAndMarksModified) {
  TLibrary library;
  auto& source = static_cast<TPatch&>(library.NewElement(ekPatch));
  auto& target = static_cast<TPatch&>(library.NewElement(ekPatch));
  source.SetName("Strings", false);
  source.Tones[2].StoreByte(128, 99);
  source.Number = 7;
  target.Assign(source);
  EXPECT_EQ(target.GetName(), "Strings");
  EXPECT_EQ(target.Tones[2].GetByte(128), 99);
  EXPECT_EQ(target.Number, 7);
  EXPECT_FALSE(library.Saved);

  TPatchBank from(nullptr), to(nullptr);
  from.Patch(100).SetName("Deep", false);
  to.Assign(from);
  EXPECT_EQ(to.Patch(100).GetName(), "Deep");
}

TEST_F(TElements, SortGivesThePlainExchangeOrderOnManyTies) {
  // Random libraries with few distinct keys (equal dates, times, names differing only in case),
  // against the exchange sort written out plainly: equal keys are never exchanged.
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    TLibrary library;
    const int count = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
      const int kind = static_cast<int>(random() % 3) * 2;  // patch, performance, rhythm
      TLibElem& element = library.NewElement(kind);
      element.Number = static_cast<std::uint16_t>(i);
      element.ModifiedDate = static_cast<double>(random() % 4);
      element.ModifiedTime = (random() % 3) / 4.0;
      element.CreatedDate = static_cast<double>(random() % 3);
      const char* names[] = {"Pad", "pad", "Bass", "BASS 2", "Lead"};
      element.SetName(QString::fromLatin1(names[random() % 5]), false);
    }
    for (TSortKey key :
         {TSortKey::Kind, TSortKey::Name, TSortKey::ModifiedDate, TSortKey::CreatedDate}) {
      std::vector<TLibElem*> expected;
      for (int i = 0; i < library.Count(); ++i) expected.push_back(&library.Element(i));
      auto less = [key](const TLibElem* a, const TLibElem* b) {
        switch (key) {
          case TSortKey::Kind:
            return a->Kind < b->Kind;
          case TSortKey::Name:
            return a->GetName().compare(b->GetName(), Qt::CaseInsensitive) < 0;
          case TSortKey::ModifiedDate:
            return a->ModifiedDate < b->ModifiedDate ||
                   (a->ModifiedDate == b->ModifiedDate && a->ModifiedTime < b->ModifiedTime);
          case TSortKey::CreatedDate:
            return a->CreatedDate < b->CreatedDate ||
                   (a->CreatedDate == b->CreatedDate && a->CreatedTime < b->CreatedTime);
        }
        return false;
      };
      for (std::size_t i = 0; i + 1 < expected.size(); ++i)
        for (std::size_t j = i + 1; j < expected.size(); ++j)
          if (less(expected[j], expected[i])) std::swap(expected[i], expected[j]);
      library.Sort(key);
      for (int i = 0; i < library.Count(); ++i)
        ASSERT_EQ(&library.Element(i), expected[static_cast<std::size_t>(i)])
            << "round " << round << ", key " << static_cast<int>(key) << ", place " << i;
    }
  }
}

TEST_F(TElements, SortSurvivesDamagedDates) {
  TLibrary library;
  for (double date : {3.0, std::nan(""), 1.0, std::nan(""), 2.0})
    library.NewElement(ekPatch).ModifiedDate = date;
  library.Sort(TSortKey::ModifiedDate);
  EXPECT_TRUE(std::isnan(library.Element(0).ModifiedDate));
  EXPECT_TRUE(std::isnan(library.Element(1).ModifiedDate));
  EXPECT_EQ(library.Element(2).ModifiedDate, 1.0);
  EXPECT_EQ(library.Element(4).ModifiedDate, 3.0);
}

TEST_F(TElements, MoveElementDeselectsAndChangesOwner) {
  TLibrary source, trash;
  source.NewElement(ekPatch);
  TLibElem& moved = source.NewElement(ekRhythm);
  source.NewElement(ekSystem);
  moved.Selected = true;
  trash.MoveElement(source, 1);
  ASSERT_EQ(source.Count(), 2);
  EXPECT_EQ(source.Element(1).Kind, ekSystem);
  ASSERT_EQ(trash.Count(), 1);
  EXPECT_EQ(&trash.Element(0), &moved);
  EXPECT_FALSE(moved.Selected);
  EXPECT_EQ(moved.Owner, &trash);
  trash.Saved = true;
  moved.Modified();
  EXPECT_FALSE(trash.Saved);
  EXPECT_TRUE(source.Saved);

  // A freed sound is no longer the current one.
  auto patch = std::make_unique<TPatch>(nullptr);
  CurrentPatch = patch.get();
  patch.reset();
  EXPECT_EQ(CurrentPatch, nullptr);
}

TEST_F(TElements, DatesCountDaysSinceTheEndOf1899WithTheTimeAsFraction) {
  const QDateTime now = QDateTime::currentDateTime();
  const TDayTime dayTime = NowDayTime();
  EXPECT_EQ(dayTime.Date, QDate(1899, 12, 30).daysTo(now.date()));
  EXPECT_NEAR(dayTime.Time, now.time().msecsSinceStartOfDay() / 86400000.0, 2.0 / 86400);
  EXPECT_GE(dayTime.Time, 0.0);
  EXPECT_LT(dayTime.Time, 1.0);
}
