#include <QProxyStyle>
#include <QSignalSpy>
#include <QStyleOption>

#include "controls/clickedit.h"
#include "controls/finedrag.h"
#include "controls/panslider.h"
#include "controls/slider.h"
#include "controlsfixture.h"

namespace {
using TClickEditTest = TShortTimers;

TEST_F(TClickEditTest, StereoTextAndProgramValuesOutsideTheRange) {
  TClickEdit field;
  field.SetMin(-64);
  field.SetMax(63);
  field.SetValue(-64);
  field.SetStereo(true);
  EXPECT_EQ(field.Text(), QLatin1String("L 64"));
  field.SetStereo(false);
  EXPECT_EQ(field.Text(), QLatin1String("-64"));
  // Outside [Min, Max] a program value is ignored; a bound moved past the value takes it along.
  field.SetValue(63);
  field.SetValue(64);
  EXPECT_EQ(field.Value(), 63);
  field.SetMax(10);
  EXPECT_EQ(field.Value(), 10);
  field.SetMin(20);
  EXPECT_EQ(field.Value(), 20);
}

TEST_F(TClickEditTest, LeftStepsDownRightStepsUpAndTheHeldFieldIsMarked) {
  TClickEdit field;
  field.SetValue(5);
  QSignalSpy change(&field, &TClickEdit::Onchange);
  QSignalSpy end(&field, &TClickEdit::OnEndchange);
  QTest::mousePress(&field, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(field.grab().toImage().pixelColor(5, 10), QColor(0x00, 0xFF, 0xFF));
  EXPECT_TRUE(QTest::qWaitFor([&] { return field.Value() == 0; }));
  QTest::qWait(5 * TControlTiming::RepeatIntervalMs);
  QTest::mouseRelease(&field, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(field.Value(), 0);
  EXPECT_EQ(change.count(), 5);
  EXPECT_EQ(end.count(), 1);
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mousePress(&field, button, {}, QPoint(10, 10));
    QTest::mouseRelease(&field, button, {}, QPoint(10, 10));
  }
  EXPECT_EQ(field.Value(), 2);
}

TEST(TSliderTest, DraggingTheThumbFollowsThePointerThroughTheScale) {
  TSlider slider;  // 160 x 26, thumb 10, 0..100, value 30: scale 151 / 100, thumb at 45
  QSignalSpy change(&slider, &TSlider::OnValueChange);
  QSignalSpy end(&slider, &TSlider::OnEndChange);
  // Beside the thumb nothing happens; its far edge still grabs it.
  QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(56, 13));
  EXPECT_FALSE(slider.Dragging());
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(56, 13));
  QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(55, 13));
  ASSERT_TRUE(slider.Dragging());
  struct TMove {
    int x, value;
  };
  for (const TMove& m : {TMove{100, 59},  // trunc((100 - 10) / 1.51)
                         TMove{300, 100}, TMove{-40, 0}, TMove{12, 1}}) {
    QTest::mouseMove(&slider, QPoint(m.x, 13));
    EXPECT_EQ(slider.Value(), m.value) << m.x;
  }
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(12, 13));
  EXPECT_EQ(change.count(), 4);
  EXPECT_EQ(end.count(), 1);
  // Program values are clamped and reported only when they change.
  slider.SetValue(500);
  slider.SetValue(100);
  slider.SetMaxValue(50);
  EXPECT_EQ(slider.Value(), 50);
  EXPECT_EQ(change.count(), 6);
  // With Shift the thumb moves one step per few pixels: five steps' travel and a pixel short.
  constexpr int kStep = TFineDrag::kPixelsPerStep;
  slider.SetMaxValue(127);
  slider.SetValue(64);
  const QPoint thumb = slider.ThumbRect().center();
  QTest::mousePress(&slider, Qt::LeftButton, Qt::ShiftModifier, thumb);
  MoveWithKeys(&slider, thumb + QPoint(6 * kStep - 1, 0), Qt::ShiftModifier);
  EXPECT_EQ(slider.Value(), 69);
  QTest::mouseRelease(&slider, Qt::LeftButton, Qt::ShiftModifier, thumb);
}

// Records the focus frames the style is asked to draw.
class TFocusStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_FrameFocusRect) frames.push_back(option->rect);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
  mutable std::vector<QRect> frames;
};

TEST(TSliderTest, TheThumbShowsTheKeyboardFocusInsideIt) {
  TSlider slider;
  TFocusStyle style;
  slider.setStyle(&style);
  slider.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&slider));
  slider.setFocus();
  style.frames.clear();
  slider.grab();
  EXPECT_EQ(style.frames, std::vector<QRect>{slider.ThumbRect().adjusted(3, 3, -3, -3)});
}

TEST(TSliderTest, AVerticalThumbGrowsUpwardAndDragsTheSameWay) {
  TSlider slider;
  slider.SetOrientation(slVertical);
  slider.resize(26, 160);
  EXPECT_EQ(slider.ThumbRect(), QRect(0, 105, 26, 10));  // (160 - 10) - 45
  QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(13, 110));
  ASSERT_TRUE(slider.Dragging());
  QTest::mouseMove(&slider, QPoint(13, 50));  // thumb top 45: offset 105, trunc(105 / 1.51)
  EXPECT_EQ(slider.Value(), 69);
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(13, 50));
}

TEST(TPanSliderTest, ANegativeMinShiftsTheSliderToStartAtZero) {
  TPanSlider pan;
  pan.SetStereo(true);
  QSignalSpy change(&pan, &TPanSlider::Onchange);
  QSignalSpy end(&pan, &TPanSlider::OnEndchange);
  pan.SetMin(-64);
  pan.SetMax(63);
  EXPECT_EQ(pan.Slider()->MaxValue(), 127);
  // A program value moves both parts, and the slider's move is reported once.
  change.clear();
  pan.SetValue(-64);
  EXPECT_EQ(pan.Slider()->Value(), 0);
  EXPECT_EQ(pan.Edit()->Text(), QStringLiteral("L 64"));
  pan.SetValue(-64);
  EXPECT_EQ(change.count(), 1);
  // The slider moved by hand: slider 64 is value 0.
  pan.Slider()->SetValue(64);
  EXPECT_EQ(pan.Edit()->Value(), 0);
  // The field stepped up: the slider follows, one report.
  QTest::mousePress(pan.Edit(), Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(pan.Edit(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(pan.Slider()->Value(), 65);
  EXPECT_EQ(change.count(), 3);
  EXPECT_EQ(end.count(), 1);
  // A bound moved past the value takes it along, the slider with it; without a negative Min
  // the slider keeps the same range.
  pan.SetMax(-10);
  EXPECT_EQ(pan.Slider()->Value(), 54);
  pan.SetMin(0);
  pan.SetMax(127);
  EXPECT_EQ(std::pair(pan.Value(), pan.Slider()->MinValue()), std::pair(0, 0));
  EXPECT_EQ(pan.Slider()->MaxValue(), 127);
}
}  // namespace
