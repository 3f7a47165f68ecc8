// The RtMidi backend against a private JACK server and an echo client.
#include <atomic>
#include <condition_variable>
#include <mutex>

#include <RtMidi.h>

#include <gtest/gtest.h>

#include "tests/integration/jackserver.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

// A JACK client whose virtual output sends back all its virtual input receives.
struct TEchoClient {
  explicit TEchoClient(const std::string& name) {
    out.openVirtualPort(name);
    in.ignoreTypes(false, false, false);
    in.setCallback(
        [](double, std::vector<unsigned char>* message, void* self) {
          if (message && !message->empty()) static_cast<RtMidiOut*>(self)->sendMessage(message);
        },
        &out);
    in.openVirtualPort(name);
  }
  ~TEchoClient() { in.closePort(); }
  RtMidiOut out{RtMidi::UNIX_JACK, "VestaEcho"};
  RtMidiIn in{RtMidi::UNIX_JACK, "VestaEcho"};
};

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
  for (std::size_t i = 1; i + 1 < size; ++i) message[i] = static_cast<std::uint8_t>(i % 0x80);
  message.front() = 0xF0;
  message.back() = 0xF7;
  return message;
}

TEST(RtMidiBackendJack, NoServerNoDevicesThenPortsListOpenAndCarryMessagesWholeInOrder) {
  EXPECT_THROW(TRtMidiBackend(QStringLiteral("no-such-api")), TMidiBackendError);
  // Before the test's server runs: no JACK devices, and probing starts no server.
  TJackServer server;
  TMidiDevices::Instance().Clear();
  RegisterSystemBackends();
  for (const auto& backend : TMidiDevices::Instance().Backends())
    EXPECT_NE(backend->ApiName(), QStringLiteral("JACK"));
  TMidiDevices::Instance().Clear();
  // Had probing started a server, this would now connect to it.
  EXPECT_THROW(TRtMidiBackend(QStringLiteral("jack")), TMidiBackendError);
  std::string error;
  ASSERT_TRUE(server.Start(&error)) << error;
  TEchoClient echo("VestaEcho");
  TRtMidiBackend backend(QStringLiteral("jack"));
  const QStringList inputs = backend.InputNames();
  const QStringList outputs = backend.OutputNames();
  const int in = IndexOfJackPort(inputs, "VestaEcho");
  const int out = IndexOfJackPort(outputs, "VestaEcho");
  ASSERT_TRUE(in >= 0 && out >= 0) << inputs.join(", ").toStdString();
  TCollector collector;
  EXPECT_THROW(backend.OpenInput(-1, collector.Receiver()), TMidiBackendError);
  EXPECT_THROW(backend.OpenOutput(static_cast<int>(outputs.size())), TMidiBackendError);

  // A name listed by two backends gets the API appended, and still opens its port.
  const QString echoName = inputs[in];
  {
    TRtMidiBackend second(QStringLiteral("jack"));
    EXPECT_TRUE(backend.InputNames().contains(echoName + QStringLiteral(" (JACK)")));
    EXPECT_FALSE(backend.InputNames().contains(echoName));
    TCollector other;
    EXPECT_NO_THROW(
        second.OpenInput(second.InputNames().indexOf(echoName + " (JACK)"), other.Receiver()));
  }
  EXPECT_EQ(backend.InputNames(), inputs);

  auto input = backend.OpenInput(in, collector.Receiver());
  auto output = backend.OpenOutput(out);
  // The own ports never appear as devices; a backend that did not open them lists them.
  EXPECT_EQ(backend.InputNames(), inputs);
  EXPECT_EQ(backend.OutputNames(), outputs);
  {
    TRtMidiBackend other(QStringLiteral("jack"));
    EXPECT_EQ(other.InputNames().size(), inputs.size() + 1);
    EXPECT_EQ(other.OutputNames().size(), outputs.size() + 1);
  }

  // A JACK connection goes live a process cycle or more after it is made: a probe input opened
  // after the own ports gets an echo once the output's connection, and those before it, are live.
  {
    TCollector probe;
    auto probeInput = backend.OpenInput(in, probe.Receiver());
    probeInput->Start();
    const TBytes message{0xB0, 0x7B, 0x00};
    bool live = false;
    for (int attempt = 0; attempt < 50 && !live; ++attempt) {
      output->Send(message.data(), message.size());
      live = !probe.WaitFor(1, 100).empty();
    }
    ASSERT_TRUE(live);
  }

  // Nothing arrives before Start; then messages whole and in order, without timing clock and
  // active sensing.
  const TBytes early{0x90, 0x3C, 0x40};
  output->Send(early.data(), early.size());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  input->Start();
  const TBytes noteOff{0x80, 0x3C, 0x00};
  const TBytes dump = Sysex(4096);
  const TBytes larger = Sysex(6000);
  for (const TBytes& message : {noteOff, TBytes{0xF8}, dump, TBytes{0xFE}, larger})
    output->Send(message.data(), message.size());
  EXPECT_EQ(collector.WaitFor(3, 5000), (std::vector<TBytes>{noteOff, dump, larger}));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(collector.WaitFor(4, 0).size(), 3u);

  // No receiver call once the input is destroyed, however busy it was.
  auto calls = std::make_shared<std::atomic<int>>(0);
  input = backend.OpenInput(in, [calls](const std::uint8_t*, std::size_t) {
    ++*calls;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  });
  input->Start();
  const TBytes volume{0xB0, 0x07, 0x64};
  // A new connection goes live late: bursts until one arrives.
  for (int waited = 0; *calls == 0 && waited < 5000; ++waited) {
    if (waited % 100 == 0)
      for (int i = 0; i < 400; ++i) output->Send(volume.data(), volume.size());
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_GT(*calls, 0);
  input.reset();
  const int atReset = *calls;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(*calls, atReset);
}

}  // namespace
