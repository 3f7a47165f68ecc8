// Opening the configured devices, and what happens when they cannot be opened.
#include "midifixture.h"

namespace {

using Session = TMidiFixture;

TEST_F(Session, CreationOpensTheConfiguredDevicesOrDevicesZero) {
  EXPECT_EQ(std::tuple(MidiSession().MidiOpen(), MidiSession().Input()->State(),
                       MidiSession().Input()->ProductName(), MidiSession().Output()->ProductName(),
                       ui.Questions.size()),
            std::tuple(true, TMidiInput::Open, QString("Port A"), QString("Port A"), 0u));
  // Configured devices replace devices 0.
  Config().MidiIn = 1;
  Config().MidiOut = 1;
  MidiSession().Input()->OnMidiInput = nullptr;  // opening installs the default handler again
  MidiSession().CloseDevs();
  MidiSession().OpenDevs();
  EXPECT_EQ(MidiSession().Input()->ProductName(), "Port B");
  EXPECT_EQ(MidiSession().Output()->ProductName(), "Port B");
  SendDataByte(0, 0, 0, 0);
  EXPECT_EQ(loop->Sent().size(), 1u);
  loop->Inject(1, {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x7E, 0xF7});
  Deliver();
  EXPECT_EQ(SysexBuffer[5], 0x7E);
}

TEST_F(Session, BadIndexOrFailedOpenGivesInvalidSettingsAndNothingIsSentAfterwards) {
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
  // Input is not handled either.
  loop->Inject(0, {0x90, 1, 1});
  Deliver();
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
