#include "editors/patch/tonepage.h"

#include "editors/common/parambinding.h"

namespace {
TPageDesign ToneDesign(int tone, const QString& objectName, const QString& part, int helpContext,
               QPoint designedPos) {
  TPageDesign design;
  design.ObjectName = objectName;
  design.Title = QStringLiteral(" [%1] [Tone %2]").arg(part).arg(tone);
  design.HelpContext = helpContext;
  design.DesignedPos = designedPos;
  return design;
}
}  // namespace

TTonePage::TTonePage(TPatch& patch, int tone, TTone::TPage page, const QString& objectName,
                     const QString& part, int helpContext, QPoint designedPos)
    : TPageWindow(patch, patch.Tones[static_cast<std::size_t>(tone - 1)],
                  patch.Tones[static_cast<std::size_t>(tone - 1)].Pages[page],
                  ToneDesign(tone, objectName, part, helpContext, designedPos)),
      patch_(patch),
      tone_(tone) {}

void TTonePage::SetPicture(int offset, QSize size,
                           std::function<void(QPainter& painter, QSize size, int value)> painter) {
  TParamBinding* binding = Binding(offset);
  if (!binding) return;
  binding->SetPainter(std::move(painter));
  if (auto* picture = binding->Widget()->findChild<QWidget*>(QStringLiteral("Picture")))
    picture->setFixedSize(size);
}
