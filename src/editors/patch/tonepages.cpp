#include "editors/patch/tonepages.h"

#include "editors/common/partkind.h"
#include "editors/patch/formcontrol.h"
#include "editors/patch/formlfo.h"
#include "editors/patch/formpatch.h"
#include "editors/patch/formpitch.h"
#include "editors/patch/formtva.h"
#include "editors/patch/formtvf.h"
#include "editors/patch/formwave.h"

namespace {
template <class TPage, class... TArgs>
TPatchPageOpener Opener(TTone::TPage kind, TArgs... args) {
  return [=](TPatch& patch, int tone) {
    if (tone < 1 || tone > TPatch::kToneCount) return;
    TPageWindow::OpenPage<TPage>(patch.Tones[static_cast<std::size_t>(tone - 1)].Pages[kind],
                                 patch, tone, args...);
  };
}
}  // namespace

void RegisterTonePages() {
  SetPatchPageOpener(pkWave, Opener<TFormWave>(TTone::pgWave));
  SetPatchPageOpener(pkPitch, Opener<TFormPitch>(TTone::pgPitch));
  SetPatchPageOpener(pkTVF, Opener<TFormTVF>(TTone::pgTVF));
  SetPatchPageOpener(pkTVA, Opener<TFormTVA>(TTone::pgTVA));
  SetPatchPageOpener(pkLFO1, Opener<TFormLFO>(TTone::pgLFO1, 1));
  SetPatchPageOpener(pkLFO2, Opener<TFormLFO>(TTone::pgLFO2, 2));
  SetPatchPageOpener(pkControl, Opener<TFormControl>(TTone::pgControl));
}
