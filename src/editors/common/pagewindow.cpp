#include "editors/common/pagewindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/taborder.h"
#include "editors/common/parambinding.h"
#include "editors/common/wheelguard.h"
#include "midi/userinterface.h"
#include "model/block.h"
#include "model/libelem.h"

void ReportOutOfResource() {
  UI().Show(TMsgKind::Error, QStringLiteral("Out of Resource"));
}

TPageWindow::TPageWindow(TLibElem& element, TBlock& block, TPageSlot& slot, TPageDesign design,
                         QWidget* parent)
    : QWidget(parent),
      TPageState(element, block, std::max<int>(1, static_cast<int>(design.Tabs.size()))),
      design_(std::move(design)),
      slot_(slot) {
  Init();
}

TPageWindow::TPageWindow(TLibElem& element, std::function<TBlock&(int)> blockOf, TPageSlot& slot,
                         TPageDesign design, QWidget* parent)
    : QWidget(parent),
      TPageState(element, std::move(blockOf), design.Slots,
                 std::max<int>(1, static_cast<int>(design.Tabs.size()))),
      design_(std::move(design)),
      slot_(slot) {
  Init();
}

TPageWindow::~TPageWindow() {
  Release();
}

void TPageWindow::Init() {
  InstallWheelGuard();
  setObjectName(design_.ObjectName);
  setAttribute(Qt::WA_DeleteOnClose);
  // The main window's F1 asks the active child for its help context.
  setProperty("HelpContext", design_.HelpContext);
  slot_.Open = true;
  slot_.Window = this;
  Views().Add(Object(), *this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);
  // Page windows are not resizable: the window always takes the size of what it holds.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (design_.Tabs.isEmpty()) {
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("Content"));
    tabPages_.push_back(content);
    layout->addWidget(content);
  } else {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl"));
    for (const QString& caption : design_.Tabs) {
      auto* tab = new QWidget(tabs_);
      tab->setObjectName(QStringLiteral("Tab%1").arg(tabPages_.size()));
      tabPages_.push_back(tab);
      tabs_->addTab(tab, caption);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { SetTab(index); });
    layout->addWidget(tabs_);
  }

  auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
  auto* redoY = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), this);
  for (QShortcut* shortcut : {undo, redo, redoY})
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
  connect(undo, &QShortcut::activated, this, [this] { Undo(); });
  connect(redo, &QShortcut::activated, this, [this] { Redo(); });
  connect(redoY, &QShortcut::activated, this, [this] { Redo(); });
}

QWidget* TPageWindow::TabPage(int tab) const {
  return tabPages_.at(static_cast<std::size_t>(tab));
}

TParamBinding* TPageWindow::BindRow(const TParamRow& row, QWidget* parent) {
  auto* binding = new TParamBinding(row, *this, parent);
  bindings_.push_back(binding);
  return binding;
}

QBoxLayout* TPageWindow::BuildRows(std::span<const TParamRow> rows, int page, int tab,
                                   int columns) {
  QWidget* host = TabPage(tab);
  auto* line = qobject_cast<QBoxLayout*>(host->layout());
  if (!line) {
    line = new QHBoxLayout(host);
    line->setContentsMargins(8, 8, 8, 8);
    line->setSpacing(18);
  }
  std::vector<const TParamRow*> mine;
  for (const TParamRow& row : rows)
    if (row.Page == page && row.Tab == tab && TParamBinding::Buildable(row)) mine.push_back(&row);
  const int count = static_cast<int>(mine.size());
  columns = std::max(columns, 1);
  const int perColumn = std::max((count + columns - 1) / columns, 1);
  // Each column is a grid of its own, so that a tall control in one column does not spread the
  // rows of the other.
  QGridLayout* grid = nullptr;
  for (int i = 0; i < count; ++i) {
    if (i % perColumn == 0) {
      grid = new QGridLayout;
      grid->setHorizontalSpacing(8);
      grid->setVerticalSpacing(6);
      grid->setAlignment(Qt::AlignTop);
      line->addLayout(grid);
    }
    TParamBinding* binding = BindRow(*mine[static_cast<std::size_t>(i)], host);
    const int at = i % perColumn;
    if (binding->Label()) {
      grid->addWidget(binding->Label(), at, 0, Qt::AlignLeft | Qt::AlignVCenter);
      grid->addWidget(binding->Widget(), at, 1, Qt::AlignLeft | Qt::AlignVCenter);
    } else {
      grid->addWidget(binding->Widget(), at, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    }
  }
  return line;
}

void TPageWindow::RemoveBinding(TParamBinding* binding) {
  const auto found = std::find(bindings_.begin(), bindings_.end(), binding);
  if (found == bindings_.end()) return;
  bindings_.erase(found);
  delete binding->Label();
  delete binding->Widget();
  delete binding;
}

TParamBinding* TPageWindow::Binding(int offset) const {
  for (TParamBinding* binding : bindings_)
    if (binding->Row().Offset == offset) return binding;
  return nullptr;
}

QWidget* TPageWindow::Control(int offset) const {
  TParamBinding* binding = Binding(offset);
  return binding ? binding->Widget() : nullptr;
}

QWidget* TPageWindow::RowColumn(std::span<const TParamRow> rows,
                                std::initializer_list<int> offsets) {
  auto* column = new QWidget(TabPage(0));
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 0, 0, 0);
  int line = 0;
  for (int offset : offsets) {
    for (const TParamRow& row : rows) {
      if (row.Offset != offset) continue;
      TParamBinding* binding = BindRow(row, column);
      if (binding->Label()) grid->addWidget(binding->Label(), line, 0);
      grid->addWidget(binding->Widget(), line, 1, Qt::AlignLeft);
      ++line;
    }
  }
  grid->setRowStretch(line, 1);
  return column;
}

void TPageWindow::Finish() {
  panelBtn_ = new QWidget(this);
  panelBtn_->setObjectName(QStringLiteral("Panelbtn"));
  auto* row = new QHBoxLayout(panelBtn_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addStretch();
  btnClose_ = new QPushButton(QStringLiteral("&Close"), panelBtn_);
  btnRevert_ = new QPushButton(QStringLiteral("&Revert"), panelBtn_);
  btnUndo_ = new QPushButton(QStringLiteral("&Undo"), panelBtn_);
  btnRedo_ = new QPushButton(QStringLiteral("Re&do"), panelBtn_);
  btnClose_->setObjectName(QStringLiteral("BtnClose"));
  btnRevert_->setObjectName(QStringLiteral("BtnRevert"));
  btnUndo_->setObjectName(QStringLiteral("BtnUndo"));
  btnRedo_->setObjectName(QStringLiteral("BtnRedo"));
  btnUndo_->setToolTip(QStringLiteral("Undo (Ctrl+Z)"));
  btnRedo_->setToolTip(QStringLiteral("Redo (Ctrl+Y)"));
  for (QPushButton* button : {btnClose_, btnRevert_, btnUndo_, btnRedo_}) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  connect(btnClose_, &QPushButton::clicked, this, [this] { Frame()->close(); });
  connect(btnRevert_, &QPushButton::clicked, this, [this] { Revert(); });
  connect(btnUndo_, &QPushButton::clicked, this, [this] { Undo(); });
  connect(btnRedo_, &QPushButton::clicked, this, [this] { Redo(); });
  layout()->addWidget(panelBtn_);
  CheckBtnEnabled();
  SetVisualTabOrder(this);
}

QString TPageWindow::Caption() const {
  const TLibElem& element = Object();
  return element.GetName() + design_.Title + QStringLiteral(" [Loc : ") + EditorLocation(element) +
         QStringLiteral("][*]");
}

void TPageWindow::UpdateView() {
  if (released_) return;
  Updating = true;
  setWindowTitle(Caption());
  const std::uint8_t* data = Block().Data();
  for (TParamBinding* binding : bindings_) binding->Show(data);
  ShowExtra();
  CheckBtnEnabled();
  Updating = false;
}

void TPageWindow::ShowName() {
  if (!released_) setWindowTitle(Caption());
}

void TPageWindow::CheckBtnEnabled() {
  if (!btnUndo_) return;
  btnUndo_->setEnabled(CanUndo());
  btnRevert_->setEnabled(CanUndo());
  btnRedo_->setEnabled(CanRedo());
}

QWidget* TPageWindow::Frame() const {
  if (QMdiSubWindow* sub = TChildFrame::SubWindowOf(this)) return sub;
  return const_cast<TPageWindow*>(this);
}

void TPageWindow::Present() {
  QMdiArea* area = ChildFrame().Area();
  QMdiSubWindow* opener = area ? area->activeSubWindow() : nullptr;
  if (QMdiSubWindow* sub = ChildFrame().AddChild(this)) {
    if (opener != sub) opener_ = opener;
    sub->setWindowFlags(sub->windowFlags() & ~Qt::WindowMaximizeButtonHint);
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
              if (!(before & Qt::WindowActive) && (now & Qt::WindowActive)) Activated();
            });
  }
  PlaceInFrame();
  Frame()->show();
  ChildFrame().BringToFront(this);
}

void PlaceInFrame(QWidget* frame, TPageSlot& slot, QPoint designed) {
  frame->adjustSize();
  int left = slot.Left;
  int top = slot.Top;
  if (slot.Top == kNoPosition) {
    left = designed.x();
    top = designed.y();
    // A designed place past the frame's edges moves the window in, to one pixel from the edge.
    if (QMdiArea* area = ChildFrame().Area(); area && qobject_cast<QMdiSubWindow*>(frame)) {
      const QSize client = area->viewport()->size();
      if (client.height() <= top + frame->height()) top = client.height() - frame->height() - 1;
      if (client.width() <= left + frame->width()) left = client.width() - frame->width() - 1;
      left = std::max(left, 0);
      top = std::max(top, 0);
    }
    slot.Left = static_cast<std::uint16_t>(left);
    slot.Top = static_cast<std::uint16_t>(top);
  }
  frame->move(left, top);
}

void TPageWindow::PlaceInFrame() {
  adjustSize();
  ::PlaceInFrame(Frame(), slot_, design_.DesignedPos);
}

void TPageWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_ || released_) return;
  shown_ = true;
  UpdateView();
  ClearHistory();
  CheckBtnEnabled();
}

void TPageWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // A page outside an MDI area is a window of its own.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
      !TChildFrame::SubWindowOf(this))
    Activated();
}

void TPageWindow::Activated() {
  if (released_) return;
  Activate(ChildFrame().DragInProgress);
}

void TPageWindow::closeEvent(QCloseEvent* event) {
  // Handing the activation over before the frame goes keeps the frame from choosing another.
  QMdiSubWindow* sub = TChildFrame::SubWindowOf(this);
  if (sub && opener_ && opener_ != sub && opener_->isVisible() && sub->mdiArea() &&
      sub->mdiArea()->activeSubWindow() == sub)
    sub->mdiArea()->setActiveSubWindow(opener_);
  Release();
  event->accept();
}

void TPageWindow::CloseView() {
  Release();
  Frame()->close();
}

void TPageWindow::Release() {
  if (released_) return;
  released_ = true;
  if (shown_) {
    const QWidget* frame = Frame();
    auto clamp = [](int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFE)); };
    slot_.Left = clamp(frame->x());
    slot_.Top = clamp(frame->y());
  }
  slot_.Open = false;
  slot_.Window = nullptr;
  Views().Remove(Object(), *this);
  // Its element may be gone from now on: nothing the user does reaches it any more.
  setEnabled(false);
}
