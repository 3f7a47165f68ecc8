#include "editors/patch/formlfo.h"

#include <QComboBox>
#include <QBoxLayout>
#include <QPainter>
#include <QRandomGenerator>

#include "controls/fadegraph.h"
#include "controls/lfopicture.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"

TFormLFO::TFormLFO(TPatch& patch, int tone, int lfo)
    : TTonePage(patch, tone, lfo == 1 ? TTone::pgLFO1 : TTone::pgLFO2,
                QStringLiteral("FormLFO"), QStringLiteral("LFO %1").arg(lfo), 36,
                {90 + 20 * (lfo - 1), 90 + 20 * (lfo - 1)}),
      lfo_(lfo) {
  QBoxLayout* line = BuildRows(ToneRows(), lfo == 1 ? TTone::pgLFO1 : TTone::pgLFO2, 0, 1);
  SetPicture(Base(), {TLfoPicture::kWidth, TLfoPicture::kHeight},
             [this](QPainter& painter, QSize size, int value) {
               if (value != shapeOf_) {
                 shapeOf_ = value;
                 shape_ = TLfoPicture::Shape(value, size.width(), size.height(), [](int n) {
                   return static_cast<int>(QRandomGenerator::global()->bounded(n));
                 });
               }
               painter.fillRect(0, 0, size.width(), size.height(), QColor(0x00, 0xFF, 0xFF));
               painter.setPen(Qt::black);
               painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
               painter.drawPolyline(shape_);
             });
  fade_ = new TFadeGraph(TabPage(0));
  fade_->setObjectName(QStringLiteral("FadeGraph"));
  fade_->SetFadeDepth(127);
  line->addWidget(fade_, 0, Qt::AlignTop);
  connect(fade_, &TFadeGraph::OnEndchange, this, &TFormLFO::StoreFade);
  // The graph follows "Fade Mode" at once, before the list's store.
  if (TParamBinding* mode = Binding(Base() + 5))
    if (auto* list = qobject_cast<QComboBox*>(mode->Widget()))
      connect(list, &QComboBox::currentIndexChanged, this, &TFormLFO::ShowFadeMode);
  Finish();
}

void TFormLFO::ShowFadeMode(int mode) {
  if (mode >= ON_IN && mode <= OFF_OUT) fade_->SetFadeMode(static_cast<TFadeMode>(mode));
}

void TFormLFO::ShowExtra() {
  ShowFadeMode(Data()[Base() + 5]);
  fade_->SetFadeDelay(Data()[Base() + 4]);
  fade_->SetFadeTime(Data()[Base() + 6]);
}

void TFormLFO::StoreFade() {
  // Delay, mode and time lie side by side: a handle's drag is one change (one Undo step).
  const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(fade_->FadeDelay()),
                                 Data()[Base() + 5],
                                 static_cast<std::uint8_t>(fade_->FadeTime())};
  SendAndStoreChanges(Base() + 4, bytes, 3);
}
