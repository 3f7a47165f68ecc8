// Receiving and transmitting single sound objects against the emulated instrument.
#include "model/patch.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"
#include "transferfixture.h"

namespace {

using SingleTransfer = TTransferTest;

TEST_F(SingleTransfer, PatchReceiveTakesFiveRepliesOfOneRequestAndTransmitsToCardOrTemporary) {
  TPatch patch(nullptr);
  Place(patch, 5);
  Scramble(patch, 1);
  patch.Receive(false);
  EXPECT_EQ(MatchingBlocks(patch), TPatch::kBlockCount);
  EXPECT_EQ(patch.Common.Image[0], 0xF0);
  EXPECT_EQ(log.Requests, (std::vector<TBytes>{{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x04, 0x00,
                                                0x00, 0x00, 0x00, 0x17, 0x18, 0x3C, 0xF7}}));
  // Five messages against a total of one: the gauge is bounded.
  EXPECT_EQ(Progress(), "Now Receiving Patch; Pacth : 1; sent 0/0; received 5/643; 100%; finished");
  EXPECT_EQ(host.ModalRuns, 1);

  // Transmission to card or temporary memory runs without the window.
  instrument->SetCardInserted(true);
  Place(patch, 1, false);
  patch.SetName("Card One", false);
  patch.Tones[3].StoreByte(100, 0x55);
  patch.Transmit(false);
  EXPECT_EQ(MatchingBlocks(patch), TPatch::kBlockCount);
  EXPECT_EQ(instrument->Name(0x21000000), "Card One    ");
  EXPECT_EQ(instrument->Read(0x21001600 + 100, 1), TBytes{0x55});
  patch.SetName("Temp", false);
  patch.Transmit(true);
  EXPECT_EQ(instrument->Name(0x03000000), "Temp        ");
  EXPECT_EQ(host.ModalRuns, 1);
  EXPECT_EQ(CurrentPatch, &patch);
  EXPECT_EQ(PreviewChannel, 1);
}

// A lost tone 3: tone 4 arrives where tone 3 was expected, is not stored as tone 3, and no
// time-out is waited for. A lost tone 4: the time-out asks, and Retry starts at the common
// block. A damaged tone 2: tones 3 and 4 of that answer are still on their way when the patch
// is asked for again, each a bad reply that asks once more. Every request is the whole patch.
TEST_F(SingleTransfer, ABadOrLostReplyInsideAPatchAsksForTheWholePatchAgain) {
  Pace();
  const struct {
    bool Lost;
    std::vector<int> Pattern;
    int TimeoutMs;
    std::size_t Questions, Requests;
  } cases[] = {
      {true, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, 3000, 0, 2},
      {true, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, 300, 1, 2},
      {false, {0, 0, 1, -1, -1, 0, 0, 0, 0, 0}, 3000, 0, 4},
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

TEST_F(SingleTransfer, SystemTravelsBothWaysAndAMisshapenReplyIsNeverStored) {
  TSystem system(nullptr);
  Scramble(system, 4);
  system.Receive(false);
  EXPECT_EQ(MatchingBlocks(system), TSystem::kBlockCount);
  EXPECT_EQ(log.Requests.size(), 18u);
  EXPECT_EQ(Progress(),
            "Now Receiving System; System : 1; sent 18/270; received 18/442; 100%; finished");

  // The first answer comes one byte off: it is not stored and its block is asked for again.
  Scramble(system, 8);
  log.Requests.clear();
  instrument->SetFaults({.WrongLength = 1});
  host.Hook = [this](TTransfer&, THeadlessHost::TEvent) {
    if (!log.Requests.empty()) instrument->SetFaults(TInstrumentFaults());
  };
  system.Receive(false);
  host.Hook = nullptr;
  ASSERT_EQ(log.Requests.size(), 19u);
  EXPECT_EQ(log.Requests[0], log.Requests[1]);
  EXPECT_EQ(MatchingBlocks(system), TSystem::kBlockCount);
  EXPECT_EQ(Transfer().MessagesReceived(), 18);

  TSystem fresh(nullptr);
  fresh.Transmit(false);
  EXPECT_EQ(MatchingBlocks(fresh), TSystem::kBlockCount);
  EXPECT_EQ(instrument->Read(0x00000012, 1), TBytes{0x61});
  EXPECT_EQ(CurrentSystem, &fresh);
}

TEST_F(SingleTransfer,
       RhythmSetTravelsBothWaysPacedByPauseAndTickAndClosesAMomentAfterTheLastBlock) {
  TRhythm rhythm(nullptr);
  Place(rhythm, 2);
  Scramble(rhythm, 5);
  QElapsedTimer timer;
  timer.start();
  rhythm.Receive(false);
  EXPECT_GE(timer.elapsed(), Timing().FinishCloseMs);
  EXPECT_EQ(MatchingBlocks(rhythm), TRhythm::kBlockCount);
  EXPECT_EQ(log.Requests.size(), 65u);
  EXPECT_EQ(log.Address(64), 0x10416200u);
  EXPECT_EQ(Transfer().BytesReceived(), 4439);
  EXPECT_TRUE(Transfer().Finished);

  TRhythm other(nullptr);
  Place(other, 1);
  other.Note(60).StoreByte(0, 0x33);
  const auto before = instrument->Counters().DataSets;
  // The tick is longer than the pause, so a timer that counted from its previous firing rather
  // than from the end of the previous block would run one block per tick. The first block leaves
  // at once, each of the other 64 a pause and a tick after the last; the close comes after.
  Timing().MessagePauseMs = 2;
  Timing().TransmitTickMs = 6;
  timer.restart();
  other.Transmit(false);
  EXPECT_GE(timer.elapsed(), 64 * (2 + 6) + Timing().FinishCloseMs);
  EXPECT_EQ(instrument->Counters().DataSets - before, 65u);
  EXPECT_EQ(MatchingBlocks(other), TRhythm::kBlockCount);
  EXPECT_TRUE(Transfer().Transmetting());
  EXPECT_EQ(
      Progress(),
      "Now Transmitting Rhythm; Rhythm Number : 1; sent 65/4439; received 0/0; 100%; finished");
}

TEST_F(SingleTransfer, SilentRequestAsksAfterTheTimeOutAndRetrySendsItAgain) {
  Timing().ReplyTimeoutMs = 60;
  TPatch patch(nullptr);
  Place(patch, 2, false);  // card memory, and no card in the instrument
  const TPatch before(nullptr);
  ui.Answers = {mbRetry, mbCancel};
  QElapsedTimer timer;
  timer.start();
  patch.Receive(false);
  EXPECT_GE(timer.elapsed(), 2 * 60);
  ASSERT_EQ(ui.Questions.size(), 2u);
  EXPECT_EQ(ui.Questions[0].Text, "The Instrument Is Not Responding.");
  EXPECT_EQ(ui.Questions[0].Kind, TMsgKind::Warning);
  EXPECT_EQ(ui.Questions[0].Buttons, mbCancel | mbRetry);
  EXPECT_EQ(Requested(), (std::vector<std::uint32_t>{0x21010000, 0x21010000}));
  EXPECT_EQ(log.Requests[0], log.Requests[1]);
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_EQ(patch.Common.Image, before.Common.Image);
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
  // A single patch's transmission reports the same way, and no window was left open.
  TPatch patch(nullptr);
  Place(patch, 1);
  patch.Transmit(false);
  EXPECT_TRUE(Transfer().Failed());
  EXPECT_EQ(ui.Questions.size(), 2u);
}

TEST_F(SingleTransfer, ClosedPortsSendNothingAndOnlyTheSinglePatchSkipsTheWindow) {
  MidiSession().SetMidiOpen(false);
  TPatch patch(nullptr);
  Place(patch, 1);
  Transfer().Finished = true;  // left over from an earlier transfer
  patch.Receive(false);
  EXPECT_FALSE(Transfer().Finished);
  patch.Transmit(false);
  EXPECT_EQ(host.ModalRuns, 0);
  // The window waits for the user's Cancel; nothing was asked of the instrument meanwhile.
  host.Hook = [](TTransfer& t, THeadlessHost::TEvent event) {
    if (event == THeadlessHost::evStarted) QTimer::singleShot(20, [&t] { t.Close(); });
  };
  TSystem system(nullptr);
  system.Receive(false);
  EXPECT_EQ(host.ModalRuns, 1);
  EXPECT_FALSE(Transfer().Finished);
  EXPECT_TRUE(ui.Questions.empty());
  EXPECT_EQ(instrument->Counters().Requests, 0u);
  EXPECT_EQ(instrument->Counters().DataSets, 0u);
}

}  // namespace
