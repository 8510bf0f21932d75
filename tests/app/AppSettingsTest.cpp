#include "app/AppSettings.h"

#include <gtest/gtest.h>

TEST(AppSettings, DefaultsEqualityAndColourText) {
  AppSettings a;
  EXPECT_EQ(a.langNo, 0);
  EXPECT_EQ(ColourText(a.pointsColour), "#2400F2");
  EXPECT_EQ(ColourText(a.additionalPointsColour), "#00DD16");
  EXPECT_EQ(ColourText(a.synthesizedColour), "#FF8000");
  AppSettings b = a;
  b.showSplash = false;  // no control edits it, but it counts
  EXPECT_NE(a, b);
  EXPECT_FALSE(a.ColoursDiffer(b));
  b = a;
  b.synthesizedColour.b = 1;
  EXPECT_TRUE(a.ColoursDiffer(b));
  b.SetDefaults();
  EXPECT_EQ(a, b);
}
