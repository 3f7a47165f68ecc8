#include "controls/pangraph.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/clickedit.h"

namespace {
int Trunc(double v) {
  return static_cast<int>(std::trunc(v));
}
}  // namespace

TPanGraph::TPanGraph(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  QFont small = font();
  small.setPointSize(7);
  setFont(small);
  for (int n = 1; n <= 4; ++n) {
    auto* time = new TClickEdit(this);
    auto* level = new TClickEdit(this);
    timeFields_[n - 1] = time;
    levelFields_[n - 1] = level;
    for (TClickEdit* field : {time, level}) {
      connect(field, &TClickEdit::Onchange, this, [this, n] { FieldStepped(n); });
      connect(field, &TClickEdit::OnEndchange, this, &TPanGraph::OnEndchange);
    }
  }
  for (int n = 1; n <= 4; ++n) {
    timeFields_[n - 1]->setAccessibleName(QStringLiteral("Time %1").arg(n));
    levelFields_[n - 1]->setAccessibleName(QStringLiteral("Level %1").arg(n));
  }
  setFocusPolicy(Qt::StrongFocus);
  resize(160, 140);
  SetGraphType(Normal);
}

void TPanGraph::SelectPoint(int point) {
  if (point < 2 || point > 5 || point == selected_) return;
  selected_ = point;
  update();
  AnnounceValue(this);
}

QString TPanGraph::AccessibleText() const {
  const int n = selected_ - 1;
  return QStringLiteral("Point %1: Time %2, Level %3")
      .arg(n)
      .arg(TimeField(n)->Text(), LevelField(n)->Text());
}

void TPanGraph::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (key == Qt::Key_Space || (ctrl && (key == Qt::Key_Left || key == Qt::Key_Right))) {
    const bool back = key == Qt::Key_Left || (event->modifiers() & Qt::ShiftModifier);
    SelectPoint(std::clamp(selected_ + (back ? -1 : 1), 2, 5));
    return;
  }
  const int i = selected_ - 1;
  int time = times_[i], level = levels_[i];
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
      time = std::clamp(time + (key == Qt::Key_Right ? 1 : -1), 0, 127);
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (!(type_ == LastLocked && selected_ == 5))
        level = std::clamp(level + (key == Qt::Key_Up ? 1 : -1), 0, LevelTop());
      break;
    default:
      QFrame::keyPressEvent(event);
      return;
  }
  if (time == times_[i] && level == levels_[i]) return;
  times_[i] = time;
  levels_[i] = level;
  keyMoved_ = true;
  ShowInFields();
  update();
  Q_EMIT OnChange();
  AnnounceValue(this);
}

void TPanGraph::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !keyMoved_) return;
  keyMoved_ = false;
  Q_EMIT OnEndchange();
}

void TPanGraph::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  if (keyMoved_) {
    keyMoved_ = false;
    Q_EMIT OnEndchange();
  }
  update();
}

void TPanGraph::SetGLeft(int v) {
  area_.moveLeft(v);
  update();
}
void TPanGraph::SetGTop(int v) {
  area_.moveTop(v);
  update();
}
void TPanGraph::SetGWidth(int v) {
  area_.setWidth(v);
  update();
}
void TPanGraph::SetGHeight(int v) {
  area_.setHeight(v);
  update();
}
void TPanGraph::SetELeft(int v) {
  eLeft_ = v;
  Relayout();
}
void TPanGraph::SetEWidth(int v) {
  eWidth_ = v;
  Relayout();
}
void TPanGraph::SetETop(int v) {
  eTop_ = v;
  Relayout();
}
void TPanGraph::SetEHeight(int v) {
  eHeight_ = v;
  Relayout();
}

void TPanGraph::SetGraphBackGround(const QColor& color) {
  background_ = color;
  update();
}

void TPanGraph::SetGraphColor(const QColor& color) {
  lineColor_ = color;
  update();
}

void TPanGraph::Relayout() {
  LayoutFields();
  update();
}

void TPanGraph::SetGraphType(TGraphType type) {
  type_ = type;
  levels_[0] = LevelShown();
  for (int i = 1; i < 5; ++i) levels_[i] = std::clamp(levels_[i], 0, LevelTop());
  if (type_ == LastLocked) levels_[4] = 0;
  for (TClickEdit* field : levelFields_) {
    // Widen first so that the value never sticks at an old bound.
    field->SetMin(-63);
    field->SetMax(127);
    field->SetMin(type_ == FirstHalf ? -63 : 0);
    field->SetMax(type_ == FirstHalf ? 63 : 127);
  }
  levelFields_[3]->setVisible(type_ != LastLocked);
  LayoutFields();
  ShowInFields();
  update();
}

TGraphPoints TPanGraph::Points() const {
  TGraphPoints points;
  for (int i = 0; i < 5; ++i) {
    points[2 * i] = times_[i];
    points[2 * i + 1] = levels_[i];
  }
  return points;
}

void TPanGraph::SetPoints(const TGraphPoints& points) {
  times_[0] = 0;
  levels_[0] = LevelShown();
  for (int i = 1; i < 5; ++i) {
    times_[i] = std::clamp(points[2 * i], 0, 127);
    levels_[i] = std::clamp(points[2 * i + 1], 0, LevelTop());
  }
  if (type_ == LastLocked) levels_[4] = 0;
  ShowInFields();
  update();
}

double TPanGraph::TimeScale() const {
  return 508.0 / std::max(1, GWidth() - 10);
}

double TPanGraph::LevelScale() const {
  return 127.0 / std::max(1, GHeight() - 10);
}

QPoint TPanGraph::PointPixel(int point) const {
  int sum = 0;
  for (int i = 0; i < point; ++i) sum += times_[i];
  const int x = Trunc(sum / TimeScale() + GLeft() + 2) + 3;
  const int y = Trunc((GTop() + GHeight() - 2) - levels_[point - 1] / LevelScale()) - 2;
  return QPoint(x, y);
}

int TPanGraph::PointAt(const QPoint& pos) const {
  for (int point = 2; point <= 5; ++point) {
    const QPoint d = pos - PointPixel(point);
    if (std::abs(d.x()) < 5 && std::abs(d.y()) < 5) return point;
  }
  return 0;
}

void TPanGraph::LayoutFields() {
  for (int n = 1; n <= 4; ++n) {
    const int x = eLeft_ + (eWidth_ + 7) * (n - 1);
    timeFields_[n - 1]->setGeometry(x, eTop_, eWidth_, eHeight_);
    levelFields_[n - 1]->setGeometry(x, eTop_ + eHeight_ + 4, eWidth_, eHeight_);
  }
}

void TPanGraph::ShowInFields() {
  for (int n = 1; n <= 4; ++n) {
    timeFields_[n - 1]->SetValue(times_[n]);
    levelFields_[n - 1]->SetValue(levels_[n] - LevelShown());
  }
}

void TPanGraph::FieldStepped(int n) {
  times_[n] = timeFields_[n - 1]->Value();
  levels_[n] = levelFields_[n - 1]->Value() + LevelShown();
  update();
  Q_EMIT OnChange();
}

void TPanGraph::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  dragged_ = PointAt(at);
  fineX_.Reset();
  fineY_.Reset();
  if (dragged_ == 0) return;
  SelectPoint(dragged_);
  fineX_.Press(event->modifiers(), at.x(), times_[dragged_ - 1]);
  fineY_.Press(event->modifiers(), -at.y(), levels_[dragged_ - 1]);
}

void TPanGraph::mouseMoveEvent(QMouseEvent* event) {
  if (dragged_ == 0) return;
  const QPoint at = event->position().toPoint();
  const QPoint base = PointPixel(dragged_ - 1);
  const int i = dragged_ - 1;
  const Qt::KeyboardModifiers keys = event->modifiers();
  times_[i] = std::clamp(
      fineX_.Value(keys, at.x(), times_[i], Trunc((at.x() - base.x()) * TimeScale())), 0, 127);
  levels_[i] = std::clamp(fineY_.Value(keys, -at.y(), levels_[i],
                                       Trunc((base.y() - at.y()) * LevelScale()) + levels_[i - 1]),
                          0, LevelTop());
  if (type_ == LastLocked && dragged_ == 5) levels_[i] = 0;
  timeFields_[i - 1]->SetValue(times_[i]);
  levelFields_[i - 1]->SetValue(levels_[i] - LevelShown());
  update();
}

void TPanGraph::mouseReleaseEvent(QMouseEvent*) {
  if (dragged_ == 0) return;
  dragged_ = 0;
  Q_EMIT OnEndchange();
}

void TPanGraph::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  // The area, in a sunken two-pixel edge.
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
  painter.setPen(palette().color(QPalette::Button));
  painter.drawLine(a.left() + 1, a.bottom() - 1, a.right() - 1, a.bottom() - 1);
  painter.drawLine(a.right() - 1, a.top() + 1, a.right() - 1, a.bottom() - 1);
  // Captions: the rows, and the point numbers over the columns.
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRect(2, eTop_, eLeft_ - 5, eHeight_), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Time"));
  painter.drawText(QRect(2, eTop_ + eHeight_ + 4, eLeft_ - 5, eHeight_),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Level"));
  for (int n = 1; n <= 4; ++n)
    painter.drawText(QRect(eLeft_ + (eWidth_ + 7) * (n - 1), 0, eWidth_, eTop_),
                     Qt::AlignHCenter | Qt::AlignBottom, QString::number(n));
  // The envelope.
  painter.setClipRect(a.adjusted(2, 2, -2, -2));
  painter.setRenderHint(QPainter::Antialiasing);
  QPolygon line;
  for (int point = 1; point <= 5; ++point) line << PointPixel(point);
  if (type_ == FirstHalf) {
    painter.setPen(QPen(lineColor_, 1, Qt::DotLine));
    painter.drawLine(line[0], QPoint(a.right() - 2, line[0].y()));
  }
  painter.setPen(lineColor_);
  painter.drawPolyline(line);
  painter.setBrush(Qt::red);
  for (const QPoint& p : line) painter.drawEllipse(QPointF(p), 3, 3);
  if (hasFocus()) {
    // The point the arrow keys move, ringed.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawEllipse(QPointF(line[selected_ - 1]), 6, 6);
    painter.setClipping(false);
    DrawFocusMark(painter, this, a);
  }
}
