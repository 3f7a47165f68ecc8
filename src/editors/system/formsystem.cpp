#include "editors/system/formsystem.h"

#include "editors/common/partkind.h"
#include "editors/system/systemwindows.h"

TFormSystem::TFormSystem(TSystem& system, QWidget* parent)
    : TSectionHub(system, {QStringLiteral("FormSystem"), kHelpContext, QSize(400, 138), {20, 20}},
                  SystemSections(), parent),
      system_(system) {
  AddSections(QStringLiteral("PanelSystem"), {{"SysSetup", "Setup"},
                                              {"SysScaleTune", "Scale Tune"},
                                              {"SysPreview", "Preview"},
                                              {"SysMidi", "Midi"}});
}

void TFormSystem::OpenSection(int kind) {
  switch (kind) {
    case pkSysSetup:
      TPageWindow::OpenPage<TFormSysSetup>(system_.Pages[TSystem::pgSetup], system_);
      break;
    case pkSysMidi:
      TPageWindow::OpenPage<TFormSysMidi>(system_.Pages[TSystem::pgMidi], system_);
      break;
    case pkSysPreview:
      TPageWindow::OpenPage<TFormSysPreview>(system_.Pages[TSystem::pgPreview], system_);
      break;
    case pkSysScaleTune:
      TPageWindow::OpenPage<TFormScaleTune>(system_.Pages[TSystem::pgScaleTune], system_);
      break;
    default:
      break;
  }
}

void RegisterSystemEditor() {
  Views().SetFactory(ekSystem, [](TLibElem& element) -> QObject* {
    auto* system = dynamic_cast<TSystem*>(&element);
    return system ? THubWindow::Open<TFormSystem>(*system) : nullptr;
  });
}
