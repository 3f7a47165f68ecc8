#include "editors/patch/effectspage.h"

#include "editors/patch/formeffect.h"
#include "model/patch.h"
#include "model/performance.h"

TFormEffect* OpenEffectsPage(TPatch& patch) {
  return TPageWindow::OpenPage<TFormEffect>(patch.Common.Pages[TCommon::pgEffects], patch);
}

TFormEffect* OpenEffectsPage(TPerformance& performance) {
  return TPageWindow::OpenPage<TFormEffect>(
      performance.Common.Pages[TPerformanceCommon::pgEffects], performance);
}
