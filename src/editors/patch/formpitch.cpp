#include "editors/patch/formpitch.h"

#include <QGridLayout>

#include "editors/common/envelopebinding.h"
#include "editors/params/params.h"

TFormPitch::TFormPitch(TPatch& patch, int tone)
    : TTonePage(patch, tone, TTone::pgPitch, QStringLiteral("FormPitch"), QStringLiteral("Pitch"),
                35, {30, 30}) {
  QGridLayout* grid = BuildRows(ToneRows(), TTone::pgPitch, 0, 1);
  envelope_ = new TEnvelopeBinding(*this, FirstHalf, 70, 74, TabPage(0));
  grid->addWidget(envelope_->Graph(), 0, 2, grid->rowCount(), 1, Qt::AlignTop);
  Finish();
}

void TFormPitch::ShowExtra() { envelope_->Show(Data()); }
