#include "controls/myedit.h"

#include <algorithm>

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

#include "controls/controltiming.h"
#include "controls/stepgesture.h"
#include "controls/typedentry.h"

namespace {
// An 11 x 6 filled black triangle pointing up or down.
QPixmap ArrowGlyph(bool up) {
  QImage image(11, 6, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int row = 0; row < 6; ++row) {
    const int half = up ? row : 5 - row;
    for (int x = 5 - half; x <= 5 + half; ++x) image.setPixel(x, row, qRgb(0, 0, 0));
  }
  return QPixmap::fromImage(image);
}

QToolButton* ArrowButton(QWidget* parent, bool up) {
  auto* button = new QToolButton(parent);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIcon(ArrowGlyph(up));
  button->setIconSize(QSize(11, 6));
  return button;
}
}  // namespace

TMyEdit::TMyEdit(QWidget* parent)
    : QFrame(parent),
      edit_(new QLineEdit(this)),
      up_(ArrowButton(this, true)),
      down_(ArrowButton(this, false)),
      repeat_(new QTimer(this)) {
  gesture_ = new TStepGesture(this, [this](int direction) {
    if (StepToward(direction > 0)) Q_EMIT Onchange();
  });
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  edit_->setFrame(false);
  edit_->setContextMenuPolicy(Qt::NoContextMenu);
  edit_->installEventFilter(this);
  // Installed after the field's own filter, so that it sees the line edit's events first.
  entry_ = new TTypedEntry(
      this, edit_,
      {[this] { return EditTypeText(editType_, code_); },
       [this](const QString& text) { return TakeText(text); },
       [this] { return EditTypeValues(editType_, Low(), High()); }},
      false);
  setFocusProxy(edit_);
  setFocusPolicy(Qt::StrongFocus);
  for (QToolButton* button : {up_, down_}) button->installEventFilter(this);
  connect(repeat_, &QTimer::timeout, this, &TMyEdit::Tick);
  connect(gesture_, &TStepGesture::Ended, this, &TMyEdit::OnEndChange);
  resize(60, 24);
  ShowText();
}

void TMyEdit::ShowText() {
  // What is being typed stays until Enter or Escape.
  if (entry_ && entry_->Typing()) return;
  QPalette colours = edit_->palette();
  colours.setColor(QPalette::Text,
                   OutOfRange() ? QColor(Qt::red) : palette().color(QPalette::Text));
  edit_->setPalette(colours);
  edit_->setText(OutOfRange() ? outOfRangeText_ : EditTypeText(editType_, code_));
  // A text longer than the box shows its start; the end goes under the arrows.
  edit_->setCursorPosition(0);
}

void TMyEdit::SetCode(int code) {
  if (code == code_ && !OutOfRange()) return;
  code_ = code;
  outOfRangeText_ = QString();
  ShowText();
}

void TMyEdit::SetOutOfRange(int code, const QString& text) {
  code_ = code;
  outOfRangeText_ = text.isNull() ? QStringLiteral("") : text;
  ShowText();
}

void TMyEdit::SetEditType(TEditType type) {
  editType_ = type;
  Relayout();
  ShowText();
}

bool TMyEdit::TakeText(const QString& text) {
  int code = 0;
  if (!EditTypeCode(editType_, text, Low(), High(), code)) return false;
  if (code == code_ && !OutOfRange()) return true;
  code_ = code;
  outOfRangeText_ = QString();
  ShowText();
  Q_EMIT Onchange();
  Q_EMIT OnEndChange();
  return true;
}

QString TMyEdit::Text() const {
  return edit_->text();
}

bool TMyEdit::Repeating() const {
  return repeat_->isActive();
}

void TMyEdit::Relayout() {
  const int w = width(), h = height();
  edit_->setGeometry(1, 1, w - 2, h - 2);
  // The arrows cover the end of the text box; the text stops short of them.
  const int buttonHeight = h / 2 - 1;
  const int buttonLeft = (w - 2) - 15 + 1;
  up_->setGeometry(buttonLeft, 1, 15, buttonHeight);
  down_->setGeometry(buttonLeft, buttonHeight + 1, 15, buttonHeight);
  edit_->setTextMargins(0, 0, 15, 0);
}

void TMyEdit::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Relayout();
}

bool TMyEdit::StepToward(bool up) {
  if (OutOfRange()) {
    code_ = std::clamp(code_, Low(), High());
    outOfRangeText_ = QString();
    ShowText();
    return true;
  }
  if (up && High() > code_)
    code_ += step_;
  else if (!up && Low() < code_)
    code_ -= step_;
  else
    return false;
  ShowText();
  return true;
}

void TMyEdit::Press(bool up) {
  entry_->Cancel();
  gesture_->Finish();
  if (!OutOfRange() && (up ? High() <= code_ : Low() >= code_)) return;
  goingUp_ = up;
  if (StepToward(goingUp_)) Q_EMIT Onchange();
  repeat_->start(TControlTiming::RepeatDelayMs);
}

void TMyEdit::Tick() {
  repeat_->setInterval(TControlTiming::RepeatIntervalMs);
  if (StepToward(goingUp_)) Q_EMIT Onchange();
}

void TMyEdit::Release() {
  repeat_->stop();
  setFocus(Qt::MouseFocusReason);
  Q_EMIT OnEndChange();
}

void TMyEdit::SetAccessibleValue(int value) {
  gesture_->Finish();
  SetCode(value);
  Q_EMIT Onchange();
  Q_EMIT OnEndChange();
  AnnounceValue(this);
}

void TMyEdit::MarkFocus(bool focused) {
  QPalette colours = palette();
  if (focused) {
    const QColor highlight = colours.color(QPalette::Highlight);
    const QColor base = colours.color(QPalette::Base);
    colours.setColor(QPalette::Base, QColor((base.red() * 3 + highlight.red()) / 4,
                                            (base.green() * 3 + highlight.green()) / 4,
                                            (base.blue() * 3 + highlight.blue()) / 4));
  }
  edit_->setPalette(colours);
  update();
}

void TMyEdit::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  DrawFocusMark(painter, this, rect());
}

bool TMyEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == up_ || watched == down_) {
    auto* button = static_cast<QToolButton*>(watched);
    // Any mouse button steps, so the buttons' own left-button handling is bypassed.
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        button->setDown(true);
        Press(button == up_);
        return true;
      case QEvent::MouseButtonRelease:
        button->setDown(false);
        Release();
        return true;
      default:
        return false;
    }
  }
  if (watched == edit_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
    MarkFocus(event->type() == QEvent::FocusIn);
  // The entry is made after the line edit, whose set-up already sends events through here.
  if (watched == edit_ && entry_) {
    if (entry_->Handle(event)) return true;
    // While typing, the keys are the line edit's; a wheel turn puts the shown value back first.
    if (entry_->Typing()) {
      if (event->type() != QEvent::Wheel) return false;
      entry_->Cancel();
    }
    if (gesture_->Handle(event)) return true;
  }
  return QFrame::eventFilter(watched, event);
}

bool TMyEdit::event(QEvent* event) {
  if (gesture_ && gesture_->Handle(event)) return true;
  return QFrame::event(event);
}
