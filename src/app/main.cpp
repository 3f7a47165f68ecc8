// vesta: the editor and librarian program.
#include <optional>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>

#include "app/commandline.h"
#include "app/editorhooks.h"
#include "app/formvesta.h"
#include "app/interfacesize.h"
#include "app/qtuserinterface.h"
#include "app/singleinstance.h"
#include "app/vesta.h"
#include "controls/controltiming.h"
#include "dialogs/formexpansion.h"
#include "dialogs/formintro.h"
#include "dialogs/formnames.h"
#include "dialogs/formtransmet.h"
#include "dialogs/formupdatenames.h"
#include "editors/params/clipboard.h"
#include "editors/patch/effectspage.h"
#include "editors/patch/formpatch.h"
#include "editors/performance/formperformance.h"
#include "editors/rhythm/formrhythm.h"
#include "editors/system/formsystem.h"
#include "instrument/instrumentbackend.h"
#include "librarian/formbankbase.h"
#include "librarian/formglobal.h"
#include "midi/midisession.h"
#include "midi/rtmidibackend.h"
#include "midi/timing.h"
#include "model/namelists.h"
#include "model/transfer.h"

int main(int argc, char** argv) {
  // Answered without a display, so that the manual pages can be made from them at build time.
  if (const std::optional<int> answered = AnswerInformationOptions(argc, argv)) return *answered;
  // The interface size is Qt's scale factor, which must be known before the application object.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  ApplyInterfaceSize(ReadInterfaceSize(TVesta::SettingsPathFrom(arguments)));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vesta"));
  QApplication::setApplicationVersion(VestaVersionText().section(u' ', 1).trimmed());
  QGuiApplication::setDesktopFileName(QStringLiteral("vesta"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vesta")));

  // A program already running takes this one's files: two would fight over the MIDI ports.
  TSingleInstance instance;
  QString handOverError;
  switch (instance.Start(FileArguments(QApplication::arguments()), &handOverError)) {
    case TSingleInstance::TStart::HandedOver:
      return 0;
    case TSingleInstance::TStart::Failed:
      qCritical("vesta: %s", qPrintable(handOverError));
      return 1;
    case TSingleInstance::TStart::First:
      break;
  }
  SetStartDirectory(QDir::currentPath());
  PreviewChannel = 1;
  // The controls keep their own copy of their timers' intervals.
  TControlTiming::RepeatDelayMs = Timing().RepeatDelayMs;
  TControlTiming::RepeatIntervalMs = Timing().RepeatIntervalMs;
  TControlTiming::WheelRestMs = Timing().WheelRestMs;

  TQtUserInterface ui;
  SetUI(&ui);

  TVesta vesta(TVesta::SettingsPathFrom(QApplication::arguments()));
  ui.RememberFoldersIn(vesta.SettingsPath());
  // The built-in instrument comes first, so that device 0 works with no hardware at all.
  RegisterVirtualInstrument();
  RegisterSystemBackends();
  RegisterPatchEditor();
  RegisterPerformanceEditor();
  TFormPerformance::EffectsOpener() = [](TPerformance& performance) {
    OpenEffectsPage(performance);
  };
  RegisterRhythmEditor();
  RegisterSystemEditor();

  TFormvesta form(vesta);
  ui.SetParent(&form);
  RegisterBankWindows(form);
  // The editors' Copy and Paste, kept as long as the main window.
  TClipboard clipboard;
  SetClipboard(&clipboard);
  // Created once, hidden; every transfer runs under it.
  TFormTransmet transmet(&form);
  SetProgressHost(&transmet);
  // The name lists, the update of the instrument's names and the expansion setup.
  TFormNames names;
  // The editors' name fields and "B" buttons read the names window's lists.
  InstallEditorNameHooks(names);
  InstallFileCheckHook();
  TFormUpdateNames updateNames(&form);
  TFormExpansion expansion(vesta, &form);
  // Open global windows show 7 or 4 rows as the data card comes and goes.
  DataCardChangedHook() = [&form] { RelayoutGlobalWindows(form); };
  QObject::connect(form.Action(QStringLiteral("SettingsNamesItem")), &QAction::triggered,
                   &updateNames, &QDialog::exec);
  QObject::connect(form.Action(QStringLiteral("SettingsExpansionItem")), &QAction::triggered,
                   &expansion, &QDialog::exec);
  form.showMaximized();

  // The splash's timer finishes the start: ports, settings, the libraries of the last session.
  auto* splash = new TFormintro;
  QObject::connect(splash, &TFormintro::Finished, &form, &TFormvesta::FinishStart);
  QObject::connect(splash, &TFormintro::Finished, &names, &TFormNames::Load);
  splash->show();
  splash->StartTimer(Timing().SplashMs);

  // Files open as File > Open opens them, after the last session's libraries: those named on
  // the command line, and those a later "vesta FILE..." hands over (kept until the start is
  // finished when they come before it).
  bool started = false;
  QStringList pendingFiles = FileArguments(QApplication::arguments());
  const auto openPendingFiles = [&form, &pendingFiles] {
    for (const QString& file : std::exchange(pendingFiles, {})) form.OpenFile(file);
  };
  QObject::connect(splash, &TFormintro::Finished, &form, [&started, &openPendingFiles] {
    started = true;
    openPendingFiles();
  });
  QObject::connect(&instance, &TSingleInstance::FilesReceived, &form,
                   [&form, &started, &pendingFiles, &openPendingFiles](const QStringList& files) {
                     pendingFiles += files;
                     if (!started) return;
                     openPendingFiles();
                     // The user turns to the program the file manager sent the files to.
                     form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
                     form.raise();
                     form.activateWindow();
                   });

  const int result = QApplication::exec();
  RemoveEditorNameHooks();
  RemoveFileCheckHook();
  SetClipboard(nullptr);
  MidiSession().Destroy();
  SetProgressHost(nullptr);
  SetUI(nullptr);
  return result;
}
