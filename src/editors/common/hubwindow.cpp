#include "editors/common/hubwindow.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "controls/accessiblecontrol.h"
#include "controls/taborder.h"
#include "editors/common/pagestate.h"
#include "editors/common/partkind.h"
#include "editors/common/wheelguard.h"
#include "model/libelem.h"

namespace {
// Selected parts are painted aqua.
const QColor kSelected(0x00, 0xFF, 0xFF);

// Rounds a place into the 16-bit fields where FFFF means none.
std::uint16_t Place(int v) {
  return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFE));
}

// A screen reader reads a part button as a button with its caption.
QAccessibleInterface* PartButtonFactory(const QString&, QObject* object) {
  auto* part = qobject_cast<TPartButton*>(object);
  return part ? new QAccessibleWidget(part, QAccessible::PushButton) : nullptr;
}
}  // namespace

TPartButton::TPartButton(const QString& name, const QString& caption, int tag, QWidget* panel)
    : QFrame(panel), caption_(caption), kind_(PartKind(name)), tag_(tag), panel_(panel) {
  setObjectName(name);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(2);
  // A press gives the focus first, which makes an inactive window active before the press is
  // handled (and transmits its sound, before any drag can begin).
  static const bool accessible = [] {
    QAccessible::installFactory(PartButtonFactory);
    return true;
  }();
  (void)accessible;
  // Tab reaches it too: Space selects it, Enter opens its page.
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(caption_);
  setAutoFillBackground(true);
}

void TPartButton::SetSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  update();
}

void TPartButton::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(rect(), selected_ ? kSelected : palette().color(QPalette::Button));
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.drawText(rect(), Qt::AlignCenter, caption_);
  painter.end();
  QFrame::paintEvent(event);
  QPainter mark(this);
  DrawFocusMark(mark, this, rect().adjusted(2, 2, -2, -2));
}

THubWindow::THubWindow(TLibElem& element, THubDesign design, QWidget* parent)
    : QWidget(parent), element_(element), design_(std::move(design)) {
  InstallWheelGuard();
  setObjectName(design_.ObjectName);
  setAttribute(Qt::WA_DeleteOnClose);
  setProperty("HelpContext", design_.HelpContext);
  // The designed size is the whole window as the frame draws it, borders and title bar included.
  setFixedSize(design_.Size - QSize(16, 32));
  element_.WindowOpen = true;
  element_.Editor = this;
  Views().Add(element_, *this);
}

THubWindow::~THubWindow() {
  Release();
}

void THubWindow::AddTools(std::initializer_list<THubTool> tools) {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  toolBar_->setIconSize(QSize(18, 18));
  toolBar_->setMovable(false);
  QStyle* st = style();
  for (THubTool tool : tools) {
    QString name, hint;
    QStyle::StandardPixmap icon = QStyle::SP_FileIcon;
    switch (tool) {
      case THubTool::New:
        name = QStringLiteral("SpeedNew"), hint = QStringLiteral("New");
        icon = QStyle::SP_FileIcon;
        break;
      case THubTool::LoadSysex:
        name = QStringLiteral("SpeedLoad"), hint = QStringLiteral("Load Sysex");
        icon = QStyle::SP_DialogOpenButton;
        break;
      case THubTool::SaveSysex:
        name = QStringLiteral("SpeedSave"), hint = QStringLiteral("Save Sysex");
        icon = QStyle::SP_DialogSaveButton;
        break;
      case THubTool::SaveAs:
        name = QStringLiteral("SpeedSaveAs"), hint = QStringLiteral("Save as");
        icon = QStyle::SP_DriveFDIcon;
        break;
      case THubTool::Receive:
        name = QStringLiteral("SpeedReceive"), hint = QStringLiteral("Receive");
        icon = QStyle::SP_ArrowDown;
        break;
      case THubTool::Send:
        name = QStringLiteral("SpeedSend"), hint = QStringLiteral("Send ");
        icon = QStyle::SP_ArrowUp;
        break;
      case THubTool::Help:
        name = QStringLiteral("SpeedHelp"), hint = QStringLiteral("Help");
        icon = QStyle::SP_MessageBoxQuestion;
        break;
    }
    QAction* action = toolBar_->addAction(st->standardIcon(icon), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, [this, tool] { RunTool(tool); });
    tools_.push_back({tool, action});
  }
  toolBar_->setGeometry(0, 0, width(), toolBar_->sizeHint().height());
}

QAction* THubWindow::Tool(THubTool tool) const {
  for (const auto& [kind, action] : tools_)
    if (kind == tool) return action;
  return nullptr;
}

void THubWindow::RunTool(THubTool tool) {
  if (released_) return;
  // Every tool but Help changes or sends the element.
  if (tool != THubTool::Help) WillEdit();
  switch (tool) {
    case THubTool::New:
      element_.Init();
      element_.Transmit(true);
      break;
    case THubTool::LoadSysex:
      element_.LoadSysexFile();
      break;
    case THubTool::SaveSysex:
      element_.SaveSysexFile(false);
      break;
    case THubTool::SaveAs:
      element_.SaveSysexFile(true);
      break;
    case THubTool::Receive:
      element_.Receive(true);
      break;
    case THubTool::Send:
      element_.Transmit(true);
      break;
    case THubTool::Help:
      ChildFrame().ShowHelp(design_.HelpContext);
      break;
  }
  // Saving renames the file in the caption.
  if (!released_) setWindowTitle(Caption());
}

void THubWindow::AddPanel(QWidget* panel) {
  panels_.push_back(panel);
  panel->installEventFilter(this);
}

TPartButton* THubWindow::AddPart(const QString& name, const QString& caption, int tag,
                                 QWidget* panel) {
  auto* part = new TPartButton(name, caption, tag, panel);
  part->installEventFilter(this);
  parts_.push_back(part);
  return part;
}

TPartButton* THubWindow::Part(const QString& name) const {
  for (TPartButton* part : parts_)
    if (part->objectName() == name) return part;
  return nullptr;
}

std::vector<TPartButton*> THubWindow::Selection() const {
  std::vector<TPartButton*> selected;
  for (TPartButton* part : parts_)
    if (part->Selected()) selected.push_back(part);
  return selected;
}

void THubWindow::SelectPanel(QWidget* panel) {
  for (TPartButton* part : parts_) part->SetSelected(part->Panel() == panel);
}

void THubWindow::SelectPart(TPartButton* part, bool ctrl) {
  if (ctrl) {
    for (TPartButton* other : parts_)
      if (other->Panel() != part->Panel()) other->SetSelected(false);
    part->SetSelected(true);
    return;
  }
  if (part->Selected()) return;
  for (TPartButton* other : parts_) other->SetSelected(other == part);
}

void THubWindow::DeselectAll() {
  for (TPartButton* part : parts_) part->SetSelected(false);
}

TPartButton* THubWindow::PartAt(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* part = qobject_cast<TPartButton*>(w)) return part;
  return nullptr;
}

THubWindow* THubWindow::HubOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* hub = qobject_cast<THubWindow*>(w)) return hub;
  return nullptr;
}

void THubWindow::BeginDrag() {
  TDragInfo& drag = ChildFrame().Drag();
  drag.Clear();
  drag.Source = this;
  for (TPartButton* part : Selection()) drag.Items.push_back({nullptr, part->Kind(), part->Tag()});
  ChildFrame().DragInProgress = true;
}

bool THubWindow::DragOver(QWidget* under) {
  TDragInfo& drag = ChildFrame().Drag();
  auto* source = qobject_cast<THubWindow*>(drag.Source);
  TPartButton* target = PartAt(under);
  THubWindow* hub = HubOf(target);
  // The background never accepts.
  drag.Accepted = source && target && hub && !hub->released_ &&
                  hub->AcceptDrop(*source, drag, *target);
  return drag.Accepted;
}

void THubWindow::EndDrag(QWidget* under) {
  ChildFrame().DragInProgress = false;
  TDragInfo& drag = ChildFrame().Drag();
  const bool accepted = DragOver(under);
  TPartButton* target = PartAt(under);
  THubWindow* hub = HubOf(target);
  if (accepted && hub) {
    drag.Target = hub;
    hub->WillEdit();
    hub->DeselectAll();
    hub->CopyParts(*this, drag, *target);
    TLibElem& element = hub->Object();
    element.Modified();
    element.UpdateViews();
    element.Transmit(true);
    ChildFrame().BringToFront(hub);
  } else if (!openedByDoubleClick_) {
    ChildFrame().BringToFront(this);
  }
  drag.Clear();
}

void THubWindow::PartPressed(TPartButton* part, Qt::KeyboardModifiers modifiers) {
  openedByDoubleClick_ = false;
  if (modifiers & Qt::ControlModifier) {
    SelectPart(part, true);
    return;
  }
  SelectPart(part, false);
  pressed_ = part;
  dragArmed_ = true;
  dragMoved_ = false;
  BeginDrag();
}

bool THubWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* part = qobject_cast<TPartButton*>(watched);
  auto* widget = qobject_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      if (part) {
        pressPos_ = mouse->globalPosition().toPoint();
        PartPressed(part, mouse->modifiers());
        return true;
      }
      if (std::find(panels_.begin(), panels_.end(), widget) != panels_.end()) {
        SelectPanel(widget);
        return true;
      }
      break;
    }
    case QEvent::MouseMove: {
      if (!dragArmed_) break;
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint global = mouse->globalPosition().toPoint();
      if (!dragMoved_ &&
          (global - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return true;
      if (!dragMoved_) QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
      dragMoved_ = true;
      const bool accepted = DragOver(QApplication::widgetAt(global));
      QGuiApplication::changeOverrideCursor(accepted ? Qt::DragCopyCursor : Qt::ForbiddenCursor);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!dragArmed_) break;
      auto* mouse = static_cast<QMouseEvent*>(event);
      dragArmed_ = false;
      if (dragMoved_) QGuiApplication::restoreOverrideCursor();
      EndDrag(dragMoved_ ? QApplication::widgetAt(mouse->globalPosition().toPoint()) : nullptr);
      dragMoved_ = false;
      return true;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (!part || key->isAutoRepeat()) break;
      if (key->key() == Qt::Key_Space) {
        SelectPart(part, key->modifiers() & Qt::ControlModifier);
        return true;
      }
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        OpenPart(*part);
        return true;
      }
      break;
    }
    case QEvent::MouseButtonDblClick: {
      if (!part) break;
      // The press of the double click began a drag: it ends here, opening the part's page.
      dragArmed_ = false;
      ChildFrame().DragInProgress = false;
      ChildFrame().Drag().Clear();
      openedByDoubleClick_ = true;
      OpenPart(*part);
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void THubWindow::mousePressEvent(QMouseEvent* event) {
  // A click on the window's background deselects all.
  if (event->button() == Qt::LeftButton) DeselectAll();
  QWidget::mousePressEvent(event);
}

QString THubWindow::Caption() const {
  return element_.GetName() + SourceText(element_) + QStringLiteral("   [Loc : ") +
         EditorLocation(element_) + QStringLiteral("][*]");
}

void THubWindow::UpdateView() {
  if (released_) return;
  setWindowTitle(Caption());
  ShowView();
}

void THubWindow::ShowName() {
  if (!released_) setWindowTitle(Caption());
}

QWidget* THubWindow::Frame() const {
  if (QMdiSubWindow* sub = TChildFrame::SubWindowOf(this)) return sub;
  return const_cast<THubWindow*>(this);
}

void THubWindow::Present() {
  if (QMdiSubWindow* sub = ChildFrame().AddChild(this)) {
    sub->setWindowFlags(sub->windowFlags() & ~Qt::WindowMaximizeButtonHint);
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
              if (!(before & Qt::WindowActive) && (now & Qt::WindowActive)) Activated();
              if ((before & Qt::WindowActive) && !(now & Qt::WindowActive) && !released_)
                Deactivated();
            });
  }
  SetVisualTabOrder(this);
  UpdateView();
  PlaceInFrame();
  Frame()->show();
  ChildFrame().BringToFront(this);
}

void THubWindow::PlaceInFrame() {
  QWidget* frame = Frame();
  frame->adjustSize();
  int left = element_.WinLeft;
  int top = element_.WinTop;
  if (element_.WinTop == 0xFFFF) {
    left = design_.DesignedPos.x();
    top = design_.DesignedPos.y();
    if (QMdiArea* area = ChildFrame().Area(); area && frame != this) {
      const QSize client = area->viewport()->size();
      if (client.height() <= top + frame->height()) top = client.height() - frame->height() - 1;
      if (client.width() <= left + frame->width()) left = client.width() - frame->width() - 1;
      left = std::max(left, 0);
      top = std::max(top, 0);
    }
  }
  frame->move(left, top);
}

void THubWindow::Activated() {
  if (released_) return;
  if (ChildFrame().DragInProgress) return;
  if (!IsCurrentObject(element_)) element_.Transmit(true);
}

void THubWindow::closeEvent(QCloseEvent* event) {
  if (!released_) {
    // The places of the open pages first, then the pages close, then the hub lets go.
    element_.StorePositions();
    for (TElementView* view : Views().ViewsOf(element_))
      if (view != this) view->CloseView();
  }
  Release();
  event->accept();
}

void THubWindow::CloseView() {
  Release();
  Frame()->close();
}

void THubWindow::Release() {
  if (released_) return;
  released_ = true;
  if (isVisible() || Frame()->isVisible()) {
    element_.WinLeft = Place(Frame()->x());
    element_.WinTop = Place(Frame()->y());
  }
  if (element_.Editor == this) {
    element_.WindowOpen = false;
    element_.Editor = nullptr;
  }
  Views().Remove(element_, *this);
  if (ChildFrame().Drag().Source == this) {
    ChildFrame().Drag().Clear();
    ChildFrame().DragInProgress = false;
  }
  setEnabled(false);
}
