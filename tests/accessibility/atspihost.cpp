// The program's windows for the screen-reader test: the main window with a library holding a
// patch and a patch bank, the bank's window, the patch window, its common page and the TVF page
// of tone 1, all on the display given, with Qt's accessibility bridge on. Every message the
// program sends goes to a loopback port and is written to standard output as one line
// "SENT F0 41 ...". "READY" follows once the windows are open. It ends when stdin closes.
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>

#include "app/formbank.h"
#include "app/formlibrary.h"
#include "app/formvesta.h"
#include "app/qtuserinterface.h"
#include "app/vesta.h"
#include "editors/patch/formcommon.h"
#include "editors/patch/formpatch.h"
#include "editors/patch/formtvf.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/timing.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vesta-atspi-host"));
  Timing() = TTiming::Scaled(0.05);
  QTemporaryDir dir;
  TQtUserInterface ui;
  SetUI(&ui);
  TVesta vesta(dir.filePath(QStringLiteral("VESTA95.INI")));
  auto backend = std::make_unique<TLoopbackBackend>();
  TLoopbackBackend* loop = backend.get();
  TMidiDevices::Instance().Clear();
  TMidiDevices::Instance().Add(std::move(backend));
  RegisterLibraryWindow();
  RegisterBankWindows();
  RegisterPatchEditor();

  TFormvesta form(vesta);
  ui.SetParent(&form);
  form.resize(1280, 1000);
  form.show();
  form.FinishStart();

  auto library = std::make_unique<TLibrary>();
  library->NewElement(ekPatch);
  library->NewElement(ekPatchBank);
  TLibrary* shown = library.get();
  auto& patch = static_cast<TPatch&>(shown->Element(0));
  patch.SetName(QStringLiteral("Glass Pad"), false);
  // Known values for the reader to find: Patch Level 100, Pan L 20, Octave Shift -2; tone 1
  // Filter Type Low Pass, Cutoff Frequency 84.
  patch.Common.StoreByte(46, 100);
  patch.Common.StoreByte(47, 44);
  patch.Common.StoreByte(65, 1);
  patch.Tones[0].StoreByte(80, 1);
  patch.Tones[0].StoreByte(81, 84);
  auto& bank = static_cast<TPatchBank&>(shown->Element(1));
  bank.SetName(QStringLiteral("Studio"), false);
  bank.Member(2).SetName(QStringLiteral("Warm Choir"), false);
  form.AddLibraryWindow(std::move(library));
  bank.OpenEditor();
  patch.OpenEditor();
  TPageWindow::OpenPage<TFormCommon>(patch.Common.Pages[TCommon::pgCommon], patch);
  auto* tvf = TPageWindow::OpenPage<TFormTVF>(patch.Tones[0].Pages[TTone::pgTVF], patch, 1);
  if (!tvf || !MidiSession().MidiOpen()) return 1;
  loop->ClearSent();
  // What a window manager does with a new main window: it gets the keyboard.
  form.activateWindow();

  QTimer report;
  QObject::connect(&report, &QTimer::timeout, [loop] {
    for (const auto& message : loop->Sent()) {
      std::printf("SENT");
      for (std::uint8_t byte : message) std::printf(" %02X", byte);
      std::printf("\n");
    }
    loop->ClearSent();
    std::fflush(stdout);
  });
  report.start(20);
  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&input] {
    char buffer[64];
    if (std::fread(buffer, 1, 1, stdin) == 0) {
      input.setEnabled(false);
      QApplication::quit();
    }
  });
  QTimer::singleShot(300, [] {
    std::printf("READY\n");
    std::fflush(stdout);
  });
  const int result = QApplication::exec();
  MidiSession().Destroy();
  SetUI(nullptr);
  return result;
}
