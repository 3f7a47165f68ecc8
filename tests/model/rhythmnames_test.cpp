// Reading the user and card rhythm set names against the emulated instrument: each name lands
// in its own place, lost, damaged and misshapen replies leave their name as it was and never
// shift the others, foreign messages are not names, and nothing is asked without MIDI.
#include <gtest/gtest.h>

#include "midi/sysex.h"
#include "model/rhythmnames.h"
#include "transferfixture.h"

namespace {

const std::array<QString, 4> kDefaults = {"User 01", "User 02", "Data Card 01", "Data Card 02"};
constexpr std::uint32_t kAddresses[] = {0x10400000, 0x10410000, 0x20400000, 0x20410000};

// Answers Retry and mends the instrument's faults before the reading starts again.
class TRetryMends : public TScopedScriptedUI {
 public:
  explicit TRetryMends(TInstrument& instrument) : instrument_(instrument) {}
  int Ask(TMsgKind kind, const QString& text, int buttons) override {
    Questions.push_back({kind, text, buttons, mbRetry});
    instrument_.SetFaults({});
    return mbRetry;
  }

 private:
  TInstrument& instrument_;
};

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
      EXPECT_EQ(TBytes({0, 0, 0, 0x0C}), TBytes(log.Requests[i].begin() + 9,
                                                 log.Requests[i].begin() + 13));
    }
    EXPECT_EQ("Kit One", RhythmSetNames()[0]);
    EXPECT_EQ("Kit Two", RhythmSetNames()[1]);
    EXPECT_EQ(card ? "Card Kit A" : "Data Card 01", RhythmSetNames()[2]);
    EXPECT_EQ(card ? "Card Kit B" : "Data Card 02", RhythmSetNames()[3]);
    EXPECT_TRUE(DefaultInputBack());
  }
}

// The first reply is lost, damaged or misshapen, the second whole: the second name must not
// take the first one's place, and the first stays as it was until Retry reads it.
TEST_F(RhythmNames, ABadReplyLeavesItsNameAndRetryReadsItAgain) {
  constexpr double p = 0.5;
  const struct {
    const char* Fault;
    TInstrumentFaults Faults;
  } cases[] = {
      {"lost", {.Drop = p, .Seed = SeedFor(p, {1, 0})}},
      {"damaged", {.Corrupt = p, .Seed = SeedFor(p, {1, 0})}},
      // A misshapen reply draws once more to choose shorter or longer.
      {"misshapen", {.WrongLength = p, .Seed = SeedFor(p, {1, -1, 0})}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Fault);
    RhythmSetNames() = kDefaults;
    ui.Questions.clear();
    instrument->SetFaults(c.Faults);
    ui.Answers = {mbOK};
    TRhythmNamesReader reader;
    Read(reader);
    ASSERT_EQ(1u, ui.Questions.size());
    EXPECT_EQ("The instruments is not responding.", ui.LastText());
    EXPECT_EQ(mbOK | mbRetry, ui.Questions[0].Buttons);
    EXPECT_EQ("User 01", RhythmSetNames()[0]);
    EXPECT_EQ("Kit Two", RhythmSetNames()[1]);
    EXPECT_TRUE(DefaultInputBack());

    // The same fault again; Retry, with the instrument mended meanwhile, reads every name.
    instrument->SetFaults(c.Faults);
    TRetryMends retry(*instrument);
    Read(reader);
    EXPECT_EQ(1u, retry.Questions.size());
    EXPECT_EQ("Kit One", RhythmSetNames()[0]);
    EXPECT_EQ("Kit Two", RhythmSetNames()[1]);
  }
}

class RhythmNamesForeign : public TSendTest {};

TEST_F(RhythmNamesForeign, OnlyAWholeReplyToARequestBecomesAName) {
  RhythmSetNames() = kDefaults;
  Timing().ReplyTimeoutMs = 2000;
  TRhythmNamesReader reader;
  reader.Start();
  ASSERT_TRUE(reader.Running());
  const TBytes name = {'S', 'e', 't', ' ', 'T', 'w', 'o', ' ', ' ', ' ', ' ', ' '};
  TBytes damaged = DataSet(0x10400000, name);
  damaged[10] ^= 1;
  TBytes shortReply = DataSet(0x10400000, TBytes(name.begin(), name.begin() + 11));
  const TBytes foreign[] = {
      DataSet(0x10400000, name, 0x11),  // another device
      [&] {  // another model
        TBytes other = DataSet(0x10400000, name);
        other[3] = 0x6B;
        return other;
      }(),
      DataSet(0x20400000, name),  // the card's, not requested without a card
      DataSet(0x10420000, name),  // no such set
      damaged, shortReply,
  };
  for (const TBytes& message : foreign) ASSERT_TRUE(loop->Inject(0, message));
  ASSERT_TRUE(loop->Inject(0, DataSet(0x10410000, name)));
  for (int i = 0; i < 100 && RhythmSetNames()[1] == kDefaults[1]; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_EQ("Set Two", RhythmSetNames()[1]);
  EXPECT_EQ(kDefaults[0], RhythmSetNames()[0]);
  EXPECT_EQ(kDefaults[2], RhythmSetNames()[2]);
  EXPECT_TRUE(reader.Running());
  reader.Stop();
}

TEST_F(RhythmNamesForeign, WithoutMidiNothingIsAskedAndNamesStay) {
  RhythmSetNames() = kDefaults;
  MidiSession().SetMidiOpen(false);
  TRhythmNamesReader reader;
  reader.Start();
  EXPECT_FALSE(reader.Running());
  EXPECT_EQ(0u, SentCount());
  EXPECT_EQ(kDefaults, RhythmSetNames());
}

}  // namespace
