// Elements: sizes, initial contents, names, locations, addresses, owner chain and sorting; what
// each store sends; bytes above 7FH never sent; searches.
#include <cmath>
#include <functional>
#include <random>

#include <QDateTime>
#include <QTimer>

#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "model/global.h"
#include "model/library.h"
#include "model/modelhooks.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/search.h"
#include "model/system.h"
#include "model/transfer.h"
#include "modelfixture.h"

using TElements = TModelTest;

TEST_F(TElements, SizesFollowTheKindTableAndDatesCountDaysSinceTheEndOf1899) {
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
  const QDateTime now = QDateTime::currentDateTime();
  const TDayTime dayTime = NowDayTime();
  EXPECT_EQ(dayTime.Date, QDate(1899, 12, 30).daysTo(now.date()));
  EXPECT_NEAR(dayTime.Time, now.time().msecsSinceStartOfDay() / 86400000.0, 2.0 / 86400);
  EXPECT_GE(dayTime.Time, 0.0);
  EXPECT_LT(dayTime.Time, 1.0);
}

TEST_F(TElements, NewElementsNamesAndLocations) {
  TPatch patch(nullptr);
  // Names are padded with blanks and cut to twelve.
  patch.SetName("Piano", false);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(patch.Common.Data()), 12), "Piano       ");
  patch.SetName("A Very Long Name", false);
  EXPECT_EQ(patch.GetName(), "A Very Long");  // cut to 12, trailing blank dropped
  TPatchBank bank(nullptr);
  bank.SetName("ThirteenChars", false);
  EXPECT_EQ(bank.GetName(), "ThirteenChar");

  // Locations: a new patch is temporary; members of a global are user or card.
  EXPECT_EQ(patch.LocationText(), "Temporary");
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 12;
  EXPECT_EQ(patch.LocationText(), "User : 12");
  patch.User = false;
  EXPECT_EQ(patch.LocationText(), "Card : 12");
  TGlobal global(nullptr);
  EXPECT_EQ(global.PatchBank(false).LocationText(), "Card");
  EXPECT_EQ(global.PatchBank(false).Patch(4).LocationText(), "Card : 5");
  EXPECT_EQ(global.System().LocationText(), "");
}

TEST_F(TElements, DamagedNumbersStayInsideTheAddressMap) {
  TPatch patch(nullptr);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 0xFFFF;
  EXPECT_EQ(patch.BaseAddress(), 0x117F0000u);
  patch.Number = 0;
  EXPECT_EQ(patch.BaseAddress(), 0x11000000u);
}

TEST_F(TElements, ModifiedReachesTheTopLibraryAssignCopiesAndMoveChangesTheOwner) {
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
  TLibrary copies;
  auto& source = static_cast<TPatch&>(copies.NewElement(ekPatch));
  auto& target = static_cast<TPatch&>(copies.NewElement(ekPatch));
  source.SetName("Strings", false);
  source.Tones[2].StoreByte(128, 99);
  source.Number = 7;
  target.Assign(source);
  EXPECT_EQ(target.GetName(), "Strings");
  EXPECT_EQ(target.Tones[2].GetByte(128), 99);
  EXPECT_EQ(target.Number, 7);
  EXPECT_FALSE(copies.Saved);

  TPatchBank fromBank(nullptr), to(nullptr);
  fromBank.Patch(100).SetName("Deep", false);
  to.Assign(fromBank);
  EXPECT_EQ(to.Patch(100).GetName(), "Deep");
  TLibrary from, trash;
  from.NewElement(ekPatch);
  TLibElem& moved = from.NewElement(ekRhythm);
  from.NewElement(ekSystem);
  moved.Selected = true;
  trash.MoveElement(from, 1);
  ASSERT_EQ(from.Count(), 2);
  EXPECT_EQ(from.Element(1).Kind, ekSystem);
  ASSERT_EQ(trash.Count(), 1);
  EXPECT_EQ(&trash.Element(0), &moved);
  EXPECT_FALSE(moved.Selected);
  EXPECT_EQ(moved.Owner, &trash);
  trash.Saved = true;
  moved.Modified();
  EXPECT_FALSE(trash.Saved);
  EXPECT_TRUE(from.Saved);

  // A freed sound is no longer the current one.
  auto freed = std::make_unique<TPatch>(nullptr);
  CurrentPatch = freed.get();
  freed.reset();
  EXPECT_EQ(CurrentPatch, nullptr);
}

TEST_F(TElements, SortGivesThePlainExchangeOrderOnManyTiesAndSurvivesDamagedDates) {
  // Random libraries with few distinct keys (equal dates, times, names differing only in case),
  // against the exchange sort written out plainly: equal keys are never exchanged. The search's
  // sort by name must give the same order.
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    TLibrary library;
    const int count = static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
      const int kind = static_cast<int>(random() % 3) * 2;  // patch, performance, rhythm
      TLibElem& element = library.NewElement(kind);
      element.Number = static_cast<std::uint16_t>(i);
      element.ModifiedDate = static_cast<double>(random() % 4);
      element.ModifiedTime = (random() % 3) / 4.0;
      element.CreatedDate = static_cast<double>(random() % 3);
      const char* names[] = {"Pad", "pad", "Bass", "BASS 2", "Lead", "a", "B"};
      element.SetName(QString::fromLatin1(names[random() % (round % 2 ? 7 : 5)]), false);
    }
    for (TSortKey key :
         {TSortKey::Kind, TSortKey::Name, TSortKey::ModifiedDate, TSortKey::CreatedDate}) {
      std::vector<TLibElem*> expected;
      for (int i = 0; i < library.Count(); ++i) expected.push_back(&library.Element(i));
      std::vector<TLibElem*> byName = expected;
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
      if (key != TSortKey::Name) continue;
      TSearch::SortByName(byName);
      EXPECT_EQ(byName, expected) << "round " << round;
    }
  }
  TLibrary library;
  for (double date : {3.0, std::nan(""), 1.0, std::nan(""), 2.0})
    library.NewElement(ekPatch).ModifiedDate = date;
  library.Sort(TSortKey::ModifiedDate);
  EXPECT_TRUE(std::isnan(library.Element(0).ModifiedDate));
  EXPECT_TRUE(std::isnan(library.Element(1).ModifiedDate));
  EXPECT_EQ(library.Element(2).ModifiedDate, 1.0);
  EXPECT_EQ(library.Element(4).ModifiedDate, 3.0);
}

using TBlockOps = TSendTest;

TEST_F(TBlockOps, EachStoreSendsToTheTemporaryAreaOnlyWhatChangedAndOnlyWhileMidiIsOpen) {
  TPatch patch(nullptr);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 100;
  patch.Tones[1].SetByte(81, 0x40);
  patch.Tones[1].SetByte(81, 0x40);   // unchanged: nothing sent
  patch.Tones[3].SetByte(128, 0x7F);  // 01 00 past the tone
  patch.Common.SetByte(12, 3);
  const std::uint8_t same[2] = {0, 0}, wave[2] = {1, 5};
  patch.Tones[0].SetBytes(2, same, 2);
  patch.Tones[0].SetBytes(2, wave, 2);
  patch.SetName("        ", true);  // blanks as stored: still sent
  patch.SetName("Bell", false);     // stored only
  patch.Tones[2].SendBlock();
  EXPECT_EQ(Sent(0),
            (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x51, 0x40, 0x5A, 0xF7}));
  EXPECT_EQ(SentAddresses(), (std::vector<std::uint32_t>{0x03001251, 0x03001700, 0x0300000C,
                                                         0x03001002, 0x03000000, 0x03001400}));
  EXPECT_EQ(DataOf(Sent(3)), (TBytes{1, 5}));
  EXPECT_EQ(DataOf(Sent(4)), TBytes(12, ' '));
  EXPECT_EQ(Sent(5).size(), 129u + 11);
  EXPECT_EQ(patch.Tones[3].GetByte(128), 0x7F);
  EXPECT_EQ(patch.GetName(), "Bell");
  MidiSession().SetMidiOpen(false);
  patch.Common.SendBlock();
  patch.Common.SetByte(0, 'X');  // stored even though nothing can be sent
  MidiSession().SetMidiOpen(true);
  EXPECT_EQ(SentCount(), 6u);
  EXPECT_EQ(patch.Common.GetByte(0), 'X');

  loop->ClearSent();
  TPerformance performance(nullptr);
  performance.Common.SetByte(12, 5);
  performance.Parts[15].SetByte(3, 9);
  const std::uint8_t run[3] = {1, 2, 3};
  performance.Parts[0].SetBytes(4, run, 3);
  performance.Common.SendBlock();
  TRhythm rhythm(nullptr);
  rhythm.Note(60).SetByte(10, 0x20);
  rhythm.SetName("Kit", true);
  TSystem system(nullptr);
  system.Common.SetByte(18, 0x62);
  system.ScaleTunes[16].SetByte(11, 0x41);
  EXPECT_EQ(SentAddresses(),
            (std::vector<std::uint32_t>{0x0100000C, 0x01001F03, 0x01001004, 0x01000000, 0x02093C0A,
                                        0x02090000, 0x00000012, 0x0000200B}));
  EXPECT_EQ(Sent(3).size(), 64u + 11);
  loop->ClearSent();
  performance.SendParts();
  ASSERT_EQ(SentCount(), 16u);
  EXPECT_EQ(AddressOf(Sent(15)), 0x01001F00u);
  EXPECT_EQ(DataOf(Sent(15)).size(), 19u);
}

TEST_F(TBlockOps, FailedSendKeepsTheOldByteWhereTheSendComesFirstAndOffsetsOutsideAreRefused) {
  TPatch patch(nullptr);
  TPerformance performance(nullptr);
  loop->FailSends("device gone");
  EXPECT_ANY_THROW(patch.Tones[0].SetByte(20, 7));
  EXPECT_EQ(patch.Tones[0].GetByte(20), 0);  // sent first: nothing stored
  EXPECT_ANY_THROW(performance.Common.SetByte(20, 7));
  EXPECT_EQ(performance.Common.GetByte(20), 7);  // stored first
  loop->FailSends(QString());
  loop->ClearSent();
  EXPECT_THROW(patch.Common.SetByte(72, 1), std::out_of_range);
  const std::uint8_t run[4] = {};
  EXPECT_THROW(patch.Tones[0].SetBytes(127, run, 4), std::out_of_range);
  EXPECT_EQ(SentCount(), 0u);

  // A port that fails while the paced sender drains a rhythm set's blocks ends the transmission
  // as a failed send would: one message, the rest dropped, the transfer closed and not finished.
  Timing().MessagePauseMs = 8;
  Timing().TransmitTickMs = 8;
  TRhythm rhythm(nullptr);
  rhythm.Temporary = false;
  rhythm.User = true;
  QTimer::singleShot(60, [this] { loop->FailSends("gone"); });
  rhythm.Transmit(false);
  EXPECT_FALSE(Transfer().Active());
  EXPECT_TRUE(Transfer().Failed());
  EXPECT_EQ(Transfer().ErrorText(), "gone");
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_LT(SentCount(), static_cast<std::size_t>(TRhythm::kBlockCount));
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_EQ(Sender().Waiting(), 0);
  loop->FailSends(QString());
}

namespace {

const QString kTail = QStringLiteral(
    ", and a system-exclusive message carries only 00H to 7FH. Nothing of it was sent.");

struct TCase {
  const char* What;
  int Kind;
  // Puts the byte above 7FH somewhere into the element.
  std::function<void(TLibElem&)> Plant;
  QString Refusal;
};

class Unsendable : public TSendTest {};

TEST_F(Unsendable, AnElementHoldingAByteAbove7FIsRefusedWholeNamingWhere) {
  const std::vector<TCase> cases = {
      {"patch name", ekPatch,
       [](TLibElem& e) {
         e.SetName("Cafe", false);
         static_cast<TPatch&>(e).Common.Data()[3] = 0xE9;
       },
       "Patch \"Caf\u00e9\" cannot be sent: common byte 3 holds E9H"},
      {"patch tone", ekPatch,
       [](TLibElem& e) { static_cast<TPatch&>(e).Tones[1].Data()[81] = 0x80; },
       "Patch \"\" cannot be sent: tone 2 byte 81 holds 80H"},
      {"performance part", ekPerformance,
       [](TLibElem& e) { static_cast<TPerformance&>(e).Parts[2].Data()[0] = 0xFF; },
       "Performance \"\" cannot be sent: part 3 byte 0 holds FFH"},
      {"rhythm note, a timed send", ekRhythm,
       [](TLibElem& e) { static_cast<TRhythm&>(e).Note(60).Data()[10] = 0x90; },
       "Rhythm \"\" cannot be sent: note 60 byte 10 holds 90H"},
      {"system scale tune", ekSystem,
       [](TLibElem& e) {
         e.SetName("Setup", false);
         static_cast<TSystem&>(e).ScaleTunes[16].Data()[11] = 0xC0;
       },
       "System \"Setup\" cannot be sent: scale tune 17 byte 11 holds C0H"},
      {"patch bank member", ekPatchBank,
       [](TLibElem& e) {
         e.SetName("Bank", false);
         TPatch& member = static_cast<TPatchBank&>(e).Patch(11);
         member.SetName("Bell", false);
         member.Tones[3].Data()[5] = 0xA0;
       },
       QStringLiteral(
           "Patch Bank \"Bank\" cannot be sent: Patch 12 \"Bell\", tone 4 byte 5 holds A0H")},
      {"global dump, its user performance bank", ekGlobal,
       [](TLibElem& e) {
         auto& bank = static_cast<TGlobal&>(e).PerformanceBank(true);
         bank.SetName("Perfs", false);
         bank.Performance(1).Common.Data()[20] = 0x81;
       },
       QStringLiteral("Performance Bank \"Perfs\" cannot be sent: Performance 2 \"\", common "
                      "byte 20 holds 81H")},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.What);
    auto element = CreateElement(test.Kind, nullptr);
    element->Init();
    test.Plant(*element);
    loop->ClearSent();
    ui.Questions.clear();
    element->Transmit(true);
    Sender().Flush();
    EXPECT_EQ(0u, SentCount());
    ASSERT_EQ(1u, ui.Questions.size());
    EXPECT_EQ(TMsgKind::Error, ui.Questions[0].Kind);
    EXPECT_EQ(test.Refusal + kTail, ui.LastText());
    EXPECT_TRUE(Transfer().Failed());
  }
  // Refused, a patch is not the instrument's current one; mended, it is sent and becomes it.
  TPatch patch(nullptr);
  patch.Init();
  patch.Common.Data()[3] = 0xE9;
  patch.Transmit(true);
  EXPECT_NE(&patch, CurrentPatch);
  patch.Common.Data()[3] = 'e';
  loop->ClearSent();
  patch.Transmit(true);
  Sender().Flush();
  EXPECT_EQ(5u, SentCount());
  EXPECT_EQ(&patch, CurrentPatch);
}

TEST_F(Unsendable, AStrayByteAbove7FNeverLeavesInAnySingleMessage) {
  const std::uint8_t data[] = {0x41, 0xE9, 0x20};
  SendDataSet(0x03000000, 0, 5, data, 3);
  SendDataByte(0x03001000, 0, 0x0C, 0x80);
  Sender().Flush();
  EXPECT_EQ(0u, SentCount());
  ASSERT_EQ(2u, ui.Questions.size());
  EXPECT_EQ(QStringLiteral("A data set for address 03000005H was not sent: its byte 1 is E9H, "
                           "and a system-exclusive message carries only 00H to 7FH."),
            ui.Questions[0].Text);
  EXPECT_TRUE(ui.Questions[1].Text.startsWith("A data set for address 0300100CH"));
  const std::uint8_t fine[] = {0x41, 0x7F, 0x20};
  SendDataSet(0x03000000, 0, 5, fine, 3);
  Sender().Flush();
  EXPECT_EQ(1u, SentCount());
}

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
  options.Substring = false;
  EXPECT_EQ(Found(options), QStringList({"PAD"}));

  // Time ranges include their ends (the command line's search checks dates).
  a.ModifiedTime = 0.25;
  b.ModifiedTime = 0.75;
  library.Element(2).ModifiedTime = 0.1;
  options = TSearchOptions();
  options.UseTime = true;
  options.FromTime = 0.5;
  options.ToTime = 0.75;
  EXPECT_EQ(Found(options), QStringList({"PAD"}));
}

// A renamed copy is the same sound; a copy one byte apart is not.
TEST_F(TSearchTest, SameSoundFindsRenamedCopiesButNotNearCopies) {
  auto& original = static_cast<TPatch&>(Add(ekPatch, "Original"));
  for (const char* name : {"Renamed", "Near"}) {
    auto& copy = static_cast<TPatch&>(Add(ekPatch, name));
    copy.Assign(original);
    copy.SetName(name, false);
  }
  auto& near = static_cast<TPatch&>(library.Element(2));
  near.Tones[3].StoreByte(10, static_cast<std::uint8_t>(near.Tones[3].GetByte(10) ^ 1));
  TSearchOptions options;
  options.Mode = TSearchMode::SameSound;
  EXPECT_EQ(Found(options), QStringList({"Original", "Renamed"}));
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

TEST_F(TSearchTest, ExportLinePadsColumnsAndWritesLongFieldsWhole) {
  auto& bank = AddPatchBank("P");
  bank.Name = "Bank1";
  library.FileName = "/x/My.Lib";
  // The padded columns are checked by the command line's search.
  const QString longDate = QString(30, u'9');
  EXPECT_EQ(TSearch::ExportLine(bank.Member(0), longDate).mid(55, 36), longDate + "Loc : ");
}
}  // namespace
