#pragma once
// The Tab order of a window in the order its controls are seen: the structure of its layouts
// (a row left to right, a column top to bottom, a grid row by row, a tab widget's bar before
// its pages in tab order) and, for children placed by hand, their places (top to bottom, then
// left to right). Controls made later than their neighbours (a graph a page adds, a field a
// type change rebuilds) take their place in that order instead of the end of the chain.
class QWidget;

void SetVisualTabOrder(QWidget* root);
