#pragma once
// Shortened control timers for the tests, and small event helpers.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "controls/controltiming.h"

class TShortTimers : public ::testing::Test {
 protected:
  void SetUp() override {
    TControlTiming::RepeatDelayMs = 30;
    TControlTiming::RepeatIntervalMs = 3;
    TControlTiming::WheelRestMs = 20;
  }
  void TearDown() override {
    TControlTiming::RepeatDelayMs = 600;
    TControlTiming::RepeatIntervalMs = 47;
    TControlTiming::WheelRestMs = 300;
  }
};

// One wheel event of the given eighths of a degree (120 is one notch) over the middle of w.
inline void Wheel(QWidget* w, int delta) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &event);
}

// A key held down on w's focus widget: the first press, auto-repeated presses, the release.
inline void HoldKey(QWidget* control, Qt::Key key, int repeats) {
  QWidget* w = control->focusProxy() ? control->focusProxy() : control;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  for (int i = 0; i < repeats; ++i) {
    QKeyEvent again(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(w, &again);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(w, &up);
  }
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

// A mouse move with the left button held and the given keys (QTest's moves carry no keys).
inline void MoveWithKeys(QWidget* w, QPoint at, Qt::KeyboardModifiers keys) {
  QMouseEvent event(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton,
                    Qt::LeftButton, keys);
  QApplication::sendEvent(w, &event);
}
