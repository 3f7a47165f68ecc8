#include "librarian/formbank.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include "dialogs/helpwindow.h"
#include "frame/draginfo.h"
#include "librarian/formbankgrid.h"
#include "librarian/libraryrow.h"
#include "model/bank.h"

namespace {
constexpr int kMargin = TFormBankBase::kMargin;
constexpr int kRowHeight = TFormBankGrid::kRowHeight;
// The date column is wider than the header needs: date and time in the platform's short formats
// must fit it.
constexpr int kHeaderWidths[] = {32, 110, 60, 150};
constexpr int kSectionsWidth = 32 + 110 + 60 + 150;

int MemberKindOf(int bankKind) {
  switch (bankKind) {
    case ekPatchBank:
      return ekPatch;
    case ekPerformanceBank:
      return ekPerformance;
    case ekRhythmBank:
      return ekRhythm;
    default:
      return -1;
  }
}
}  // namespace

TFormBank::TFormBank(TBank* bank, TLibrarianHost& host, QWidget* parent)
    : TFormBankBase(bank, host, parent), count_(bank->Count()) {
  setObjectName(QStringLiteral("FormBank"));
  SetHelpContext(this, kHelpContext);
  CreateHeader({QStringLiteral("Type"), QStringLiteral("Name"), QStringLiteral("Number"),
                QStringLiteral("Modified Date")},
               kHeaderWidths);
  grid_->SetRowCount(count_);
  // A rhythm bank shows its two rows and no more; others grow downwards too. A wider window
  // has wider name and date columns.
  setMinimumWidth(PanelWidth());
  if (!KeepsStoredHeight()) {
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedHeight(InitialSize().height());
  } else {
    setMinimumHeight(kMargin * 2 + kHeaderHeight + grid_->HeightForRows(2));
  }
  resize(InitialSize());
}

int TFormBank::MemberKind() const {
  return bank_ ? MemberKindOf(bank_->Kind) : -1;
}

int TFormBank::PanelWidth() const {
  return kMargin * 2 + kSectionsWidth + grid_->verticalScrollBar()->sizeHint().width() + 2;
}

bool TFormBank::KeepsStoredHeight() const {
  return count_ != 2;
}

QSize TFormBank::InitialSize() const {
  const int rows = KeepsStoredHeight() ? 16 : 2;
  return {PanelWidth(), kMargin * 2 + kHeaderHeight + grid_->HeightForRows(rows)};
}

void TFormBank::LayOut() {
  if (!header_) return;
  const int top = kMargin + kHeaderHeight;
  LayOutColumns(kMargin, std::max(height() - top - kMargin, 0), PanelWidth());
}

TLibElem* TFormBank::MemberAt(int row) const {
  if (!bank_ || row < 0 || row >= bank_->Count()) return nullptr;
  return &bank_->Member(row);
}

QStringList TFormBank::RowTexts(int row) const {
  const TLibElem* member = MemberAt(row);
  if (!member) return {};
  return {member->KindName(), member->GetName(),
          QStringLiteral("  ") + QStringLiteral("%1").arg(row + 1, 3, 10, QLatin1Char('0')),
          ModifiedText(*member)};
}

void TFormBank::DrawRow(QPainter& painter, int row, const QRect& rect) const {
  const TLibElem* member = MemberAt(row);
  if (!member) {
    painter.fillRect(rect, Qt::white);
    return;
  }
  painter.fillRect(rect, member->Selected ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::white));
  painter.drawPixmap(5, rect.top() + 1, KindIcon(member->Kind));
  painter.setPen(Qt::black);
  const int baseline = rect.top() + 1 + painter.fontMetrics().ascent();
  const QStringList texts = RowTexts(row);
  for (int i = 1; i < 4; ++i) painter.drawText(SectionX(i) + 10, baseline, texts[i]);
}

bool TFormBank::Fits(int row, std::size_t count) const {
  return bank_ && count > 0 && row >= 0 && row + static_cast<int>(count) - 1 < bank_->Count();
}

bool TFormBank::AcceptFromLibrary(const TDragInfo& drag, int row) const {
  if (drag.Items.size() > static_cast<std::size_t>(bank_->Count())) return false;
  for (const TDragElem& item : drag.Items)
    if (!item.Element || item.Element->Kind != MemberKind()) return false;
  return Fits(row, drag.Items.size());
}

bool TFormBank::AcceptFromWindow(const TFormBankBase& source, const TDragInfo& drag,
                                 int row) const {
  const auto* bank = qobject_cast<const TFormBank*>(&source);
  return bank && bank->MemberKind() == MemberKind() && Fits(row, drag.Items.size());
}

void TFormBank::CopyInto(const TDragInfo& drag, int row) {
  // Checked again: the bank may have changed since the drag was accepted.
  if (!Fits(row, drag.Items.size())) return;
  for (std::size_t k = 0; k < drag.Items.size(); ++k) {
    const TLibElem* source = drag.Items[k].Element;
    if (!source || source->Kind != MemberKind()) continue;
    const int position = row + static_cast<int>(k);
    TLibElem& member = bank_->Member(position);
    if (&member == source) continue;
    member.Assign(*source);
    member.Temporary = false;
    member.Number = static_cast<std::uint16_t>(position + 1);
    member.User = bank_->User;
    member.Modified();
    member.UpdateViews();
  }
}
