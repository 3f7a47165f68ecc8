#include "librarian/formbankbase.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStandardItemModel>

#include "dialogs/formedit.h"
#include "dialogs/helpwindow.h"
#include "frame/childframe.h"
#include "frame/draginfo.h"
#include "librarian/formbankgrid.h"
#include "librarian/formlibrary.h"
#include "librarian/librarianhost.h"
#include "librarian/libraryrow.h"
#include "librarian/printing.h"
#include "midi/config.h"
#include "model/bank.h"
#include "model/global.h"
#include "model/library.h"
#include "model/modelhooks.h"
#include "model/viewregistry.h"
#include "tools/preview.h"

namespace {

template <class T>
T* WindowOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* window = qobject_cast<T*>(w)) return window;
  return nullptr;
}
}  // namespace

TFormBankBase::TFormBankBase(TBank* bank, TLibrarianHost& host, QWidget* parent)
    : QWidget(parent), bank_(bank), host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  bank_->WindowOpen = true;
  bank_->Editor = this;
  Views().Add(*bank_, *this);
  grid_ = new TFormBankGrid(*this, this);
  grid_->SetRowTexts([this](int row) { return RowTexts(row); });
  setFocusProxy(grid_);
  CreateMenu();
}

TFormBankBase::~TFormBankBase() {
  if (!bank_) return;
  Views().Remove(*bank_, *this);
  if (bank_->Editor == this) {
    bank_->WindowOpen = false;
    bank_->Editor = nullptr;
  }
}

void TFormBankBase::CloseView() {
  Frame()->close();
}

TLibElem* TFormBankBase::Element() const {
  return bank_;
}

QWidget* TFormBankBase::Frame() const {
  if (subWindow_) return subWindow_;
  return const_cast<TFormBankBase*>(this);
}

void TFormBankBase::CreateHeader(const QStringList& titles, const int* widths) {
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setObjectName(QStringLiteral("Header"));
  auto* model = new QStandardItemModel(0, static_cast<int>(titles.size()), header_);
  model->setHorizontalHeaderLabels(titles);
  header_->setModel(model);
  grid_->SetHeader(header_);
  header_->setSectionResizeMode(QHeaderView::Fixed);
  header_->setStretchLastSection(true);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int i = 0; i < titles.size(); ++i) {
    header_->resizeSection(i, widths[i]);
    baseWidths_.push_back(widths[i]);
  }
}

void TFormBankBase::LayOutColumns(int top, int gridHeight, int leastWidth) {
  const int extra = std::max(width() - leastWidth, 0);
  header_->resizeSection(1, baseWidths_.at(1) + extra / 2);
  header_->setGeometry(kMargin, top, width() - 2 * kMargin, kHeaderHeight);
  grid_->setGeometry(kMargin, top + kHeaderHeight, width() - 2 * kMargin, gridHeight);
}

int TFormBankBase::SectionX(int section) const {
  return header_->sectionPosition(section);
}

void TFormBankBase::CreateMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu"));
  auto add = [this](const char* caption, const char* name, auto action) {
    QAction* item = menu_->addAction(QString::fromLatin1(caption), this, action);
    item->setObjectName(QString::fromLatin1(name));
    SetHelpContext(item, kMenuHelpContext);
    return item;
  };
  add("Load Sysex", "LoadSysex", [this] { MenuLoad(false); });
  add("Save Sysex", "SaveSysex", [this] { MenuSave(false); });
  menu_->addSeparator();
  menuImportXp_ = add("Import From XP", "ImportFromXP", [this] { MenuLoad(true); });
  menuExportXp_ = add("Export To XP", "ExportToXP", [this] { MenuSave(true); });
  menu_->addSeparator();
  add("Send", "Send", [this] {
    if (TLibElem* member = MenuElement()) member->Transmit(false);
  });
  add("Receive", "Receive", [this] {
    if (TLibElem* member = MenuElement()) member->Receive(false);
    Repaint();
  });
  menu_->addSeparator();
  add("Edit", "Edit", [this] { MenuEdit(); });
  add("Print", "Print", [this] {
    if (TLibElem* member = MenuElement()) PrintElements({member}, false, Config().DataCard);
  });
  add("Open", "Open", [this] {
    if (TLibElem* member = MenuElement()) member->OpenEditor();
  });
  EnableMenuHelp(menu_);
}

void TFormBankBase::Prepare() {
  subWindow_ = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (subWindow_) subWindow_->setWindowIcon(KindIcon(bank_->Kind));
  Updateview();
  PlaceInFrame();
  placed_ = true;
}

void TFormBankBase::PlaceInFrame() {
  QWidget* frame = Frame();
  frame->ensurePolished();
  const QSize margins = frame->size() - size();
  resize(InitialSize());
  frame->resize(InitialSize() + (frame == this ? QSize() : margins));
  // The stored width, never below the least.
  if (bank_->Width != 0xFFFF)
    frame->resize(std::max<int>(bank_->Width, frame->width()), frame->height());
  if (KeepsStoredHeight() && bank_->Height != 0xFFFF)
    frame->resize(frame->width(), std::max<int>(bank_->Height, 100));
  QPoint pos(bank_->WinLeft, bank_->WinTop);
  // A window with no stored place goes beside the window it was opened from, whole in the frame.
  if (bank_->WinTop == 0xFFFF || bank_->WinLeft == 0xFFFF)
    pos = ChildFrame().NewPlace(subWindow_, frame->size());
  frame->move(pos);
}

void TFormBankBase::Updateview() {
  if (!bank_) return;
  setWindowTitle(bank_->KindName() + QLatin1Char(' ') + bank_->GetName() +
                 QStringLiteral(" [Location : ") + OwnerPath(*bank_) + QStringLiteral("][*]"));
  Repaint();
}

void TFormBankBase::Repaint() {
  grid_->viewport()->update();
}

void TFormBankBase::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

int TFormBankBase::IndexOf(const TLibElem* member) const {
  if (!bank_ || !member) return -1;
  for (int i = 0; i < bank_->Count(); ++i)
    if (&bank_->Member(i) == member) return i;
  return -1;
}

void TFormBankBase::DeselectAll() {
  if (!bank_) return;
  for (auto& member : bank_->Members) member->Selected = false;
}

void TFormBankBase::SelectMember(int index, Qt::KeyboardModifiers modifiers) {
  if (!bank_ || index < 0 || index >= bank_->Count()) return;
  auto& members = bank_->Members;
  if (modifiers & Qt::ShiftModifier) {
    int count = 0;
    int anchor = -1;
    for (int i = 0; i < bank_->Count(); ++i)
      if (members[static_cast<std::size_t>(i)]->Selected) {
        ++count;
        anchor = i;
      }
    if (count == 1) {
      for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
        members[static_cast<std::size_t>(i)]->Selected = true;
      return;
    }
  } else if (modifiers & Qt::ControlModifier) {
    members[static_cast<std::size_t>(index)]->Selected =
        !members[static_cast<std::size_t>(index)]->Selected;
    return;
  }
  DeselectAll();
  members[static_cast<std::size_t>(index)]->Selected = true;
}

bool TFormBankBase::GridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                  QPoint pos) {
  lastMouseY_ = pos.y();
  TLibElem* member = MemberAt(grid_->RowAt(pos.y()));
  const int index = IndexOf(member);
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  if (index < 0) return false;
  if (button == Qt::LeftButton) {
    if (!member->Selected) {
      SelectMember(index, modifiers);
      Repaint();
    }
    if (shift || ctrl) return false;
    BeginDrag();
    return true;
  }
  if (button != Qt::RightButton) return false;
  if (!shift) {
    SelectMember(index, Qt::NoModifier);
    Repaint();
    PopupMenu(member, pos);
  } else if (Auditions()) {
    // The member sounds from the temporary area once the main window's preview timer fires.
    SelectMember(index, Qt::NoModifier);
    Repaint();
    member->Transmit(true);
    if (auto& start = LibraryWindowHooks().StartPatchAudition) start();
  }
  return false;
}

void TFormBankBase::GridMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (button == Qt::RightButton && (modifiers & Qt::ShiftModifier) && Auditions()) StopPreview();
}

void TFormBankBase::GridDoubleClick(QPoint pos) {
  host_.SetDoubleClicked(true);
  lastMouseY_ = pos.y();
  if (TLibElem* member = MemberAt(grid_->RowAt(pos.y()))) member->OpenEditor();
}

void TFormBankBase::KeyboardSelect(int anchorRow, int row, bool extend) {
  const int index = IndexOf(MemberAt(row));
  if (index < 0) return;
  const int anchor = extend ? IndexOf(MemberAt(anchorRow)) : -1;
  if (anchor < 0) {
    SelectMember(index, Qt::NoModifier);
  } else {
    // As a Shift-click: every member between the two.
    DeselectAll();
    for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
      bank_->Member(i).Selected = true;
  }
  Repaint();
}

void TFormBankBase::mousePressEvent(QMouseEvent* event) {
  // A click beside the grid clears the selection.
  DeselectAll();
  Repaint();
  QWidget::mousePressEvent(event);
}

void TFormBankBase::PopupMenu(TLibElem* member, QPoint gridPos) {
  menuElement_ = member;
  const bool rhythm = member->Kind == ekRhythm || member->Kind == ekRhythmBank;
  menuImportXp_->setEnabled(!rhythm);
  menuExportXp_->setEnabled(!rhythm);
  // The grid's point taken as if it were in the window, then moved below the pointer.
  menu_->popup(mapToGlobal(gridPos) + QPoint(15, 35));
}

void TFormBankBase::MenuLoad(bool xp) {
  TLibElem* member = MenuElement();
  if (!member) return;
  std::unique_ptr<TXpScope> scope;
  if (xp) scope = std::make_unique<TXpScope>();
  member->LoadSysexFile();
  scope.reset();
  Repaint();
}

void TFormBankBase::MenuSave(bool xp) {
  TLibElem* member = MenuElement();
  if (!member) return;
  std::unique_ptr<TXpScope> scope;
  if (xp) scope = std::make_unique<TXpScope>();
  // An export always asks for its file, so that the member's own file keeps its layout.
  member->SaveSysexFile(xp);
  Repaint();
}

void TFormBankBase::MenuEdit() {
  TLibElem* member = MenuElement();
  if (!member) return;
  TFormEdit dialog(this);
  dialog.Execute(*member, Config().DataCard);
  Repaint();
}

bool TFormBankBase::DragOverGrid(QWidget* source, int row) {
  TDragInfo& drag = host_.DragInfo();
  bool accepted = false;
  if (bank_ && source && source != this && row >= 0) {
    // The catalog's sounds are taken as a library's elements are.
    if (drag.Sounds)
      accepted = AcceptFromLibrary(drag, row);
    else if (auto* window = qobject_cast<TFormBankBase*>(source))
      accepted = window->Bank() && AcceptFromWindow(*window, drag, row);
    else if (WindowOf<TFormLibrary>(source))
      accepted = AcceptFromLibrary(drag, row);
  }
  if (accepted) dropRow_ = row;
  drag.Accepted = accepted;
  return accepted;
}

void TFormBankBase::BeginDrag() {
  if (!bank_) return;
  host_.SetDoubleClicked(false);
  TDragInfo& drag = host_.DragInfo();
  drag.Clear();
  drag.Source = this;
  for (auto& member : bank_->Members)
    if (member->Selected) drag.Items.push_back({member.get()});
}

void TFormBankBase::EndDrag(QWidget* target) {
  if (!target || !host_.DragInfo().Accepted || host_.DoubleClicked()) return;
  TDragInfo& drag = host_.DragInfo();
  if (TFormLibrary* window = WindowOf<TFormLibrary>(target)) {
    // Members leave a bank only as copies, appended to the library.
    drag.Target = window;
    window->AppendCopies(drag);
    host_.EnableMenuItems();
  } else if (TFormBankBase* window = WindowOf<TFormBankBase>(target)) {
    if (window == this) return;
    drag.Target = window;
    window->ProcCopy(drag);
  }
}

void TFormBankBase::ProcCopy(const TDragInfo& drag) {
  if (!bank_) return;
  DeselectAll();
  CopyInto(drag, dropRow_);
  Repaint();
  host_.EnableMenuItems();
}

void TFormBankBase::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closing_) return;
  closing_ = true;
  if (TBank* bank = bank_) {
    // Keeping the place is a change of the library, as for library windows.
    const auto before = std::make_tuple(bank->WinLeft, bank->WinTop, bank->Width, bank->Height);
    if (placed_) bank->StorePositions();
    if (before != std::make_tuple(bank->WinLeft, bank->WinTop, bank->Width, bank->Height))
      if (auto* library = dynamic_cast<TLibrary*>(bank->TopOwner())) {
        library->Saved = false;
        host_.EnableMenuItems();
      }
    bank->WindowOpen = false;
    bank->Editor = nullptr;
    Views().Remove(*bank, *this);
    bank_ = nullptr;
    for (auto& member : bank->Members) Views().Close(*member);
  }
  menuElement_ = nullptr;
  if (subWindow_) subWindow_->close();
}
