// A byte outside its row's range is shown as vesta-cli show shows it (its number, in red, with a
// tool tip saying why) by every kind of control, no control pretends to a value it does not
// hold, and the first change brings the byte into range.
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "controls/clickedit.h"
#include "controls/myedit.h"
#include "controls/myrotary.h"
#include "controls/panslider.h"
#include "controls/slider.h"
#include "editors/common/pagestate.h"
#include "editors/common/parambinding.h"
#include "midi/scriptedui.h"
#include "model/library.h"
#include "model/patch.h"

namespace {
// Shows the one binding again after every store, as a page shows its controls.
class TOnePage : public TPageState {
 public:
  using TPageState::TPageState;
  void UpdateView() override {
    if (Binding) Binding->Show(Block().Data());
  }
  TParamBinding* Binding = nullptr;
};

const char* const kItems[] = {"Off", "On", "Auto"};
const QColor kRed(Qt::red);

struct TKindCase {
  const char* What;
  TParamRow Row;
  std::uint8_t Byte;
  // The byte shown: its number in red, no value pretended.
  std::function<void(QWidget*)> ExpectMarked;
  // The first change, with real events.
  std::function<void(QWidget*)> Edit;
  int StoredAfter;  // -1: any value of the range
  // Nothing is marked any more.
  std::function<void(QWidget*)> ExpectPlain;
};

QLineEdit* FieldText(QWidget* w) {
  return w->findChild<QLineEdit*>();
}

TEST(OutOfRange, EveryKindOfControlShowsTheByteAsItsNumberAndTheFirstChangeBringsItIn) {
  using C = TParamControl;
  const std::vector<TKindCase> cases = {
      {"value field",
       {.Offset = 30,
        .Caption = "Feedback",
        .Control = C::Field,
        .Min = 0,
        .Max = 98,
        .Mode = MinMax},
       100,
       [](QWidget* w) {
         auto* field = static_cast<TMyEdit*>(w);
         EXPECT_TRUE(field->OutOfRange());
         EXPECT_EQ("100", field->Text().trimmed());
         EXPECT_EQ(kRed, FieldText(w)->palette().color(QPalette::Text));
       },
       // Down from above the range lands on its top, as up would.
       [](QWidget* w) {
         QWidget* down = static_cast<TMyEdit*>(w)->DownButton();
         QTest::mousePress(down, Qt::LeftButton);
         QTest::mouseRelease(down, Qt::LeftButton);
       },
       98,
       [](QWidget* w) {
         auto* field = static_cast<TMyEdit*>(w);
         EXPECT_FALSE(field->OutOfRange());
         EXPECT_EQ("98", field->Text().trimmed());
         EXPECT_NE(kRed, FieldText(w)->palette().color(QPalette::Text));
       }},
      {"slider",
       {.Offset = 31, .Caption = "Level", .Control = C::Slider, .Min = 0, .Max = 100},
       120,
       [](QWidget* w) {
         auto* slider = static_cast<TPanSlider*>(w);
         EXPECT_TRUE(slider->OutOfRange());
         EXPECT_TRUE(slider->Slider()->Unset());
         EXPECT_EQ("120", slider->Edit()->Text());
       },
       [](QWidget* w) {
         QWidget* track = static_cast<TPanSlider*>(w)->Slider();
         QTest::keyPress(track, Qt::Key_Up);
         QTest::keyRelease(track, Qt::Key_Up);
       },
       100,
       [](QWidget* w) {
         auto* slider = static_cast<TPanSlider*>(w);
         EXPECT_FALSE(slider->OutOfRange());
         EXPECT_FALSE(slider->Slider()->Unset());
         EXPECT_EQ("100", slider->Edit()->Text());
       }},
      {"knob",
       {.Offset = 32, .Caption = "Pan", .Control = C::Pan, .Min = 1, .Max = 127, .Add = -64},
       0,
       [](QWidget* w) {
         EXPECT_TRUE(w->findChild<Tmyrotary*>()->Unset());
         auto* click = w->findChild<TClickEdit*>();
         EXPECT_TRUE(click->OutOfRange());
         EXPECT_EQ("0", click->Text());
       },
       [](QWidget* w) {
         auto* knob = w->findChild<Tmyrotary*>();
         const QPoint right(knob->width() - 6, knob->height() / 2);
         QTest::mousePress(knob, Qt::LeftButton, {}, right);
         QTest::mouseRelease(knob, Qt::LeftButton, {}, right);
       },
       -1,
       [](QWidget* w) {
         EXPECT_FALSE(w->findChild<Tmyrotary*>()->Unset());
         EXPECT_FALSE(w->findChild<TClickEdit*>()->OutOfRange());
       }},
      {"list",
       {.Offset = 33, .Caption = "Mode", .Control = C::List, .Min = 0, .Max = 2, .Items = kItems},
       7,
       [](QWidget* w) {
         auto* combo = static_cast<QComboBox*>(w);
         EXPECT_EQ(-1, combo->currentIndex());
         EXPECT_EQ("7", combo->placeholderText());
         EXPECT_EQ(kRed, combo->palette().color(QPalette::PlaceholderText));
       },
       [](QWidget* w) { QTest::keyClick(w, Qt::Key_Down); },
       0,
       [](QWidget* w) {
         auto* combo = static_cast<QComboBox*>(w);
         EXPECT_EQ(0, combo->currentIndex());
         EXPECT_EQ("", combo->placeholderText());
       }},
      {"check box",
       {.Offset = 34, .Caption = "Hold", .Control = C::Check, .Min = 0, .Max = 1},
       5,
       [](QWidget* w) {
         EXPECT_EQ(Qt::PartiallyChecked, static_cast<QCheckBox*>(w)->checkState());
       },
       [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
       1,
       [](QWidget* w) { EXPECT_EQ(Qt::Checked, static_cast<QCheckBox*>(w)->checkState()); }},
  };
  TScopedScriptedUI ui;
  for (const TKindCase& test : cases) {
    SCOPED_TRACE(test.What);
    TLibrary library;
    auto& patch = static_cast<TPatch&>(library.NewElement(ekPatch));
    patch.Common.Data()[test.Row.Offset] = test.Byte;
    TOnePage page(patch, patch.Common);
    QWidget host;
    TParamBinding binding(test.Row, page, &host);
    page.Binding = &binding;
    QWidget* widget = binding.Widget();
    ASSERT_NE(widget, nullptr);
    host.show();
    binding.Show(patch.Common.Data());
    test.ExpectMarked(widget);
    EXPECT_TRUE(widget->toolTip().startsWith(
        QStringLiteral("Out of range: the stored value is %1, and this parameter takes %2 to %3.")
            .arg(test.Byte)
            .arg(test.Row.Min)
            .arg(test.Row.Max)))
        << widget->toolTip().toStdString();
    // Showing it moved nothing into the block.
    EXPECT_EQ(test.Byte, patch.Common.GetByte(test.Row.Offset));

    widget->setFocus();
    test.Edit(widget);
    const int stored = patch.Common.GetByte(test.Row.Offset);
    if (test.StoredAfter >= 0)
      EXPECT_EQ(test.StoredAfter, stored);
    else
      EXPECT_TRUE(stored >= test.Row.Min && stored <= test.Row.Max) << stored;
    test.ExpectPlain(widget);
    EXPECT_EQ("", widget->toolTip());
  }
}
}  // namespace
