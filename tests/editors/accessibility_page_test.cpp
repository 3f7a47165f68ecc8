// What a screen reader and a keyboard-only user meet on the editor pages: each control's name,
// role, shown text and range, a value set through the accessibility interface, and the envelope
// and fade points moved with the arrow keys. (Announcements need a live accessibility bridge:
// the AT-SPI test hears them.)
#include <QAccessible>
#include <QAccessibleValueInterface>

#include "editorfixture.h"
#include "tests/controls/controlsfixture.h"

namespace {
constexpr std::uint32_t kCommon = 0x03000000;

class AccessiblePage : public TEditorTest {
 protected:
  void SetUp() override {
    TEditorTest::SetUp();
    window_ = &OpenPatch(Patch(0));
    common_ = &OpenCommon(*window_);
    Taken();
  }
  static QAccessibleInterface* Accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
  }
  // The row's control of the common page, or the part of it named.
  template <class T = QWidget>
  T* Part(int offset, const char* name = nullptr) {
    QWidget* control = common_->Control(offset);
    if (!control || !name) return qobject_cast<T*>(control);
    return control->findChild<T*>(QString::fromLatin1(name));
  }
  // Gives the window the keyboard and focus to a widget, as a click would.
  void Focus(QWidget* widget) {
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(widget->hasFocus());
  }

  TFormPatch* window_ = nullptr;
  TFormCommon* common_ = nullptr;
};
}  // namespace

// The caption, shown text and range a screen reader reads from each kind of control with a range.
// (Lists, groups and check boxes are Qt's own: the AT-SPI test reads them.)
TEST_F(AccessiblePage, EachKindOfControlReadsItsCaptionShownTextAndRange) {
  TCommon& common = Patch(0).Common;
  common.StoreByte(46, 100);  // Patch Level
  common.StoreByte(47, 44);   // Pan: 44 − 64 = L 20
  common.StoreByte(65, 1);    // Octave Shift: 1 − 3 = −2
  common.StoreByte(68, 2);    // Structure 1 And 2: Type 3
  Patch(0).UpdateViews();
  const struct {
    QWidget* Target;
    const char* Name;
    QAccessible::Role Role;
    const char* Shown;
    int Min, Max;
  } cases[] = {
      {Part<TPanSlider>(46)->Slider(), "Patch Level", QAccessible::Slider, "100", 0, 127},
      {Part(47, "PanKnob"), "Pan", QAccessible::Dial, "L 20", -64, 63},
      {Part(47, "PanEdit"), "Pan", QAccessible::SpinBox, "L 20", -64, 63},
      {Part(65), "Octave Shift", QAccessible::SpinBox, " -2", -3, 3},
      {Part(68), "Structure 1 And 2", QAccessible::SpinBox, "Type 3", 0, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Shown);
    ASSERT_NE(c.Target, nullptr);
    QAccessibleInterface* accessible = Accessible(c.Target);
    EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromLatin1(c.Name));
    EXPECT_EQ(accessible->role(), c.Role);
    EXPECT_EQ(accessible->text(QAccessible::Value), QString::fromLatin1(c.Shown));
    ASSERT_NE(accessible->textInterface(), nullptr);
    EXPECT_EQ(accessible->textInterface()->text(0, -1), QString::fromLatin1(c.Shown));
    QAccessibleValueInterface* range = accessible->valueInterface();
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->minimumValue().toInt(), c.Min);
    EXPECT_EQ(range->maximumValue().toInt(), c.Max);
  }
}

TEST_F(AccessiblePage, AValueSetByAssistiveTechnologyIsStoredOnceLikeAKeyboardStep) {
  QAccessibleInterface* pan = Accessible(Part(47, "PanKnob"));
  ASSERT_NE(pan->valueInterface(), nullptr);
  pan->valueInterface()->setCurrentValue(-20);
  EXPECT_EQ(Taken(), std::vector<TBytes>{Set(kCommon + 47, {44})});
  EXPECT_EQ(Part<QWidget>(47, "PanEdit")->property("Value").toInt(), -20);
  // The same value again sends nothing.
  pan->valueInterface()->setCurrentValue(-20);
  EXPECT_TRUE(Taken().empty());
}

TEST_F(AccessiblePage, ArrowKeysMoveTheSelectedEnvelopePointOrFadeHandleAsOneChangePerKey) {
  TFormTVF& tvf = OpenTonePage<TFormTVF>(TTone::pgTVF, 1);
  auto* graph = tvf.findChild<TPanGraph*>(QStringLiteral("Envelope"));
  ASSERT_NE(graph, nullptr);
  Focus(graph);
  EXPECT_EQ(graph->Selected(), 2);
  QTest::keyClick(graph, Qt::Key_Space);  // point 3: time T2 (92), level L2 (96)
  EXPECT_EQ(graph->Selected(), 3);
  const int time = Patch(0).Tones[0].GetByte(92);
  HoldKey(graph, Qt::Key_Right, 2);
  EXPECT_EQ(Taken(), std::vector<TBytes>{Set(ToneAddress(1, 92), {std::uint8_t(time + 3)})});
  const int level = Patch(0).Tones[0].GetByte(96);
  HoldKey(graph, Qt::Key_Up, 0);
  EXPECT_EQ(Taken(), std::vector<TBytes>{Set(ToneAddress(1, 96), {std::uint8_t(level + 1)})});
  EXPECT_EQ(graph->TimeField(2)->Value(), time + 3);
  // Two keys, two records: Undo takes back the level and then the time.
  tvf.BtnUndo()->click();
  tvf.BtnUndo()->click();
  EXPECT_EQ(Patch(0).Tones[0].GetByte(92), time);
  EXPECT_EQ(Patch(0).Tones[0].GetByte(96), level);

  auto* fade = OpenTonePage<TFormLFO>(TTone::pgLFO1, 1, 1)
                   .findChild<TFadeGraph*>(QStringLiteral("FadeGraph"));
  ASSERT_NE(fade, nullptr);
  Focus(fade);
  const int delay = fade->FadeDelay(), fadeTime = fade->FadeTime();
  HoldKey(fade, Qt::Key_Right, 1);
  QTest::keyClick(fade, Qt::Key_Space);
  HoldKey(fade, Qt::Key_Right, 0);
  // Handle 1 is the delay in the In modes, handle 2 the fade.
  EXPECT_EQ(fade->FadeDelay() + fade->FadeTime(), delay + fadeTime + 3);
  EXPECT_EQ(Taken().size(), 2u);
}
