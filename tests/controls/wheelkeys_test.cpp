#include <functional>
#include <memory>

#include <QSignalSpy>

#include "controls/clickedit.h"
#include "controls/myedit.h"
#include "controls/panslider.h"
#include "controlsfixture.h"

namespace {
// A control under test: the widget, its value, and spies on its step and end signals.
struct TStepped {
  std::unique_ptr<QWidget> widget;
  std::function<int()> value;
  std::unique_ptr<QSignalSpy> change, end;
};

template <typename T, typename Base, typename Change, typename End>
TStepped Make(T* control, int (Base::*value)() const, Change change, End end) {
  TStepped s;
  s.widget.reset(control);
  s.value = [control, value] { return (control->*value)(); };
  s.change = std::make_unique<QSignalSpy>(control, change);
  s.end = std::make_unique<QSignalSpy>(control, end);
  return s;
}

std::vector<TStepped> Controls() {
  std::vector<TStepped> all;
  auto* edit = new TMyEdit;
  edit->SetEditType(Note);
  edit->SetCode(60);
  all.push_back(Make(edit, &TMyEdit::Code, &TMyEdit::Onchange, &TMyEdit::OnEndChange));
  auto* field = new TClickEdit;
  field->SetValue(60);
  all.push_back(Make(field, &TClickEdit::Value, &TClickEdit::Onchange, &TClickEdit::OnEndchange));
  auto* pan = new TPanSlider;
  pan->SetMin(-64);
  pan->SetMax(63);
  pan->SetValue(60);
  all.push_back(Make(pan, &TPanSlider::Value, &TPanSlider::Onchange, &TPanSlider::OnEndchange));
  return all;
}

using TWheelAndKeysTest = TShortTimers;

TEST_F(TWheelAndKeysTest, AWheelTurnOrAHeldKeyIsOneChange) {
  for (TStepped& c : Controls()) {
    const char* name = c.widget->metaObject()->className();
    QWidget* w = c.widget.get();
    c.change->clear();
    // Three notches, one of them in halves: three steps, one end once the wheel rests.
    Wheel(w, 120);
    Wheel(w, 60);
    Wheel(w, 60);
    Wheel(w, 120);
    EXPECT_EQ(c.value(), 63) << name;
    EXPECT_EQ(c.change->count(), 3) << name;
    EXPECT_EQ(c.end->count(), 0) << name;
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.end->count() == 1; })) << name;
    QTest::qWait(3 * TControlTiming::WheelRestMs);
    EXPECT_EQ(c.end->count(), 1) << name;
    // A key held down with auto-repeat: each press a step, the release the one end.
    HoldKey(w, Qt::Key_Down, 4);
    EXPECT_EQ(c.value(), 58) << name;
    EXPECT_EQ(c.end->count(), 2) << name;
    // Keys other than Up and Down are left to the window.
    QKeyEvent other(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(w, &other);
    EXPECT_EQ(c.value(), 58) << name;
  }
}
}  // namespace
