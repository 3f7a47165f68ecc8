#include "editors/patch/formtvf.h"

#include <QBoxLayout>
#include <QPainter>

#include "controls/filterpicture.h"
#include "editors/common/envelopebinding.h"
#include "editors/params/params.h"

TFormTVF::TFormTVF(TPatch& patch, int tone)
    : TTonePage(patch, tone, TTone::pgTVF, QStringLiteral("FormTVF"), QStringLiteral("TVF"), 38,
                {50, 50}) {
  QBoxLayout* line = BuildRows(ToneRows(), TTone::pgTVF, 0, 1);
  SetPicture(80, {TFilterPicture::kWidth, TFilterPicture::kHeight},
             [](QPainter& painter, QSize, int value) { TFilterPicture::Draw(painter, value); });
  envelope_ = new TEnvelopeBinding(*this, Normal, 91, 95, TabPage(0));
  line->addWidget(envelope_->Graph(), 0, Qt::AlignTop);
  Finish();
}

void TFormTVF::ShowExtra() { envelope_->Show(Data()); }
