// The effects page's pictures: every EFX type draws its own signal flow, the delays' feedback
// follows "FeedBack Mode", and the HF damp curve bends where its frequency lies.
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
bool Aqua(const QImage& image, int x, int y) {
  return image.pixel(x, y) == qRgb(0, 255, 255);
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
  // Frame and background.
  const QImage one = Diagram(1, 0);
  EXPECT_TRUE(Black(one, 0, 0));
  EXPECT_TRUE(Black(one, kEfxDiagramWidth - 1, kEfxDiagramHeight - 1));
  EXPECT_TRUE(Aqua(one, 20, 55));
}

TEST(EfxDiagram, SymbolsSitWhereTheTypesPutThem) {
  struct TCase {
    int Item, Mode;
    int X, Y;
    bool Black;
    const char* What;
  };
  const TCase cases[] = {
      // A summing point is an open circle with a cross, a branch dot a filled one.
      {4, 0, 61, 54, false, "summing point at (60, 55)"},
      {4, 0, 60, 52, true, "its cross"},
      {5, 0, 61, 54, true, "branch dot at (60, 55)"},
      {27, 0, 61, 54, true, "branch dot at (60, 55)"},
      {28, 0, 61, 54, false, "summing point at (60, 55)"},
      // Straight feedback: the legs joined at y 45 and 66; crossed: joined crosswise.
      {17, 0, 90, 45, true, "straight upper return"},
      {17, 0, 115, 55, false, "no crossing"},
      {17, 1, 90, 45, false, "no straight upper return"},
      {18, 1, 115, 55, true, "crossing"},
      {18, 0, 135, 66, true, "straight lower return"},
      // Item 23 feeds back around its box, item 21 does not.
      {23, 0, 130, 75, true, "feedback loop"},
      {21, 0, 130, 75, false, "no feedback loop"},
      // Outputs end in arrowheads at x 247.
      {1, 0, 247, 30, true, "upper output"},
      {1, 0, 247, 81, true, "lower output"},
      {17, 0, 247, 15, true, "upper output"},
      {20, 0, 247, 103, true, "lower output"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Item) + " " + c.What);
    EXPECT_EQ(Black(Diagram(c.Item, c.Mode), c.X, c.Y), c.Black);
  }
}

TEST(EfxDiagram, HfDampBendsFurtherRightAsTheFrequencyRisesAndIsFlatForByPass) {
  // The flat part at height 20 reaches the corner at 2 × value + 10; ByPass stays flat across.
  const int right = kHfDampWidth - 6;
  EXPECT_TRUE(Black(HfDamp(17), right, 20));
  for (int value : {0, 8, 16}) {
    SCOPED_TRACE(value);
    const QImage image = HfDamp(value);
    const int corner = 2 * value + 10;
    EXPECT_TRUE(Black(image, corner - 1, 20));
    EXPECT_FALSE(Black(image, right, 20));
    EXPECT_FALSE(Black(image, corner + 6, 20));  // already falling
  }
  EXPECT_NE(HfDamp(0), HfDamp(1));
}
