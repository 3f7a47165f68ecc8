// A data byte above 7FH never goes into a message. An element holding one (read from a library
// or a damaged .Syx) is refused whole before anything of it leaves, with the element and the
// place of the byte named; a stray byte is kept off the wire by the message layer itself.
#include <functional>

#include "midi/pacedsender.h"
#include "midi/sysex.h"
#include "model/global.h"
#include "model/patchbank.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"
#include "model/transfer.h"
#include "modelfixture.h"

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
         e.SetName(QStringLiteral("Cafe"), false);
         static_cast<TPatch&>(e).Common.Data()[3] = 0xE9;
       },
       QStringLiteral("Patch \"Caf\u00e9\" cannot be sent: common byte 3 holds E9H")},
      {"patch tone", ekPatch,
       [](TLibElem& e) { static_cast<TPatch&>(e).Tones[1].Data()[81] = 0x80; },
       QStringLiteral("Patch \"\" cannot be sent: tone 2 byte 81 holds 80H")},
      {"performance part", ekPerformance,
       [](TLibElem& e) { static_cast<TPerformance&>(e).Parts[2].Data()[0] = 0xFF; },
       QStringLiteral("Performance \"\" cannot be sent: part 3 byte 0 holds FFH")},
      {"rhythm note, a timed send", ekRhythm,
       [](TLibElem& e) { static_cast<TRhythm&>(e).Note(60).Data()[10] = 0x90; },
       QStringLiteral("Rhythm \"\" cannot be sent: note 60 byte 10 holds 90H")},
      {"system scale tune", ekSystem,
       [](TLibElem& e) {
         e.SetName(QStringLiteral("Setup"), false);
         static_cast<TSystem&>(e).ScaleTunes[16].Data()[11] = 0xC0;
       },
       QStringLiteral("System \"Setup\" cannot be sent: scale tune 17 byte 11 holds C0H")},
      {"patch bank member", ekPatchBank,
       [](TLibElem& e) {
         e.SetName(QStringLiteral("Bank"), false);
         TPatch& member = static_cast<TPatchBank&>(e).Patch(11);
         member.SetName(QStringLiteral("Bell"), false);
         member.Tones[3].Data()[5] = 0xA0;
       },
       QStringLiteral(
           "Patch Bank \"Bank\" cannot be sent: Patch 12 \"Bell\", tone 4 byte 5 holds A0H")},
      {"global dump, its user performance bank", ekGlobal,
       [](TLibElem& e) {
         auto& bank = static_cast<TGlobal&>(e).PerformanceBank(true);
         bank.SetName(QStringLiteral("Perfs"), false);
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
  CurrentPatch = nullptr;
  CurrentPerformance = nullptr;
  CurrentRhythm = nullptr;
  CurrentSystem = nullptr;
}

TEST_F(Unsendable, TheSameElementWithoutTheByteIsSentAndMadeCurrent) {
  TPatch patch(nullptr);
  patch.Init();
  patch.Common.Data()[3] = 0xE9;
  patch.Transmit(true);
  Sender().Flush();
  EXPECT_EQ(0u, SentCount());
  // The instrument does not hold it, so the next activation tries again.
  EXPECT_NE(&patch, CurrentPatch);
  patch.Common.Data()[3] = 'e';
  patch.Transmit(true);
  Sender().Flush();
  EXPECT_EQ(5u, SentCount());
  EXPECT_EQ(&patch, CurrentPatch);
  CurrentPatch = nullptr;
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

}  // namespace
