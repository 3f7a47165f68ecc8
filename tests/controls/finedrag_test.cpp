// Shift-drags: sliders, knobs and graph points move one stored step per several pixels.
#include <QSignalSpy>

#include "controls/fadegraph.h"
#include "controls/finedrag.h"
#include "controls/myrotary.h"
#include "controls/pangraph.h"
#include "controls/slider.h"
#include "controlsfixture.h"

namespace {
constexpr int kStep = TFineDrag::kPixelsPerStep;
using TFineDragTest = TShortTimers;

TEST_F(TFineDragTest, ASliderMovesOneStepPerFewPixelsWithShiftAndFollowsTheMouseWithout) {
  TSlider slider;
  slider.resize(160, 26);
  slider.SetMinValue(0);
  slider.SetMaxValue(127);
  slider.SetValue(64);
  QSignalSpy end(&slider, &TSlider::OnEndChange);
  const QPoint thumb = slider.ThumbRect().center();
  QTest::mousePress(&slider, Qt::LeftButton, Qt::ShiftModifier, thumb);
  // Five steps' travel, and a pixel short of the sixth.
  MoveWithKeys(&slider, thumb + QPoint(6 * kStep - 1, 0), Qt::ShiftModifier);
  EXPECT_EQ(slider.Value(), 69);
  MoveWithKeys(&slider, thumb - QPoint(2 * kStep, 0), Qt::ShiftModifier);
  EXPECT_EQ(slider.Value(), 62);
  QTest::mouseRelease(&slider, Qt::LeftButton, Qt::ShiftModifier, thumb - QPoint(2 * kStep, 0));
  EXPECT_EQ(end.count(), 1);
  // Without Shift the same travel moves the thumb with the mouse: many values.
  const QPoint again = slider.ThumbRect().center();
  QTest::mousePress(&slider, Qt::LeftButton, {}, again);
  MoveWithKeys(&slider, again + QPoint(6 * kStep - 1, 0), Qt::NoModifier);
  EXPECT_GT(slider.Value(), 62 + 10);
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, again);
}

TEST_F(TFineDragTest, AKnobTurnsByUpwardTravelWithShiftAndDoesNotJumpToThePress) {
  Tmyrotary knob;
  knob.SetMin(-64);
  knob.SetMax(63);
  knob.SetPosition(0);
  // Lower right would turn it near Max; with Shift the press leaves it.
  QTest::mousePress(&knob, Qt::LeftButton, Qt::ShiftModifier, QPoint(18, 18));
  EXPECT_EQ(knob.Position(), 0);
  MoveWithKeys(&knob, QPoint(18, 18 - 3 * kStep), Qt::ShiftModifier);
  EXPECT_EQ(knob.Position(), 3);
  MoveWithKeys(&knob, QPoint(18, 18 + kStep), Qt::ShiftModifier);
  EXPECT_EQ(knob.Position(), -1);
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::ShiftModifier, QPoint(18, 18 + kStep));
}

TEST_F(TFineDragTest, GraphPointsAndFadeHandlesMoveInFineStepsOnBothAxes) {
  TPanGraph graph;
  graph.SetPoints({0, 0, 40, 60, 0, 0, 0, 0, 0, 0});
  const QPoint point = graph.PointPixel(2);
  QTest::mousePress(&graph, Qt::LeftButton, Qt::ShiftModifier, point);
  ASSERT_EQ(graph.Dragged(), 2);
  // The 39 pixels that once set a time to 121 move it by 9 steps.
  MoveWithKeys(&graph, point + QPoint(39, -2 * kStep), Qt::ShiftModifier);
  QTest::mouseRelease(&graph, Qt::LeftButton, Qt::ShiftModifier, point + QPoint(39, -2 * kStep));
  EXPECT_EQ(graph.Time(2), 40 + 39 / kStep);
  EXPECT_EQ(graph.Level(2), 62);

  TFadeGraph fade;
  fade.SetFadeMode(ON_IN);
  fade.SetFadeDelay(30);
  fade.SetFadeTime(40);
  fade.SetFadeDepth(60);
  const QPoint handle = fade.Handle(2);
  QTest::mousePress(&fade, Qt::LeftButton, Qt::ShiftModifier, handle);
  ASSERT_EQ(fade.Dragged(), 2);
  MoveWithKeys(&fade, handle + QPoint(3 * kStep, kStep), Qt::ShiftModifier);
  QTest::mouseRelease(&fade, Qt::LeftButton, Qt::ShiftModifier, handle + QPoint(3 * kStep, kStep));
  EXPECT_EQ(fade.FadeTime(), 43);
  EXPECT_EQ(fade.FadeDepth(), 59);
  EXPECT_EQ(fade.FadeDelay(), 30);
}
}  // namespace
