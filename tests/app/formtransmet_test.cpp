// The transfer progress window: what it shows, its layout for transmissions, Cancel, and whole
// transfers with the built-in instrument run under it.
#include <QGroupBox>

#include "dialogs/formtransmet.h"
#include "mainwindow_fixture.h"
#include "model/rhythm.h"

namespace {

class FormTransmet : public ::testing::Test {
 protected:
  void SetUp() override {
    Timing() = TTiming::Scaled(0.02);
    // Replies must never miss their time-out on a loaded machine; no test here waits for it.
    Timing().ReplyTimeoutMs = 3000;
    TMidiDevices::Instance().Clear();
    RegisterVirtualInstrument();
    MidiSession().Create();
    previousHost_ = SetProgressHost(&form_);
  }
  void TearDown() override {
    SetProgressHost(previousHost_);
    Transfer().Close();
    VirtualInstrument()->SetFaults(TInstrumentFaults{});
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming();
  }

  static bool DefaultInputInstalled() {
    using THandler = void (*)(TMidiInput*);
    const THandler* handler = MidiSession().Input()->OnMidiInput.target<THandler>();
    return handler && *handler == &DefaultMidiInput;
  }

  TScopedScriptedUI ui_;
  TFormTransmet form_;
  TProgressHost* previousHost_ = nullptr;
};

TEST_F(FormTransmet, ShowsCaptionsCountsAndGaugeAndAReceiveRunsUnderIt) {
  // The element number, bytes and messages sent, and received.
  const auto counts = [this] {
    return Texts<QLabel>({form_.LabelElemNumber(), form_.SendBytes(), form_.SendMessages(),
                          form_.ReceiveBytes(), form_.ReceiveMessages()});
  };
  // A patch bank half sent: 50% after 320 of 640 messages; nothing to receive is shown.
  Transfer().Start(640, "Patch Number", "Now Transmitting User Patch Bank");
  Transfer().SetTransmetting();
  Transfer().AddSended(643 * 64, 320);
  Transfer().AddElem(64);
  EXPECT_EQ(Texts<QLabel>({form_.LabelAction(), form_.LabelElement()}),
            QStringList({"Now Transmitting User Patch Bank", "Patch Number : "}));
  EXPECT_EQ(std::tuple(form_.Gauge()->value(), form_.GroupSend()->isHidden(),
                       form_.GroupReceive()->isHidden()),
            std::tuple(50, false, true));
  EXPECT_EQ(counts(), QStringList({"64", QString::number(643 * 64), "320", "0", "0"}));

  // Receiving: the next start shows both groups again; the gauge follows received messages.
  Transfer().Start(1, "Pacth", "Now Receiving Patch");
  Transfer().AddSended(15, 1);
  EXPECT_EQ(std::tuple(form_.Gauge()->value(), form_.GroupReceive()->isHidden()),
            std::tuple(0, false));
  Transfer().AddReceived(643, 5);
  EXPECT_EQ(100, form_.Gauge()->value());

  // A rhythm set received from the instrument runs under the window, which closes itself.
  TRhythm rhythm(nullptr);
  rhythm.Temporary = false;
  rhythm.User = true;
  rhythm.Number = 2;
  bool shown = false;
  QTimer::singleShot(0, &form_, [this, &shown] { shown = form_.isVisible(); });
  rhythm.Receive(false);
  EXPECT_EQ(std::tuple(shown, form_.isVisible(), Transfer().Finished, DefaultInputInstalled()),
            std::tuple(true, false, true, true));
  // 65 requests of 15 bytes; the name block and 64 note blocks back.
  EXPECT_EQ(counts(), QStringList({"1", "975", "65", QString::number(23 + 64 * 69), "65"}));
}

TEST_F(FormTransmet, CancelEndsTheRunStopsTheTimersAndSendsNoMoreRequests) {
  Transfer().Start(130, "Rhythm Number", "Now Receiving User Rhythm Bank");
  int ticks = 0;
  Transfer().Timer.Arm(
      60000, [&ticks] { ++ticks; }, true);
  Transfer().TimerCleanup.Arm(
      60000, [&ticks] { ++ticks; }, true);
  Transfer().AttachInput([](TMidiInput*) {});
  ASSERT_FALSE(DefaultInputInstalled());
  QTimer::singleShot(0, [this] { QTest::mouseClick(form_.BtnCancel(), Qt::LeftButton); });
  Transfer().ShowModal();
  EXPECT_EQ(std::tuple(form_.isVisible(), Transfer().Finished, Transfer().Active(),
                       Transfer().Timer.Enabled(), Transfer().TimerCleanup.Enabled(),
                       DefaultInputInstalled(), ticks),
            std::tuple(false, false, false, false, false, true, 0));

  // A transfer closed before it is shown does not open the window (nobody would press Cancel).
  Transfer().Start(65, "Rhythm Number", "Now Transmitting Rhythm");
  Transfer().Close();
  Transfer().ShowModal();
  EXPECT_FALSE(form_.isVisible());

  // Cancel during the discard after a bad reply sends no further request.
  TInstrumentFaults faults;
  faults.Corrupt = 1;
  VirtualInstrument()->SetFaults(faults);
  Timing().CleanupMs = 60000;  // long enough to press Cancel inside it
  const auto requestsBefore = VirtualInstrument()->Counters().Requests;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [this] {
    if (Transfer().TimerCleanup.Enabled()) QTest::mouseClick(form_.BtnCancel(), Qt::LeftButton);
  });
  poll.start(1);
  TPatchBank bank(nullptr);
  bank.Receive(false);
  poll.stop();
  EXPECT_EQ(std::tuple(Transfer().Finished, Transfer().TimerCleanup.Enabled()),
            std::tuple(false, false));
  QTest::qWait(200);  // time for a stray timer or reply to send one more request
  EXPECT_EQ(requestsBefore + 1, VirtualInstrument()->Counters().Requests);
  EXPECT_TRUE(ui_.Questions.empty());
}

}  // namespace
