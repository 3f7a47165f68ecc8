#include "editors/patch/formpitch.h"

#include <QBoxLayout>

#include "editors/common/envelopebinding.h"
#include "editors/params/params.h"

TFormPitch::TFormPitch(TPatch& patch, int tone)
    : TTonePage(patch, tone, TTone::pgPitch, QStringLiteral("FormPitch"), QStringLiteral("Pitch"),
                35, {30, 30}) {
  QBoxLayout* line = BuildRows(ToneRows(), TTone::pgPitch, 0, 1);
  envelope_ = new TEnvelopeBinding(*this, FirstHalf, 70, 74, TabPage(0));
  line->addWidget(envelope_->Graph(), 0, Qt::AlignTop);
  Finish();
}

void TFormPitch::ShowExtra() { envelope_->Show(Data()); }
