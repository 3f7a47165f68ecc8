#include <QLabel>
#include <QSignalSpy>

#include "controls/finedrag.h"
#include "controls/myrotary.h"
#include "controlsfixture.h"

namespace {
class TKnobTest : public TShortTimers {
 protected:
  void SetUp() override {
    TShortTimers::SetUp();
    knob.SetMin(-64);
    knob.SetMax(63);
  }
  void Click(QPoint at) {
    QTest::mousePress(&knob, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, at);
  }
  Tmyrotary knob;  // 30 x 30: diameter 27, radius 13, centre (13, 13)
};

TEST_F(TKnobTest, ClicksTurnTheKnobByTheirAngle) {
  struct TAngleCase {
    QPoint at;
    int angle, position;
  };
  const TAngleCase cases[] = {
      {{13, 3}, 180, -1},   // straight above: -64 + (145 * 127) div 290
      {{13, 23}, 0, -64},   // straight below: before the sweep, clamped
      {{22, 22}, 315, 58},  // lower right, 45 degrees: -64 + (280 * 127) div 290
      {{8, 8}, 135, -21},   // upper left: -64 + (100 * 127) div 290
      {{15, 23}, 349, 63},  // past the sweep's end (a = 79): clamped to Max
  };
  QSignalSpy end(&knob, &Tmyrotary::OnEndChange);
  for (const TAngleCase& c : cases) {
    EXPECT_EQ(knob.AngleAt(c.at), c.angle) << c.at.x() << "," << c.at.y();
    Click(c.at);
    EXPECT_EQ(knob.Position(), c.position) << c.at.x() << "," << c.at.y();
  }
  EXPECT_EQ(end.count(), int(std::size(cases)));
  // A press off the knob moves nothing, but the held button still turns it.
  QTest::mousePress(&knob, Qt::LeftButton, {}, QPoint(28, 28));
  MoveWithKeys(&knob, QPoint(13, 3), Qt::NoModifier);
  EXPECT_EQ(knob.Position(), -1);
  QTest::mouseRelease(&knob, Qt::LeftButton, {}, QPoint(13, 3));
  // With Shift the press leaves the knob, and upward travel turns it a step per few pixels.
  constexpr int kStep = TFineDrag::kPixelsPerStep;
  knob.SetPosition(0);
  QTest::mousePress(&knob, Qt::LeftButton, Qt::ShiftModifier, QPoint(18, 18));
  MoveWithKeys(&knob, QPoint(18, 18 - 3 * kStep), Qt::ShiftModifier);
  EXPECT_EQ(knob.Position(), 3);
  QTest::mouseRelease(&knob, Qt::LeftButton, Qt::ShiftModifier, QPoint(18, 18 - 3 * kStep));
}

TEST_F(TKnobTest, PositionKeepsTheRangeAndReportsOnlyMovesAndTheGlintSwings) {
  QLabel mirror;
  knob.SetControl(&mirror);
  QSignalSpy change(&knob, &TRangeControl::OnChange);
  knob.SetPosition(100);
  EXPECT_EQ(mirror.text(), QStringLiteral("63"));
  knob.SetPosition(63);
  EXPECT_EQ(change.count(), 1);
  // Max at or below Min pulls Min below it, and the position with them.
  knob.SetMax(-70);
  EXPECT_EQ(knob.Min(), -71);
  EXPECT_EQ(mirror.text(), QStringLiteral("-70"));
  EXPECT_EQ(change.count(), 2);
  // The glint swings between zero and eight, paint by paint.
  std::vector<int> glints;
  for (int i = 0; i < 11; ++i) {
    glints.push_back(knob.Glint());
    knob.grab();
  }
  EXPECT_EQ(glints, (std::vector<int>{0, 2, 4, 6, 8, 6, 4, 2, 0, 2, 4}));
  EXPECT_EQ(TRotaryKnob::Darker(QColor(200, 100, 3), 25), QColor(150, 75, 3));
}
}  // namespace
