#include "librarian/formglobal.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>

#include "dialogs/helpwindow.h"
#include "frame/draginfo.h"
#include "librarian/formbankgrid.h"
#include "librarian/librarianhost.h"
#include "librarian/libraryrow.h"
#include "midi/config.h"
#include "model/global.h"

namespace {
constexpr int kMargin = TFormBankBase::kMargin;
constexpr int kRowHeight = TFormBankGrid::kRowHeight;
// The date column is wider than the header needs, so that date and time fit it.
constexpr int kHeaderWidths[] = {147, 110, 70, 150};
constexpr int kPanelWidth = kMargin * 2 + 147 + 110 + 70 + 150 + 2;
}  // namespace

TFormGlobal::TFormGlobal(TBank* global, TLibrarianHost& host, QWidget* parent)
    : TFormBankBase(global, host, parent) {
  setObjectName(QStringLiteral("FormGlobal"));
  SetHelpContext(this, kHelpContext);
  CreateHeader({QStringLiteral("Type"), QStringLiteral("Name"), QStringLiteral("Src/Dest"),
                QStringLiteral("Modified Date")},
               kHeaderWidths);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  resize(kPanelWidth, height());
  SetRowCount();
}

int TFormGlobal::Rows() {
  return Config().DataCard ? TGlobal::kMemberCount : TGlobal::kMemberCount / 2 + 1;
}

int TFormGlobal::CalcInd(int row) const {
  if (row < 0 || row >= Rows()) return -1;
  return Config().DataCard ? row : 2 * row;
}

QSize TFormGlobal::InitialSize() const {
  return {kPanelWidth, grid_->HeightForRows(Rows()) + kHeaderHeight + 18};
}

void TFormGlobal::SetRowCount() {
  // The height follows the rows; the width may grow, for wider name and date columns.
  const QSize size(std::max(width(), kPanelWidth), InitialSize().height());
  QWidget* frame = Frame();
  const QSize margins = frame == this ? QSize() : frame->size() - this->size();
  setMinimumWidth(kPanelWidth);
  setFixedHeight(size.height());
  resize(size);
  if (frame != this) frame->resize(size + margins);
  LayOut();
  // Set after the grid has its new height, so that the rows it gains are painted at once.
  grid_->SetRowCount(Rows());
}

void TFormGlobal::LayOut() {
  if (!header_) return;
  LayOutColumns(kMargin, grid_->HeightForRows(Rows()), kPanelWidth);
}

TLibElem* TFormGlobal::MemberAt(int row) const {
  const int index = CalcInd(row);
  if (!bank_ || index < 0 || index >= bank_->Count()) return nullptr;
  return &bank_->Member(index);
}

QStringList TFormGlobal::RowTexts(int row) const {
  const TLibElem* entry = MemberAt(row);
  if (!entry) return {};
  return {entry->KindName(), entry->GetName(), entry->LocationText(), ModifiedText(*entry)};
}

void TFormGlobal::DrawRow(QPainter& painter, int row, const QRect& rect) const {
  const TLibElem* entry = MemberAt(row);
  if (!entry) {
    painter.fillRect(rect, Qt::white);
    return;
  }
  painter.fillRect(rect, entry->Selected ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::white));
  painter.drawPixmap(10, rect.top() + 1, KindIcon(entry->Kind));
  painter.setPen(Qt::black);
  const int baseline = rect.top() + 1 + painter.fontMetrics().ascent();
  const QStringList texts = RowTexts(row);
  painter.drawText(47, baseline, texts[0]);
  for (int i = 1; i < 4; ++i) painter.drawText(SectionX(i) + 5, baseline, texts[i]);
}

bool TFormGlobal::AcceptFromLibrary(const TDragInfo& drag, int) const {
  if (drag.Items.size() != 1 || !drag.Items.front().Element) return false;
  const int kind = drag.Items.front().Element->Kind;
  return kind == ekPatchBank || kind == ekPerformanceBank || kind == ekRhythmBank ||
         kind == ekSystem;
}

bool TFormGlobal::AcceptFromWindow(const TFormBankBase& source, const TDragInfo&, int) const {
  return qobject_cast<const TFormGlobal*>(&source) != nullptr;
}

void TFormGlobal::CopyInto(const TDragInfo& drag, int) {
  for (const TDragElem& item : drag.Items) {
    const TLibElem* source = item.Element;
    if (!source) continue;
    // The system has no user or card memory; banks go to the entry of their own memory.
    for (auto& entry : bank_->Members) {
      if (entry->Kind != source->Kind || (source->Kind != ekSystem && entry->User != source->User))
        continue;
      if (entry.get() != source) {
        entry->Assign(*source);
        entry->Modified();
        entry->UpdateViews();
      }
      break;
    }
  }
}

void RelayoutGlobalWindows(const TLibrarianHost& host) {
  for (QWidget* child : host.Children())
    if (auto* window = qobject_cast<TFormGlobal*>(child)) window->SetRowCount();
}
