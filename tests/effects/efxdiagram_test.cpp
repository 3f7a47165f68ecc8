// The effects page's pictures: every EFX type draws its own signal flow, the delays' feedback
// follows "FeedBack Mode", and the HF damp curve bends where its frequency lies. (Where each
// symbol sits is not checked: a misplaced line shows at a glance and costs no sound.)
#include <map>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "editors/patch/efxdiagram.h"

namespace {

QImage Diagram(int item, int mode) {
  QImage image(kEfxDiagramWidth, kEfxDiagramHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  DrawEfxDiagram(painter, image.size(), item, mode);
  return image;
}

QImage HfDamp(int value) {
  QImage image(kHfDampWidth, kHfDampHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  DrawHfDamp(painter, image.size(), value);
  return image;
}

bool Black(const QImage& image, int x, int y) {
  return image.pixel(x, y) == qRgb(0, 0, 0);
}

}  // namespace

TEST(EfxDiagram, EveryTypeHasAPictureOfItsOwnAndOnlyTheDelaysDrawTheFeedbackMode) {
  // The two flangers share one picture, and so do the two delays; every other type has its own.
  std::map<QByteArray, int> first;
  const QImage empty = Diagram(0, 0);
  for (int item = 1; item <= 40; ++item) {
    SCOPED_TRACE(item);
    const QImage normal = Diagram(item, 0);
    EXPECT_NE(normal, empty);
    const QByteArray bits(reinterpret_cast<const char*>(normal.constBits()), normal.sizeInBytes());
    const int same = first.emplace(bits, item).first->second;
    const int expected = item == 16 || item == 18 ? item - 1 : item;
    EXPECT_EQ(same, expected);
    const bool drawsMode = item == 17 || item == 18;
    EXPECT_EQ(Diagram(item, 1) != normal, drawsMode);
  }
}

TEST(EfxDiagram, HfDampBendsWhereItsFrequencyLiesAndIsFlatForByPass) {
  // The flat part at height 20 reaches the corner at 2 × value + 10; ByPass stays flat across.
  EXPECT_TRUE(Black(HfDamp(17), kHfDampWidth - 6, 20));
  const QImage image = HfDamp(8);
  EXPECT_TRUE(Black(image, 25, 20));
  EXPECT_FALSE(Black(image, 32, 20));  // already falling
}
