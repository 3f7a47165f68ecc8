// Fuzzes the reply handlers of every transfer while it runs, with what a MIDI port could deliver.
// Input: byte 0 chooses the transfer: its low four bits the kind (an element kind code 0 to 7:
// patch, patch bank, performance, performance bank, rhythm set, rhythm bank, system, global
// dump; or 8, the update of the name lists), bit 4 a transmission instead of a receive, bit 5 the checksums of Roland messages
// made to match (so that replies get past their check). Byte 1 sets the scene: bit 0 the
// temporary area, bit 1 the card instead of the user memory, bit 2 a data card installed,
// bit 3 MIDI thru, bits 4 and 5 how many time-outs are answered Retry before Cancel, bits 6
// and 7 how many messages the port delivers at once (1, 2, 4 or 16, so that the input queue
// fills as it does when the program is busy). The rest is a byte stream, cut into messages as
// a port delivers them (fuzz/midistream.h), delivered through a loopback port into the program's
// input port while the transfer waits for replies. When the stream ends with the transfer still
// waiting, its time-out fires (answered as byte 1 says) until it ends; whatever is left goes to
// the default input handler.
// Properties: the transfer ends and gives the input back to the default handler; the object
// still writes a file of its kind's exact size that reads back (no reply was copied over its
// images out of shape); the update of the name lists ends with its dialog closed.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include "dialogs/formupdatenames.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/midistream.h"
#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "model/global.h"
#include "model/namelists.h"
#include "model/transfer.h"

namespace {
constexpr int kKinds = 9;
constexpr int kUpdateNames = 8;
// Event loop passes allowed once the stream has ended: a transmission needs one per message.
constexpr int kMaxIdlePasses = 4000;

struct TScene {
  TLoopbackBackend* Port = nullptr;
  TScriptedUserInterface* Ui = nullptr;
  TMidiStream* Stream = nullptr;
  bool FixChecksums = false;
  int Burst = 1;
};
TScene scene;

// Hands the next messages of the stream to the program's input port; false when none is left.
bool DeliverSome() {
  std::vector<std::uint8_t> message;
  bool any = false;
  for (int i = 0; i < scene.Burst && scene.Stream->Next(message); ++i) {
    if (scene.FixChecksums) TMidiStream::FixChecksum(message);
    scene.Port->Inject(0, message);
    any = true;
  }
  QCoreApplication::processEvents();
  return any;
}

// The progress window of the fuzzer: while a transfer runs modally, the stream is its input.
// At the end of the stream its time-out fires until it closes.
class TFuzzHost : public TProgressHost {
 public:
  void RunModal(TTransfer& transfer) override {
    while (transfer.Active() && DeliverSome()) {
    }
    for (int pass = 0; transfer.Active() && pass < kMaxIdlePasses; ++pass) {
      // A timer that waits for a reply fires at once; a transmission ticks on.
      if (transfer.Timer.Enabled() && transfer.Timer.Interval() > Timing().TransmitTickMs)
        transfer.Timer.SetInterval(0);
      QCoreApplication::processEvents();
    }
    FUZZ_CHECK(!transfer.Active());
  }
  void EndModal(TTransfer&) override {}
};

void Setup() {
  static int argc = 1;
  static char name[] = "transfer_fuzz";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform warns at every dialog shown; the log is for libFuzzer's lines.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  new QApplication(argc, argv);
  static QTemporaryDir start;  // bank transfers keep the memory names there
  SetStartDirectory(start.path());
  TTiming& timing = Timing();
  timing.MessagePauseMs = 0;
  timing.ReplyTimeoutMs = 1 << 30;  // only the end of the stream times out
  timing.UpdateNamesMs = 1 << 30;
  timing.TransmitTickMs = 0;
  timing.FinishCloseMs = 0;
  timing.CleanupMs = 0;
  TMidiDevices::Instance().Clear();
  auto port = std::make_unique<TLoopbackBackend>(QStringList{QStringLiteral("Fuzz")});
  scene.Port = port.get();
  TMidiDevices::Instance().Add(std::move(port));
  Config().MidiIn = 0;
  Config().MidiOut = 0;
  MidiSession().Create();
  static TScopedScriptedUI ui;
  scene.Ui = &ui;
  static TFuzzHost host;
  SetProgressHost(&host);
}

void CheckShape(TLibElem& element) {
  if (element.Kind == ekGlobal) {
    auto& global = static_cast<TGlobal&>(element);
    const QByteArray bytes = global.GlbBytes(false);
    FUZZ_CHECK(bytes.size() == TGlobal::GlbSize(false));
    TGlobal again(nullptr);
    FUZZ_CHECK(again.ReadGlbBytes(Bytes(bytes), false).isEmpty());
    return;
  }
  const QByteArray bytes = element.SysexBytes(false);
  FUZZ_CHECK(bytes.size() == TLibElem::SysexSize(element.Kind, false));
  FUZZ_CHECK(CreateElement(element.Kind, nullptr)->ReadSysexBytes(Bytes(bytes), false));
}

void UpdateNames() {
  TFormUpdateNames dialog;
  dialog.show();
  QCoreApplication::processEvents();  // the first step is requested
  while (dialog.isVisible() && DeliverSome()) {
  }
  for (int pass = 0; dialog.isVisible() && pass < kMaxIdlePasses; ++pass) {
    if (dialog.Timer()->isActive()) dialog.Timer()->start(0);
    QCoreApplication::processEvents();
  }
  FUZZ_CHECK(!dialog.isVisible());
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Setup();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int kind = data[0] % 16 % kKinds;
  const bool transmit = data[0] & 0x10;
  const std::uint8_t setup = data[1];
  TMidiStream stream(data + 2, size - 2);
  scene.Stream = &stream;
  scene.FixChecksums = data[0] & 0x20;
  scene.Burst = std::array<int, 4>{1, 2, 4, 16}[setup >> 6];
  Config().DataCard = setup & 4;
  Config().Thrue = (setup & 8) ? 1 : 0;
  scene.Ui->Questions.clear();
  scene.Ui->Answers.assign(static_cast<std::size_t>((setup >> 4) & 3), mbRetry);
  scene.Port->ClearSent();
  MidiSession().InstallDefaultInput();
  Transfer().Finished = false;

  if (kind == kUpdateNames) {
    UpdateNames();
  } else {
    std::unique_ptr<TLibElem> element = CreateElement(kind, nullptr);
    element->Temporary = setup & 1;
    element->User = !(setup & 2);
    element->Number = 1;
    if (transmit)
      element->Transmit(setup & 1);
    else
      element->Receive(setup & 1);
    FUZZ_CHECK(!Transfer().Active());
    CheckShape(*element);
  }
  // The rest reaches the default handler, as it does between transfers.
  while (DeliverSome()) {
  }
  scene.Stream = nullptr;
  return 0;
}
