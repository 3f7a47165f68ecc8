#include <QSignalSpy>

#include "controls/keyselector.h"
#include "controlsfixture.h"

namespace {
TEST(TKeySelectorTest, HitsAndSignalsOfPressDragAndRelease) {
  TKeySelector keys;
  keys.resize(660, 50);
  const int bottom = 49, top = 2;
  // The left edge, the quarter-key reaches of D's black neighbours and E's half, B of the second
  // octave, and past the right end key 62 or its black neighbour.
  const struct {
    int x, y, key;
  } hits[] = {{10, bottom, -1}, {11, bottom, 0}, {17, top, 1},   {17, bottom, 0}, {23, top, 2},
              {34, top, 3},     {35, top, 4},    {372, top, 61}, {600, top, 62}};
  for (const auto& h : hits) EXPECT_EQ(keys.KeyAt(h.x, h.y), h.key) << h.x << "," << h.y;

  QSignalSpy end(&keys, &TKeySelector::Endchange);
  QSignalSpy change(&keys, &TKeySelector::Change);
  QTest::mousePress(&keys, Qt::LeftButton, {}, QPoint(11, 45));
  EXPECT_EQ(keys.KeySelected(), 0);
  EXPECT_EQ(end.count(), 1);
  MoveWithKeys(&keys, QPoint(25, 45), Qt::NoModifier);
  EXPECT_EQ(keys.KeySelected(), 2);
  EXPECT_EQ(change.count(), 1);
  QTest::mouseRelease(&keys, Qt::LeftButton, {}, QPoint(25, 45));
  EXPECT_EQ(end.count(), 2);
  keys.SetKeySelected(4);
  EXPECT_EQ(end.count() + change.count(), 3);
}
}  // namespace
