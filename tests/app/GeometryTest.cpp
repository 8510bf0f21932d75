#include "app/Geometry.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(Geometry, StoresFractionsAndCentre) {
  const StoredGeometry g = MakeStoredGeometry(801, 600, false, false, 100, 50, 1600, 1200);
  EXPECT_FALSE(g.maximized);
  EXPECT_DOUBLE_EQ(g.widthF, 801.0 / 1600);
  EXPECT_DOUBLE_EQ(g.heightF, 0.5);
  EXPECT_TRUE(g.havePosition);
  EXPECT_DOUBLE_EQ(g.centerXF, (400 + 100) / 1600.0);  // 801 / 2 is 400
  EXPECT_DOUBLE_EQ(g.centerYF, (300 + 50) / 1200.0);

  const StoredGeometry maximized = MakeStoredGeometry(800, 600, true, true, 0, 0, 1600, 1200);
  EXPECT_TRUE(maximized.maximized);
  EXPECT_FALSE(maximized.havePosition);
}

TEST(Geometry, RestoredSizeOnlyGrows) {
  EXPECT_EQ(RestoredExtent(500, 0.5, 1600), 800);
  EXPECT_EQ(RestoredExtent(900, 0.5, 1600), 900);  // never below the layout's size
  EXPECT_EQ(RestoredExtent(500, -1, 1600), 500);   // none stored
  EXPECT_EQ(RestoredExtent(500, 1.5, 1600), 500);  // outside (0, 1]
  EXPECT_EQ(RestoredExtent(500, 1.0, 1600), 1600);
  EXPECT_EQ(RestoredExtent(500, std::nan(""), 1600), 500);
}

TEST(Geometry, RestoredPositionStaysOnScreen) {
  struct Case {
    double centerF;
    int extent, screen, centred, expected;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {0.5, 400, 1600, 7, 600},     // centre put back
      {0.95, 400, 1600, 7, 1200},   // right edge meets the screen's
      {0.01, 400, 1600, 7, 0},      // a negative position becomes 0
      {-1, 400, 1600, 7, 7},        // none stored: the centred position stays
      {std::nan(""), 400, 1600, 7, 7},
      {inf, 400, 1600, 7, 7},
      {1e300, 400, 1600, 7, 1200},  // a damaged value far off the screen
      {-1e300, 400, 1600, 7, 0},
      {0.5, 2000, 1600, 7, 0},      // wider than the screen: left edge on screen
  };
  for (const Case& c : cases)
    EXPECT_EQ(RestoredPosition(c.centerF, c.extent, c.screen, c.centred), c.expected) << c.centerF;
}

TEST(Geometry, RoundTripLosesNoPixel) {
  // 700 / 1280 and (350 + 123) / 1280 are not exact in binary; a truncated
  // product would give 699 and 122 and the frame would creep at every start.
  for (int w = 600; w <= 760; ++w) {
    const StoredGeometry g = MakeStoredGeometry(w, 520, false, false, 123, 77, 1280, 900);
    const int rw = RestoredExtent(100, g.widthF, 1280);
    EXPECT_EQ(rw, w);
    EXPECT_EQ(RestoredPosition(g.centerXF, rw, 1280, 0), 123) << w;
  }
}

TEST(Geometry, RoundTripPutsTheFrameBack) {
  const StoredGeometry g = MakeStoredGeometry(640, 480, false, false, 321, 123, 1280, 900);
  const int w = RestoredExtent(300, g.widthF, 1280), h = RestoredExtent(200, g.heightF, 900);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_EQ(RestoredPosition(g.centerXF, w, 1280, 0), 321);
  EXPECT_EQ(RestoredPosition(g.centerYF, h, 900, 0), 123);
}
