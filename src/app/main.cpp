// vesta: the editor and librarian program.
#include <QApplication>
#include <QTimer>

#include "app/formtransmet.h"
#include "app/formvesta.h"
#include "app/qtuserinterface.h"
#include "app/vesta.h"
#include "instrument/instrumentbackend.h"
#include "midi/midisession.h"
#include "midi/rtmidibackend.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vesta"));

  TQtUserInterface ui;
  SetUI(&ui);

  TVesta vesta(TVesta::SettingsPathFrom(QApplication::arguments()));
  // The built-in instrument comes first, so that device 0 works with no hardware at all.
  RegisterVirtualInstrument();
  RegisterSystemBackends();

  TFormvesta form(vesta);
  ui.SetParent(&form);
  // Created once, hidden; every transfer runs under it.
  TFormTransmet transmet(&form);
  SetProgressHost(&transmet);
  form.showMaximized();
  // The ports are opened once the window is up, so that any message about them shows over it.
  QTimer::singleShot(0, &form, [&vesta] { vesta.StartMidi(); });

  const int result = QApplication::exec();
  MidiSession().Destroy();
  SetProgressHost(nullptr);
  SetUI(nullptr);
  return result;
}
