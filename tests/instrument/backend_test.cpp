// The emulated instrument as the program's MIDI device.
#include <chrono>
#include <thread>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "instrument/instrumentbackend.h"
#include "midi/config.h"
#include "midi/midiinput.h"
#include "midi/midioutput.h"
#include "midi/sysex.h"
#include "sysexhelpers.h"

namespace {

class InstrumentBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    instrument = std::make_shared<TInstrument>();
    auto owned = std::make_unique<TInstrumentBackend>(instrument);
    backend = owned.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(owned));
  }
  void TearDown() override { TMidiDevices::Instance().Clear(); }

  std::shared_ptr<TInstrument> instrument;
  TInstrumentBackend* backend = nullptr;
};

// Runs the event loop until the input holds count events or two seconds have passed.
std::vector<TMyMidiEvent> Collect(TMidiInput& input, std::size_t count) {
  std::vector<TMyMidiEvent> events;
  input.OnMidiInput = [&events](TMidiInput* port) {
    if (auto event = port->NextEvent()) events.push_back(std::move(*event));
  };
  QElapsedTimer timer;
  timer.start();
  while (events.size() < count && timer.elapsed() < 2000) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return events;
}

}  // namespace

TEST_F(InstrumentBackend, PatchRequestReachesTheInputPortAsFiveValidReplies) {
  TMidiOutput output;
  output.SetDeviceID(0);
  output.OpenPort();
  TMidiInput input;
  input.SetDeviceID(0);
  EXPECT_EQ(input.ProductName(), "Vesta Virtual Instrument");
  input.OpenPort();
  input.StartInput();

  const TBytes request = Request(0x11020000, 0x00001718);
  output.SendLong(request.data(), request.size());
  const std::vector<TMyMidiEvent> events = Collect(input, 5);
  ASSERT_EQ(events.size(), 5u);
  for (const TMyMidiEvent& event : events) EXPECT_TRUE(ReplyValid(event));
  EXPECT_EQ(Text(TBytes(events[0].Sysex.begin() + 9, events[0].Sysex.begin() + 21)),
            "USER P003   ");
  EXPECT_EQ(events[4].SysexLength(), 140);
  input.ClosePort();
}

TEST_F(InstrumentBackend, RepliesComeFromTheBackendsThreadAfterTheDelayToStartedOpenInputsOnly) {
  instrument->SetFaults({.DelayMs = 40});
  std::mutex mutex;
  std::vector<std::thread::id> threads;
  auto connection = backend->OpenInput(0, [&](const std::uint8_t*, std::size_t) {
    std::lock_guard lock(mutex);
    threads.push_back(std::this_thread::get_id());
  });
  connection->Start();
  int calls = 0;
  auto notStarted = backend->OpenInput(0, [&](const std::uint8_t*, std::size_t) { ++calls; });
  auto closed = backend->OpenInput(0, [&](const std::uint8_t*, std::size_t) { ++calls; });
  closed->Start();
  closed.reset();
  auto output = backend->OpenOutput(0);
  const TBytes request = Request(0x03000000, 0x0C);
  QElapsedTimer timer;
  timer.start();
  output->Send(request.data(), request.size());
  ASSERT_TRUE(backend->WaitIdle(2000));
  EXPECT_GE(timer.elapsed(), 40);
  EXPECT_EQ(calls, 0);
  EXPECT_THROW(backend->OpenOutput(1), TMidiBackendError);
  std::lock_guard lock(mutex);
  ASSERT_EQ(threads.size(), 1u);
  EXPECT_NE(threads[0], std::this_thread::get_id());
}

TEST(VirtualInstrumentRegistration, AddsOneDeviceFirstThatListensOnTheProgramsDeviceNumber) {
  TMidiDevices::Instance().Clear();
  RegisterVirtualInstrument();
  RegisterVirtualInstrument();
  ASSERT_EQ(TMidiDevices::Instance().Backends().size(), 1u);
  EXPECT_EQ(TMidiDevices::Instance().OutputNames(), QStringList{"Vesta Virtual Instrument"});
  auto output = TMidiDevices::Instance().OpenOutput(0);
  const TBytes set = DataSet(0x11000000, {'S', 'h', 'a', 'r', 'e', 'd'});
  output->Send(set.data(), set.size());
  EXPECT_EQ(VirtualInstrument()->Name(0x11000000).toStdString(), "Shared001   ");

  const int saved = Config().DeviceID;
  for (int deviceNumber : {16, 17, 32}) {
    Config().DeviceID = deviceNumber;
    std::vector<std::uint8_t> message(12);
    message[9] = static_cast<std::uint8_t>('A' + deviceNumber - 16);
    PrepareMessage(message.data(), 11, 0x11000000);  // carries the program's device ID byte
    output->Send(message.data(), message.size());
    EXPECT_EQ(VirtualInstrument()->Name(0x11000000).at(0), QChar('A' + deviceNumber - 16))
        << "device number " << deviceNumber;
  }
  Config().DeviceID = saved;
  VirtualInstrument()->Reset();
  output.reset();
  TMidiDevices::Instance().Clear();
}
