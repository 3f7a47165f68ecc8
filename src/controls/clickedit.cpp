#include "controls/clickedit.h"

#include <cstdlib>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStyleHints>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "controls/controltiming.h"
#include "controls/edittype.h"
#include "controls/stepgesture.h"
#include "controls/typedentry.h"

TClickEdit::TClickEdit(QWidget* parent)
    : QWidget(parent), repeat_(new QTimer(this)), lineEdit_(new QLineEdit(this)) {
  lineEdit_->setObjectName(QStringLiteral("TypedValue"));
  lineEdit_->setAlignment(Qt::AlignCenter);
  lineEdit_->setFrame(false);
  entry_ = new TTypedEntry(this, lineEdit_,
                           {[this] { return Text(); },
                            [this](const QString& text) { return TakeText(text); },
                            [this] { return NumberValues(min_, max_, stereo_); }},
                           true);
  gesture_ = new TStepGesture(this, [this](int direction) {
    if (StepToward(direction > 0)) Q_EMIT Onchange();
  });
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  connect(repeat_, &QTimer::timeout, this, &TClickEdit::Tick);
  connect(gesture_, &TStepGesture::Ended, this, &TClickEdit::OnEndchange);
  resize(50, 20);
}

void TClickEdit::SetMin(int min) {
  min_ = min;
  if (value_ < min_) value_ = min_;
  update();
}

void TClickEdit::SetMax(int max) {
  max_ = max;
  if (value_ > max_) value_ = max_;
  update();
}

void TClickEdit::SetValue(int value) {
  if (value < min_ || value > max_) return;
  if (value == value_ && !OutOfRange()) return;
  value_ = value;
  outOfRangeText_ = QString();
  update();
}

void TClickEdit::SetOutOfRange(const QString& text) {
  outOfRangeText_ = text.isNull() ? QStringLiteral("") : text;
  update();
}

void TClickEdit::SetClSelected(const QColor& color) {
  clSelected_ = color;
  update();
}

void TClickEdit::SetStereo(bool stereo) {
  stereo_ = stereo;
  update();
}

QString TClickEdit::Text() const {
  if (OutOfRange()) return outOfRangeText_;
  if (!stereo_) return QString::number(value_);
  if (value_ < 0) return QStringLiteral("L ") + QString::number(std::abs(value_));
  if (value_ == 0) return QStringLiteral("  0");
  return QStringLiteral("R ") + QString::number(value_);
}

bool TClickEdit::TakeText(const QString& text) {
  int value = 0;
  if (!NumberFromText(text, stereo_, min_, max_, value)) return false;
  if (value == value_ && !OutOfRange()) return true;
  value_ = value;
  outOfRangeText_ = QString();
  update();
  Q_EMIT Onchange();
  Q_EMIT OnEndchange();
  return true;
}

bool TClickEdit::WithinDoubleClick() const {
  return lastPress_.isValid() &&
         lastPress_.elapsed() <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool TClickEdit::Repeating() const {
  return repeat_->isActive();
}

bool TClickEdit::StepToward(bool up) {
  if (OutOfRange()) {
    outOfRangeText_ = QString();
    update();
    return true;
  }
  if (up && value_ < max_)
    ++value_;
  else if (!up && value_ > min_)
    --value_;
  else
    return false;
  update();
  return true;
}

void TClickEdit::SetAccessibleValue(int value) {
  gesture_->Finish();
  SetValue(value);
  Q_EMIT Onchange();
  Q_EMIT OnEndchange();
  AnnounceValue(this);
}

void TClickEdit::Tick() {
  repeat_->setInterval(TControlTiming::RepeatIntervalMs);
  if (StepToward(goingUp_)) Q_EMIT Onchange();
}

void TClickEdit::mousePressEvent(QMouseEvent* event) {
  gesture_->Finish();
  if (!WithinDoubleClick()) beforeClicks_ = value_;
  lastPress_.start();
  goingUp_ = event->button() != Qt::LeftButton;
  if (StepToward(goingUp_)) Q_EMIT Onchange();
  repeat_->start(TControlTiming::RepeatDelayMs);
  update();
}

void TClickEdit::mouseDoubleClickEvent(QMouseEvent*) {
  // The first click stepped and stored: the value goes back to where it was, then typing starts.
  repeat_->stop();
  if (WithinDoubleClick() && value_ != beforeClicks_) {
    value_ = beforeClicks_;
    Q_EMIT Onchange();
    Q_EMIT OnEndchange();
  }
  update();
  entry_->Start();
}

void TClickEdit::mouseReleaseEvent(QMouseEvent*) {
  // The release that ends a double-click ends no change: the double-click made none.
  if (entry_->Typing()) return;
  repeat_->stop();
  update();
  Q_EMIT OnEndchange();
}

bool TClickEdit::event(QEvent* event) {
  // The right button steps; no context menu may take it.
  if (event->type() == QEvent::ContextMenu) return true;
  if (gesture_ && event->type() == QEvent::KeyPress && entry_->Handle(event)) return true;
  // Keys that reach the field while its line edit is open are the line edit's.
  if (gesture_ && entry_->Typing() &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    QCoreApplication::sendEvent(lineEdit_, event);
    return true;
  }
  if (gesture_ && gesture_->Handle(event)) return true;
  return QWidget::event(event);
}

void TClickEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width(), h = height();
  painter.fillRect(rect(), palette().color(QPalette::Button));
  painter.fillRect(2, 2, w - 4, h - 4, repeat_->isActive() ? clSelected_ : QColor(Qt::white));
  // A sunken two-pixel frame.
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawLine(0, 0, w - 1, 0);
  painter.drawLine(0, 0, 0, h - 1);
  painter.setPen(Qt::white);
  painter.drawLine(0, h - 1, w - 1, h - 1);
  painter.drawLine(w - 1, 0, w - 1, h - 1);
  painter.setPen(Qt::black);
  painter.drawRect(1, 1, w - 3, h - 3);
  // Centred in the control's font, as its metrics place it.
  const QString text = Text();
  const QFontMetrics metrics(font());
  const int x = (w - metrics.horizontalAdvance(text) - 1) / 2;
  const int y = (h - metrics.height()) / 2;
  painter.setPen(OutOfRange() ? QColor(Qt::red) : QColor(Qt::black));
  painter.setFont(font());
  painter.drawText(x, y + metrics.ascent(), text);
  DrawFocusMark(painter, this, rect());
}
