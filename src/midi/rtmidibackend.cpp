#include "midi/rtmidibackend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QFile>

#include <RtMidi.h>

#include "midi/midierrors.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const std::string kClientName = "Vesta";
const std::string kInPortName = "MIDI In";
const std::string kOutPortName = "MIDI Out";
// A whole instrument dump message fits, with room to spare (only WinMM needs to be told).
constexpr unsigned kSysexBufferSize = 4096;
constexpr unsigned kSysexBufferCount = 16;
constexpr std::chrono::milliseconds kJackSettle{50};

// Collects what RtMidi reports through its error callback. With a callback installed RtMidi no
// longer throws nor prints, and some real failures (a failed ALSA send) come only as warnings,
// so every operation clears the sink first and fails when it holds a text afterwards.
class TErrorSink {
 public:
  static void Callback(RtMidiError::Type type, const std::string& text, void* user) {
    if (type == RtMidiError::DEBUG_WARNING) return;
    auto* sink = static_cast<TErrorSink*>(user);
    std::lock_guard lock(sink->mutex_);
    if (sink->text_.empty()) sink->text_ = text.empty() ? kNoPlatformText : text;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    text_.clear();
  }
  void ThrowIfFailed() {
    std::string text;
    {
      std::lock_guard lock(mutex_);
      std::swap(text, text_);
    }
    if (!text.empty()) throw TMidiBackendError(QString::fromStdString(text));
  }

 private:
  std::mutex mutex_;
  std::string text_;
};

// While RtMidi objects are being created: RtMidi reports start-up failures that are only
// warnings (JACK: "server not running?") on std::cerr, which is captured here; the JACK and ALSA
// libraries write their own diagnostics to file descriptor 2, which is muted when asked.
// Both are process-wide, so this is used only around constructors, never while messages flow.
class TStartGuard {
 public:
  explicit TStartGuard(bool muteStderr) : old_(std::cerr.rdbuf(captured_.rdbuf())) {
#if defined(__unix__) || defined(__APPLE__)
    if (muteStderr) {
      std::fflush(stderr);
      saved_ = ::dup(2);
      const int null = ::open("/dev/null", O_WRONLY);
      if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
      if (null >= 0) ::close(null);
    }
#else
    (void)muteStderr;
#endif
  }
  ~TStartGuard() {
    std::cerr.rdbuf(old_);
#if defined(__unix__) || defined(__APPLE__)
    if (saved_ >= 0) {
      std::fflush(stderr);
      ::dup2(saved_, 2);
      ::close(saved_);
    }
#endif
  }
  // RtMidi's own warning text, trimmed of the blank lines around it; empty when there was none.
  std::string Warning() const {
    return QString::fromStdString(captured_.str()).trimmed().toStdString();
  }

 private:
  std::ostringstream captured_;
  std::streambuf* old_;
  int saved_ = -1;
};

// The names of the ports this process opened itself, shared with the connections, which may
// outlive their backend. Listing them would offer the program its own ports as devices.
struct TOwnPorts {
  std::mutex mutex;
  std::set<std::string> sources;  // our output ports, which the API lists as inputs
  std::set<std::string> sinks;    // our input ports, which the API lists as outputs
};

enum class TDirection { In, Out };

// The name shown for an API, in the device lists and their " (JACK)" suffixes.
QString DisplayName(RtMidi::Api api) {
  switch (api) {
    case RtMidi::LINUX_ALSA:
      return QStringLiteral("ALSA");
    case RtMidi::UNIX_JACK:
      return QStringLiteral("JACK");
    case RtMidi::MACOSX_CORE:
      return QStringLiteral("CoreMIDI");
    case RtMidi::WINDOWS_MM:
      return QStringLiteral("Windows MIDI");
    default:
      return QString::fromStdString(RtMidi::getApiDisplayName(api));
  }
}

std::vector<std::string> AllNames(RtMidi& lister) {
  std::vector<std::string> names;
  const unsigned count = lister.getPortCount();
  for (unsigned i = 0; i < count; ++i) names.push_back(lister.getPortName(i));
  return names;
}

// Creates an RtMidi object with the error sink installed; its start-up warnings are failures.
template <class T>
std::unique_ptr<T> Create(RtMidi::Api api, TErrorSink& sink, bool muteStderr) {
  std::unique_ptr<T> object;
  std::string warning;
  try {
    TStartGuard guard(muteStderr);
    object = std::make_unique<T>(api, kClientName);
    warning = guard.Warning();
  } catch (const RtMidiError& e) {
    throw TMidiBackendError(QString::fromStdString(e.getMessage()));
  }
  if (!warning.empty()) throw TMidiBackendError(QString::fromStdString(warning));
  object->setErrorCallback(&TErrorSink::Callback, &sink);
  return object;
}

// Runs one RtMidi operation and turns whatever RtMidi reports into TMidiBackendError.
template <class F>
void Guarded(TErrorSink& sink, F&& operation) {
  sink.Clear();
  try {
    operation();
  } catch (const RtMidiError& e) {
    throw TMidiBackendError(QString::fromStdString(e.getMessage()));
  }
  sink.ThrowIfFailed();
}

// Marks port names as our own for as long as the connection that opened them lives.
class TOwnClaim {
 public:
  TOwnClaim() = default;
  TOwnClaim(const TOwnClaim&) = delete;
  TOwnClaim& operator=(const TOwnClaim&) = delete;
  ~TOwnClaim() { Release(); }
  void Claim(std::shared_ptr<TOwnPorts> own, TDirection listedAs, std::vector<std::string> names) {
    Release();
    own_ = std::move(own);
    listedAs_ = listedAs;
    names_ = std::move(names);
    std::lock_guard lock(own_->mutex);
    Set().insert(names_.begin(), names_.end());
  }

 private:
  std::set<std::string>& Set() { return listedAs_ == TDirection::In ? own_->sources : own_->sinks; }
  void Release() {
    if (!own_) return;
    std::lock_guard lock(own_->mutex);
    for (const auto& name : names_) Set().erase(name);
  }
  std::shared_ptr<TOwnPorts> own_;
  TDirection listedAs_ = TDirection::In;
  std::vector<std::string> names_;
};

class TRtInput : public TMidiInputConnection {
 public:
  TRtInput(RtMidi::Api api, unsigned port, TMidiReceiver receiver)
      : receiver_(std::move(receiver)) {
    in_ = Create<RtMidiIn>(api, sink_, false);
    Guarded(sink_, [&] {
      in_->ignoreTypes(false, true, true);
      in_->setBufferSize(kSysexBufferSize, kSysexBufferCount);
      in_->setCallback(&TRtInput::OnMessage, this);
      in_->openPort(port, kInPortName);
    });
  }
  ~TRtInput() override {
    {
      // Waits for a delivery in progress; any later one sees closed_ and does nothing.
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    in_->closePort();
    in_.reset();
  }
  void Start() override {
    std::lock_guard lock(mutex_);
    started_ = true;
  }
  TOwnClaim OwnPorts;  // released after the port has closed

 private:
  // RtMidi's thread: one complete message (RtMidi joins system-exclusive fragments).
  static void OnMessage(double, std::vector<unsigned char>* message, void* user) {
    auto* self = static_cast<TRtInput*>(user);
    if (!message || message->empty()) return;
    std::lock_guard lock(self->mutex_);
    if (self->closed_ || !self->started_) return;
    self->receiver_(message->data(), message->size());
  }

  TErrorSink sink_;
  TMidiReceiver receiver_;
  std::mutex mutex_;
  bool started_ = false;
  bool closed_ = false;
  std::unique_ptr<RtMidiIn> in_;
};

class TRtOutput : public TMidiOutputConnection {
 public:
  TRtOutput(RtMidi::Api api, unsigned port) {
    out_ = Create<RtMidiOut>(api, sink_, false);
    Guarded(sink_, [&] { out_->openPort(port, kOutPortName); });
    // JACK makes a new connection part of its graph only at a later process cycle; a message
    // sent before then is silently lost. Ports open seldom, so waiting a few cycles is cheap.
    if (api == RtMidi::UNIX_JACK) std::this_thread::sleep_for(kJackSettle);
  }
  ~TRtOutput() override {
    out_->closePort();
    out_.reset();
  }
  void Send(const std::uint8_t* data, std::size_t size) override {
    Guarded(sink_, [&] { out_->sendMessage(data, size); });
  }
  TOwnClaim OwnPorts;

 private:
  TErrorSink sink_;
  std::unique_ptr<RtMidiOut> out_;
};

}  // namespace

struct TRtMidiBackend::TImpl {
  RtMidi::Api api = RtMidi::UNSPECIFIED;
  TErrorSink sink;
  mutable std::mutex listMutex;  // RtMidi objects are not meant for concurrent use
  std::unique_ptr<RtMidiIn> inLister;
  std::unique_ptr<RtMidiOut> outLister;
  std::shared_ptr<TOwnPorts> own = std::make_shared<TOwnPorts>();

  struct TPort {
    std::string raw;
    QString display;
  };

  // The API's current port names in one direction, without our own ports.
  std::vector<std::string> RawNames(TDirection side) const {
    std::vector<std::string> names;
    {
      std::lock_guard lock(listMutex);
      names = side == TDirection::In ? AllNames(*inLister) : AllNames(*outLister);
    }
    std::lock_guard lock(own->mutex);
    const auto& mine = side == TDirection::In ? own->sources : own->sinks;
    std::erase_if(names, [&](const std::string& n) { return n.empty() || mine.count(n) > 0; });
    return names;
  }

  // The names listed now that were not in before: the port a connection just opened.
  std::vector<std::string> NewNames(TDirection side, const std::vector<std::string>& before) const {
    std::vector<std::string> added;
    for (auto& name : RawNames(side))
      if (std::find(before.begin(), before.end(), name) == before.end()) added.push_back(name);
    return added;
  }

  std::vector<TPort> Ports(TDirection side) const;
  unsigned RtIndexOf(TDirection side, const std::string& raw) const;
};

namespace {
// Every live RtMidi backend, so that a name two APIs share can be told apart.
std::mutex registryMutex;
std::vector<const TRtMidiBackend::TImpl*> registry;
}  // namespace

std::vector<TRtMidiBackend::TImpl::TPort> TRtMidiBackend::TImpl::Ports(TDirection side) const {
  std::set<std::string> elsewhere;
  {
    std::lock_guard lock(registryMutex);
    for (const TImpl* other : registry) {
      if (other == this) continue;
      for (auto& name : other->RawNames(side)) elsewhere.insert(name);
    }
  }
  const QString suffix = QStringLiteral(" (%1)").arg(DisplayName(api));
  std::vector<TPort> ports;
  QStringList seen;
  for (auto& raw : RawNames(side)) {
    QString display = QString::fromStdString(raw);
    if (elsewhere.count(raw)) display += suffix;
    // Ports of one API have distinct names in practice; numbering keeps them apart otherwise.
    const QString base = display;
    for (int n = 2; seen.contains(display); ++n) display = base + QStringLiteral(" %1").arg(n);
    seen << display;
    ports.push_back({raw, display});
  }
  return ports;
}

unsigned TRtMidiBackend::TImpl::RtIndexOf(TDirection side, const std::string& raw) const {
  std::lock_guard lock(listMutex);
  const auto all = side == TDirection::In ? AllNames(*inLister) : AllNames(*outLister);
  const auto found = std::find(all.begin(), all.end(), raw);
  if (found == all.end())
    throw TMidiBackendError(
        QStringLiteral("MIDI device %1 is no longer available").arg(QString::fromStdString(raw)));
  return static_cast<unsigned>(found - all.begin());
}

TRtMidiBackend::TRtMidiBackend(const QString& api) : impl_(std::make_unique<TImpl>()) {
  impl_->api = RtMidi::getCompiledApiByName(api.toStdString());
  if (impl_->api == RtMidi::UNSPECIFIED)
    throw TMidiBackendError(QStringLiteral("MIDI system %1 is not available").arg(api));
  // RtMidi opens its JACK clients with JackNoStartServer, so creating them never starts a server;
  // without one they report a warning, which Create turns into a failure.
  impl_->inLister = Create<RtMidiIn>(impl_->api, impl_->sink, true);
  impl_->outLister = Create<RtMidiOut>(impl_->api, impl_->sink, true);
  std::lock_guard lock(registryMutex);
  registry.push_back(impl_.get());
}

TRtMidiBackend::~TRtMidiBackend() {
  std::lock_guard lock(registryMutex);
  std::erase(registry, impl_.get());
}

QString TRtMidiBackend::ApiName() const {
  return DisplayName(impl_->api);
}

QStringList TRtMidiBackend::InputNames() const {
  QStringList names;
  for (auto& port : impl_->Ports(TDirection::In)) names << port.display;
  return names;
}

QStringList TRtMidiBackend::OutputNames() const {
  QStringList names;
  for (auto& port : impl_->Ports(TDirection::Out)) names << port.display;
  return names;
}

std::unique_ptr<TMidiInputConnection> TRtMidiBackend::OpenInput(int index, TMidiReceiver receiver) {
  const auto ports = impl_->Ports(TDirection::In);
  if (index < 0 || index >= static_cast<int>(ports.size()))
    throw TMidiBackendError(QStringLiteral("Invalid device ID"));
  const unsigned rtIndex = impl_->RtIndexOf(TDirection::In, ports[index].raw);
  // Our new input port shows up among the outputs: note which name is ours.
  const auto before = impl_->RawNames(TDirection::Out);
  auto input = std::make_unique<TRtInput>(impl_->api, rtIndex, std::move(receiver));
  input->OwnPorts.Claim(impl_->own, TDirection::Out, impl_->NewNames(TDirection::Out, before));
  return input;
}

std::unique_ptr<TMidiOutputConnection> TRtMidiBackend::OpenOutput(int index) {
  const auto ports = impl_->Ports(TDirection::Out);
  if (index < 0 || index >= static_cast<int>(ports.size()))
    throw TMidiBackendError(QStringLiteral("Invalid device ID"));
  const unsigned rtIndex = impl_->RtIndexOf(TDirection::Out, ports[index].raw);
  const auto before = impl_->RawNames(TDirection::In);
  auto output = std::make_unique<TRtOutput>(impl_->api, rtIndex);
  // Our new output port shows up among the inputs.
  output->OwnPorts.Claim(impl_->own, TDirection::In, impl_->NewNames(TDirection::In, before));
  return output;
}

void RegisterSystemBackends() {
  std::vector<RtMidi::Api> apis;
  RtMidi::getCompiledApi(apis);
  for (RtMidi::Api api : apis) {
    if (api == RtMidi::RTMIDI_DUMMY) continue;
    // Without the sequencer device ALSA can only fail, after printing its own complaint.
    if (api == RtMidi::LINUX_ALSA && !QFile::exists(QStringLiteral("/dev/snd/seq"))) continue;
    try {
      TMidiDevices::Instance().Add(
          std::make_unique<TRtMidiBackend>(QString::fromStdString(RtMidi::getApiName(api))));
    } catch (const TMidiBackendError&) {
      // An API that cannot start simply offers no devices.
    }
  }
}
