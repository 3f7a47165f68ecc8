#include "controls/taborder.h"

#include <algorithm>

#include <QBoxLayout>
#include <QGridLayout>
#include <QLayout>
#include <QList>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace {
void CollectWidget(QWidget* widget, QList<QWidget*>& order);

// The widgets a layout holds, in the order they are seen.
void CollectLayout(QLayout* layout, QList<QWidget*>& order, QList<QWidget*>& placed) {
  QList<int> items;
  for (int i = 0; i < layout->count(); ++i) items << i;
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    auto cell = [grid](int index) {
      int row = 0, column = 0, rows = 0, columns = 0;
      grid->getItemPosition(index, &row, &column, &rows, &columns);
      return std::make_pair(row, column);
    };
    std::stable_sort(items.begin(), items.end(),
                     [&cell](int a, int b) { return cell(a) < cell(b); });
  } else if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
    if (box->direction() == QBoxLayout::RightToLeft || box->direction() == QBoxLayout::BottomToTop)
      std::reverse(items.begin(), items.end());
  }
  for (int i : items) {
    QLayoutItem* item = layout->itemAt(i);
    if (QWidget* widget = item->widget()) {
      placed << widget;
      CollectWidget(widget, order);
    } else if (QLayout* inner = item->layout()) {
      CollectLayout(inner, order, placed);
    }
  }
}

// A widget that takes Tab itself, then its children: those in its layout as the layout orders
// them, the others by their place.
void CollectWidget(QWidget* widget, QList<QWidget*>& order) {
  if (widget->isWindow() && !order.isEmpty()) return;
  if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
    order << tabs->tabBar();
    for (int i = 0; i < tabs->count(); ++i) CollectWidget(tabs->widget(i), order);
    return;
  }
  if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy()) order << widget;
  QList<QWidget*> placed;
  if (widget->layout()) CollectLayout(widget->layout(), order, placed);
  QList<QWidget*> loose;
  for (QObject* child : widget->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && !w->isWindow() && !placed.contains(w)) loose << w;
  }
  // Lines top to bottom: a child whose top lies above the middle of the line's first child
  // shares its line (a value box a few pixels lower than its track); each line left to right.
  std::stable_sort(loose.begin(), loose.end(),
                   [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
  for (qsizetype first = 0; first < loose.size();) {
    const int middle = loose[first]->geometry().center().y();
    qsizetype end = first + 1;
    while (end < loose.size() && loose[end]->y() <= middle) ++end;
    std::stable_sort(loose.begin() + first, loose.begin() + end,
                     [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    first = end;
  }
  for (QWidget* child : loose) CollectWidget(child, order);
}
}  // namespace

void SetVisualTabOrder(QWidget* root) {
  QList<QWidget*> order;
  CollectWidget(root, order);
  order.removeAll(root);
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}
