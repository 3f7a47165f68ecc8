#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/keyselector.h"

namespace {
class TKeySelectorTest : public ::testing::Test {
 protected:
  void SetUp() override { keys.resize(660, 50); }
  TKeySelector keys;
};

TEST_F(TKeySelectorTest, HitsAtTheLeftEdgeAndPastTheRightEnd) {
  const int bottom = 49, top = 2;
  EXPECT_EQ(keys.KeyAt(10, bottom), -1);
  EXPECT_EQ(keys.KeyAt(11, bottom), 0);
  EXPECT_EQ(keys.KeyAt(17, top), 1);
  EXPECT_EQ(keys.KeyAt(17, bottom), 0);
  // The quarter-key reaches of D's black neighbours, and E's half.
  EXPECT_EQ(keys.KeyAt(22, top), 1);
  EXPECT_EQ(keys.KeyAt(23, top), 2);
  EXPECT_EQ(keys.KeyAt(28, top), 3);
  EXPECT_EQ(keys.KeyAt(34, top), 3);
  EXPECT_EQ(keys.KeyAt(35, top), 4);
  // B of the second octave; past the right end, key 62 or its black neighbour.
  EXPECT_EQ(keys.KeyAt(10 + 70 + 65, bottom), 23);
  const int lastLeft = keys.KeyLeft(62);
  EXPECT_EQ(lastLeft, 370);
  EXPECT_EQ(keys.KeyAt(lastLeft + 2, top), 61);
  EXPECT_EQ(keys.KeyAt(lastLeft + 3, top), 62);
  EXPECT_EQ(keys.KeyAt(600, top), 62);
  EXPECT_EQ(keys.KeyAt(600, bottom), 62);
}

TEST_F(TKeySelectorTest, PressDragAndReleaseFireTheirSignals) {
  QSignalSpy end(&keys, &TKeySelector::Endchange);
  QSignalSpy change(&keys, &TKeySelector::Change);
  QTest::mousePress(&keys, Qt::LeftButton, {}, QPoint(11, 45));
  EXPECT_EQ(keys.KeySelected(), 0);
  EXPECT_EQ(end.count(), 1);
  QTest::mouseMove(&keys, QPoint(15, 45));
  EXPECT_EQ(change.count(), 0);
  QMouseEvent move(QEvent::MouseMove, QPointF(25, 45), QPointF(25, 45), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&keys, &move);
  EXPECT_EQ(keys.KeySelected(), 2);
  EXPECT_EQ(change.count(), 1);
  QTest::mouseRelease(&keys, Qt::LeftButton, {}, QPoint(25, 45));
  EXPECT_EQ(end.count(), 2);
  keys.SetKeySelected(40);
  EXPECT_EQ(end.count(), 2);
  EXPECT_EQ(change.count(), 1);
}

TEST_F(TKeySelectorTest, PaintsTheSelectedKeyRedAndBlackKeysBlack) {
  keys.SetKeySelected(4);
  QImage image(keys.size(), QImage::Format_RGB32);
  keys.render(&image);
  EXPECT_EQ(image.pixelColor(35, 45), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(19, 10), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(15, 45), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(375, 10), QColor(Qt::white));
}
}  // namespace
