#include "dialogs/formselectname.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

TFormSelectName::TFormSelectName(QWidget* parent)
    : QDialog(parent),
      panel_(new QGroupBox(QStringLiteral("Wave List"), this)),
      grid_(new QTableWidget(panel_)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setObjectName(QStringLiteral("FormNames"));
  setWindowTitle(QStringLiteral("Select Name"));
  setModal(true);
  panel_->setObjectName(QStringLiteral("WaveList"));
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setColumnCount(kColumns);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid_->horizontalHeader()->setMinimumSectionSize(kColumnWidth);
  grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setShowGrid(false);
  QFont small = grid_->font();
  small.setPixelSize(11);
  grid_->setFont(small);
  const int frame = 2 * grid_->frameWidth();
  grid_->setFixedSize(
      kColumns * kColumnWidth + grid_->verticalScrollBar()->sizeHint().width() + frame,
      kVisibleRows * kRowHeight + frame);

  auto* panelLayout = new QVBoxLayout(panel_);
  panelLayout->addWidget(grid_);
  ok_->setObjectName(QStringLiteral("BtnOK"));
  cancel_->setObjectName(QStringLiteral("BtnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok_, &QPushButton::clicked, this, &TFormSelectName::OkClick);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, &TFormSelectName::OkClick);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSelectName::SetNames(const QStringList& names, int current) {
  count_ = static_cast<int>(names.size());
  index_ = -1;
  grid_->clearContents();
  const int rows = (count_ + kColumns - 1) / kColumns;
  grid_->setRowCount(rows);
  for (int i = 0; i < count_; ++i)
    grid_->setItem(i / kColumns, i % kColumns, new QTableWidgetItem(names[i]));
  topRow_ = 0;
  if (current >= 0 && current < count_) {
    const int row = current / kColumns;
    grid_->setCurrentCell(row, current % kColumns);
    // The current row is shown, as near the top as the list allows.
    topRow_ = std::max(0, std::min(row, rows - kVisibleRows));
  } else {
    grid_->setCurrentCell(-1, -1);
  }
  ScrollToTopRow();
}

void TFormSelectName::ScrollToTopRow() {
  // The scroll range follows the rows only once the grid has laid them out.
  grid_->doItemsLayout();
  grid_->verticalScrollBar()->setValue(topRow_);
}

void TFormSelectName::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ScrollToTopRow();
}

int TFormSelectName::TopRow() const {
  return grid_->verticalScrollBar()->value();
}

void TFormSelectName::OkClick() {
  const int row = grid_->currentRow();
  const int column = grid_->currentColumn();
  if (row < 0 || column < 0) return;
  const int index = row * kColumns + column;
  // An empty cell after the last name is no choice.
  if (index >= count_) return;
  index_ = index;
  accept();
}
