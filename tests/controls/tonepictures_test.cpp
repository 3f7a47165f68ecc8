// The LFO waveforms the tone pages draw.
#include <gtest/gtest.h>

#include "controls/lfopicture.h"

TEST(LfoPicture, EveryShapeStaysInsideThePicture) {
  constexpr int W = TLfoPicture::kWidth, H = TLfoPicture::kHeight;
  const auto none = [](int) { return 0; };
  for (int waveform = 0; waveform < 6; ++waveform)
    EXPECT_TRUE(
        QRect(0, 0, W, H).contains(TLfoPicture::Shape(waveform, W, H, none).boundingRect()));
  const QPolygon sine = TLfoPicture::Shape(1, W, H, none);
  // A quarter period in: t = 1.6 is the step nearest pi/2, 18 pixels above the middle.
  EXPECT_EQ(sine[21], QPoint(14, H / 2 - 18));

  for (int seed = 0; seed < 20; ++seed) {
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
    const auto random = [&](int n) {
      state = state * 1103515245u + 12345u;
      return static_cast<int>((state >> 8) % static_cast<unsigned>(n));
    };
    for (const QPoint& p : TLfoPicture::Shape(6, W, H, random)) {
      EXPECT_GE(p.y(), H / 2 - 17);
      EXPECT_LE(p.y(), H / 2 + 17);
    }
    const QPolygon caos = TLfoPicture::Shape(7, W, H, random);
    EXPECT_EQ(caos.first(), QPoint(4, H - 4));
    for (int i = 1; i < caos.size(); ++i) {
      EXPECT_LE(caos[i].x(), W - 4);
      const int step = caos[i].x() - caos[i - 1].x();
      EXPECT_TRUE(step >= 2 && step <= 5) << step;
      const bool top = i % 2 == 1;  // alternately near the top and near the bottom
      const int margin = top ? caos[i].y() : H - caos[i].y();
      EXPECT_TRUE(margin >= 4 && margin <= 9) << margin;
    }
  }
}
