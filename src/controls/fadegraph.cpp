#include "controls/fadegraph.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/clickedit.h"

namespace {
int Trunc(double v) {
  return static_cast<int>(std::trunc(v));
}
int Clamp127(int v) {
  return std::clamp(v, 0, 127);
}
// Pixels per turn of the drawn wave.
constexpr double kWavePeriod = 12.0;
}  // namespace

TFadeGraph::TFadeGraph(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  QFont small = font();
  small.setPointSize(7);
  setFont(small);
  for (int tag = 1; tag <= 3; ++tag) {
    auto* field = new TClickEdit(this);
    fields_[tag - 1] = field;
    connect(field, &TClickEdit::Onchange, this, [this, tag] { FieldStepped(tag); });
    connect(field, &TClickEdit::OnEndchange, this, &TFadeGraph::OnEndchange);
  }
  fields_[1]->hide();
  setFocusPolicy(Qt::StrongFocus);
  resize(160, 140);
  Relayout();
}

void TFadeGraph::SelectHandle(int handle) {
  if (handle < 1 || handle > 2 || handle == selected_) return;
  selected_ = handle;
  update();
  AnnounceValue(this);
}

QString TFadeGraph::AccessibleText() const {
  return QStringLiteral("Handle %1: Delay %2, Fade %3")
      .arg(selected_)
      .arg(DelayField()->Text(), FadeField()->Text());
}

void TFadeGraph::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || ((event->modifiers() & Qt::ControlModifier) &&
                               (key == Qt::Key_Left || key == Qt::Key_Right))) {
    SelectHandle(3 - selected_);
    return;
  }
  if (key != Qt::Key_Left && key != Qt::Key_Right) {
    QFrame::keyPressEvent(event);
    return;
  }
  // Handle 1 ends the second segment and handle 2 the first, as a drag moves them.
  int& segment = selected_ == 1 ? second_ : first_;
  const int moved = Clamp127(segment + (key == Qt::Key_Right ? 1 : -1));
  if (moved == segment) return;
  segment = moved;
  keyMoved_ = true;
  ShowInFields();
  update();
  AnnounceValue(this);
}

void TFadeGraph::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !keyMoved_) return;
  keyMoved_ = false;
  Q_EMIT OnEndchange();
}

void TFadeGraph::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  if (keyMoved_) {
    keyMoved_ = false;
    Q_EMIT OnEndchange();
  }
  update();
}

void TFadeGraph::SetGLeft(int v) {
  area_.moveLeft(v);
  update();
}
void TFadeGraph::SetGTop(int v) {
  area_.moveTop(v);
  update();
}
void TFadeGraph::SetGWidth(int v) {
  area_.setWidth(v);
  update();
}
void TFadeGraph::SetGHeight(int v) {
  area_.setHeight(v);
  update();
}
void TFadeGraph::SetELeft(int v) {
  eLeft_ = v;
  Relayout();
}
void TFadeGraph::SetEWidth(int v) {
  eWidth_ = v;
  Relayout();
}
void TFadeGraph::SetETop(int v) {
  eTop_ = v;
  Relayout();
}
void TFadeGraph::SetEHeight(int v) {
  eHeight_ = v;
  Relayout();
}

void TFadeGraph::SetGraphBackGround(const QColor& color) {
  background_ = color;
  update();
}

void TFadeGraph::SetGraphColor(const QColor& color) {
  lineColor_ = color;
  update();
}

void TFadeGraph::SetFadeMode(TFadeMode mode) {
  const int time = FadeTime(), delay = FadeDelay();
  mode_ = mode;
  first_ = Fades() ? time : delay;
  second_ = Fades() ? delay : time;
  Relayout();
}

void TFadeGraph::SetFadeTime(int time) {
  (Fades() ? first_ : second_) = Clamp127(time);
  ShowInFields();
  update();
}

void TFadeGraph::SetFadeDepth(int depth) {
  depth_ = Clamp127(depth);
  ShowInFields();
  update();
}

void TFadeGraph::SetFadeDelay(int delay) {
  (Fades() ? second_ : first_) = Clamp127(delay);
  ShowInFields();
  update();
}

double TFadeGraph::TimeScale() const {
  return 381.0 / std::max(1, GWidth() - 25);
}

double TFadeGraph::DepthScale() const {
  return 254.0 / std::max(1, GHeight() - 19);
}

QPoint TFadeGraph::Handle(int n) const {
  const double off = Origin();
  const int c = ZeroLine();
  const int depthY = Trunc(c - depth_ / DepthScale());
  if (Fades()) {
    if (n == 1) return QPoint(Trunc(second_ / TimeScale() + off), c);
    return QPoint(Trunc((second_ + first_) / TimeScale() + off), depthY);
  }
  if (n == 2) return QPoint(Trunc(first_ / TimeScale() + off), depthY);
  return QPoint(Trunc((first_ + second_) / TimeScale() + off), c);
}

void TFadeGraph::Relayout() {
  // "Delay" and "Fade" stand before their fields; which segment each shows follows the mode.
  const QFontMetrics metrics(font());
  int x = eLeft_;
  for (TClickEdit* field : {DelayField(), FadeField()}) {
    const QString caption =
        field == DelayField() ? QStringLiteral("Delay") : QStringLiteral("Fade");
    x += metrics.horizontalAdvance(caption) + 3;
    field->setGeometry(x, eTop_, eWidth_, eHeight_);
    field->setAccessibleName(caption);
    x += eWidth_ + 8;
  }
  fields_[1]->setGeometry(x, eTop_, eWidth_, eHeight_);
  ShowInFields();
  update();
}

void TFadeGraph::ShowInFields() {
  fields_[0]->SetValue(first_);
  fields_[1]->SetValue(depth_);
  fields_[2]->SetValue(second_);
}

void TFadeGraph::FieldStepped(int tag) {
  const int value = fields_[tag - 1]->Value();
  (tag == 1 ? first_ : tag == 2 ? depth_ : second_) = value;
  update();
}

void TFadeGraph::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  auto near = [&at](const QPoint& handle) {
    return std::abs(at.x() - handle.x()) <= 3 && std::abs(at.y() - handle.y()) <= 3;
  };
  dragged_ = near(Handle(1)) ? 1 : (near(Handle(2)) ? 2 : 0);
  fineX_.Reset();
  fineY_.Reset();
  if (dragged_ == 0) return;
  SelectHandle(dragged_);
  // Handle 1 ends the second segment, handle 2 the first.
  fineX_.Press(event->modifiers(), at.x(), dragged_ == 1 ? second_ : first_);
  fineY_.Press(event->modifiers(), -at.y(), depth_);
}

void TFadeGraph::mouseMoveEvent(QMouseEvent* event) {
  if (dragged_ == 0) return;
  const QPoint at = event->position().toPoint();
  const Qt::KeyboardModifiers keys = event->modifiers();
  const int along = Trunc((at.x() - Origin()) * TimeScale());
  if (dragged_ == 2)
    depth_ = Clamp127(fineY_.Value(keys, -at.y(), depth_, Trunc((ZeroLine() - at.y()) * DepthScale())));
  // Handle 1 ends the second segment and handle 2 the first, whichever of them comes first.
  if (dragged_ == 1)
    second_ = Clamp127(fineX_.Value(keys, at.x(), second_, along - (Fades() ? 0 : first_)));
  else
    first_ = Clamp127(fineX_.Value(keys, at.x(), first_, along - (Fades() ? second_ : 0)));
  ShowInFields();
  update();
}

void TFadeGraph::mouseReleaseEvent(QMouseEvent*) {
  if (dragged_ == 0) return;
  dragged_ = 0;
  Q_EMIT OnEndchange();
}

double TFadeGraph::Amplitude(int x) const {
  const double full = depth_ / DepthScale();
  const int h1 = Handle(1).x(), h2 = Handle(2).x();
  // In: silent until handle 1, growing to handle 2. Out: full until handle 2, dying to handle 1.
  const int from = Fades() ? h1 : h2, to = Fades() ? h2 : h1;
  const double start = Fades() ? 0 : full, end = Fades() ? full : 0;
  if (x <= from) return start;
  if (x >= to) return end;
  return start + (end - start) * (x - from) / (to - from);
}

void TFadeGraph::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect a = area_;
  painter.fillRect(a, background_);
  const QColor grey(0x80, 0x80, 0x80);
  painter.setPen(grey);
  painter.drawLine(a.left(), a.top(), a.right(), a.top());
  painter.drawLine(a.left(), a.top(), a.left(), a.bottom());
  painter.setPen(Qt::white);
  painter.drawLine(a.left(), a.bottom(), a.right(), a.bottom());
  painter.drawLine(a.right(), a.top(), a.right(), a.bottom());
  painter.setPen(Qt::black);
  painter.drawLine(a.left() + 1, a.top() + 1, a.right() - 1, a.top() + 1);
  painter.drawLine(a.left() + 1, a.top() + 1, a.left() + 1, a.bottom() - 1);
  // The captions of the two fields.
  painter.setPen(palette().color(QPalette::WindowText));
  for (TClickEdit* field : {DelayField(), FadeField()}) {
    const QString caption =
        field == DelayField() ? QStringLiteral("Delay") : QStringLiteral("Fade");
    const QRect g = field->geometry();
    painter.drawText(QRect(g.left() - 60, g.top(), 57, g.height()),
                     Qt::AlignRight | Qt::AlignVCenter, caption);
  }
  painter.setClipRect(a.adjusted(2, 2, -1, -1));
  // Key on, and key off 22 pixels later, below the wave; the zero line.
  const int c = ZeroLine();
  const int keyOn = GLeft() + 2 + 22;
  painter.setPen(lineColor_);
  painter.drawText(QRect(a.left() + 3, a.bottom() - 14, 40, 12), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("K on"));
  if (KeyOff())
    painter.drawText(QRect(a.left() + 3 + 22, a.top() + 3, 40, 12), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("K off"));
  painter.setPen(QPen(grey, 1, Qt::DotLine));
  painter.drawLine(keyOn, a.top() + 2, keyOn, a.bottom() - 2);
  if (KeyOff()) painter.drawLine(keyOn + 22, a.top() + 2, keyOn + 22, a.bottom() - 2);
  painter.setPen(lineColor_);
  painter.drawLine(a.left() + 2, c, a.right() - 1, c);
  // The wave, from key on to the right edge.
  painter.setRenderHint(QPainter::Antialiasing);
  QPolygonF wave;
  for (int x = keyOn; x <= a.right() - 2; ++x)
    wave << QPointF(x,
                    c - Amplitude(x) * std::sin(2 * std::numbers::pi * (x - keyOn) / kWavePeriod));
  painter.drawPolyline(wave);
  painter.setBrush(Qt::red);
  for (int n = 1; n <= 2; ++n) painter.drawEllipse(QPointF(Handle(n)), 3, 3);
  if (hasFocus()) {
    // The handle the arrow keys move, ringed.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawEllipse(QPointF(Handle(selected_)), 6, 6);
    painter.setClipping(false);
    DrawFocusMark(painter, this, a);
  }
}
