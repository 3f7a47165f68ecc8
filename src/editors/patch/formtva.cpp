#include "editors/patch/formtva.h"

#include <QBoxLayout>
#include <QPainter>

#include "controls/biaspicture.h"
#include "editors/common/envelopebinding.h"
#include "editors/params/params.h"

TFormTVA::TFormTVA(TPatch& patch, int tone)
    : TTonePage(patch, tone, TTone::pgTVA, QStringLiteral("FormTVA"), QStringLiteral("TVA"), 37,
                {70, 70}) {
  QBoxLayout* line = BuildRows(ToneRows(), TTone::pgTVA, 0, 1);
  SetPicture(102, {TBiasPicture::kWidth, TBiasPicture::kHeight},
             [](QPainter& painter, QSize, int value) { TBiasPicture::Draw(painter, value); });
  envelope_ = new TEnvelopeBinding(*this, LastLocked, 110, 114, TabPage(0));
  line->addWidget(envelope_->Graph(), 0, Qt::AlignTop);
  Finish();
}

void TFormTVA::ShowExtra() { envelope_->Show(Data()); }
