// vesta-instrument: the emulated instrument behind a virtual MIDI input and output port, for
// running the program (or end-to-end tests) against it over JACK or the ALSA sequencer.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QCommandLineParser>
#include <QCoreApplication>

#include <RtMidi.h>
#include <pthread.h>

#include "instrument/instrument.h"
#include "instrument/replyqueue.h"
#include "vestaversion.h"

namespace {

struct TOptions {
  QString Api;
  QString Name = QStringLiteral("Vesta Instrument");
  std::uint8_t DeviceId = TInstrument::kDefaultDeviceId;
  bool Card = false;
  TInstrumentFaults Faults;
  QString Load;
  QString Save;
  bool Quiet = false;
};

[[noreturn]] void Fail(const QString& text) {
  std::cerr << "vesta-instrument: " << text.toStdString() << std::endl;
  std::exit(2);
}

// "0x10" or "10h" is hexadecimal, anything else decimal; the device ID byte, 0 to 127.
std::uint8_t ParseDeviceId(QString text) {
  bool ok = false;
  int value = -1;
  if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    value = text.mid(2).toInt(&ok, 16);
  else if (text.endsWith(QLatin1Char('h'), Qt::CaseInsensitive))
    value = text.chopped(1).toInt(&ok, 16);
  else
    value = text.toInt(&ok, 10);
  if (!ok || value < 0 || value > 0x7F) Fail(QStringLiteral("invalid device ID: %1").arg(text));
  return static_cast<std::uint8_t>(value);
}

double ParseFraction(const QString& option, const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || value < 0 || value > 1)
    Fail(QStringLiteral("--%1 takes a fraction from 0 to 1, not %2").arg(option, text));
  return value;
}

TOptions ParseOptions(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("The emulated instrument on virtual MIDI ports."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOptions({
      {QStringLiteral("api"),
       QStringLiteral("MIDI API: jack or alsa (default: the first that works)."),
       QStringLiteral("api")},
      {QStringLiteral("name"), QStringLiteral("Client and port name."), QStringLiteral("name")},
      {QStringLiteral("device-id"),
       QStringLiteral("Device ID byte, decimal or hex (0x10 or 10h; default 0x10 = device 17)."),
       QStringLiteral("id")},
      {QStringLiteral("card"), QStringLiteral("A data card is inserted.")},
      {QStringLiteral("drop"), QStringLiteral("Fraction of replies not sent."),
       QStringLiteral("f")},
      {QStringLiteral("corrupt"), QStringLiteral("Fraction of replies with a data byte damaged after the checksum."),
       QStringLiteral("f")},
      {QStringLiteral("delay"), QStringLiteral("Replies leave this many ms late."),
       QStringLiteral("ms")},
      {QStringLiteral("wrong-length"),
       QStringLiteral("Fraction of replies one data byte short or long."), QStringLiteral("f")},
      {QStringLiteral("seed"), QStringLiteral("Seed of the fault generator."), QStringLiteral("n")},
      {QStringLiteral("load"), QStringLiteral("Memory file to start from."),
       QStringLiteral("file")},
      {QStringLiteral("save"), QStringLiteral("Memory file written on exit."),
       QStringLiteral("file")},
      {QStringLiteral("quiet"), QStringLiteral("Print nothing but \"ready\" and errors.")},
  });
  parser.process(app);
  TOptions options;
  options.Api = parser.value(QStringLiteral("api")).toLower();
  if (!options.Api.isEmpty() && options.Api != QLatin1String("jack") &&
      options.Api != QLatin1String("alsa"))
    Fail(QStringLiteral("--api takes jack or alsa, not %1").arg(options.Api));
  if (parser.isSet(QStringLiteral("name"))) options.Name = parser.value(QStringLiteral("name"));
  if (parser.isSet(QStringLiteral("device-id")))
    options.DeviceId = ParseDeviceId(parser.value(QStringLiteral("device-id")));
  options.Card = parser.isSet(QStringLiteral("card"));
  for (auto [name, field] :
       {std::pair{"drop", &options.Faults.Drop}, std::pair{"corrupt", &options.Faults.Corrupt},
        std::pair{"wrong-length", &options.Faults.WrongLength}}) {
    const QString option = QString::fromLatin1(name);
    if (parser.isSet(option)) *field = ParseFraction(option, parser.value(option));
  }
  bool ok = true;
  if (parser.isSet(QStringLiteral("delay")))
    options.Faults.DelayMs = parser.value(QStringLiteral("delay")).toInt(&ok);
  if (!ok || options.Faults.DelayMs < 0) Fail(QStringLiteral("--delay takes milliseconds"));
  if (parser.isSet(QStringLiteral("seed")))
    options.Faults.Seed = parser.value(QStringLiteral("seed")).toUInt(&ok);
  if (!ok) Fail(QStringLiteral("--seed takes a number"));
  options.Load = parser.value(QStringLiteral("load"));
  options.Save = parser.value(QStringLiteral("save"));
  options.Quiet = parser.isSet(QStringLiteral("quiet"));
  return options;
}

// Creates an RtMidi object of one API. RtMidi reports a JACK server that is not running only as
// a warning on std::cerr (it never starts one), so the warning is captured and made a failure.
template <class T>
std::unique_ptr<T> CreatePort(RtMidi::Api api, const std::string& client, std::string* error) {
  std::ostringstream captured;
  std::streambuf* previous = std::cerr.rdbuf(captured.rdbuf());
  std::unique_ptr<T> port;
  try {
    port = std::make_unique<T>(api, client);
  } catch (const RtMidiError& e) {
    *error = e.getMessage();
  }
  std::cerr.rdbuf(previous);
  if (port && !captured.str().empty()) {
    *error = QString::fromStdString(captured.str()).trimmed().toStdString();
    port.reset();
  }
  return port;
}

struct TPorts {
  std::unique_ptr<RtMidiIn> In;
  std::unique_ptr<RtMidiOut> Out;
  QString ApiName;
};

TPorts OpenPorts(const TOptions& options) {
  std::vector<std::pair<QString, RtMidi::Api>> apis;
  if (options.Api.isEmpty() || options.Api == QLatin1String("jack"))
    apis.emplace_back(QStringLiteral("jack"), RtMidi::UNIX_JACK);
  if (options.Api.isEmpty() || options.Api == QLatin1String("alsa"))
    apis.emplace_back(QStringLiteral("alsa"), RtMidi::LINUX_ALSA);
  const std::string name = options.Name.toStdString();
  QStringList failures;
  for (const auto& [apiName, api] : apis) {
    std::string error;
    TPorts ports;
    ports.In = CreatePort<RtMidiIn>(api, name, &error);
    if (ports.In) ports.Out = CreatePort<RtMidiOut>(api, name, &error);
    if (ports.In && ports.Out) {
      try {
        ports.In->ignoreTypes(false, true, true);
        ports.In->openVirtualPort(name);
        ports.Out->openVirtualPort(name);
        ports.ApiName = apiName;
        return ports;
      } catch (const RtMidiError& e) {
        error = e.getMessage();
      }
    }
    failures << QStringLiteral("%1: %2").arg(apiName, QString::fromStdString(error));
  }
  Fail(QStringLiteral("no MIDI API could open the ports (%1)")
           .arg(failures.join(QLatin1String("; "))));
}

struct TContext {
  TInstrument* Instrument;
  TReplyQueue* Replies;
};

// RtMidi's thread: one complete incoming message.
void OnMessage(double, std::vector<unsigned char>* message, void* user) {
  if (message == nullptr || message->empty()) return;
  auto* context = static_cast<TContext*>(user);
  context->Replies->Post(context->Instrument->Feed(message->data(), message->size()),
                         context->Instrument->Faults().DelayMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  // SIGINT and SIGTERM are taken by sigwait below; blocked before any thread exists so that
  // every thread (RtMidi's and JACK's included) inherits the mask.
  // A shell starts background jobs with SIGINT ignored, and an ignored signal never reaches
  // sigwait: restore the default first.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vesta-instrument"));
  QCoreApplication::setApplicationVersion(QLatin1String(kVestaVersion));
  const TOptions options = ParseOptions(app);

  TInstrument instrument;
  instrument.SetDeviceId(options.DeviceId);
  instrument.SetCardInserted(options.Card);
  instrument.SetFaults(options.Faults);
  QString error;
  if (!options.Load.isEmpty() && !instrument.Load(options.Load, &error)) Fail(error);

  TPorts ports = OpenPorts(options);
  RtMidiOut* out = ports.Out.get();
  TReplyQueue replies([out](const std::vector<std::uint8_t>& message) {
    try {
      out->sendMessage(message.data(), message.size());
    } catch (const RtMidiError& e) {
      std::cerr << "vesta-instrument: " << e.getMessage() << std::endl;
    }
  });
  TContext context{&instrument, &replies};
  ports.In->setCallback(&OnMessage, &context);

  if (!options.Quiet)
    std::cerr << "vesta-instrument: " << options.Name.toStdString() << " on "
              << ports.ApiName.toStdString() << ", device ID 0x" << std::hex
              << int{options.DeviceId} << std::dec << (options.Card ? ", card inserted" : "")
              << std::endl;
  std::fputs("ready\n", stdout);
  std::fflush(stdout);

  int received = 0;
  sigwait(&signals, &received);

  // The memory is saved before the ports close: closing a JACK client can take a while.
  ports.In->cancelCallback();
  replies.Clear();
  int status = 0;
  if (!options.Save.isEmpty() && !instrument.Save(options.Save, &error)) {
    std::cerr << "vesta-instrument: " << error.toStdString() << std::endl;
    status = 1;
  }
  if (!options.Quiet) {
    const TInstrumentCounters counters = instrument.Counters();
    std::cerr << "vesta-instrument: " << counters.DataSets << " data sets, " << counters.Requests
              << " requests, " << counters.Replies << " replies" << std::endl;
  }
  ports.In.reset();  // no callback can be running once it is gone, so the queue may go
  return status;
}
