// Transfers against the emulated instrument: single sound objects, banks and global dumps with
// the name lists they keep in step, the transfer's counters and timers, and the rhythm set names.
#include <array>

#include <QFile>

#include "midi/sysex.h"
#include "model/global.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/rhythmnames.h"
#include "model/system.h"
#include "model/viewregistry.h"
#include "transferfixture.h"

namespace {

using SingleTransfer = TTransferTest;

TEST_F(SingleTransfer, PatchReceiveTakesFiveRepliesOfOneRequestAndTransmitsToCardMemory) {
  TPatch patch(nullptr);
  Place(patch, 5);
  Scramble(patch, 1);
  patch.Receive(false);
  EXPECT_EQ(MatchingBlocks(patch), TPatch::kBlockCount);
  EXPECT_EQ(log.Requests, (std::vector<TBytes>{{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x04, 0x00,
                                                0x00, 0x00, 0x00, 0x17, 0x18, 0x3C, 0xF7}}));
  // Five messages against a total of one: the gauge is bounded.
  EXPECT_EQ(Progress(), "Now Receiving Patch; Pacth : 1; sent 0/0; received 5/643; 100%; finished");
  EXPECT_EQ(host.ModalRuns, 1);

  // Transmission to card memory runs without the window.
  instrument->SetCardInserted(true);
  Place(patch, 1, false);
  patch.SetName("Card One", false);
  patch.Tones[3].StoreByte(100, 0x55);
  patch.Transmit(false);
  EXPECT_EQ(MatchingBlocks(patch), TPatch::kBlockCount);
  EXPECT_EQ(instrument->Name(0x21000000), "Card One    ");
  EXPECT_EQ(instrument->Read(0x21001600 + 100, 1), TBytes{0x55});
  // Sent to the temporary area, it is the current patch.
  patch.Transmit(true);
  EXPECT_EQ(host.ModalRuns, 1);
  EXPECT_EQ(CurrentPatch, &patch);
}

// A lost tone 3: tone 4 arrives where tone 3 was expected, is not stored as tone 3, and no
// time-out is waited for. A lost tone 4: the time-out asks, and Retry starts at the common
// block. A damaged tone 4 asks once more. Every request is the whole patch.
TEST_F(SingleTransfer, ABadOrLostReplyInsideAPatchAsksForTheWholePatchAgain) {
  const struct {
    bool Lost;
    std::vector<int> Pattern;
    int TimeoutMs;
    std::size_t Questions, Requests;
  } cases[] = {
      {true, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, 3000, 0, 2},
      {true, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 300, 1, 2},
      {false, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 3000, 0, 2},
  };
  TPatch patch(nullptr);
  Place(patch, 12);
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Timing().ReplyTimeoutMs = c.TimeoutMs;
    Scramble(patch, static_cast<int>(&c - cases) + 2);
    c.Lost ? Drop(0.5, c.Pattern) : Corrupt(0.5, c.Pattern);
    ui.Answers = {mbRetry};
    ui.Questions.clear();
    log.Requests.clear();
    patch.Receive(false);
    EXPECT_EQ(ui.Questions.size(), c.Questions);
    ASSERT_EQ(log.Requests.size(), c.Requests);
    for (const TBytes& request : log.Requests) EXPECT_EQ(request, log.Requests[0]);
    EXPECT_EQ(MatchingBlocks(patch), TPatch::kBlockCount);
    EXPECT_TRUE(Transfer().Finished);
  }
}

TEST_F(SingleTransfer, LateRepliesToAnEarlierRequestNeverFillTheNextBlocks) {
  // A performance's parts come one request each; the instrument answers late, after the
  // time-out, when Retry has already asked again.
  Timing().ReplyTimeoutMs = 30;
  TPerformance performance(nullptr);
  Place(performance, 3);
  Scramble(performance, 9);
  instrument->SetFaults({.DelayMs = 80});
  ui.Answers = std::deque<int>(400, mbRetry);
  performance.Receive(false);
  instrument->SetFaults(TInstrumentFaults{});
  EXPECT_FALSE(ui.Questions.empty());
  ASSERT_TRUE(Transfer().Finished) << ui.Questions.size() << " time-outs";
  for (int b = 0; b < TPerformance::kBlockCount; ++b)
    EXPECT_EQ(Held(performance, b), InInstrument(performance, b)) << "block " << b;
}

TEST_F(SingleTransfer, PerformanceRequestsEachBlockRepeatsOnlyADamagedOneAndTransmitsBack) {
  TPerformance performance(nullptr);
  Place(performance, 32);
  Scramble(performance, 3);
  Corrupt(0.3, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // part 7, once
  performance.Receive(false);
  EXPECT_EQ(MatchingBlocks(performance), TPerformance::kBlockCount);
  std::vector<std::uint32_t> blocks{0x101F0000};
  for (std::uint32_t part = 0; part < 16; ++part) blocks.push_back(0x101F1000 + part * 0x100);
  blocks.insert(blocks.begin() + 8, 0x101F1600);
  EXPECT_EQ(Requested(), blocks);
  EXPECT_EQ(log.Requests[1][12], 0x1E);
  EXPECT_EQ(log.Requests[0][12], 0x4B);
  EXPECT_EQ(Progress(),
            "Now Receiving Performance; Performance : 1; sent 18/270; received 17/555; 100%; "
            "finished");

  Place(performance, 3);
  performance.SetName("Strings", false);
  performance.Parts[15].StoreByte(18, 0x21);
  performance.Transmit(false);
  EXPECT_EQ(MatchingBlocks(performance), TPerformance::kBlockCount);
  EXPECT_EQ(instrument->Name(0x10020000), "Strings     ");
}

TEST_F(SingleTransfer,
       RhythmSetTravelsBothWaysPacedByPauseAndTickAndClosesAMomentAfterTheLastBlock) {
  TRhythm rhythm(nullptr);
  Place(rhythm, 2);
  Scramble(rhythm, 5);
  rhythm.Receive(false);
  EXPECT_EQ(MatchingBlocks(rhythm), TRhythm::kBlockCount);

  TRhythm other(nullptr);
  Place(other, 1);
  other.Note(60).StoreByte(0, 0x33);
  const auto before = instrument->Counters().DataSets;
  // The tick is longer than the pause, so a timer that counted from its previous firing rather
  // than from the end of the previous block would run one block per tick. The first block leaves
  // at once, each of the other 64 a pause and a tick after the last; the close comes after.
  Timing().MessagePauseMs = 2;
  Timing().TransmitTickMs = 6;
  QElapsedTimer timer;
  timer.start();
  other.Transmit(false);
  EXPECT_GE(timer.elapsed(), 64 * (2 + 6) + Timing().FinishCloseMs);
  EXPECT_EQ(instrument->Counters().DataSets - before, 65u);
  EXPECT_EQ(MatchingBlocks(other), TRhythm::kBlockCount);
  EXPECT_TRUE(Transfer().Transmetting());
  EXPECT_EQ(
      Progress(),
      "Now Transmitting Rhythm; Rhythm Number : 1; sent 65/4439; received 0/0; 100%; finished");
}

// Card memory, and no card in the instrument: a patch and a patch bank ask after the time-out and
// Retry sends the same request again; Cancel stores nothing and saves no names.
TEST_F(SingleTransfer, SilentRequestAsksAfterTheTimeOutAndRetrySendsItAgain) {
  Timing().ReplyTimeoutMs = 60;
  TPatch patch(nullptr);
  Place(patch, 2, false);
  TPatchBank bank(nullptr);
  bank.User = false;
  const TPatch before(nullptr);
  for (const auto& [element, address] :
       {std::pair<TLibElem*, std::uint32_t>{&patch, 0x21010000}, {&bank, 0x21000000}}) {
    ui.Answers = {mbRetry, mbCancel};
    ui.Questions.clear();
    log.Requests.clear();
    QElapsedTimer timer;
    timer.start();
    element->Receive(false);
    EXPECT_GE(timer.elapsed(), 2 * 60);
    ASSERT_EQ(ui.Questions.size(), 2u);
    EXPECT_EQ(ui.Questions[0].Text, "The Instrument Is Not Responding.");
    EXPECT_EQ(ui.Questions[0].Buttons, mbCancel | mbRetry);
    EXPECT_EQ(Requested(), (std::vector<std::uint32_t>{address, address}));
    EXPECT_EQ(log.Requests[0], log.Requests[1]);
    EXPECT_FALSE(Transfer().Finished);
  }
  EXPECT_EQ(patch.Common.Image, before.Common.Image);
  EXPECT_FALSE(QFile::exists(Path("UserCard.Txt")));
}

TEST_F(SingleTransfer, CancelKeepsTheBlocksThatArrivedAndAFailedOutputEndsWithThePortsText) {
  TPerformance performance(nullptr);
  Place(performance, 4);
  Scramble(performance, 6);
  const auto untouched = performance.Parts[10].Image;
  host.Hook = [](TTransfer& t, THeadlessHost::TEvent) {
    if (t.MessagesReceived() == 5 && t.Active()) t.Close();
  };
  performance.Receive(false);
  EXPECT_EQ(MatchingBlocks(performance), 5);
  EXPECT_EQ(performance.Parts[10].Image, untouched);
  EXPECT_FALSE(Transfer().Finished);
  const std::size_t sent = log.Requests.size();
  Idle(50);
  EXPECT_EQ(log.Requests.size(), sent);

  host.Hook = [](TTransfer& t, THeadlessHost::TEvent) {
    if (t.MessagesReceived() == 3) MidiSession().Output()->ClosePort();
  };
  performance.Receive(false);
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_TRUE(Transfer().Failed());
  EXPECT_FALSE(Transfer().Active());
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_EQ(ui.Questions[0].Text, "MIDI Output device not open");
}

// With the ports closed nothing is asked of the instrument, and nothing arrived.
TEST_F(SingleTransfer, ClosedPortsSendNothing) {
  MidiSession().SetMidiOpen(false);
  TPatch patch(nullptr);
  Place(patch, 1);
  Transfer().Finished = true;  // left over from an earlier transfer
  patch.Receive(false);
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_EQ(instrument->Counters().Requests, 0u);
}

// Banks and dumps are paced by the tick and the pause alone: at 0 ms each block goes on the next
// turn of the event loop, the order unchanged, and thousands of blocks take no time.
void Unpaced() {
  Timing().MessagePauseMs = 0;
  Timing().TransmitTickMs = 0;
}

class BankTransfer : public TTransferTest {
 protected:
  void SetUp() override {
    TTransferTest::SetUp();
    Unpaced();
  }
  static TBlockSet& Set(TBank& bank, int i) { return dynamic_cast<TBlockSet&>(bank.Member(i)); }
  int MatchingMembers(TBank& bank) {
    for (int i = 0; i < bank.Count(); ++i)
      if (MatchingBlocks(Set(bank, i)) != Set(bank, i).BlockCount()) return i;
    return bank.Count();
  }
};

// Each kind of bank, from user or card memory, either way. The instrument's memory is scrambled
// first, so a transmission must write every block; the first member's name is "Brass" in the
// instrument, and member i is named i + 1 in the bank. Rhythm banks leave the names file alone.
TEST_F(BankTransfer, EachBankTravelsWholeEitherWayAndTheNamesFileFollows) {
  instrument->SetCardInserted(true);
  const struct {
    int Kind;
    bool User, Receive;
    int List;     // the names' section, -1: none
    int Reloads;  // the names saved and the names window told
    std::uint32_t First, Last;
    const char* Progress;
  } cases[] = {
      {ekRhythmBank, true, true, -1, 0, 0x10400000, 0x10416200,
       "Now Receiving User Rhythm Bank; Rhythm Number : 2; sent 130/1950; received 130/8878; "
       "100%; finished"},
      {ekRhythmBank, false, false, -1, 0, 0x20400000, 0x20416200,
       "Now Transmitting Data Card Rhythm Bank; Rhythm Number : 2; sent 130/8878; received 0/0; "
       "100%; finished"},
      {ekPatchBank, true, true, TNameLists::nlUserPatches, 1, 0x11000000, 0x117F0000,
       "Now Receiving User Patch Bank; Patch Number : 128; sent 128/1920; received 640/82304; "
       "100%; finished"},
      {ekPatchBank, false, false, TNameLists::nlCardPatches, 1, 0x21000000, 0x217F1600,
       "Now Transmitting Data Card Patch Bank; Patch Number : 128; sent 640/82304; received "
       "0/0; 100%; finished"},
      {ekPerformanceBank, false, true, TNameLists::nlCardPerformances, 0, 0x20000000, 0x201F1F00,
       "Now Receiving Data Card Performance Bank; Performance Number : 31; sent 544/8160; "
       "received 544/17760; 100%; finished"},
      {ekPerformanceBank, true, false, TNameLists::nlUserPerformances, 1, 0x10000000, 0x101F1F00,
       "Now Transmitting User Performance Bank; Performance Number : 32; sent 544/17760; "
       "received 0/0; 100%; finished"},
  };
  int reloads = 0;
  NamesWindowLoadHook() = [&reloads] { ++reloads; };
  QString atHalf;
  host.Hook = [&](TTransfer& t, THeadlessHost::TEvent) {
    // Transmitting patches, the last change at 320 messages: patch 64 counted whole.
    if (t.MessagesSent() == 320 && t.Title().endsWith("Patch Bank"))
      atHalf = QStringLiteral("%1% %2%3").arg(t.Gauge()).arg(t.ElemCaption(), t.ElemNumberText());
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Progress);
    const std::unique_ptr<TLibElem> element = CreateElement(c.Kind, nullptr);
    auto& bank = static_cast<TBank&>(*element);
    bank.User = c.User;
    for (int i = 0; i < bank.Count(); ++i) Scramble(Set(bank, i), i);
    instrument->Write(c.First, TBytes{'B', 'r', 'a', 's', 's'});
    for (int i = 0; i < bank.Count(); ++i) bank.Member(i).SetName(QString::number(i + 1), false);
    log.Requests.clear();
    reloads = 0;
    c.Receive ? bank.Receive(false) : bank.Transmit(false);
    EXPECT_EQ(Progress(), c.Progress);
    EXPECT_EQ(MatchingMembers(bank), bank.Count());
    EXPECT_EQ(reloads, c.Reloads);
    TBlockSet& last = Set(bank, bank.Count() - 1);
    if (c.Receive) {
      EXPECT_EQ(std::pair(Requested().front(), Requested().back()), std::pair(c.First, c.Last));
      EXPECT_TRUE(bank.Member(0).GetName().startsWith("Brass"));
    } else {
      EXPECT_EQ(instrument->Name(c.First), "1           ");
      EXPECT_EQ(instrument->Block(c.Last), Held(last, last.BlockCount() - 1));
    }
    if (c.List < 0) {
      EXPECT_FALSE(QFile::exists(Path("UserCard.Txt")));
      continue;
    }
    const QStringList& names = NameLists().Lists[c.List];
    ASSERT_EQ(names.size(), bank.Count());
    EXPECT_EQ(names[0], bank.Member(0).GetName());
    if (!c.Receive) {
      EXPECT_EQ(names.last(), QString::number(bank.Count()));
    }
  }
  NamesWindowLoadHook() = nullptr;
  // Saved: all but the card performances, which a receive keeps in memory only.
  TNameLists saved;
  saved.SetBytes(ReadAll(Path("UserCard.Txt")));
  EXPECT_EQ(saved.Lists, NameLists().Lists);
  EXPECT_TRUE(saved.Lists[TNameLists::nlCardPerformances].isEmpty());
  EXPECT_EQ(atHalf, "50% Patch Number : 64");
  EXPECT_EQ(ReadAll(Path("UserCard.Txt")).count('\xC7'), 4);
}

TEST_F(BankTransfer, BadPatchReplyDiscardsInputThenAsksForThatPatchAgain) {
  // The rest of the damaged answer arrives inside the discard, however loaded the machine.
  Timing().CleanupMs = 150;
  TPatchBank bank(nullptr);
  Scramble(bank.Patch(39), 3);
  bool cleanupSeen = false;
  host.Hook = [&](TTransfer& t, THeadlessHost::TEvent) {
    // Patch 40's answer loses its tone 1; everything else arrives whole.
    if (t.ElemNumber() == 39 && !cleanupSeen) Corrupt(0.5, {0, 1, -1, -1, -1});
    if (t.TimerCleanup.Enabled() && !cleanupSeen) {
      cleanupSeen = true;
      instrument->SetFaults(TInstrumentFaults());
    }
  };
  bank.Receive(false);

  EXPECT_TRUE(cleanupSeen);
  EXPECT_TRUE(Transfer().Finished);
  ASSERT_EQ(log.Requests.size(), 129u);
  EXPECT_EQ(log.Address(39), 0x11270000u);
  EXPECT_EQ(log.Address(40), 0x11270000u);
  EXPECT_EQ(MatchingMembers(bank), 128);
  EXPECT_EQ(Transfer().MessagesReceived(), 640);
}

class GlobalTransfer : public TTransferTest {
 protected:
  void SetUp() override {
    TTransferTest::SetUp();
    Unpaced();
    Views().Add(global, view);
  }
  void TearDown() override {
    Views().Remove(global, view);
    TTransferTest::TearDown();
  }
  // Counts the refreshes of the global's open windows.
  struct TCountingView : TElementView {
    explicit TCountingView(int& count) : Count(count) {}
    TLibElem* Element() const override { return nullptr; }
    void UpdateView() override { ++Count; }
    void CloseView() override {}
    int& Count;
  };
  bool Requested(std::uint32_t from, std::uint32_t to) const {
    for (std::size_t i = 0; i < log.Requests.size(); ++i)
      if (log.Address(i) >= from && log.Address(i) < to) return true;
    return false;
  }
  // Whether a bank still holds what it was created with.
  static bool Untouched(TBank& bank, TBank& fresh) {
    return bank.SysexBytes(false) == fresh.SysexBytes(false);
  }

  TGlobal global{nullptr};
  TGlobal fresh{nullptr};
  int globalViews = 0;
  TCountingView view{globalViews};
};

TEST_F(GlobalTransfer, WithoutDataCardOnlyUserBanksAndSystemAreReceivedAndTransmitted) {
  Scramble(global.PatchBank(true).Patch(127), 1);
  Scramble(global.System(), 2);
  global.Receive(false);

  EXPECT_TRUE(Transfer().Finished);
  EXPECT_EQ(log.Requests.size(), 128u + 544u + 130u + 18u);
  EXPECT_FALSE(Requested(0x20000000, 0x30000000));
  EXPECT_EQ(MatchingBlocks(global.PatchBank(true).Patch(127)), 5);
  EXPECT_EQ(MatchingBlocks(global.System()), 18);
  EXPECT_EQ(MatchingBlocks(global.RhythmBank(true).Rhythm(1)), 65);
  EXPECT_TRUE(Untouched(global.PatchBank(false), fresh.PatchBank(false)));
  EXPECT_TRUE(Untouched(global.PerformanceBank(false), fresh.PerformanceBank(false)));
  EXPECT_TRUE(Untouched(global.RhythmBank(false), fresh.RhythmBank(false)));
  EXPECT_EQ(globalViews, 1);

  // Transmitting writes user memory and the system only.
  global.PatchBank(true).Patch(0).SetName("Global", false);
  global.PerformanceBank(true).Performance(31).Parts[15].StoreByte(0, 0x11);
  global.System().Common.StoreByte(0, 0x05);
  global.Transmit(false);
  EXPECT_EQ(instrument->Counters().DataSets, 640u + 544u + 130u + 18u);
  EXPECT_EQ(instrument->Name(0x11000000), "Global      ");
  EXPECT_EQ(instrument->Read(0x00000000, 1), TBytes{0x05});
  EXPECT_EQ(MatchingBlocks(global.PerformanceBank(true).Performance(31)), 17);
  EXPECT_EQ(CurrentSystem, &global.System());
}

TEST_F(GlobalTransfer, CancelInsideAMemberLeavesTheLaterOnesAndSkipsTheViews) {
  Config().DataCard = true;
  instrument->SetCardInserted(true);
  host.Hook = [](TTransfer& t, THeadlessHost::TEvent) {
    if (t.Title().contains("User Performance") && t.MessagesReceived() == 20 && t.Active())
      t.Close();
  };
  global.Receive(false);

  EXPECT_FALSE(Transfer().Finished);
  EXPECT_TRUE(Requested(0x21000000, 0x21800000));   // the card patch bank came before it
  EXPECT_FALSE(Requested(0x00000000, 0x00010000));  // nor the system, the last member
  EXPECT_TRUE(Untouched(global.PerformanceBank(false), fresh.PerformanceBank(false)));
  EXPECT_EQ(global.System().Common.Image, fresh.System().Common.Image);
  EXPECT_EQ(globalViews, 0);
}

using NameListsFile = TModelTest;

TEST_F(NameListsFile, SectionsAreWrittenInOrderAndLoadSkipsEmptyLinesAndCutsOverlongOnes) {
  SetStartDirectory(dir.path());
  TNameLists lists;
  lists.SetEntry(TNameLists::nlUserPatches, 0, "Piano");
  lists.SetEntry(TNameLists::nlUserPatches, 1, "Organ");
  lists.SetEntry(TNameLists::nlCardPerformances, 5, "Split");  // appended
  lists.SetEntry(TNameLists::nlUserPatches, 0, "E.Piano");
  ASSERT_TRUE(lists.Save());
  EXPECT_EQ(ReadAll(Path("UserCard.Txt")),
            QByteArray("Split\r\n\xC7\r\n\xC7\r\nE.Piano\r\nOrgan\r\n\xC7\r\n\xC7\r\n"));
  QByteArray bytes = "\n\xC7\nUser Perf\r\n\r\n\xC7\n";
  for (int i = 0; i < 130; ++i) bytes += "P" + QByteArray::number(i) + "\n";
  bytes += "\xC7\nCard\n\xC7\nextra section\n";
  WriteAll(Path("UserCard.Txt"), bytes);
  lists = TNameLists();
  ASSERT_TRUE(lists.Load());
  EXPECT_TRUE(lists.Lists[TNameLists::nlCardPerformances].isEmpty());
  EXPECT_EQ(lists.Lists[TNameLists::nlUserPerformances], QStringList{"User Perf"});
  EXPECT_EQ(lists.Lists[TNameLists::nlUserPatches].size(), 128);
  EXPECT_EQ(lists.Lists[TNameLists::nlCardPatches], QStringList{"Card"});

  // A missing file gives empty lists; a failed save is reported.
  QFile::remove(Path("UserCard.Txt"));
  EXPECT_TRUE(lists.Load());
  EXPECT_TRUE(lists.Lists[TNameLists::nlUserPatches].isEmpty());
  SetStartDirectory(Path("no such folder"));
  EXPECT_FALSE(lists.Save());
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Error);
  EXPECT_TRUE(ui.Questions[0].Text.contains("UserCard.Txt"));
}

const std::array<QString, 4> kDefaults = {"User 01", "User 02", "Data Card 01", "Data Card 02"};
constexpr std::uint32_t kAddresses[] = {0x10400000, 0x10410000, 0x20400000, 0x20410000};

class RhythmNames : public TTransferTest {
 protected:
  void SetUp() override {
    TTransferTest::SetUp();
    Timing().ReplyTimeoutMs = 300;
    RhythmSetNames() = kDefaults;
    const char* names[] = {"Kit One     ", "Kit Two     ", "Card Kit A  ", "Card Kit B  "};
    for (int i = 0; i < 4; ++i) instrument->Write(kAddresses[i], TBytes(names[i], names[i] + 12));
  }
  void TearDown() override {
    RhythmSetNames() = kDefaults;
    TTransferTest::TearDown();
  }
  // Runs a reading until it ends (all names, or the time-out's question answered).
  void Read(TRhythmNamesReader& reader) {
    reader.Start();
    for (int i = 0; i < 400 && reader.Running(); ++i) Idle(5);
    ASSERT_FALSE(reader.Running());
  }
  static bool DefaultInputBack() {
    using THandler = void (*)(TMidiInput*);
    const THandler* handler = MidiSession().Input()->OnMidiInput.target<THandler>();
    return handler && *handler == &DefaultMidiInput;
  }
};

TEST_F(RhythmNames, EachNameLandsInItsPlaceAndTheInputIsGivenBack) {
  for (const bool card : {false, true}) {
    SCOPED_TRACE(card);
    RhythmSetNames() = kDefaults;
    log.Requests.clear();
    Config().DataCard = card;
    instrument->SetCardInserted(card);
    TRhythmNamesReader reader;
    int finished = 0;
    QObject::connect(&reader, &TRhythmNamesReader::Finished, [&finished] { ++finished; });
    Read(reader);
    EXPECT_EQ(1, finished);
    EXPECT_TRUE(ui.Questions.empty());
    const std::size_t count = card ? 4 : 2;
    ASSERT_EQ(count, log.Requests.size());
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_EQ(kAddresses[i], log.Address(i));
      EXPECT_EQ(TBytes({0, 0, 0, 0x0C}),
                TBytes(log.Requests[i].begin() + 9, log.Requests[i].begin() + 13));
    }
    EXPECT_EQ("Kit One", RhythmSetNames()[0]);
    EXPECT_EQ("Kit Two", RhythmSetNames()[1]);
    EXPECT_EQ(card ? "Card Kit A" : "Data Card 01", RhythmSetNames()[2]);
    EXPECT_EQ(card ? "Card Kit B" : "Data Card 02", RhythmSetNames()[3]);
    EXPECT_TRUE(DefaultInputBack());
  }
}

// The first reply is lost, damaged or misshapen, the others whole: the second name must not
// take the first one's place, and the first stays as it was unless Retry reads it again.
TEST_F(RhythmNames, ABadReplyLeavesItsNameAndRetryReadsItAgain) {
  constexpr double p = 0.5;
  const struct {
    const char* Fault;
    TInstrumentFaults Faults;
  } cases[] = {
      {"lost", {.Drop = p, .Seed = SeedFor(p, {1, 0, 0, 0, 0})}},
      {"damaged", {.Corrupt = p, .Seed = SeedFor(p, {1, 0, 0, 0, 0})}},
      // A misshapen reply draws once more to choose shorter or longer.
      {"misshapen", {.WrongLength = p, .Seed = SeedFor(p, {1, -1, 0, 0, 0, 0})}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Fault);
    RhythmSetNames() = kDefaults;
    TRhythmNamesReader reader;
    for (const int answer : {mbOK, mbRetry}) {
      ui.Questions.clear();
      instrument->SetFaults(c.Faults);
      ui.Answers = {answer};
      Read(reader);
      ASSERT_EQ(1u, ui.Questions.size());
      EXPECT_EQ("The instruments is not responding.", ui.LastText());
      EXPECT_EQ(mbOK | mbRetry, ui.Questions[0].Buttons);
      EXPECT_EQ(answer == mbOK ? "User 01" : "Kit One", RhythmSetNames()[0]);
      EXPECT_EQ("Kit Two", RhythmSetNames()[1]);
      EXPECT_TRUE(DefaultInputBack());
    }
  }
}

class RhythmNamesLoop : public TSendTest {};

TEST_F(RhythmNamesLoop, OnlyARequestedSetBecomesAName) {
  RhythmSetNames() = kDefaults;
  Timing().ReplyTimeoutMs = 2000;
  TRhythmNamesReader reader;
  reader.Start();
  const TBytes name = {'S', 'e', 't', ' ', 'T', 'w', 'o', ' ', ' ', ' ', ' ', ' '};
  ASSERT_TRUE(loop->Inject(0, DataSet(0x10420000, name)));  // no such set
  ASSERT_TRUE(loop->Inject(0, DataSet(0x10410000, name)));
  for (int i = 0; i < 100 && RhythmSetNames()[1] == kDefaults[1]; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_EQ(RhythmSetNames(),
            (std::array<QString, 4>{kDefaults[0], "Set Two", kDefaults[2], kDefaults[3]}));
  reader.Stop();
}

}  // namespace
