// The RtMidi backend against a private JACK server and an echo client.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "midi/rtmidibackend.h"
#include "tests/integration/echoclient.h"
#include "tests/integration/jackserver.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

// Receives on the backend's thread; the test waits for what it expects.
struct TCollector {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<TBytes> messages;

  TMidiReceiver Receiver() {
    return [this](const std::uint8_t* data, std::size_t size) {
      std::lock_guard lock(mutex);
      messages.emplace_back(data, data + size);
      arrived.notify_all();
    };
  }
  std::vector<TBytes> WaitFor(std::size_t count, int timeoutMs) {
    std::unique_lock lock(mutex);
    arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                     [&] { return messages.size() >= count; });
    return messages;
  }
};

TBytes Sysex(std::size_t size) {
  TBytes message(size);
  message.front() = 0xF0;
  for (std::size_t i = 1; i + 1 < size; ++i) message[i] = static_cast<std::uint8_t>(i % 0x80);
  message.back() = 0xF7;
  return message;
}

class RtMidiBackendJack : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(&error)) << error;
    echo_ = std::make_unique<TEchoClient>("VestaEcho");
    backend_ = std::make_unique<TRtMidiBackend>(QStringLiteral("jack"));
    inIndex_ = IndexOfJackPort(backend_->InputNames(), "VestaEcho");
    outIndex_ = IndexOfJackPort(backend_->OutputNames(), "VestaEcho");
    ASSERT_GE(inIndex_, 0) << backend_->InputNames().join(", ").toStdString();
    ASSERT_GE(outIndex_, 0) << backend_->OutputNames().join(", ").toStdString();
    echoName_ = backend_->InputNames()[inIndex_];
  }
  void TearDown() override {
    backend_.reset();
    echo_.reset();
  }

  // JACK makes a connection live a process cycle or more after it is made, and under load a
  // message sent before then is lost. A probe input opened after the test's own ports gets an
  // echo once the output's connection, and the echo client's earlier ones, are live.
  bool WaitUntilConnected(TMidiOutputConnection& output) {
    TCollector probe;
    auto input = backend_->OpenInput(inIndex_, probe.Receiver());
    input->Start();
    const TBytes message{0xB0, 0x7B, 0x00};
    for (int attempt = 0; attempt < 50; ++attempt) {
      output.Send(message.data(), message.size());
      if (!probe.WaitFor(1, 100).empty()) return true;
    }
    return false;
  }

  TJackServer server_;
  std::unique_ptr<TEchoClient> echo_;
  std::unique_ptr<TRtMidiBackend> backend_;
  QString echoName_;
  int inIndex_ = -1;
  int outIndex_ = -1;
};

TEST(RtMidiBackendProbe, NoJackServerMeansNoJackDevicesAndNoServerStarted) {
  const std::string absent = UniqueJackName("vesta-absent");
  ::setenv("JACK_DEFAULT_SERVER", absent.c_str(), 1);
  TMidiDevices::Instance().Clear();
  RegisterSystemBackends();
  for (const auto& backend : TMidiDevices::Instance().Backends())
    EXPECT_NE(backend->ApiName(), QStringLiteral("JACK"));
  TMidiDevices::Instance().Clear();
  // Had probing started a server, this would now connect to it.
  try {
    TRtMidiBackend jack(QStringLiteral("jack"));
    ADD_FAILURE() << "a JACK server named " << absent << " is running after probing";
  } catch (const TMidiBackendError& e) {
    EXPECT_NE(std::string(e.what()).find("JACK server not running"), std::string::npos) << e.what();
  }
  ::unsetenv("JACK_DEFAULT_SERVER");
}

TEST(RtMidiBackendProbe, UnknownApiIsRefusedWithItsName) {
  EXPECT_THROW(TRtMidiBackend(QStringLiteral("no-such-api")), TMidiBackendError);
}

TEST_F(RtMidiBackendJack, OwnPortsNeverAppearAsDevices) {
  const QStringList inputs = backend_->InputNames();
  const QStringList outputs = backend_->OutputNames();
  TCollector collector;
  auto output = backend_->OpenOutput(outIndex_);
  auto input = backend_->OpenInput(inIndex_, collector.Receiver());
  EXPECT_EQ(backend_->InputNames(), inputs);
  EXPECT_EQ(backend_->OutputNames(), outputs);
  // The ports are there all the same: a backend that did not open them lists them.
  TRtMidiBackend other(QStringLiteral("jack"));
  EXPECT_EQ(other.InputNames().size(), inputs.size() + 1);
  EXPECT_EQ(other.OutputNames().size(), outputs.size() + 1);
}

TEST_F(RtMidiBackendJack, NameListedByTwoBackendsGetsTheApiAppended) {
  auto second = std::make_unique<TRtMidiBackend>(QStringLiteral("jack"));
  EXPECT_TRUE(backend_->InputNames().contains(echoName_ + QStringLiteral(" (JACK)")));
  EXPECT_FALSE(backend_->InputNames().contains(echoName_));
  // Such a name still opens its port.
  TCollector collector;
  auto input =
      second->OpenInput(second->InputNames().indexOf(echoName_ + " (JACK)"), collector.Receiver());
  second.reset();
  EXPECT_TRUE(backend_->InputNames().contains(echoName_));
}

TEST_F(RtMidiBackendJack, MessagesArriveWholeAndInOrder) {
  TCollector collector;
  auto input = backend_->OpenInput(inIndex_, collector.Receiver());
  auto output = backend_->OpenOutput(outIndex_);
  ASSERT_TRUE(WaitUntilConnected(*output));
  input->Start();
  const TBytes noteOn{0x90, 0x3C, 0x40};
  const TBytes dump = Sysex(4096);
  const TBytes larger = Sysex(6000);
  const TBytes clock{0xF8};
  const TBytes sensing{0xFE};
  for (const TBytes* message : {&noteOn, &clock, &dump, &sensing, &larger})
    output->Send(message->data(), message->size());
  const auto received = collector.WaitFor(3, 5000);
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0], noteOn);
  EXPECT_EQ(received[1], dump);
  EXPECT_EQ(received[2], larger);
  // Timing clock and active sensing are filtered out.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(collector.WaitFor(4, 0).size(), 3u);
}

TEST_F(RtMidiBackendJack, NothingArrivesBeforeStart) {
  TCollector collector;
  auto input = backend_->OpenInput(inIndex_, collector.Receiver());
  auto output = backend_->OpenOutput(outIndex_);
  ASSERT_TRUE(WaitUntilConnected(*output));
  const TBytes early{0x90, 0x3C, 0x40};
  output->Send(early.data(), early.size());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  input->Start();
  const TBytes late{0x80, 0x3C, 0x00};
  output->Send(late.data(), late.size());
  const auto received = collector.WaitFor(2, 1000);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], late);
}

TEST_F(RtMidiBackendJack, NoReceiverCallAfterTheInputIsDestroyed) {
  struct TState {
    std::atomic<bool> destroyed{false};
    std::atomic<int> calls{0};
    std::atomic<int> late{0};
  };
  auto state = std::make_shared<TState>();
  auto input = backend_->OpenInput(inIndex_, [state](const std::uint8_t*, std::size_t) {
    state->calls++;
    if (state->destroyed) state->late++;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  });
  input->Start();
  auto output = backend_->OpenOutput(outIndex_);
  const TBytes message{0xB0, 0x07, 0x64};
  for (int i = 0; i < 400; ++i) output->Send(message.data(), message.size());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (state->calls == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_GT(state->calls, 0);
  input.reset();
  state->destroyed = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(state->late, 0);
}

TEST_F(RtMidiBackendJack, BadDeviceIndexIsRefused) {
  TCollector collector;
  EXPECT_THROW(backend_->OpenInput(-1, collector.Receiver()), TMidiBackendError);
  EXPECT_THROW(backend_->OpenOutput(static_cast<int>(backend_->OutputNames().size())),
               TMidiBackendError);
}

}  // namespace
