// The LFO waveforms the tone pages draw.
#include <gtest/gtest.h>

#include "controls/lfopicture.h"

TEST(LfoPicture, EveryShapeStaysInsideThePicture) {
  constexpr int W = TLfoPicture::kWidth, H = TLfoPicture::kHeight;
  const QPolygon sine = TLfoPicture::Shape(1, W, H, [](int) { return 0; });
  // A quarter period in: t = 1.6 is the step nearest pi/2, 18 pixels above the middle.
  EXPECT_EQ(sine[21], QPoint(14, H / 2 - 18));

  for (int seed = 0; seed < 20; ++seed) {
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
    const auto random = [&](int n) {
      state = state * 1103515245u + 12345u;
      return static_cast<int>((state >> 8) % static_cast<unsigned>(n));
    };
    for (int waveform = 0; waveform < 8; ++waveform) {
      const QRect drawn = TLfoPicture::Shape(waveform, W, H, random).boundingRect();
      EXPECT_TRUE(QRect(0, 0, W, H).contains(drawn)) << waveform << " " << seed;
    }
  }
}
