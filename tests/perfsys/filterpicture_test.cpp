// The filter picture: OFF alone for no filter, axes and the curve of each other type.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "controls/filterpicture.h"

namespace {

QImage Picture(int type) {
  QImage image(TFilterPicture::kWidth, TFilterPicture::kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TFilterPicture::Draw(painter, type);
  return image;
}

bool Black(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < 128;
}

TEST(FilterPicture, NoFilterShowsNoAxesAndEachTypeItsCurve) {
  const QImage off = Picture(0);
  EXPECT_EQ(qRgb(0, 255, 255), off.pixel(10, 30));
  EXPECT_FALSE(Black(off, 4, 20));  // no axes
  int ink = 0;                      // the word OFF
  for (int y = 12; y < 30; ++y)
    for (int x = 20; x < 45; ++x) ink += Black(off, x, y);
  EXPECT_GT(ink, 10);
  // Points on each type's own lines, from the drawing's description.
  const struct {
    int Type;
    std::vector<QPoint> On;
    std::vector<QPoint> Off;
  } cases[] = {{1, {{10, 20}, {30, 20}, {44, 29}}, {{50, 19}}},
               {2, {{31, 24}}, {{10, 20}, {50, 19}}},
               {3, {{50, 20}, {30, 20}, {15, 26}}, {{10, 19}}},
               {4, {{10, 19}, {31, 11}, {50, 19}}, {{31, 24}}}};
  for (const auto& c : cases) {
    const QImage image = Picture(c.Type);
    EXPECT_TRUE(Black(image, 4, 10)) << c.Type;                            // vertical axis
    EXPECT_TRUE(Black(image, 30, TFilterPicture::kHeight - 4)) << c.Type;  // horizontal axis
    for (const QPoint& p : c.On) EXPECT_TRUE(Black(image, p.x(), p.y())) << c.Type << " " << p.x();
    for (const QPoint& p : c.Off)
      EXPECT_FALSE(Black(image, p.x(), p.y())) << c.Type << " " << p.x();
  }
}

}  // namespace
