// Asking the instrument for a new EFX type's parameters: which messages count as the answer.
// (What is sent, the time-out with Retry and OK, an output error and a receive taking the input
// over: the effects page's tests.)
#include <optional>

#include <QTest>

#include "model/efxrequest.h"
#include "tests/model/transferfixture.h"

namespace {

constexpr std::uint32_t kPatch = 0x03000000;

TBytes Answer(std::uint32_t address, const TBytes& data, std::uint8_t device = 0x10) {
  return DataSet(address, data, device);
}

struct TOutcome {
  std::optional<TEfxRequest::TParameters> Parameters;
  int Answers = 0;
  int GiveUps = 0;
};

void Watch(TEfxRequest& request, TOutcome& outcome) {
  request.OnAnswer = [&outcome](const TEfxRequest::TParameters& p) {
    outcome.Parameters = p;
    ++outcome.Answers;
  };
  request.OnGiveUp = [&outcome] { ++outcome.GiveUps; };
}

const TBytes kTwelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

}  // namespace

// Scripted input on a loopback port: exactly what goes out, and which incoming messages count.
class EfxRequestLoop : public TSendTest {
 protected:
  void SetUp() override {
    TSendTest::SetUp();
    Timing().EffectsRequestMs = 3000;  // the time-out tests shorten it
    Watch(request, outcome);
  }
  void Inject(const TBytes& message) { ASSERT_TRUE(loop->Inject(0, message)); }
  static void Settle() { QTest::qWait(30); }

  TEfxRequest request;
  TOutcome outcome;
};

TEST_F(EfxRequestLoop, OnlyTheWholeValidAnswerFromTheRequestedAddressCounts) {
  // An answer already waiting before the request is discarded with the rest of the queue.
  Inject(Answer(0x0300000D, TBytes(12, 99)));
  ASSERT_TRUE(request.Start(kPatch, 12, 5));

  TBytes damaged = Answer(0x0300000D, TBytes(12, 98));
  damaged[12] ^= 1;  // the checksum no longer matches
  TBytes noEnd = Answer(0x0300000D, TBytes(12, 91));
  noEnd.back() = 0x00;
  TBytes asking = Answer(0x0300000D, TBytes(12, 90));
  asking[4] = 0x11;  // a data request, not a data set
  const TBytes ignored[] = {
      damaged,
      Answer(0x0300000D, TBytes(11, 97)),        // one byte short
      Answer(0x0300000D, TBytes(12, 95), 0x11),  // another device
      Answer(0x0300000E, TBytes(12, 94)),        // another address
      Answer(0x0100000E, TBytes(12, 93)),        // the performance's parameters
      noEnd,
      asking,
  };
  for (const TBytes& message : ignored) Inject(message);
  Settle();
  EXPECT_TRUE(request.Waiting());
  EXPECT_EQ(outcome.Answers, 0);

  Inject(Answer(0x0300000D, kTwelve));
  ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.Answers == 1; }, 3000));
  EXPECT_EQ(TBytes(outcome.Parameters->begin(), outcome.Parameters->end()), kTwelve);
  EXPECT_FALSE(request.Waiting());
  // The input is the default handler's again: a second answer changes nothing.
  Inject(Answer(0x0300000D, TBytes(12, 1)));
  Settle();
  EXPECT_EQ(outcome.Answers, 1);
  EXPECT_TRUE(ui.Questions.empty());
}
