#include "editors/patch/formcommon.h"

#include <QGridLayout>
#include <QPainter>

#include "editors/common/parambinding.h"
#include "editors/params/params.h"
#include "editors/patch/structurediagram.h"
#include "model/patch.h"

namespace {
constexpr int kStructure12 = 68;
constexpr int kStructure34 = 70;
const QSize kPictureSize(200, 57);
}  // namespace

TFormCommon::TFormCommon(TPatch& patch, QWidget* parent)
    : TPageWindow(patch, patch.Common, patch.Common.Pages[TCommon::pgCommon],
                  {QStringLiteral("FormCommon"),
                   QStringLiteral(" [Common]"),
                   kHelpContext,
                   {QStringLiteral("Page 1"), QStringLiteral("Page 2")},
                   {60, 40}},
                  parent),
      patch_(patch) {
  BuildRows(PatchCommonRows(), 0, 0, 2);
  BuildRows(PatchCommonRows(), 0, 1, 2);
  for (int offset : {kStructure12, kStructure34}) {
    TParamBinding* binding = Binding(offset);
    if (!binding) continue;
    const int firstTone = offset == kStructure12 ? 1 : 3;
    binding->SetPainter([firstTone](QPainter& painter, QSize size, int type) {
      StructureDiagram(painter, size, type, firstTone);
    });
    if (QWidget* picture = binding->Widget()->findChild<QWidget*>(QStringLiteral("Picture")))
      picture->setFixedSize(kPictureSize);
  }
  Finish();
}

TFormCommon* OpenCommonPage(TPatch& patch) {
  return TPageWindow::OpenPage<TFormCommon>(patch.Common.Pages[TCommon::pgCommon], patch);
}
