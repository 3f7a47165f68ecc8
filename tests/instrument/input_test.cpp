// Bad input, counters and memory files of the instrument, and the instrument as the program's
// MIDI device. Its faults are checked by the transfer tests, which count the requests each
// dropped, damaged or misshapen reply costs.
#include <chrono>
#include <mutex>
#include <thread>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "instrument/instrument.h"
#include "instrument/instrumentbackend.h"
#include "midi/config.h"
#include "midi/sysex.h"
#include "sysexhelpers.h"

namespace {
TBytes Edited(TBytes message, std::size_t i, std::uint8_t value) {
  message[i] = value;
  return message;
}
}  // namespace

TEST(InstrumentInput, MalformedMessagesAreIgnored) {
  TInstrument instrument;
  const TBytes name = instrument.Block(0x03000000);
  const TBytes q = DataSet(0x03000000, {'Q'});  // its sum at 10, F7 at 11
  for (const TBytes& message :
       {Edited(q, 10, q[10] ^ 1), TBytes(q.begin(), q.end() - 1),
        Edited(DataSet(0x03000000, {'Q', 'R'}), 10, 0x81), DataSet(0x03000000, TBytes(5000, 'Q')),
        Edited(q, 3, 0x16), Edited(q, 1, 0x43), Message(0x11, 0x03000000, {0, 0, 0x0C}, 0x10),
        TBytes{0xF0, 0xF7}, TBytes{0xF0}, TBytes{0xF7}, TBytes{0x41, 0x10}, TBytes{0xC0, 0x05},
        TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0xF7}})
    EXPECT_TRUE(instrument.Feed(message).empty());
  EXPECT_TRUE(instrument.Feed(nullptr, 0).empty());
  EXPECT_EQ(instrument.Block(0x03000000), name);
  EXPECT_EQ(instrument.Counters().Ignored, 14u);
}

TEST(InstrumentFiles, MemorySurvivesSaveAndLoadAndForeignFilesAreRefused) {
  QTemporaryDir dir;
  const QString path = dir.filePath("memory.bin");
  TInstrument first;
  first.SetCardInserted(true);
  first.Feed(DataSet(0x21050000, {'S', 'a', 'v', 'e', 'd'}));
  QString error;
  ASSERT_TRUE(first.Save(path, &error)) << error.toStdString();
  TInstrument second;
  ASSERT_TRUE(second.Load(path, &error)) << error.toStdString();
  EXPECT_EQ(second.Name(0x21050000).toStdString(), "SavedP006   ");

  // A cut or missing file is refused with its name, and memory kept.
  second.Write(0x03000000, {'K'});
  ASSERT_TRUE(QFile::resize(path, 26));
  EXPECT_FALSE(second.Load(path, &error));
  EXPECT_TRUE(error.contains(path));
  EXPECT_EQ(second.Read(0x03000000, 1), TBytes{'K'});
  EXPECT_FALSE(second.Save(dir.filePath("no/such/dir/x.bin"), &error));
}

TEST(InstrumentBackend, RepliesComeFromItsThreadAfterTheDelayToStartedOpenInputsOnly) {
  auto instrument = std::make_shared<TInstrument>();
  auto backend = std::make_unique<TInstrumentBackend>(instrument);
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
