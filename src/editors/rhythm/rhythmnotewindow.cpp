#include "editors/rhythm/rhythmnotewindow.h"

#include <vector>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/edittype.h"
#include "controls/keyselector.h"
#include "controls/pangraph.h"
#include "editors/common/parambinding.h"
#include "editors/params/params.h"

TRhythmNoteWindow::TRhythmNoteWindow(TRhythm& rhythm, TRhythm::TPage page, const QString& name,
                                     const QString& section, TClipboard::TNoteSection clip,
                                     QWidget* parent)
    : TPageWindow(
          rhythm,
          [&rhythm](int slot) -> TBlock& { return rhythm.Notes[static_cast<std::size_t>(slot)]; },
          rhythm.Pages[page],
          {name, QStringLiteral(" [") + section + QStringLiteral("]"), 44, {}, {60, 60}, kKeyCount},
          parent),
      rhythm_(rhythm),
      page_(page),
      clip_(clip),
      keys_(new TKeySelector(this)),
      keyBox_(new QLineEdit(this)),
      body_(new QVBoxLayout),
      copy_(new QPushButton(QStringLiteral("Copy"), this)),
      paste_(new QPushButton(QStringLiteral("Paste"), this)),
      revertAll_(new QPushButton(QStringLiteral("&Revert All"), this)) {
  QWidget* host = TabPage(0);
  for (QWidget* w : std::initializer_list<QWidget*>{keys_, keyBox_, copy_, paste_, revertAll_})
    w->setParent(host);
  auto* layout = new QVBoxLayout(host);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(new QLabel(QStringLiteral("Key "), host));
  keyBox_->setObjectName(QStringLiteral("KeyName"));
  keyBox_->setReadOnly(true);
  keyBox_->setMaximumWidth(56);
  keyRow->addWidget(keyBox_);
  keyRow->addStretch(1);
  layout->addLayout(keyRow);
  keys_->setObjectName(QStringLiteral("KeySelector"));
  keys_->SetKeyWidth(10);
  keys_->setFixedSize(10 + 38 * 10 + 10, 46);
  layout->addWidget(keys_);
  connect(keys_, &TKeySelector::Endchange, this, &TRhythmNoteWindow::KeyPressed);
  connect(keys_, &TKeySelector::Change, this, &TRhythmNoteWindow::KeyDragged);
  layout->addLayout(body_);

  copy_->setObjectName(QStringLiteral("BtnCopy"));
  paste_->setObjectName(QStringLiteral("BtnPaste"));
  revertAll_->setObjectName(QStringLiteral("BtnRevertAll"));
  connect(copy_, &QPushButton::clicked, this, &TRhythmNoteWindow::BtnCopyClick);
  connect(paste_, &QPushButton::clicked, this, &TRhythmNoteWindow::BtnPasteClick);
  connect(revertAll_, &QPushButton::clicked, this, &TRhythmNoteWindow::BtnRevertAllClick);
  auto* clipRow = new QHBoxLayout;
  clipRow->addWidget(copy_);
  clipRow->addWidget(paste_);
  clipRow->addStretch(1);
  clipRow->addWidget(revertAll_);
  layout->addLayout(clipRow);
}

QString TRhythmNoteWindow::KeyText(int key) {
  return EditTypeText(Note, key).trimmed() + QStringLiteral("  ");
}

void TRhythmNoteWindow::showEvent(QShowEvent* event) {
  TPageWindow::showEvent(event);
  if (shown_) return;
  // Opening: key 35 and every history empty.
  shown_ = true;
  SelectKey(TRhythmNote::kFirstKey);
  ClearHistories();
}

QWidget* TRhythmNoteWindow::RowColumn(std::initializer_list<int> offsets) {
  return TPageWindow::RowColumn(RhythmNoteRows(), offsets);
}

TPanGraph* TRhythmNoteWindow::AddGraph(int graphType, int timeOffset, int levelOffset, int levels) {
  graph_ = new TPanGraph(TabPage(0));
  graph_->setObjectName(QStringLiteral("EnvelopeGraph"));
  graph_->SetGraphType(static_cast<TGraphType>(graphType));
  graph_->setFixedSize(160, 140);
  timeOffset_ = timeOffset;
  levelOffset_ = levelOffset;
  levels_ = levels;
  connect(graph_, &TPanGraph::OnEndchange, this, &TRhythmNoteWindow::GraphEnded);
  return graph_;
}

void TRhythmNoteWindow::GraphEnded() {
  if (Updating) return;
  // The levels follow the times: the drag's changed bytes go as one change (one Undo step).
  const TGraphPoints points = graph_->Points();
  const int count = levelOffset_ - timeOffset_ + levels_;
  const std::uint8_t* held = Block().Data() + timeOffset_;
  std::vector<std::uint8_t> bytes(held, held + count);
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(points[static_cast<std::size_t>(2 + 2 * i)]);
  for (int i = 0; i < levels_; ++i)
    bytes[static_cast<std::size_t>(levelOffset_ - timeOffset_ + i)] =
        static_cast<std::uint8_t>(points[static_cast<std::size_t>(3 + 2 * i)]);
  SendAndStoreChanges(timeOffset_, bytes.data(), count);
}

void TRhythmNoteWindow::SelectKey(int key) {
  keys_->SetKeySelected(key - TRhythmNote::kFirstKey - 1);
  SetSlot(key - TRhythmNote::kFirstKey);
  // The main window's audition plays the key being edited while this window is active.
  setProperty("PreviewNote", Key());
  UpdateView();
}

void TRhythmNoteWindow::KeyPressed() {
  const int k = keys_->KeySelected();
  if (k < TKeySelector::kFirstKey || k > TKeySelector::kLastKey) return;
  SelectKey(k + TRhythmNote::kFirstKey + 1);
}

void TRhythmNoteWindow::KeyDragged() {
  // While the pointer runs over the keys only the key's name follows.
  keyBox_->setText(KeyText(keys_->KeySelected() + TRhythmNote::kFirstKey + 1));
}

void TRhythmNoteWindow::ShowExtra() {
  keyBox_->setText(KeyText(Key()));
  keys_->SetKeySelected(Key() - TRhythmNote::kFirstKey - 1);
  const std::uint8_t* note = Block().Data();
  if (graph_) {
    const int start = graph_->GraphType() == FirstHalf ? 63 : 0;
    TGraphPoints points = {0, start, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
      points[static_cast<std::size_t>(2 + 2 * i)] = note[timeOffset_ + i];
      points[static_cast<std::size_t>(3 + 2 * i)] = i < levels_ ? note[levelOffset_ + i] : 0;
    }
    graph_->SetPoints(points);
  }
  ShowNoteExtra(note);
  paste_->setEnabled(Clipboard().NoteFilled(clip_));
}

void TRhythmNoteWindow::BtnCopyClick() {
  Clipboard().CopyNoteSection(clip_, Block().Data());
  paste_->setEnabled(true);
}

void TRhythmNoteWindow::BtnPasteClick() {
  // No undo record for a paste; the set has changed all the same and is marked so.
  if (!Clipboard().PasteNoteSection(clip_, Block().Data())) return;
  rhythm_.Modified();
  UpdateView();
  rhythm_.Transmit(true);
}

void TRhythmNoteWindow::SendAfterRevert() {
  rhythm_.Transmit(true);
}
