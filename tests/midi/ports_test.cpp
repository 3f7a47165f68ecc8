// The input and output ports over a backend: opening the configured devices, texts of their
// errors, delivery of input to the user-interface thread, the queue's limits, thru and the monitor.
#include "midi/sysex.h"
#include "midifixture.h"

namespace {

template <typename E, typename F>
QString ErrorText(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Text();
  }
  return "<no error>";
}

TEST(PortsWithoutDevices, InputCannotBeCreatedAndOutputCannotOpen) {
  TMidiDevices::Instance().Clear();
  EXPECT_EQ(ErrorText<EMidiInputError>([] { TMidiInput input; }), "Invalid device ID");
  TMidiOutput output;
  EXPECT_EQ(output.NumDevs(), 0);
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { output.SetDeviceID(0); }), "Invalid device ID");
  TMidiSession& session = MidiSession();
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { session.Create(); }), "No midi system installed");
  EXPECT_FALSE(session.MidiOpen());
}

class Ports : public TMidiFixture {
 protected:
  TMidiInput* in() { return MidiSession().Input(); }
  TMidiOutput* out() { return MidiSession().Output(); }
};

TEST_F(Ports, ErrorTextsOfNamesSettingsAndTheBackend) {
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->SetDeviceID(1); }),
            "Change to DeviceID while device was open");
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->SetProductName("Port B"); }),
            "Change to ProductName while device was open");
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->SetSysexBufferSize(10); }),
            "Change to SysexBufferSize while device was open");
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->SetSysexBufferCount(1); }),
            "Change to SysexBuffercount while device was open");
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { out()->SetDeviceID(1); }),
            "Change to DeviceID while device was open");

  EXPECT_EQ(MidiSession().InputList(), (QStringList{"Port A", "Port B"}));
  EXPECT_EQ(MidiSession().OutputList(), (QStringList{"Port A", "Port B"}));
  MidiSession().CloseDevs();
  in()->SetProductName("Port B");
  EXPECT_EQ(in()->DeviceID(), 1);
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->SetProductName("Nope"); }),
            "MIDI Input Device Nope not installed");
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { out()->SetProductName("Nope"); }),
            "MIDI output Device Nope not installed");
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->SetDeviceID(2); }), "Invalid device ID");

  // A backend's failures carry its own text.
  loop->FailOpens("device busy");
  EXPECT_EQ(ErrorText<EMidiInputError>([&] { in()->OpenPort(); }), "device busy");
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { out()->OpenPort(); }), "device busy");
  EXPECT_NE(in()->Error(), 0);
  loop->FailOpens({});
  out()->OpenPort();
  loop->FailSends("cable unplugged");
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { out()->SendShort(0x90, 60, 64); }),
            "cable unplugged");
  // A failure the platform gives no text for still says something.
  EXPECT_EQ(EMidiInputError(QString()).Text(), "Specified error number is out of range");
  EXPECT_EQ(EmidioutputError(QString()).Text(), "Specified error number is out of range");
}

TEST_F(Ports, ShortMessagesKeepTheirLengthAndAClosedOutputRefusesEveryKindOfSend) {
  out()->SendShort(0x90, 0x3C, 0x40);
  out()->SendShort(0xC0, 0x05, 0x00);
  out()->SendShort(0xFE, 0, 0);
  EXPECT_EQ(loop->Sent(), (std::vector<TBytes>{{0x90, 0x3C, 0x40}, {0xC0, 0x05}, {0xFE}}));
  loop->ClearSent();
  out()->ClosePort();
  TMyMidiEvent note;
  note.Status = 0x90;
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { out()->SendEvent(note); }),
            "MIDI Output device not open");
  const std::uint8_t sysex[] = {0xF0, 0xF7};
  EXPECT_EQ(ErrorText<EmidioutputError>([&] { out()->SendLong(sysex, 2); }),
            "MIDI Output device not open");
  EXPECT_TRUE(loop->Sent().empty());
}

TEST_F(Ports, EachMessageReachesTheHandlerOnceOnTheUserInterfaceThread) {
  std::vector<TMyMidiEvent> got;
  in()->OnMidiInput = [&](TMidiInput* input) { got.push_back(*input->NextEvent()); };
  loop->Inject(0, {0x90, 0x3C, 0x40});
  loop->Inject(0, {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0xF7});
  EXPECT_TRUE(got.empty());  // nothing runs on the backend's thread
  Deliver();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(std::tuple(got[0].Status, got[0].Data1, got[0].Data2, got[0].IsSysex()),
            std::tuple(0x90, 0x3C, 0x40, false));
  EXPECT_EQ(std::tuple(got[1].Status, got[1].Data1, got[1].SysexLength(), in()->PendingCount()),
            std::tuple(0xF0, 0, 7, 0));

  // Events injected from another thread arrive in order.
  got.clear();
  std::thread sender([&] {
    for (std::uint8_t n = 0; n < 100; ++n) loop->Inject(0, {0x90, n, 0x40});
  });
  sender.join();
  Deliver();
  ASSERT_EQ(got.size(), 100u);
  for (std::uint8_t n = 0; n < 100; ++n) EXPECT_EQ(got[n].Data1, n);
}

TEST_F(Ports, FullQueueDropsNewEventsAndSystemExclusiveBuffersAreLimited) {
  int overflows = 0;
  in()->OnOverflow = [&](TMidiInput*) { ++overflows; };
  for (int i = 0; i < 1030; ++i) loop->Inject(0, {0x90, 0x3C, 0x40});
  EXPECT_EQ(in()->PendingCount(), 1024);
  EXPECT_EQ(in()->Dropped(), 6u);
  Deliver();
  EXPECT_EQ(overflows, 6);
  while (in()->NextEvent()) {
  }

  // At most sixteen system-exclusive messages wait, and long ones are cut.
  TBytes big(5000, 0x11);
  big.front() = 0xF0;
  big.back() = 0xF7;
  for (int i = 0; i < 17; ++i) loop->Inject(0, big);
  loop->Inject(0, {0x80, 0x3C, 0x00});  // short messages still fit
  EXPECT_EQ(in()->PendingCount(), 17);
  auto first = in()->NextEvent();
  EXPECT_EQ(first->SysexLength(), 4096);
  // A taken message frees its buffer for the next one.
  loop->Inject(0, big);
  EXPECT_EQ(in()->PendingCount(), 17);
}

TEST_F(Ports, GarbageInputNeverBreaksTheQueueAndOnlyAWholeReplyIsValid) {
  // Nothing, a lone data byte, a start byte with nothing after it, another maker's message, a
  // reply whose checksum (the byte before the end) is one off, and that reply whole.
  const TBytes good = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x00, 0x7D, 0xF7};
  TBytes bad = good;
  bad[10] = 0x7C;
  for (const TBytes& garbage :
       {TBytes{}, TBytes{0x3C}, TBytes{0xF0}, TBytes{0xF0, 0x43, 0xF7}, bad, good})
    loop->Inject(0, garbage);
  ASSERT_EQ(in()->PendingCount(), 5);
  auto lone = in()->NextEvent();
  EXPECT_EQ(lone->Status, 0x3C);
  EXPECT_FALSE(ReplyValid(*lone));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(ReplyValid(*in()->NextEvent())) << i;
  EXPECT_TRUE(ReplyValid(*in()->NextEvent()));
  EXPECT_EQ(in()->NextEvent(), nullptr);
  TMyMidiEvent unset;  // status 0 with the bytes of a message
  unset.Sysex = {0xF0, 0xF7};
  EXPECT_FALSE(ReplyValid(unset));
}

TEST_F(Ports, ThruPassesShortMessagesOnlyAndTheMonitorLogsInputAndEveryMessageSent) {
  const std::uint8_t four[] = {1, 2, 3, 4};
  const std::uint8_t five[] = {1, 2, 3, 4, 5};
  SendDataSet(0x03000000, 0, 0, four, 4);
  SendDataSet(0x03000000, 0, 0, five, 5);  // a block dump
  SendDataRequest(0x03000000, 0, 0, 0x1718);
  const std::vector<TBytes> logged = monitor.Of(MonitorOutput);
  ASSERT_EQ(logged.size(), 3u);
  EXPECT_EQ(logged[0].size(), 15u);
  EXPECT_EQ(logged[1].size(), 16u);
  EXPECT_EQ(logged[2][4], kCmdRQ1);

  // Thru passes the short message, never the system-exclusive one; that one lands in the
  // shared buffer.
  Config().Thrue = 1;
  monitor.Lines.clear();
  loop->ClearSent();
  loop->Inject(0, {0x90, 0x3C, 0x40});
  Deliver();
  EXPECT_EQ(monitor.Of(MonitorOutput), (std::vector<TBytes>{{0x90, 0x3C, 0x40}}));
  loop->Inject(0, {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0xF7});
  Deliver();
  EXPECT_EQ(loop->Sent(), (std::vector<TBytes>{{0x90, 0x3C, 0x40}}));
  EXPECT_EQ(SysexBuffer[4], 0x12);
  EXPECT_EQ(monitor.Of(MonitorInput).size(), 2u);
  // Switched off, it passes nothing.
  Config().Thrue = 0;
  loop->ClearSent();
  loop->Inject(0, {0x90, 0x3C, 0x40});
  Deliver();
  EXPECT_TRUE(loop->Sent().empty());
}

using Session = TMidiFixture;

TEST_F(Session, CreationOpensTheConfiguredDevicesOrDevicesZeroAndABadOneNone) {
  EXPECT_EQ(std::tuple(MidiSession().MidiOpen(), MidiSession().Input()->State(),
                       MidiSession().Input()->ProductName(), MidiSession().Output()->ProductName(),
                       ui.Questions.size()),
            std::tuple(true, TMidiInput::Open, QString("Port A"), QString("Port A"), 0u));
  // A bad index: Invalid settings, both reset to 0, and nothing is sent afterwards.
  Config().MidiIn = 5;
  MidiSession().CloseDevs();
  MidiSession().OpenDevs();
  ASSERT_EQ(ui.Questions.size(), 1u);
  EXPECT_EQ(std::tuple(ui.LastText(), ui.Questions[0].Kind, MidiSession().MidiOpen(),
                       Config().MidiIn, Config().MidiOut),
            std::tuple(QString("Invalid Midi Port Settings"), TMsgKind::Information, false, 0, 0));
  SendDataByte(0x03000000, 0, 0, 1);
  SendDataRequest(0x03000000, 0, 0, 0x1718);
  EXPECT_TRUE(loop->Sent().empty());

  // A device that fails to open leaves no port half open.
  Config().MidiIn = 0;
  loop->FailOpens("in use by another program");
  MidiSession().OpenDevs();
  EXPECT_EQ(std::tuple(ui.Questions.size(), ui.LastText(), MidiSession().Input()->State(),
                       MidiSession().Output()->State()),
            std::tuple(2u, QString("Invalid Midi Port Settings"), TMidiInput::Closed,
                       TMidiOutput::Closed));
  // With the flag cleared, closing does not touch the ports and destroying is safe.
  MidiSession().CloseDevs();
}

}  // namespace
