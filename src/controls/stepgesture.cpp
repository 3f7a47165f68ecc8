#include "controls/stepgesture.h"

#include <cstdlib>
#include <utility>

#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include "controls/accessiblecontrol.h"
#include "controls/controltiming.h"

namespace {
// One notch of a standard wheel; fine-grained wheels and touch pads send parts of it.
constexpr int kNotch = 120;
}  // namespace

TStepGesture::TStepGesture(QObject* parent, std::function<void(int)> step)
    : QObject(parent), step_(std::move(step)), rest_(new QTimer(this)) {
  rest_->setSingleShot(true);
  connect(rest_, &QTimer::timeout, this, &TStepGesture::Finish);
}

bool TStepGesture::Handle(QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      const QPoint delta = wheel->angleDelta();
      wheelRemainder_ += delta.y() != 0 ? delta.y() : delta.x();
      const int steps = wheelRemainder_ / kNotch;
      wheelRemainder_ -= steps * kNotch;
      active_ = true;
      rest_->start(TControlTiming::WheelRestMs);
      for (int i = 0; i < std::abs(steps); ++i) step_(steps > 0 ? 1 : -1);
      if (steps != 0) AnnounceValue(qobject_cast<QWidget*>(parent()));
      wheel->accept();
      return true;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) return false;
      // A key held while the wheel rests takes the gesture over; its release ends it.
      rest_->stop();
      active_ = true;
      step_(key->key() == Qt::Key_Up ? 1 : -1);
      AnnounceValue(qobject_cast<QWidget*>(parent()));
      key->accept();
      return true;
    }
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) return false;
      if (!key->isAutoRepeat() && !rest_->isActive()) Finish();
      key->accept();
      return true;
    }
    case QEvent::FocusOut:
      if (!rest_->isActive()) Finish();
      return false;
    default:
      return false;
  }
}

void TStepGesture::Finish() {
  rest_->stop();
  wheelRemainder_ = 0;
  if (!active_) return;
  active_ = false;
  Q_EMIT Ended();
}
