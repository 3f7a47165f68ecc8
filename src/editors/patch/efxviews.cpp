#include "editors/patch/efxviews.h"

#include <QPainter>

#include "editors/patch/efxdiagram.h"

TEfxDiagramView::TEfxDiagramView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EfxDiagram"));
  setFixedSize(kEfxDiagramWidth, kEfxDiagramHeight);
}

void TEfxDiagramView::SetItem(int item) {
  if (item == item_) return;
  item_ = item;
  update();
}

void TEfxDiagramView::SetFeedbackMode(int mode) {
  if (mode == mode_) return;
  mode_ = mode;
  update();
}

QSize TEfxDiagramView::sizeHint() const {
  return {kEfxDiagramWidth, kEfxDiagramHeight};
}

void TEfxDiagramView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawEfxDiagram(painter, size(), item_, mode_);
}

QPoint EffectFieldPlace(int field) {
  if (field >= 1 && field <= 5) return {8, (field - 1) * 57 + 8};
  if (field >= 6 && field <= 10) return {452, (field - 6) * 57 + 8};
  if (field == 11) return {156, 236};
  if (field == 12) return {304, 236};
  return {};
}
