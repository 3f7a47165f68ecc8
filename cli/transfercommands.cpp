// ports, receive and send: the instrument through the program's own transfer engine, with a
// progress bar on the terminal and the time-out question answered from the command line.
#include "cli/transfercommands.h"

#include <cstdio>
#include <optional>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/clierror.h"
#include "cli/loadedfile.h"
#include "cli/outputfile.h"
#include "instrument/instrumentbackend.h"
#include "midi/config.h"
#include "midi/midisession.h"
#include "midi/rtmidibackend.h"
#include "midi/timing.h"
#include "midi/userinterface.h"
#include "model/fileio.h"
#include "model/global.h"
#include "model/sendable.h"
#include "model/transfer.h"

namespace {

const QString kNotResponding = QStringLiteral("The Instrument Is Not Responding.");
constexpr int kDefaultRetries = 10;
constexpr int kBarWidth = 10;

void Err(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
  std::fflush(stderr);
}

bool ErrIsTerminal() {
#ifdef Q_OS_WIN
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

// "Now Receiving User Patch Bank [#####     ] 50%", redrawn in place on stderr when it is a
// terminal; a log or a pipe gets no bar.
class TTerminalProgress : public TProgressHost {
 public:
  TTerminalProgress() : terminal_(ErrIsTerminal()) {}

  void Started(const TTransfer& transfer) override { Draw(transfer); }
  void Changed(const TTransfer& transfer) override { Draw(transfer); }
  void RunModal(TTransfer& transfer) override {
    if (!transfer.Active()) return;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
  }
  void EndModal(TTransfer&) override {
    EndLine();
    if (loop_) loop_->quit();
  }
  // Ends the bar's line so that a message starts on a line of its own.
  void EndLine() {
    if (lineOpen_) Err(QStringLiteral("\n"));
    lineOpen_ = false;
    shown_.clear();
  }

 private:
  void Draw(const TTransfer& transfer) {
    if (!terminal_) return;
    const int gauge = transfer.Gauge();
    const int filled = gauge * kBarWidth / 100;
    const QString line =
        QStringLiteral("%1 [%2%3] %4%")
            .arg(transfer.Title(), QString(filled, u'#'), QString(kBarWidth - filled, u' '))
            .arg(gauge);
    if (line == shown_) return;  // counters change far more often than the bar
    Err(u'\r' + line);
    shown_ = line;
    lineOpen_ = true;
  }

  const bool terminal_;
  QEventLoop* loop_ = nullptr;
  QString shown_;
  bool lineOpen_ = false;
};

// The line a successful transfer ends with, on stdout: what, how many bytes, how long, which file.
void Summary(const QString& text) {
  const QByteArray bytes = (text + u'\n').toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

// "Patch Bank (User)", "Patch (User : 5)", "System".
QString WhatText(const TLibElem& element) {
  const QString location = element.LocationText();
  return location.isEmpty() ? element.KindName()
                            : QStringLiteral("%1 (%2)").arg(element.KindName(), location);
}

QString Seconds(const QElapsedTimer& clock) {
  return QString::number(static_cast<double>(clock.elapsed()) / 1000.0, 'f', 1);
}

// Answers the time-out question with Retry until one request has timed out `limit` times in a
// row, then with Cancel; every other message is kept as the failure to report.
class TRetryAnswers : public TUserInterface {
 public:
  TRetryAnswers(int limit, TTerminalProgress& progress) : limit_(limit), progress_(progress) {}

  int Ask(TMsgKind, const QString& text, int buttons) override {
    progress_.EndLine();
    if (text == kNotResponding && (buttons & mbRetry)) {
      // A reply since the last time-out means this one is for another request.
      const std::int32_t received = Transfer().BytesReceived() + Transfer().MessagesReceived();
      timeouts_ = received == receivedAtTimeout_ ? timeouts_ + 1 : 1;
      receivedAtTimeout_ = received;
      if (timeouts_ >= limit_) {
        Messages << QStringLiteral("%1 Gave up after %2 time-outs in a row.")
                        .arg(kNotResponding)
                        .arg(timeouts_);
        return mbCancel;
      }
      Err(QStringLiteral("%1 Retrying (time-out %2 of %3).\n")
              .arg(kNotResponding)
              .arg(timeouts_)
              .arg(limit_));
      return mbRetry;
    }
    Messages << text;
    for (const int button : {mbOK, mbNo, mbCancel})
      if (buttons & button) return button;
    return buttons;
  }
  QString ChooseOpenFile(const TFileDialogOptions&) override { return QString(); }
  QString ChooseSaveFile(const TFileDialogOptions&) override { return QString(); }

  QStringList Messages;

 private:
  int limit_;
  TTerminalProgress& progress_;
  int timeouts_ = 0;
  std::int32_t receivedAtTimeout_ = -1;
};

// The words after the command: options with their values, and the rest in order.
struct TTransferArgs {
  QStringList Positional;
  QString In, Out, Output, InstrumentMemory;
  std::optional<QString> Location;  // "--user", "--card" or "--temporary"
  int Number = 1;
  int Device = 17;
  int Retries = kDefaultRetries;
  double TimingScale = 1;
  bool DataCard = false;
  bool InstrumentCard = false;
};

int IntValue(const QString& option, const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < low || value > high)
    throw TCliError::Usage(QStringLiteral("%1 takes a number from %2 to %3, not \"%4\"")
                               .arg(option)
                               .arg(low)
                               .arg(high)
                               .arg(text));
  return value;
}

TTransferArgs ParseWords(const QStringList& words) {
  TTransferArgs args;
  for (int i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    auto value = [&]() -> QString {
      if (i + 1 >= words.size()) throw TCliError::Usage(word + QStringLiteral(" needs a value"));
      return words[++i];
    };
    if (word == QLatin1String("--user") || word == QLatin1String("--card") ||
        word == QLatin1String("--temporary")) {
      if (args.Location && *args.Location != word)
        throw TCliError::Usage(QStringLiteral("give only one of --user, --card and --temporary"));
      args.Location = word;
    } else if (word == QLatin1String("--number")) {
      args.Number = IntValue(word, value(), 1, 128);
    } else if (word == QLatin1String("--in")) {
      args.In = value();
    } else if (word == QLatin1String("--out")) {
      args.Out = value();
    } else if (word == QLatin1String("--port")) {
      args.In = args.Out = value();
    } else if (word == QLatin1String("--device")) {
      args.Device = IntValue(word, value(), 17, 32);
    } else if (word == QLatin1String("--retries")) {
      args.Retries = IntValue(word, value(), 1, 1000000);
    } else if (word == QLatin1String("-o") || word == QLatin1String("--output")) {
      args.Output = value();
    } else if (word == QLatin1String("--data-card")) {
      args.DataCard = true;
    } else if (word == QLatin1String("--timing-scale")) {
      bool ok = false;
      args.TimingScale = value().toDouble(&ok);
      if (!ok || args.TimingScale <= 0)
        throw TCliError::Usage(QStringLiteral("bad --timing-scale"));
    } else if (word == QLatin1String("--instrument-memory")) {
      args.InstrumentMemory = value();
    } else if (word == QLatin1String("--instrument-card")) {
      args.InstrumentCard = true;
    } else if (word.startsWith(u'-') && word.size() > 1) {
      throw TCliError::Usage(QStringLiteral("unknown option ") + word);
    } else {
      args.Positional << word;
    }
  }
  return args;
}

struct TKindName {
  const char* Name;
  int Kind;
};
constexpr TKindName kKinds[] = {
    {"patch", ekPatch},
    {"performance", ekPerformance},
    {"rhythm", ekRhythm},
    {"system", ekSystem},
    {"patch-bank", ekPatchBank},
    {"performance-bank", ekPerformanceBank},
    {"rhythm-bank", ekRhythmBank},
    {"global", ekGlobal},
};

int KindOf(const QString& name) {
  QStringList names;
  for (const TKindName& kind : kKinds) {
    if (name == QLatin1String(kind.Name)) return kind.Kind;
    names << QLatin1String(kind.Name);
  }
  throw TCliError::Usage(QStringLiteral("unknown kind \"%1\"; one of: %2")
                             .arg(name, names.join(QStringLiteral(", "))));
}

bool IsSingle(int kind) {
  return kind == ekPatch || kind == ekPerformance || kind == ekRhythm;
}

int MemberCount(int kind) {
  return kind == ekPatch ? 128 : kind == ekPerformance ? 32 : 2;
}

// Places the element where the options say; true when the transfer is to the temporary area.
bool Place(TLibElem& element, const TTransferArgs& args) {
  const int kind = element.Kind;
  const QString location = args.Location.value_or(IsSingle(kind) ? QStringLiteral("--temporary")
                                                                 : QStringLiteral("--user"));
  const bool bank = kind == ekPatchBank || kind == ekPerformanceBank || kind == ekRhythmBank;
  if ((kind == ekSystem || kind == ekGlobal) && args.Location)
    throw TCliError::Usage(
        QStringLiteral("a system or global dump has no --user, --card or --temporary"));
  if (bank && location == QLatin1String("--temporary"))
    throw TCliError::Usage(
        QStringLiteral("a bank is the user or the card memory, not --temporary"));
  if (IsSingle(kind) && args.Number > MemberCount(kind))
    throw TCliError::Usage(QStringLiteral("--number of a %1 goes up to %2")
                               .arg(element.KindName())
                               .arg(MemberCount(kind)));
  element.Temporary = location == QLatin1String("--temporary");
  element.User = location != QLatin1String("--card");
  element.Number = static_cast<std::uint16_t>(args.Number);
  return element.Temporary && IsSingle(kind);
}

int FindPort(const QStringList& names, const QString& wanted, const char* direction) {
  if (wanted.isEmpty()) {
    const int builtIn = static_cast<int>(names.indexOf(TInstrumentBackend::DeviceName));
    return builtIn >= 0 ? builtIn : 0;
  }
  if (const int exact = static_cast<int>(names.indexOf(wanted)); exact >= 0) return exact;
  QList<int> matches;
  for (int i = 0; i < names.size(); ++i)
    if (names[i].contains(wanted, Qt::CaseInsensitive)) matches << i;
  if (matches.size() == 1) return matches.first();
  throw TCliError::BadInput(
      QStringLiteral("%1 MIDI %2 port \"%3\"; `vesta-cli ports` lists them")
          .arg(matches.isEmpty() ? QStringLiteral("no") : QStringLiteral("more than one"),
               QLatin1String(direction), wanted));
}

// Everything a transfer runs with, set up from the options and put back on the way out.
class TInstrumentLink {
 public:
  explicit TInstrumentLink(const TTransferArgs& args)
      : args_(args), answers_(args.Retries, progress_) {
    Timing() = TTiming::Scaled(args.TimingScale);
    previousUi_ = SetUI(&answers_);
    previousHost_ = SetProgressHost(&progress_);
  }
  // Opens the ports the options name; outside the constructor so that a failure still closes
  // what was opened.
  void Open() {
    RegisterDevices();
    if (!args_.InstrumentMemory.isEmpty() && QFileInfo::exists(args_.InstrumentMemory)) {
      QString error;
      if (!VirtualInstrument()->Load(args_.InstrumentMemory, &error))
        throw TCliError::BadInput(error);
    }
    VirtualInstrument()->SetCardInserted(args_.InstrumentCard);
    const TMidiDevices& devices = TMidiDevices::Instance();
    Config().MidiIn = FindPort(devices.InputNames(), args_.In, "input");
    Config().MidiOut = FindPort(devices.OutputNames(), args_.Out, "output");
    Config().DeviceID = args_.Device;
    Config().DataCard = args_.DataCard;
    MidiSession().Create();
    if (!answers_.Messages.isEmpty() || MidiSession().Input()->State() != TMidiInput::Open ||
        MidiSession().Output()->State() != TMidiOutput::Open)
      Fail(QStringLiteral("the MIDI ports could not be opened"));
  }
  ~TInstrumentLink() {
    MidiSession().Destroy();
    SetProgressHost(previousHost_);
    SetUI(previousUi_);
  }

  static void RegisterDevices() {
    // The built-in instrument first, as in the program, so that it works with no hardware.
    RegisterVirtualInstrument();
    RegisterSystemBackends();
  }

  // Throws with what went wrong when the transfer did not reach its end.
  void RequireFinished(bool finished) {
    if (finished && !Transfer().Failed() && answers_.Messages.isEmpty()) return;
    Fail(QStringLiteral("the transfer did not finish"));
  }

  void SaveInstrumentMemory() {
    if (args_.InstrumentMemory.isEmpty()) return;
    QString error;
    if (!VirtualInstrument()->Save(args_.InstrumentMemory, &error))
      throw TCliError::BadInput(error);
  }

 private:
  [[noreturn]] void Fail(const QString& fallback) {
    progress_.EndLine();
    QStringList texts = answers_.Messages;
    if (Transfer().Failed() && !texts.contains(Transfer().ErrorText()))
      texts << Transfer().ErrorText();
    throw TCliError::BadInput(texts.isEmpty() ? fallback : texts.join(u'\n'));
  }

  const TTransferArgs& args_;
  TTerminalProgress progress_;
  TRetryAnswers answers_;
  TUserInterface* previousUi_ = nullptr;
  TProgressHost* previousHost_ = nullptr;
};

int RunPorts(const TCliArgs&) {
  TInstrumentLink::RegisterDevices();
  QString text = QStringLiteral("MIDI inputs:\n");
  const TMidiDevices& devices = TMidiDevices::Instance();
  for (const QString& name : devices.InputNames()) text += QStringLiteral("  ") + name + u'\n';
  text += QStringLiteral("MIDI outputs:\n");
  for (const QString& name : devices.OutputNames()) text += QStringLiteral("  ") + name + u'\n';
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  return ecSuccess;
}

int RunReceive(const TCliArgs& cliArgs) {
  const TTransferArgs args = ParseWords(cliArgs.Words);
  if (args.Positional.size() != 1 || args.Output.isEmpty())
    throw TCliError::Usage(QStringLiteral("receive needs a KIND and -o FILE"));
  const int kind = KindOf(args.Positional[0]);
  std::unique_ptr<TLibElem> element = CreateElement(kind, nullptr);
  const bool fromTemporary = Place(*element, args);
  // A file that cannot be written is found now, not after the whole transfer.
  CheckWritable(args.Output);
  TInstrumentLink link(args);
  link.Open();
  QElapsedTimer clock;
  clock.start();
  element->Receive(fromTemporary);
  link.RequireFinished(Transfer().Finished);
  const QString took = Seconds(clock);
  const QByteArray bytes = kind == ekGlobal ? static_cast<TGlobal&>(*element).GlbBytes(false)
                                            : element->SysexBytes(false);
  WriteOutputFile(args.Output, bytes);
  link.SaveInstrumentMemory();
  Summary(QStringLiteral("Received %1: %2 bytes in %3 s, written to %4")
              .arg(WhatText(*element))
              .arg(bytes.size())
              .arg(took, QDir::toNativeSeparators(args.Output)));
  return ecSuccess;
}

int RunSend(const TCliArgs& cliArgs) {
  const TTransferArgs args = ParseWords(cliArgs.Words);
  if (args.Positional.size() != 1) throw TCliError::Usage(QStringLiteral("send needs one FILE"));
  TLoadedFile file = TLoadedFile::Load(args.Positional[0]);
  if (file.Format == TFileFormat::Lib)
    throw TCliError::BadInput(
        file.Path +
        QStringLiteral(": a library holds many elements; `vesta-cli extract` one first"));
  TLibElem& element = *file.Element;
  const bool toTemporary = Place(element, args);
  // A byte no message can carry refuses the whole file before any port is opened.
  if (const QString refusal = UnsendableText(element); !refusal.isEmpty())
    throw TCliError::BadInput(file.Path + QStringLiteral(": ") + refusal);
  TInstrumentLink link(args);
  link.Open();
  QElapsedTimer clock;
  clock.start();
  element.Transmit(toTemporary);
  // The single patch, performance and system are sent without a progress window: they are
  // through when no output error stopped them.
  const bool timed =
      element.Kind != ekPatch && element.Kind != ekPerformance && element.Kind != ekSystem;
  link.RequireFinished(!timed || Transfer().Finished);
  const QString took = Seconds(clock);
  link.SaveInstrumentMemory();
  Summary(QStringLiteral("Sent %1 (%2 bytes) to %3 in %4 s")
              .arg(QDir::toNativeSeparators(file.Path))
              .arg(file.Size)
              .arg(WhatText(element), took));
  return ecSuccess;
}

const char* const kPortOptions =
    "  --port NAME   the instrument's MIDI input and output port (by name, or a part of it that\n"
    "                names one port); --in NAME and --out NAME choose them one by one.\n"
    "                Default: the built-in \"Vesta Virtual Instrument\"\n"
    "  --device N    the instrument's device number, 17 to 32 (default 17)\n"
    "  --retries N   give up after N time-outs in a row of one request (default 10); until\n"
    "                then each time-out is retried\n";

const QStringList kTransferOptions = {QStringLiteral("--user"),
                                      QStringLiteral("--card"),
                                      QStringLiteral("--temporary"),
                                      QStringLiteral("--number"),
                                      QStringLiteral("--in"),
                                      QStringLiteral("--out"),
                                      QStringLiteral("--port"),
                                      QStringLiteral("--device"),
                                      QStringLiteral("--retries"),
                                      QStringLiteral("--output"),
                                      QStringLiteral("--data-card"),
                                      QStringLiteral("--timing-scale"),
                                      QStringLiteral("--instrument-memory"),
                                      QStringLiteral("--instrument-card")};

}  // namespace

TCliCommand PortsCommand() {
  return {"ports",
          "",
          "list the MIDI input and output ports",
          "The built-in \"Vesta Virtual Instrument\" comes first, then the system's ports.",
          0,
          0,
          {},
          RunPorts};
}

TCliCommand ReceiveCommand() {
  static const QByteArray details =
      QByteArray(
          "KIND is one of patch, performance, rhythm, system, patch-bank, performance-bank,\n"
          "rhythm-bank, global. FILE is written as a .Syx file (a .Glb file for a global) only\n"
          "when every block arrived; otherwise nothing is written and the exit status is 1.\n"
          "  --temporary | --user | --card   the memory to read (default: temporary for a\n"
          "                patch, performance or rhythm set, user for a bank)\n"
          "  --number N    which patch (1-128), performance (1-32) or rhythm set (1-2)\n"
          "  --data-card   a global dump includes the card banks\n") +
      kPortOptions;
  return {"receive",
          "KIND [OPTIONS] -o FILE",
          "receive from the instrument into a .Syx or .Glb file",
          details.constData(),
          1,
          -1,
          kTransferOptions,
          RunReceive};
}

TCliCommand SendCommand() {
  static const QByteArray details =
      QByteArray(
          "FILE is a .Syx file of any kind or a .Glb global dump. A file holding a data byte\n"
          "above 7FH (which no system-exclusive message can carry) is refused whole, with\n"
          "the place of that byte, and nothing is sent.\n"
          "  --temporary | --user | --card   the memory to write (default: temporary for a\n"
          "                patch, performance or rhythm set, user for a bank)\n"
          "  --number N    which patch (1-128), performance (1-32) or rhythm set (1-2)\n"
          "  --data-card   a global dump includes the card banks\n") +
      kPortOptions;
  return {"send",
          "FILE [OPTIONS]",
          "send a .Syx or .Glb file to the instrument",
          details.constData(),
          1,
          -1,
          kTransferOptions,
          RunSend};
}
