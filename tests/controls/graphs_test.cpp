#include <QSignalSpy>

#include "controls/clickedit.h"
#include "controls/fadegraph.h"
#include "controls/finedrag.h"
#include "controls/pangraph.h"
#include "controlsfixture.h"

namespace {
constexpr int kStep = TFineDrag::kPixelsPerStep;

// Default areas: TPanGraph scales 508 / 137 time and 127 / 67 level per pixel; TFadeGraph
// 381 / 122 and 254 / 58, its zero line at 55 + 77 div 2 = 93.
class TPanGraphTest : public TShortTimers {
 protected:
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(&graph, Qt::LeftButton, keys, from);
    MoveWithKeys(&graph, to, keys);
    QTest::mouseRelease(&graph, Qt::LeftButton, keys, to);
  }
  TPanGraph graph;
  QSignalSpy change{&graph, &TPanGraph::OnChange};
  QSignalSpy end{&graph, &TPanGraph::OnEndchange};
};

TEST_F(TPanGraphTest, PointsArePickedWithinFourPixelsAndDraggingMeasuresFromThePreviousPoint) {
  // T1 37, L1 67: x = trunc(37 / 3.708 + 7) + 3 = 19, y = trunc(130 - 67 / 1.8955) - 2 = 92.
  graph.SetPoints({0, 0, 37, 67, 0, 0, 0, 0, 0, 0});
  ASSERT_EQ(graph.PointPixel(2), QPoint(19, 92));
  const struct {
    QPoint at;
    int point;
  } picks[] = {{{24, 92}, 0}, {{23, 92}, 2}, {{15, 96}, 2}, {{19, 97}, 0}, {{19, 128}, 3}};
  for (const auto& c : picks) {
    QTest::mousePress(&graph, Qt::LeftButton, {}, c.at);
    EXPECT_EQ(graph.Dragged(), c.point) << c.at.x() << "," << c.at.y();
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, c.at);
  }
  // Only the presses that picked a point end a change.
  EXPECT_EQ(end.count(), 3);
  graph.SetPoints({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  // From the start point (10, 128): time trunc(20 * 3.708) = 74, level trunc(48 * 1.8955) = 90.
  Drag(QPoint(10, 128), QPoint(30, 80));
  EXPECT_EQ(graph.TimeField(1)->Value(), 74);
  // Point 3 sits on point 2's pixel; far beyond the area both values stop at 127.
  Drag(graph.PointPixel(3), QPoint(400, -50));
  EXPECT_EQ(graph.Points(), (TGraphPoints{0, 0, 74, 90, 127, 127, 0, 0, 0, 0}));
  // With Shift the 39 pixels that set a time to 127 move it by a few steps.
  graph.SetPoints({0, 0, 40, 60, 0, 0, 0, 0, 0, 0});
  const QPoint point = graph.PointPixel(2);
  Drag(point, point + QPoint(39, -2 * kStep), Qt::ShiftModifier);
  EXPECT_EQ(graph.Time(2), 40 + 39 / kStep);
  EXPECT_EQ(graph.Level(2), 62);
  EXPECT_EQ(change.count(), 0);
}

TEST_F(TPanGraphTest, LastLockedKeepsTheLastLevelAtZeroAndFirstHalfCentresOnSixtyThree) {
  graph.SetGraphType(LastLocked);
  graph.SetPoints({0, 0, 10, 100, 10, 100, 10, 100, 10, 100});
  EXPECT_FALSE(graph.LevelField(4)->isVisibleTo(&graph));
  Drag(graph.PointPixel(5), QPoint(150, 60));
  EXPECT_GT(graph.Time(5), 10);
  EXPECT_EQ(graph.Points()[9], 0);

  graph.SetGraphType(FirstHalf);
  graph.SetPoints({0, 0, 10, 63, 10, 126, 10, 0, 10, 63});
  // The start point stays at level 63 whatever is written; fields show level - 63.
  EXPECT_EQ(graph.Points()[1], 63);
  EXPECT_EQ(graph.LevelField(3)->Value(), -63);
  EXPECT_EQ(graph.LevelField(1)->Min(), -63);
  // Stepping a field: the point follows at once, one report per step, the end on release.
  end.clear();
  QTest::mousePress(graph.LevelField(1), Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(graph.LevelField(1), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(graph.Level(2), 64);
  EXPECT_EQ(change.count(), 1);
  EXPECT_EQ(end.count(), 1);
  // Above the top of the area the level stops at 126.
  Drag(graph.PointPixel(2), QPoint(graph.PointPixel(2).x(), -100));
  EXPECT_EQ(graph.LevelField(1)->Value(), 63);
}

class TFadeGraphTest : public TShortTimers {
 protected:
  void SetUp() override {
    TShortTimers::SetUp();
    graph.SetFadeDelay(30);
    graph.SetFadeTime(40);
    graph.SetFadeDepth(60);
  }
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(&graph, Qt::LeftButton, keys, from);
    MoveWithKeys(&graph, to, keys);
    QTest::mouseRelease(&graph, Qt::LeftButton, keys, to);
  }
  TFadeGraph graph;
  QSignalSpy change{&graph, &TFadeGraph::OnChange};
  QSignalSpy end{&graph, &TFadeGraph::OnEndchange};
};

TEST_F(TFadeGraphTest, HandlesSitBySegmentsKeyOffMovesThemRightAndDraggingSetsTheSegment) {
  // Delay 30, time 40, depth 60: 30 -> 9.6 px, 70 -> 22.4 px, depth 13.7 px above 93.
  const struct {
    TFadeMode mode;
    QPoint handle1, handle2;
  } cases[] = {{OFF_OUT, {73, 93}, {60, 79}}, {ON_IN, {38, 93}, {51, 79}}};
  for (const auto& c : cases) {
    graph.SetFadeMode(c.mode);
    EXPECT_EQ(std::pair(graph.Handle(1), graph.Handle(2)), std::pair(c.handle1, c.handle2))
        << c.mode;
  }
  // The mode changes only the picture: ON_IN's first segment is the fade, its second the delay.
  EXPECT_EQ(std::pair(graph.First(), graph.Second()), std::pair(40, 30));
  // Four pixels off picks nothing.
  QTest::mousePress(&graph, Qt::LeftButton, {}, QPoint(55, 79));
  EXPECT_EQ(graph.Dragged(), 0);
  QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(55, 79));
  EXPECT_EQ(end.count(), 0);
  // Handle 2 to (70, 75): trunc(41 * 3.123) - 30 = 98 fade, trunc(18 * 4.379) = 78 depth.
  Drag(QPoint(54, 76), QPoint(70, 75));
  EXPECT_EQ(std::pair(graph.FadeTime(), graph.FadeDepth()), std::pair(98, 78));
  // Handle 1 past the left end: no delay; the field's step then stores and ends.
  Drag(graph.Handle(1), QPoint(0, 93));
  EXPECT_EQ(graph.FadeDelay(), 0);
  QTest::mousePress(graph.DelayField(), Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(graph.DelayField(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(graph.FadeDelay(), 1);
  EXPECT_EQ(end.count(), 3);
  // With Shift, handle 2 moves a step per few pixels on both axes.
  graph.SetFadeTime(40);
  graph.SetFadeDepth(60);
  Drag(graph.Handle(2), graph.Handle(2) + QPoint(3 * kStep, kStep), Qt::ShiftModifier);
  EXPECT_EQ(std::pair(graph.FadeTime(), graph.FadeDepth()), std::pair(43, 59));
  EXPECT_EQ(change.count(), 0);
}
}  // namespace
