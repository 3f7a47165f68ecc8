// The emulated instrument as the program's MIDI device (the transfer tests drive it through
// the program's ports).
#include <chrono>
#include <mutex>
#include <thread>

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "instrument/instrumentbackend.h"
#include "midi/config.h"
#include "midi/sysex.h"
#include "sysexhelpers.h"

TEST(InstrumentBackend, RepliesComeFromItsThreadAfterTheDelayToStartedOpenInputsOnly) {
  auto instrument = std::make_shared<TInstrument>();
  auto owned = std::make_unique<TInstrumentBackend>(instrument);
  TInstrumentBackend* backend = owned.get();
  TMidiDevices::Instance().Clear();
  TMidiDevices::Instance().Add(std::move(owned));
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
  TMidiDevices::Instance().Clear();
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
    PrepareMessage(message.data(), 11, 0x11000000);  // with the program's device ID byte
    output->Send(message.data(), message.size());
    EXPECT_EQ(VirtualInstrument()->Name(0x11000000).at(0), QChar('A' + deviceNumber - 16))
        << "device number " << deviceNumber;
  }
  Config().DeviceID = saved;
  VirtualInstrument()->Reset();
  output.reset();
  TMidiDevices::Instance().Clear();
}
