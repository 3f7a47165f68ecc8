// The windows the screen-reader test reads: the main window, a library of a patch and a patch
// bank, the bank's window, the patch window, its common page and tone 1's TVF page. Each message
// sent is written out as a line "SENT F0 41 ..."; "READY" follows; stdin closed ends it.
#include <cstdio>

#include <QApplication>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>

#include "librarian/formbank.h"
#include "librarian/formlibrary.h"
#include "app/formvesta.h"
#include "app/qtuserinterface.h"
#include "app/vesta.h"
#include "editors/patch/formpatch.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patchbank.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each line reaches the reader as it is written
  Timing() = TTiming::Scaled(0.05);
  QTemporaryDir dir;
  TQtUserInterface ui;
  SetUI(&ui);
  TVesta vesta(dir.filePath(QStringLiteral("VESTA95.INI")));
  auto* loop = new TLoopbackBackend;
  TMidiDevices::Instance().Add(std::unique_ptr<TMidiBackend>(loop));
  RegisterPatchEditor();
  TFormvesta form(vesta);
  RegisterBankWindows(form);
  ui.SetParent(&form);
  form.resize(1280, 1000);
  form.show();
  form.FinishStart();

  auto library = std::make_unique<TLibrary>();
  auto& patch = static_cast<TPatch&>(library->NewElement(ekPatch));
  auto& bank = static_cast<TPatchBank&>(library->NewElement(ekPatchBank));
  patch.SetName(QStringLiteral("Glass Pad"), false);
  // Known values for the reader: Patch Level 100, Pan L 20, Octave Shift -2; tone 1 Filter Type
  // Low Pass, Cutoff Frequency 84.
  patch.Common.StoreByte(46, 100);
  patch.Common.StoreByte(47, 44);
  patch.Common.StoreByte(65, 1);
  patch.Tones[0].StoreByte(80, 1);
  patch.Tones[0].StoreByte(81, 84);
  bank.SetName(QStringLiteral("Studio"), false);
  bank.Member(2).SetName(QStringLiteral("Warm Choir"), false);
  form.AddLibraryWindow(std::move(library));
  bank.OpenEditor();
  patch.OpenEditor();
  auto* window = qobject_cast<TFormPatch*>(patch.Editor);
  for (const char* part : {"Common", "TVF"}) window->OpenPart(*window->Part(QLatin1String(part)));
  if (!patch.Tones[0].Pages[TTone::pgTVF].Window || !MidiSession().MidiOpen()) return 1;
  loop->ClearSent();
  form.activateWindow();  // as a window manager gives a new main window the keyboard

  QTimer report;
  QObject::connect(&report, &QTimer::timeout, [loop] {
    for (const auto& message : loop->Sent()) {
      std::printf("SENT");
      for (std::uint8_t byte : message) std::printf(" %02X", byte);
      std::printf("\n");
    }
    loop->ClearSent();
  });
  report.start(20);
  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&input] {
    if (std::fgetc(stdin) != EOF) return;
    input.setEnabled(false);
    QApplication::quit();
  });
  QTimer::singleShot(300, [] { std::printf("READY\n"); });
  const int result = QApplication::exec();
  MidiSession().Destroy();
  SetUI(nullptr);
  return result;
}
