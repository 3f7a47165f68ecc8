// "Updating names" against the built-in instrument with and without a card, with damaged replies,
// and against a silent port: the requests, card steps passed over, Retry, the file and the reload.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/formnames.h"
#include "app/formupdatenames.h"
#include "instrument/instrumentbackend.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "model/namelists.h"

namespace {

// Answers every question with Retry and lets the instrument answer again from then on.
class TRetryingUI : public TScopedScriptedUI {
 public:
  int Ask(TMsgKind kind, const QString& text, int buttons) override {
    Questions.push_back({kind, text, buttons, mbRetry});
    VirtualInstrument()->SetFaults(TInstrumentFaults{});
    return mbRetry;
  }
};

class NamesUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    // Long enough that the instrument's answers always come in time on a busy machine.
    Timing().UpdateNamesMs = 150;
    previousStart_ = StartDirectory();
    SetStartDirectory(dir_.path());
    TMidiDevices::Instance().Clear();
  }
  void TearDown() override {
    MidiSession().Destroy();
    if (VirtualInstrument()) VirtualInstrument()->SetFaults(TInstrumentFaults{});
    TMidiDevices::Instance().Clear();
    SetStartDirectory(previousStart_);
    Timing() = TTiming();
  }

  void UseInstrument() {
    RegisterVirtualInstrument();
    VirtualInstrument()->Reset();
    VirtualInstrument()->SetCardInserted(false);
    MidiSession().Create();
  }

  int Run(TFormUpdateNames& dialog) {
    QTimer::singleShot(30000, &dialog, [&dialog] { dialog.reject(); });
    return dialog.exec();
  }

  QByteArray UserCardFile() const {
    QFile file(QDir(dir_.path()).filePath("UserCard.Txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
  QString previousStart_;
};

TEST(NamesUpdateSteps, StepsAskTheirElementsCommonBlocks) {
  const std::pair<int, std::uint32_t> addresses[] = {
      {0, 0x20000000}, {1 * 16 + 15, 0x201F0000}, {3 * 16, 0x10100000}, {4 * 16, 0x21000000},
      {11 * 16 + 15, 0x217F0000}, {12 * 16, 0x11000000}, {19 * 16 + 15, 0x117F0000}};
  for (const auto& [at, address] : addresses)
    EXPECT_EQ(address, TFormUpdateNames::ElementAddress(at / 16, at % 16)) << at;
  EXPECT_EQ("Now Receving Data Card Patch Names", TFormUpdateNames::StepText(11));
  EXPECT_EQ("Now Receving User Patch Names", TFormUpdateNames::StepText(12));
  int cardSteps = 0;
  for (int step = 0; step < TFormUpdateNames::kStepCount; ++step)
    cardSteps += TFormUpdateNames::CardStep(step);
  EXPECT_EQ(10, cardSteps);
  EXPECT_FALSE(TFormUpdateNames::CardStep(2));
  EXPECT_EQ(TNameLists::nlUserPerformances, TFormUpdateNames::StepList(3));
}

TEST_F(NamesUpdate, SilentPortGetsSixteenTwelveByteRequestsPerStepAndOkOnAUserStepCloses) {
  auto loop = std::make_unique<TLoopbackBackend>(QStringList{"Loop"});
  TLoopbackBackend* backend = loop.get();
  TMidiDevices::Instance().Add(std::move(loop));
  MidiSession().Create();
  TScopedScriptedUI ui;
  ui.Answers = {mbOK};
  TFormUpdateNames dialog;
  EXPECT_EQ(QDialog::Rejected, Run(dialog));
  // Two card steps passed over, then the first user step unanswered.
  ASSERT_EQ(1u, ui.Questions.size());
  EXPECT_EQ("The Instrument Is Not Responding.", ui.LastText());
  EXPECT_EQ(mbOK | mbRetry, ui.Questions[0].Buttons);
  EXPECT_EQ(2, dialog.Step());
  const auto sent = backend->Sent();
  ASSERT_EQ(48u, sent.size());
  for (int i = 0; i < 48; ++i) {
    const std::uint8_t high = i < 32 ? 0x20 : 0x10;
    const std::uint8_t element = static_cast<std::uint8_t>(i % 32);
    const std::uint8_t sum = (high + element + 0x0C) % 128;
    const std::vector<std::uint8_t> expected = {0xF0, 0x41, DeviceIdByte(), 0x6A, 0x11, high,
                                                element, 0, 0, 0, 0, 0, 0x0C,
                                                static_cast<std::uint8_t>((128 - sum) % 128), 0xF7};
    EXPECT_EQ(expected, sent[i]) << "request " << i;
  }
  EXPECT_EQ(32, dialog.ReceivedCount());
  EXPECT_EQ(10, dialog.Gauge()->value());
  // The port's own handler is back.
  using THandler = void (*)(TMidiInput*);
  const THandler* handler = MidiSession().Input()->OnMidiInput.target<THandler>();
  ASSERT_TRUE(handler);
  EXPECT_EQ(&DefaultMidiInput, *handler);
}

TEST_F(NamesUpdate, WithoutCardTheCardSectionsStayEmptyAndUserNamesAreWritten) {
  UseInstrument();
  QFile names(QDir(dir_.path()).filePath("Names.Txt"));
  ASSERT_TRUE(names.open(QIODevice::WriteOnly));
  names.write("Wave\r\n");
  names.close();
  TFormNames window;
  TScopedScriptedUI ui;
  TFormUpdateNames dialog;
  ASSERT_EQ(QDialog::Accepted, Run(dialog));
  EXPECT_TRUE(ui.Questions.empty());
  EXPECT_EQ(100, dialog.Gauge()->value());

  TNameLists lists;
  lists.SetBytes(UserCardFile());
  EXPECT_TRUE(lists.Lists[TNameLists::nlCardPerformances].isEmpty());
  EXPECT_TRUE(lists.Lists[TNameLists::nlCardPatches].isEmpty());
  ASSERT_EQ(32, lists.Lists[TNameLists::nlUserPerformances].size());
  ASSERT_EQ(128, lists.Lists[TNameLists::nlUserPatches].size());
  EXPECT_EQ(VirtualInstrument()->Name(0x10050000), lists.Lists[TNameLists::nlUserPerformances][5]);
  EXPECT_EQ(VirtualInstrument()->Name(0x117F0000), lists.Lists[TNameLists::nlUserPatches][127]);
  // The sections come in their order, each closed by its separator line.
  EXPECT_TRUE(UserCardFile().startsWith("\xC7\r\n"));
  EXPECT_EQ(4, UserCardFile().count("\xC7\r\n"));
  // The names window was loaded again: user patches follow the list "Names.Txt" ended on.
  EXPECT_EQ(VirtualInstrument()->Name(0x11000000), window.Name(4, 0));
}

// Sixteen requests a step take longer to leave than the step's time-out: it counts from the
// last of them.
TEST_F(NamesUpdate, AStepsTimeOutCountsFromItsLastRequestLeaving) {
  UseInstrument();
  Timing().MessagePauseMs = 8;
  Timing().UpdateNamesMs = 100;
  TScopedScriptedUI ui;
  ui.Answers = {mbOK};
  TFormUpdateNames dialog;
  ASSERT_EQ(QDialog::Accepted, Run(dialog));
  EXPECT_TRUE(ui.Questions.empty());
  EXPECT_EQ(100, dialog.Gauge()->value());
}

// Lost, damaged and misshapen replies; Retry asks for the step again without doubling names.
TEST_F(NamesUpdate, DamagedRepliesNeverBecomeNamesNorShiftTheNamesAfterThem) {
  UseInstrument();
  VirtualInstrument()->SetCardInserted(true);
  TInstrumentFaults faults;
  faults.Corrupt = 0.1;
  faults.WrongLength = 0.1;
  faults.Drop = 0.05;
  faults.Seed = 5;
  VirtualInstrument()->SetFaults(faults);
  TRetryingUI ui;
  TFormUpdateNames dialog;
  ASSERT_EQ(QDialog::Accepted, Run(dialog));
  // The card answered before its first damaged reply, so the damage was asked about.
  ASSERT_EQ(1u, ui.Questions.size());
  EXPECT_EQ("The Instrument Is Not Responding.", ui.LastText());
  TNameLists lists;
  lists.SetBytes(UserCardFile());
  const struct {
    TNameLists::TList List;
    std::uint32_t High;
    int Count;
  } sections[] = {{TNameLists::nlCardPerformances, 0x20, 32},
                  {TNameLists::nlUserPerformances, 0x10, 32},
                  {TNameLists::nlCardPatches, 0x21, 128},
                  {TNameLists::nlUserPatches, 0x11, 128}};
  for (const auto& section : sections) {
    ASSERT_EQ(section.Count, lists.Lists[section.List].size()) << section.High;
    for (int i = 0; i < section.Count; ++i)
      EXPECT_EQ(VirtualInstrument()->Name(section.High << 24 | static_cast<std::uint32_t>(i) << 16),
                lists.Lists[section.List][i])
          << section.High << " " << i;
  }
}

TEST_F(NamesUpdate, CancelClosesAtOnceAndRestoresTheInput) {
  UseInstrument();
  TScopedScriptedUI ui;
  TFormUpdateNames dialog;
  QTimer::singleShot(0, &dialog, [&dialog] { dialog.CancelButton()->click(); });
  EXPECT_EQ(QDialog::Rejected, Run(dialog));
  EXPECT_FALSE(dialog.Timer()->isActive());
  EXPECT_TRUE(UserCardFile().isEmpty());
}

}  // namespace
